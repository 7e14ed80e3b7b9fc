// The listing window's recording members: the clash check behind the
// details box and the writing of the timer entry on Yes.
#include <vector>

#include "plugin/settings.h"
#include "timers/recording.h"
#include "timers/servicelist.h"
#include "timers/timerlist.h"
#include "viewer/channellistdetail.h"

int eChannelListDetail::CheckOverlap(int begin, int length)
{
    char fileName[DETAIL_TEXT_SIZE];
    CopyText(fileName, ReadINIValue(TIMER_FILE_KEY, TIMER_FILE_DEFAULT), sizeof fileName);
    std::vector<TimerPair> timers;
    ScanTimerList(fileName, &timers);
    return AnyTimerClashes(timers, begin, length) ? 1 : 0;
}

int eChannelListDetail::DoEPGRecord(int index)
{
    if (index < 0 || index >= EVENT_RECORDS)
        return -1;
    const EventRecord& r = m_records[index];
    const RecordingInterval interval = ReadRecordingInterval(r.start, r.duration);

    char name[DETAIL_TEXT_SIZE];
    char mapped[DETAIL_TEXT_SIZE];
    ChannelNameFromTitle(m_channelTitle, name, sizeof name);
    MapChannelName(name, mapped, sizeof mapped);

    char serviceFile[DETAIL_TEXT_SIZE];
    CopyText(serviceFile, ReadINIValue(SERVICE_FILE_KEY, SERVICE_FILE_DEFAULT), sizeof serviceFile);
    ServiceIdentity id;
    const int found = LookupService(serviceFile, mapped, &id);
    if (found != 0)
        return found;

    char timerFile[DETAIL_TEXT_SIZE];
    CopyText(timerFile, ReadINIValue(TIMER_FILE_KEY, TIMER_FILE_DEFAULT), sizeof timerFile);
    if (AppendTimerEntry(timerFile, id, r.title, interval.begin, interval.length) != 0)
        return -1;
    m_progRecord = true;
    return 0;
}
