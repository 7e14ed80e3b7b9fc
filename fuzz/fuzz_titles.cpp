// A title carousel turn from a fuzzed sequence of sections (looping when
// the first byte says so), then the guide written from what was kept.
#include <cstring>

#include "capture/demux_fake.h"
#include "capture/epgreader.h"
#include "capture/mhw_titles.h"
#include "fuzz/common/fuzzcommon.h"
#include "plugin/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Begin();
    fuzz::ReadSequence seq = fuzz::ParseReads(data, size, false);
    FakeDemux demux;
    demux.Install();
    fuzz::QueueReads(demux, kTitlePid, kTitleTableId, seq.reads);
    demux.SetLoop(kTitlePid, kTitleTableId, seq.flags & 1);

    EPGReader reader;
    reader.SetDevicePath("/dev/dvb/card0/demux0");
    CaptureData& cap = reader.capture();
    cap.dayBase = static_cast<int32_t>(fuzz::kFuzzClock - 86400);
    cap.dayBaseWeekday = 1;
    cap.channelCount = 2;
    CopyText(cap.channels[0].name, "Uno", sizeof cap.channels[0].name);
    CopyText(cap.channels[0].id, "101", sizeof cap.channels[0].id);
    CopyText(cap.channels[1].name, "%s%n%x", sizeof cap.channels[1].name);
    CopyText(cap.channels[1].id, "102", sizeof cap.channels[1].id);

    if (reader.GetTitles() == 0)
        reader.SaveEpgData("/hdd/epg.dat");
    fuzz::Check(cap.titleCount >= 0 && cap.titleCount <= kMaxTitles, "titles within the records");
    for (int d = 0; d < kMarkerDays; ++d)
        for (int h = 0; h < kMarkerHours; ++h)
            fuzz::Check(cap.hourMarkers[d][h] >= -1 && cap.hourMarkers[d][h] <= cap.titleCount, "marker names a title");
    fuzz::Check(DemuxOpenHandles() == 0, "the read closes its handle");
    return 0;
}
