// One capture of the broadcaster's guide, without a screen: the table reads
// (time offset, titles, themes, channel names, summaries), each a whole
// open / filter / read / stop / close on the demux device, and the writer of
// the EPG data file. Errors go to myerror (the plug-in's box, a console
// line in the command-line grabber); status texts and running counts go to
// the virtual hooks, which the download window turns into its label.
#ifndef UDOVOR_CAPTURE_EPGCAPTURE_H
#define UDOVOR_CAPTURE_EPGCAPTURE_H

#include <cstdint>
#include <memory>

#include "capture/capture_data.h"
#include "capture/tot.h"

const int kDemuxPathSize = 1000;
const int kSectionBufferSize = 4098;  // a full read and room for a terminator

// A carousel read never waits for ever: this many failed reads in a row
// (each up to the filter's 5 s time-out) end it, which outlasts a short
// dropout of the signal...
const int kMaxFailedReads = 5;
// ...and a turn that has not come round after this many sections (more
// than the records can hold) is given up.
const int kMaxTurnSections = 2 * (kMaxTitles + kMarkerDays * kMarkerHours);

class EpgCapture {
public:
    EpgCapture();
    virtual ~EpgCapture();
    EpgCapture(const EpgCapture&) = delete;
    EpgCapture& operator=(const EpgCapture&) = delete;

    // Status texts of the reads and the writer.
    virtual void statusmsg(const char* text) = 0;
    virtual void statusmsg(const char* text, int number);  // "%s%d"
    // A title or summary record was added: the count so far.
    virtual void TitleCounted(int /*count*/) {}
    virtual void SummaryCounted(int /*count*/) {}

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

    // What the capture holds.
    CaptureData& capture() { return *cap_; }
    const CaptureData& capture() const { return *cap_; }
    const char* GetDevicePath() const { return demuxDevice_; }
    void SetDevicePath(const char* path);

private:
    // Opens the device and sets the filter: a handle, or -1 after the
    // failure's box (openFailText when the device cannot be opened).
    int OpenTable(const char* openFailText, uint16_t pid, uint8_t tableId);
    void CloseTable(int handle);
    int ReadSection(int handle);

    char demuxDevice_[kDemuxPathSize];
    uint8_t sectionBuffer_[kSectionBufferSize];
    // The big tables live on the heap: a download window is a local object
    // of its opener.
    std::unique_ptr<CaptureData> cap_;
};

#endif
