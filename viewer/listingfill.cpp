// The programme listing of one channel: its block of the EPG data file, day
// by day, one row per event.
#include <cstdio>
#include <ctime>

#include "plugin/boxenv.h"
#include "plugin/settings.h"
#include "viewer/channellistdetail.h"
#include "viewer/detailstext.h"
#include "viewer/epgfile.h"

namespace {

const char kBar = '|';

void AddBlank(eListBox<eListBoxEntryText>* list)
{
    new eListBoxEntryText(list, " ", -1);
}

}  // namespace

// Reads the channel's block and lists its events. The first 512 events of
// the block are listed; reading stops there, so nothing is kept beyond the
// window's records.
int eChannelListDetail::FillChannelEPG()
{
    m_list->clearList();
    ClearRecords();

    FILE* f = BoxFopen(m_filename, "r");
    if (!f) {
        char text[DETAIL_TEXT_SIZE];
        FormatText(text, sizeof text, "Cannot open . *%s", m_filename);
        new eListBoxEntryText(m_list, text, -1);
        return -1;
    }

    EpgLineReader reader(f);
    for (long skipped = 0; skipped < m_channel && reader.next(); ++skipped) {
    }

    int n = 0;
    int lastDay = -1;
    while (n < EVENT_RECORDS && reader.next()) {
        const char* line = reader.line();
        EventRecord& r = m_records[n];
        switch (reader.tag()) {
        case 'T': EpgTextValue(line, r.title, sizeof r.title); break;
        case 'S': EpgTextValue(line, r.theme, sizeof r.theme); break;
        case 'D': EpgTextValue(line, r.summary, sizeof r.summary); break;
        case 'L': r.duration = EpgNumberValue(line); break;
        case 'X': r.start = EpgNumberValue(line); break;
        case 'e':
            ListEvent(n, &lastDay);
            ++n;
            break;
        default: break;
        }
        if (reader.tag() == 'C')
            break;
    }
    fclose(f);
    return n;
}

// Adds the day separator when the day changes, then the event's row.
void eChannelListDetail::ListEvent(int index, int* lastDay)
{
    EventRecord& r = m_records[index];
    const time_t start = r.start;
    struct tm t;
    gmtime_r(&start, &t);
    const char* weekday = m_weekday[t.tm_wday];
    const int month = t.tm_mon + 1;
    char text[DETAIL_TEXT_SIZE];

    if (m_daySeparator != 0 && t.tm_mday != *lastDay) {
        if (m_daySeparator == 2)
            AddBlank(m_list);
        FormatText(text, sizeof text, "**** %s, %02d/%02d ****", weekday, t.tm_mday, month);
        new eListBoxEntryText(m_list, text, -1);
        if (m_daySeparator == 3)
            AddBlank(m_list);
        *lastDay = t.tm_mday;
    }

    switch (ReadINIInt("dateDisplayFormat", "0")) {
    case 0:
        FormatText(text, sizeof text, "%02d:%02d %c %s \t%c %d'", t.tm_hour, t.tm_min, kBar, r.title, kBar,
                 r.duration);
        break;
    case 1:
        FormatText(text, sizeof text, "%02d/%02d, %02d:%02d %c %s \t%c %d'", t.tm_mday, month, t.tm_hour,
                 t.tm_min, kBar, r.title, kBar, r.duration);
        break;
    case 2:
        FormatText(text, sizeof text, "%02d/%02d, %02d:%02d %c %s \t%c %d'", month, t.tm_mday, t.tm_hour,
                 t.tm_min, kBar, r.title, kBar, r.duration);
        break;
    case 3:
        FormatText(text, sizeof text, "%s %02d/%02d, %02d:%02d %c %s \t%c %d'", weekday, month, t.tm_mday,
                 t.tm_hour, t.tm_min, kBar, r.title, kBar, r.duration);
        break;
    default:
        CopyText(text, "invalid date format in ini file", sizeof text);
        break;
    }
    r.entry = new eListBoxEntryText(m_list, text, index);
}
