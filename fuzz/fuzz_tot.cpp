// Time Offset Table sections through a fake demux, read by the download
// window's ParseTOT and GetTimeOffset and by GetTransponderTime in turn.
#include "capture/demux_fake.h"
#include "capture/epgreader.h"
#include "capture/transponder_time.h"
#include "fuzz/common/fuzzcommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Begin();
    fuzz::ReadSequence seq = fuzz::ParseReads(data, size, false);
    FakeDemux demux;
    demux.Install();
    fuzz::QueueReads(demux, kTotPid, kTotTableId, seq.reads);

    EPGReader reader;
    reader.SetDevicePath("/dev/dvb/card0/demux0");
    for (size_t i = 0; i < seq.reads.size(); ++i) {
        switch (i % 3) {
        case 0: reader.ParseTOT(); break;
        case 1: reader.GetTimeOffset(); break;
        default: {
            long change = 0;
            int current = 0, next = 0;
            GetTransponderTime(&change, &current, &next);
            break;
        }
        }
        fuzz::Check(DemuxOpenHandles() == 0, "every read closes its handle");
    }
    return 0;
}
