// The programme listing of one channel, and in grid mode the time grid of
// every channel at one moment, with the event details and the recording
// dialogue behind OK.
#ifndef UDOVOR_VIEWER_CHANNELLISTDETAIL_H
#define UDOVOR_VIEWER_CHANNELLISTDETAIL_H

#include "host/gui.h"

class eChannelListDetail : public eWindow {
public:
    eChannelListDetail();
    ~eChannelListDetail() override;

    void SetChannelTitle(char* title);
    void SetFilename(char* name);
    void SetChannel(long key);
    void SetGridMode(bool grid);
    void SetupControls();
    int FillChannelEPG();
    int FillGridEPG(long moment);
    int GetProgRecord();

    void selectionChanged(eListBoxEntryText* entry);
    void selectedItem(eListBoxEntryText* entry);
    int CheckOverlap(int begin, int length);
    int DoEPGRecord(int index);

    // (members are added by the listing's implementation)
};

#endif
