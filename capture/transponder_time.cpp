#include "capture/transponder_time.h"

#include <cstdint>

#include "capture/demux.h"
#include "capture/tot.h"
#include "plugin/boxenv.h"
#include "plugin/diagnostics.h"
#include "plugin/settings.h"

int GetTransponderTime(long* timeOfChange, int* currentOffset, int* nextOffset)
{
    char device[1000];
    CopyText(device, ReadINIValue("dvbDevice", "/dev/dvb/card0/demux0"), sizeof device);

    int handle = DemuxOpen(device);
    if (handle < 0) {
        myerror("Cannot open DEMUX DEVICE for T. Time: ", device);
        return -1;
    }
    SectionFilter f = MakeSectionFilter(kTotPid, kTotTableId);
    if (DemuxSetFilter(handle, &f) < 0)
        myerror("DMX SET FILTER:");  // not fatal here: the read tells

    uint8_t section[kMaxSectionSize + 2];
    int n = DemuxRead(handle, section, kMaxSectionSize);
    DemuxStop(handle);
    DemuxClose(handle);
    if (n <= 0) {
        myerror("Error while reading Time Offset Table");
        return -1;
    }

    TotInfo tot;
    if (DecodeTot(section, static_cast<size_t>(n), &tot) != 0)
        return 0;
    int correction = ClockCorrection(tot.utc, static_cast<long>(BoxTime()));
    if (timeOfChange)
        *timeOfChange = tot.entry.time_of_change;
    if (currentOffset)
        *currentOffset = EntryLocalOffset(&tot.entry) + correction;
    if (nextOffset)
        *nextOffset = EntryNextOffset(&tot.entry) + correction;
    return static_cast<int>(static_cast<int64_t>(tot.utc) + EntryLocalOffset(&tot.entry));
}
