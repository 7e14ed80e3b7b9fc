// The host's timer list: the scan for clashes, then an append and a scan
// that must find the same entries and the new one last.
#include <vector>

#include "fuzz/common/fuzzcommon.h"
#include "timers/timerlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Begin();
    fuzz::WriteBoxFile(TIMER_FILE_DEFAULT, data, size);

    std::vector<TimerPair> before;
    fuzz::Check(ScanTimerList(TIMER_FILE_DEFAULT, &before) == 0, "the list was read");

    ServiceIdentity id;
    SplitIdentityLine("0012:0013:0014:0015", &id);
    fuzz::Check(AppendTimerEntry(TIMER_FILE_DEFAULT, id, "%s%n%x", 1715790000, 5400) == 0, "entry appended");

    std::vector<TimerPair> after;
    fuzz::Check(ScanTimerList(TIMER_FILE_DEFAULT, &after) == 0, "the list was read again");
    fuzz::Check(after.size() == before.size() + 1, "one more entry");
    for (size_t i = 0; i < before.size(); ++i)
        fuzz::Check(after[i].begin == before[i].begin && after[i].length == before[i].length, "old entries kept");
    fuzz::Check(after.back().begin == 1715790000 && after.back().length == 5400, "the new entry last");
    return 0;
}
