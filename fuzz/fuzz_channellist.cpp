// The EPG data file as the channel list reads it.
#include <cstring>

#include "fuzz/common/fuzzcommon.h"
#include "viewer/channellist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Begin();
    fuzz::WriteBoxFile("/hdd/epg.dat", data, size);

    eChannelListDialog dialog;
    dialog.SetFilename("/hdd/epg.dat");
    fuzz::Check(dialog.FillChannelList() == 1, "the file was read");
    eListBox<eListBoxEntryText>* list = dialog.GetList();
    long lastKey = 0;
    for (int i = 0; i < list->getCount(); ++i) {
        const eListBoxEntry* e = list->entryAt(i);
        const eString& text = e->getText();
        fuzz::Check(text.size() < CHANNEL_LIST_TEXT_SIZE, "entry fits its buffer");
        fuzz::Check(text.find_first_of("\r\n") == eString::npos, "entry is one line");
        // Channel keys are line numbers: rising, never beyond the reads.
        fuzz::Check(e->getKey() > lastKey && e->getKey() <= static_cast<long>(size), "channel key is a line");
        lastKey = e->getKey();
    }
    return 0;
}
