// What one capture holds: the provider's offsets, the channel and theme
// tables, the hour markers, and the title and summary records. The download
// window owns one of these on the heap; the decoders fill its pieces and
// the writer reads it.
#ifndef UDOVOR_CAPTURE_CAPTURE_DATA_H
#define UDOVOR_CAPTURE_CAPTURE_DATA_H

#include <cstdint>
#include <memory>

const int kChannelSlots = 150;
const int kMaxChannels = 149;
const int kChannelNameSize = 17;   // at most 15 characters kept
const int kChannelIdSize = 50;
const int kThemeSlots = 256;
const int kThemeNameSize = 16;     // at most 15 characters
const int kMarkerDays = 7;
const int kMarkerHours = 24;
const int kMaxTitles = 25000;
const int kMaxSummaries = 25000;
const int kMaxReplays = 10;
const int kTitleTextSize = 24;     // 23 bytes of the section and a terminator

// The provider's offsets (seconds, clock correction included) and the time
// at which the next one takes over.
struct TimeOffsets {
    int32_t currentOffset = 0;
    int32_t nextOffset = 0;
    int32_t timeOfChange = 0;
};

// Box time to provider-local time value, and back. Both compare the value
// converted with the time of change, whatever its time base.
long ToProviderLocal(const TimeOffsets& o, long t);
long ToBoxTime(const TimeOffsets& o, long t);

struct ChannelSlot {
    char name[kChannelNameSize];
    char id[kChannelIdSize];   // service id in decimal
};

struct TitleRecord {
    uint8_t channelIndex = 0;  // channel id - 1
    uint8_t themeId = 0;
    int32_t start = 0;         // box time base
    uint8_t summaryFlag = 0;
    uint16_t duration = 0;     // seconds, modulo 65536
    char title[kTitleTextSize] = {};
    uint32_t secondId = 0;
    uint32_t programId = 0;
};

struct SummaryRecord {
    uint32_t programId = 0;
    std::unique_ptr<char[]> text;  // terminated
    uint8_t replayCount = 0;       // at most kMaxReplays
    int32_t replayTime[kMaxReplays] = {};
    uint8_t replayChannel[kMaxReplays] = {};
    uint8_t subtitles[kMaxReplays] = {};
    uint8_t vm[kMaxReplays] = {};
    uint8_t vo[kMaxReplays] = {};
    uint8_t lastReplay[kMaxReplays] = {};
};

struct CaptureData {
    TimeOffsets offsets;
    int32_t dayBase = 0;         // box time at which the provider's yesterday began
    int dayBaseWeekday = 0;      // 0 = Sunday

    ChannelSlot channels[kChannelSlots] = {};
    int channelCount = 0;
    char themes[kThemeSlots][kThemeNameSize] = {};

    int hourMarkers[kMarkerDays][kMarkerHours];
    std::unique_ptr<TitleRecord> titles[kMaxTitles];
    int titleCount = 0;
    std::unique_ptr<SummaryRecord> summaries[kMaxSummaries];
    int summaryCount = 0;

    CaptureData() { ClearMarkers(); }
    void ClearMarkers();
    bool AnyMarker() const;
    // Releases the records of an earlier turn.
    void ClearTitles();
    void ClearSummaries();
};

#endif
