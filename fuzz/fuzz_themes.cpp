// Theme sections through a fake demux, one GetThemes per read.
#include <cstring>

#include "capture/demux_fake.h"
#include "capture/epgreader.h"
#include "capture/mhw_channels.h"
#include "fuzz/common/fuzzcommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Begin();
    fuzz::ReadSequence seq = fuzz::ParseReads(data, size, false);
    FakeDemux demux;
    demux.Install();
    fuzz::QueueReads(demux, kMhwTablePid, kThemeTableId, seq.reads);

    EPGReader reader;
    reader.SetDevicePath("/dev/dvb/card0/demux0");
    for (size_t i = 0; i < seq.reads.size(); ++i) {
        reader.GetThemes();
        for (int t = 0; t < kThemeSlots; ++t)
            fuzz::Check(memchr(reader.capture().themes[t], 0, kThemeNameSize) != nullptr, "theme terminated");
    }
    fuzz::Check(DemuxOpenHandles() == 0, "every read closes its handle");
    return 0;
}
