// Channel name sections through a fake demux, one GetChannelNames per read.
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
    fuzz::QueueReads(demux, kMhwTablePid, kChannelTableId, seq.reads);

    EPGReader reader;
    reader.SetDevicePath("/dev/dvb/card0/demux0");
    for (size_t i = 0; i < seq.reads.size(); ++i) {
        reader.GetChannelNames();
        const CaptureData& cap = reader.capture();
        fuzz::Check(cap.channelCount >= 0 && cap.channelCount <= kMaxChannels, "count within the slots");
        for (int c = 0; c < cap.channelCount; ++c) {
            fuzz::Check(memchr(cap.channels[c].name, 0, kChannelNameSize) != nullptr, "name terminated");
            fuzz::Check(memchr(cap.channels[c].id, 0, kChannelIdSize) != nullptr, "id terminated");
        }
    }
    fuzz::Check(DemuxOpenHandles() == 0, "every read closes its handle");
    return 0;
}
