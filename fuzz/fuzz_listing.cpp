// The EPG data file as the programme listing of one channel reads it: from
// the top of the file and from the first few channel lines.
#include "fuzz/common/fuzzcommon.h"
#include "viewer/channellist.h"
#include "viewer/channellistdetail.h"
#include "viewer/eventrecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Begin();
    fuzz::WriteBoxFile("/hdd/epg.dat", data, size);
    char fileName[] = "/hdd/epg.dat";

    // The channel keys as the channel list hands them out.
    std::vector<long> keys{0};
    {
        eChannelListDialog dialog;
        dialog.SetFilename(fileName);
        dialog.FillChannelList();
        for (int i = 0; i < dialog.GetList()->getCount() && keys.size() < 4; ++i)
            keys.push_back(dialog.GetList()->entryAt(i)->getKey());
    }

    eChannelListDetail detail;
    detail.SetFilename(fileName);
    for (long key : keys) {
        detail.SetChannel(key);
        const int n = detail.FillChannelEPG();
        fuzz::Check(n >= 0 && n <= EVENT_RECORDS, "events within the records");
        eListBox<eListBoxEntryText>* list = detail.GetList();
        for (int i = 0; i < list->getCount(); ++i) {
            const long k = list->entryAt(i)->getKey();
            fuzz::Check(k == -1 || (k >= 0 && k < n), "entry key names a record");
            fuzz::Check(list->entryAt(i)->getText().size() < DETAIL_TEXT_SIZE, "entry fits its buffer");
        }
    }
    return 0;
}
