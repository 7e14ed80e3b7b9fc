// A summary carousel turn from a fuzzed sequence of sections (looping when
// the first byte says so), then the guide written with one title for each
// programme the summaries name.
#include <cstring>

#include "capture/demux_fake.h"
#include "capture/epgreader.h"
#include "capture/mhw_summaries.h"
#include "fuzz/common/fuzzcommon.h"
#include "plugin/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Begin();
    fuzz::ReadSequence seq = fuzz::ParseReads(data, size, false);
    FakeDemux demux;
    demux.Install();
    fuzz::QueueReads(demux, kSummaryPid, kSummaryTableId, seq.reads);
    demux.SetLoop(kSummaryPid, kSummaryTableId, seq.flags & 1);

    EPGReader reader;
    reader.SetDevicePath("/dev/dvb/card0/demux0");
    CaptureData& cap = reader.capture();
    cap.offsets.currentOffset = 7200;
    cap.offsets.nextOffset = 3600;
    cap.offsets.timeOfChange = static_cast<int32_t>(fuzz::kFuzzClock + 86400);

    const int r = reader.GetSummaries();
    fuzz::Check(cap.summaryCount >= 0 && cap.summaryCount <= kMaxSummaries, "summaries within the records");
    for (int i = 0; i < cap.summaryCount; ++i) {
        const SummaryRecord& s = *cap.summaries[i];
        fuzz::Check(s.text != nullptr, "every record has its text");
        fuzz::Check(s.replayCount <= kMaxReplays, "replays within the record");
        fuzz::Check(strchr(s.text.get(), '\n') == nullptr, "line feeds became blanks");
    }
    if (r == 0 && cap.summaryCount > 0) {
        cap.channelCount = 1;
        CopyText(cap.channels[0].name, "Uno", sizeof cap.channels[0].name);
        CopyText(cap.channels[0].id, "101", sizeof cap.channels[0].id);
        cap.hourMarkers[0][0] = 0;
        for (int i = 0; i < cap.summaryCount && i < 8; ++i) {
            cap.titles[i].reset(new TitleRecord);
            cap.titles[i]->programId = cap.summaries[i]->programId;
            cap.titles[i]->summaryFlag = 1;
            cap.titles[i]->start = static_cast<int32_t>(fuzz::kFuzzClock + 3600);
            cap.titles[i]->duration = 1800;
            cap.titleCount = i + 1;
        }
        reader.SaveEpgData("/hdd/epg.dat");
    }
    fuzz::Check(DemuxOpenHandles() == 0, "the read closes its handle");
    return 0;
}
