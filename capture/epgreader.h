// The download window: captures the broadcaster's guide into an EPG data
// file, and holds the whole capture while it lives.
#ifndef UDOVOR_CAPTURE_EPGREADER_H
#define UDOVOR_CAPTURE_EPGREADER_H

#include "host/gui.h"

class EPGReader : public eWindow {
public:
    EPGReader();
    ~EPGReader() override;
    void SetFilename(char* name);
    void DoDownloadEPG();

    // (members are added by the capture's implementation)
};

#endif
