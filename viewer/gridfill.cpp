// The time grid: for every channel block, the event running at a moment and
// the one that follows it.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <utility>

#include "plugin/boxenv.h"
#include "viewer/channellistdetail.h"
#include "viewer/detailstext.h"
#include "viewer/epgfile.h"

namespace {

void CopyEvent(EventRecord& to, const EventRecord& from)
{
    memcpy(&to, &from, sizeof to);
    to.entry = nullptr;
}

}  // namespace

// Adds the two rows of one block and keeps both events in records index and
// index + 1.
void eChannelListDetail::ListGridPair(int index, const EventRecord& previous, const EventRecord& current)
{
    CopyEvent(m_records[index], previous);
    CopyEvent(m_records[index + 1], current);
    for (int i = index; i <= index + 1; ++i) {
        const EventRecord& r = m_records[i];
        const time_t start = r.start;
        struct tm t;
        gmtime_r(&start, &t);
        char text[DETAIL_TEXT_SIZE];
        FormatText(text, sizeof text, "  %02d:%02d %s\t%c%d'", t.tm_hour, t.tm_min, r.title, '|', r.duration);
        new eListBoxEntryText(m_list, text, i);
    }
    new eListBoxEntryText(m_list, " ", -1);
}

// Once the 512 records are full (256 blocks with event rows), reading stops:
// the grid ends with the last block that could be listed whole.
int eChannelListDetail::FillGridEPG(long moment)
{
    m_list->clearList();
    ClearRecords();

    FILE* f = BoxFopen(m_filename, "r");
    if (!f)
        return 0;

    // Two kept events of about 3 KB each: heap, like the records. When the
    // current event becomes the previous one the two swap places instead of
    // copying the texts.
    std::unique_ptr<EventRecord[]> kept(new EventRecord[2]);
    EventRecord* previous = &kept[0];
    EventRecord* current = &kept[1];
    ClearEventRecord(*previous);
    ClearEventRecord(*current);
    bool found = false;
    bool done = false;
    int count = 0;

    EpgLineReader reader(f);
    while (reader.next()) {
        const char* line = reader.line();
        const char tag = reader.tag();
        if (tag == 'C') {
            if (count + 2 > EVENT_RECORDS)
                break;
            char name[DETAIL_TEXT_SIZE];
            EpgChannelName(line, name, sizeof name);
            new eListBoxEntryText(m_list, name, -1);
            ClearEventRecord(*previous);
            ClearEventRecord(*current);
            found = false;
            done = false;
            continue;
        }
        if (done)
            continue;
        EventRecord& cur = *current;
        switch (tag) {
        case 'T': EpgTextValue(line, cur.title, sizeof cur.title); break;
        case 'S': EpgTextValue(line, cur.theme, sizeof cur.theme); break;
        case 'D': EpgTextValue(line, cur.summary, sizeof cur.summary); break;
        case 'L': cur.duration = EpgNumberValue(line); break;
        case 'X':
            cur.start = EpgNumberValue(line);
            if (cur.start > moment)
                found = true;
            break;
        case 'e':
            if (found) {
                ListGridPair(count, *previous, cur);
                count += 2;
                done = true;
            } else {
                std::swap(previous, current);
                ClearEventRecord(*current);
            }
            break;
        default: break;
        }
    }
    fclose(f);
    return count;
}
