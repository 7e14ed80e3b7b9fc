#include "capture/epgcapture.h"

#include <cstdio>
#include <cstring>

#include "plugin/settings.h"

EpgCapture::EpgCapture() : cap_(new CaptureData)
{
    demuxDevice_[0] = '\0';
    memset(sectionBuffer_, 0, sizeof sectionBuffer_);
    cap_->channelCount = 0;
    cap_->titleCount = 0;
    cap_->summaryCount = 0;
}

// The records go with cap_.
EpgCapture::~EpgCapture() = default;

void EpgCapture::SetDevicePath(const char* path)
{
    CopyText(demuxDevice_, path ? path : "", sizeof demuxDevice_);
}

void EpgCapture::statusmsg(const char* text, int number)
{
    char buf[1000];
    snprintf(buf, sizeof buf, "%s%d", text ? text : "", number);
    statusmsg(buf);
}
