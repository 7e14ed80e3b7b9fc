// The guide as the broadcaster holds it (channels, themes, events with their
// summaries) and the carousel that puts it on the air: TOT, channel and
// theme sections repeated at regular intervals, one turn of the title
// carousel (markers and titles in day and hour order) and one turn of the
// summary carousel, interleaved on their PIDs. The stream ends on a packet
// boundary of every PID, so that it can be replayed in a loop.
#ifndef UDOVOR_STREAMGEN_GUIDE_H
#define UDOVOR_STREAMGEN_GUIDE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/streamgen/bytes.h"
#include "tools/streamgen/sections.h"

namespace streamgen {

struct GuideChannel {
    uint16_t serviceId = 0;
    std::string name;
};

struct GuideEvent {
    int channel = 1;  // 1-based number of the channel in Guide::channels
    uint8_t theme = 0;
    int weekday = 0;  // provider-local start, 0 = Sunday
    int hour = 0;
    int minute = 0;
    uint16_t durationMinutes = 0;
    std::string title;
    uint32_t programmeId = 0;
};

struct Guide {
    int64_t utc = 0;  // the TOT's time
    std::vector<LocalTimeOffset> offsets;
    std::vector<GuideChannel> channels;
    std::vector<ThemeName> themes;
    std::vector<GuideEvent> events;
    std::vector<SummaryEntry> summaries;
    // The marker the title carousel starts with (provider-local).
    int firstWeekday = 0;
    int firstHour = 6;
};

struct CarouselOptions {
    // The TOT, channel and theme sections come again after about this many
    // packets.
    size_t repeatEveryPackets = 2000;
};

// Provider offset in force at a Unix time, in seconds, by the first entry
// of the guide's offsets (0 without one).
int64_t ProviderOffsetAt(const Guide& guide, int64_t t);

// Weekday and hour of the title carousel's first marker: 06:00 of the
// provider-local day before the day of `utc`.
void WeekStart(const Guide& guide, int* weekday, int* hour);

// One turn of the title carousel: 168 markers from the first one on, each
// followed by the titles that start in its hour, by minute and channel.
std::vector<Bytes> TitleCarousel(const Guide& guide);

// One turn of the summary carousel, in the order of the guide's summaries.
std::vector<Bytes> SummaryCarousel(const Guide& guide);

// The whole transport stream.
Bytes BuildStream(const Guide& guide, const CarouselOptions& options = CarouselOptions());

// Offsets for Italy (ITA, region 0) around a Unix time: +1 h in winter, +2 h
// in summer, changing on the last Sunday of March and of October at 01:00
// UTC; the entry names the next change after `t`.
LocalTimeOffset ItalianOffset(int64_t t);

}  // namespace streamgen

#endif
