// The download window: captures the broadcaster's guide into an EPG data
// file, and holds the whole capture while it lives. The capture itself is
// EpgCapture's; the window adds the status label and the two buttons.
#ifndef UDOVOR_CAPTURE_EPGREADER_H
#define UDOVOR_CAPTURE_EPGREADER_H

#include "capture/epgcapture.h"
#include "host/gui.h"

const int kOutputNameSize = 1000;
const int kDevicePathSize = 30;  // the box's device path: at most 29 characters

// The capture first: it then starts the object, so that pointers to its
// member functions taken through EPGReader need no adjustment of the address.
class EPGReader : public EpgCapture, public eWindow {
public:
    EPGReader();
    ~EPGReader() override;
    void SetFilename(const char* name);
    void DoDownloadEPG();

    void statusmsg(const char* text) override;
    void statusmsg(const char* text, int number) override;  // "%s%d"

    const char* GetFilename() const { return outputFilename_; }
    eLabel* statusLabel() const { return status_; }

private:
    eLabel* status_;
    eButton* go_;
    eButton* exit_;
    char outputFilename_[kOutputNameSize];
};

#endif
