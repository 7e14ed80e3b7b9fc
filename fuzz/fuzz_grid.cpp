// The EPG data file as the time grid reads it, at a few moments.
#include "fuzz/common/fuzzcommon.h"
#include "viewer/channellistdetail.h"
#include "viewer/eventrecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Begin();
    fuzz::WriteBoxFile("/hdd/epg.dat", data, size);
    char fileName[] = "/hdd/epg.dat";

    eChannelListDetail detail;
    detail.SetGridMode(true);
    detail.SetFilename(fileName);
    const long moments[] = {0, static_cast<long>(fuzz::kFuzzClock), -1, 2147483647L};
    for (long moment : moments) {
        const int n = detail.FillGridEPG(moment);
        fuzz::Check(n >= 0 && n <= EVENT_RECORDS && n % 2 == 0, "pairs within the records");
        eListBox<eListBoxEntryText>* list = detail.GetList();
        for (int i = 0; i < list->getCount(); ++i) {
            const long k = list->entryAt(i)->getKey();
            fuzz::Check(k == -1 || (k >= 0 && k < n), "entry key names a record");
        }
    }
    return 0;
}
