// A whole Go! of the download window on a fuzzed broadcast: every read is
// routed to one of the five tables, and the guide is written at the end.
#include "capture/demux_fake.h"
#include "capture/epgreader.h"
#include "capture/mhw_channels.h"
#include "capture/mhw_summaries.h"
#include "capture/mhw_titles.h"
#include "capture/tot.h"
#include "fuzz/common/fuzzcommon.h"

namespace {

struct Table {
    uint16_t pid;
    uint8_t tableId;
};
const Table kTables[] = {{kTotPid, kTotTableId},
                         {kTitlePid, kTitleTableId},
                         {kMhwTablePid, kThemeTableId},
                         {kMhwTablePid, kChannelTableId},
                         {kSummaryPid, kSummaryTableId}};
const size_t kTableCount = sizeof kTables / sizeof kTables[0];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Begin();
    fuzz::ReadSequence seq = fuzz::ParseReads(data, size, true);
    FakeDemux demux;
    demux.Install();
    std::vector<fuzz::Read> perTable[kTableCount];
    for (fuzz::Read& r : seq.reads)
        perTable[r.route % kTableCount].push_back(std::move(r));
    for (size_t t = 0; t < kTableCount; ++t) {
        fuzz::QueueReads(demux, kTables[t].pid, kTables[t].tableId, perTable[t]);
        demux.SetLoop(kTables[t].pid, kTables[t].tableId, seq.flags & (1 << t));
    }

    EPGReader reader;
    reader.SetFilename("/hdd/epg.dat");
    reader.DoDownloadEPG();
    // A second Go! releases the first one's records and starts afresh.
    if (seq.flags & 0x80)
        reader.DoDownloadEPG();
    fuzz::Check(DemuxOpenHandles() == 0, "every read closes its handle");
    return 0;
}
