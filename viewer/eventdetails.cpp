// Moving along the listing (the title names channel and day) and OK on a row
// (the details box, and from it the recording).
#include <cstdio>
#include <ctime>

#include "plugin/diagnostics.h"
#include "plugin/settings.h"
#include "timers/recording.h"
#include "viewer/channellistdetail.h"
#include "viewer/detailstext.h"

namespace {

const char kNoEventTitle[] = "dedicated to Wembrilla";
const char kDedication[] =
    "...per avermi sopportato\nin tutti questi giorni passati a \nprogrammare in cui sono stato\n"
    "spesso intrattabile! ;)";
const char kGridRefusal[] = "Registrazione non ancora supportata dalla vista per orario";

const int kNoticeFlags = eMessageBox::btOK | eMessageBox::iconInfo;                        // 17
const int kQuestionFlags = eMessageBox::btYes | eMessageBox::btNo | eMessageBox::iconInfo;  // 28

bool IsEventKey(long key)
{
    return key >= 0 && key < EVENT_RECORDS;
}

}  // namespace

void eChannelListDetail::selectionChanged(eListBoxEntryText* entry)
{
    if (!entry)
        return;
    const long key = entry->getKey();
    if (!IsEventKey(key)) {
        setText(kNoEventTitle);
        return;
    }
    const time_t start = m_records[key].start;
    struct tm t;
    gmtime_r(&start, &t);
    char title[DETAIL_TEXT_SIZE];
    FormatText(title, sizeof title, "%s - %s %02d/%02d", m_channelTitle, m_weekday[t.tm_wday], t.tm_mday,
             t.tm_mon + 1);
    setText(title);
}

void eChannelListDetail::selectedItem(eListBoxEntryText* entry)
{
    if (!entry) {
        reject();
        return;
    }
    const long key = entry->getKey();
    if (key < 0) {
        myerror(kDedication);
        return;
    }
    if (!IsEventKey(key))
        return;
    const EventRecord& r = m_records[key];

    char themeLabel[DETAIL_TEXT_SIZE];
    char durationLabel[DETAIL_TEXT_SIZE];
    CopyText(themeLabel, ReadINIValue("lbGenere", "Genere"), sizeof themeLabel);
    CopyText(durationLabel, ReadINIValue("lbDuration", "Durata"), sizeof durationLabel);

    const RecordingInterval interval = ReadRecordingInterval(r.start, r.duration);
    const bool clash = CheckOverlap(interval.begin, interval.length) != 0;
    char last[DETAIL_TEXT_SIZE];
    if (clash)
        CopyText(last, ReadINIValue("lbNoRecordIt", "Registrazione non possibile a causa di altri eventi gia' programmati!"),
                 sizeof last);
    else
        CopyText(last, ReadINIValue("lbRecordIt", "Vuoi programmare la registrazione di questo programma?"),
                 sizeof last);
    const int flags = clash ? kNoticeFlags : kQuestionFlags;

    char text[DETAIL_TEXT_SIZE];
    MakeDetailsText(text, sizeof text, themeLabel, r.theme, durationLabel, r.duration, r.summary, last);

    eMessageBox box(text, r.title, flags, 1, 0);
    box.show();
    const int result = box.exec();
    if (flags == kQuestionFlags && result == eMessageBox::btYes) {
        if (m_gridMode) {
            myerror(kGridRefusal);
        } else if (DoEPGRecord(static_cast<int>(key)) == 0) {
            char done[DETAIL_TEXT_SIZE];
            CopyText(done, ReadINIValue("lbTimerProgrammed", "Programmazione effettuata"), sizeof done);
            myerror(done);
        }
    }
    box.hide();
}
