// The recorded-stream demux on raw transport stream bytes: sections of the
// guide's tables read back through its reassembly. The first byte shapes
// the file: bit 0 pads it to whole packets, bit 1 puts the sync byte at the
// start of every packet, so that most inputs get past the file checks.
#include <vector>

#include "capture/demux.h"
#include "capture/demux_ts.h"
#include "capture/section_filter.h"
#include "fuzz/common/fuzzcommon.h"

namespace {

const uint16_t kPids[] = {0x0014, 0x00D2, 0x00D3, 0x00D3};
const uint8_t kTableIds[] = {0x73, 0x90, 0x91, 0x90};
const int kReadsPerFilter = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    fuzz::Begin();
    const uint8_t shape = data[0];
    std::vector<uint8_t> ts(data + 1, data + size);
    if ((shape & 1) && ts.size() % kTsPacketSize != 0)
        ts.resize((ts.size() / kTsPacketSize + 1) * kTsPacketSize, 0xFF);
    if (shape & 2)
        for (size_t at = 0; at < ts.size(); at += kTsPacketSize)
            ts[at] = kTsSyncByte;
    fuzz::WriteBoxFile("/hdd/stream.ts", ts.data(), ts.size());

    std::unique_ptr<DemuxSource> source = OpenRecordedStream("/hdd/stream.ts");
    if (!source)
        return 0;
    uint8_t buf[kMaxSectionSize];
    for (size_t f = 0; f < sizeof kPids / sizeof kPids[0]; ++f) {
        SectionFilter filter = MakeSectionFilter(kPids[f], kTableIds[f]);
        fuzz::Check(source->SetFilter(filter) == 0, "filter set");
        for (int i = 0; i < kReadsPerFilter; ++i) {
            const int n = source->Read(buf, sizeof buf);
            if (n < 0)
                break;
            fuzz::Check(n >= 3 && static_cast<size_t>(n) <= sizeof buf, "a whole section");
            fuzz::Check(static_cast<size_t>(n) == 3 + (static_cast<size_t>(buf[1] & 0x0F) << 8 | buf[2]), "length as announced");
            fuzz::Check(SectionMatches(filter, buf, static_cast<size_t>(n)), "only what the filter passes");
        }
        source->Stop();
    }
    return 0;
}
