// The download window: captures the broadcaster's guide into an EPG data
// file, and holds the whole capture while it lives.
#ifndef UDOVOR_CAPTURE_EPGREADER_H
#define UDOVOR_CAPTURE_EPGREADER_H

#include <cstdint>
#include <memory>

#include "capture/capture_data.h"
#include "capture/tot.h"
#include "host/gui.h"

const int kOutputNameSize = 1000;
const int kDevicePathSize = 30;
const int kSectionBufferSize = 4098;  // a full read and room for a terminator

// A carousel read never waits for ever: this many failed reads in a row
// (each up to the filter's 5 s time-out) end it, which outlasts a short
// dropout of the signal...
const int kMaxFailedReads = 5;
// ...and a turn that has not come round after this many sections (more
// than the records can hold) is given up.
const int kMaxTurnSections = 2 * (kMaxTitles + kMarkerDays * kMarkerHours);

class EPGReader : public eWindow {
public:
    EPGReader();
    ~EPGReader() override;
    void SetFilename(const char* name);
    void DoDownloadEPG();

    void statusmsg(const char* text);
    void statusmsg(const char* text, int number);  // "%s%d"

    // Table reads, each a whole open / filter / read / stop / close.
    int SetFiltSection(int handle, unsigned short pid, unsigned char tableId);
    int ParseTOT();
    int GetTimeOffset();
    int GetChannelNames();
    int GetThemes();
    int GetTitles();
    int GetSummaries();
    int SaveEpgData(const char* fileName);

    void ProviderLocalTime2UTC(long* t);
    void UTC2ProviderLocalTime(long* t);
    int timezonecmp(const item_local_time_offset_struct* entry, const char* code, int region);
    void strclean(char* text);

    // What the capture holds, and what the window shows.
    CaptureData& capture() { return *cap_; }
    const CaptureData& capture() const { return *cap_; }
    const char* GetFilename() const { return outputFilename_; }
    const char* GetDevicePath() const { return demuxDevice_; }
    void SetDevicePath(const char* path);
    eLabel* statusLabel() const { return status_; }

private:
    // Opens the device and sets the filter: a handle, or -1 after the
    // failure's box (openFailText when the device cannot be opened).
    int OpenTable(const char* openFailText, uint16_t pid, uint8_t tableId);
    void CloseTable(int handle);
    int ReadSection(int handle);

    eLabel* status_;
    eButton* go_;
    eButton* exit_;
    char outputFilename_[kOutputNameSize];
    char demuxDevice_[kDevicePathSize];
    uint8_t sectionBuffer_[kSectionBufferSize];
    // The big tables live on the heap: the window itself is a local object
    // of its opener.
    std::unique_ptr<CaptureData> cap_;
};

#endif
