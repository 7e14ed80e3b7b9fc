// Builders of the broadcast sections that the capture reads: the Time Offset
// Table and the guide's channel, theme, title and summary sections. Each
// returns the whole section, table id first, with its section length field
// set (12 bits: the bytes after the length field).
#ifndef UDOVOR_STREAMGEN_SECTIONS_H
#define UDOVOR_STREAMGEN_SECTIONS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/streamgen/bytes.h"

namespace streamgen {

constexpr uint16_t kTotPid = 0x0014;
constexpr uint16_t kTitlePid = 0x00D2;
constexpr uint16_t kGuidePid = 0x00D3;  // channels, themes and summaries

constexpr uint8_t kTotTableId = 0x73;
constexpr uint8_t kTitleTableId = 0x90;
constexpr uint8_t kSummaryTableId = 0x90;
constexpr uint8_t kChannelTableId = 0x91;
constexpr uint8_t kThemeTableId = 0x92;

constexpr size_t kMaxSectionSize = 4096;
constexpr uint8_t kLocalTimeOffsetTag = 0x58;
constexpr size_t kLocalTimeOffsetEntrySize = 13;
constexpr size_t kChannelRecordSize = 22;
constexpr size_t kChannelNameSize = 16;
constexpr size_t kThemeGroups = 16;
constexpr size_t kThemeNameSize = 15;
constexpr size_t kTitleSectionSize = 46;
constexpr size_t kTitleTextSize = 23;
constexpr uint8_t kMarkerChannelId = 0xFF;
constexpr size_t kSummaryHeaderSize = 11;
constexpr size_t kReplaySize = 7;

// Replay flag bits.
constexpr uint8_t kReplaySubtitles = 0x01;  // "ST"
constexpr uint8_t kReplayVM = 0x10;
constexpr uint8_t kReplayVO = 0x20;
constexpr uint8_t kReplayLast = 0x80;

// ---- Time Offset Table (PID 0x0014, table id 0x73) ----

// One 13-byte entry of a local time offset descriptor. Offsets in minutes;
// `negative` is the polarity bit and applies to both offsets.
struct LocalTimeOffset {
    std::string country = "ITA";  // three letters
    int region = 0;               // 0..63
    bool negative = false;
    int offsetMinutes = 0;        // magnitude, shown as BCD hours:minutes
    int64_t timeOfChange = 0;     // Unix seconds
    int nextOffsetMinutes = 0;
};

// Descriptor 0x58 holding the entries (at most 19 fit its length byte).
Bytes LocalTimeOffsetDescriptor(const std::vector<LocalTimeOffset>& entries);
// TOT with the given UTC time and descriptor loop, CRC_32 appended.
Bytes BuildTotSection(int64_t utc, const Bytes& descriptors);
// TOT with one local time offset descriptor of the entries.
Bytes BuildTotSection(int64_t utc, const std::vector<LocalTimeOffset>& entries);

// ---- Channel names (PID 0x00D3, table id 0x91) ----

struct ChannelRecord {
    uint16_t networkId = 0x0001;
    uint16_t transportStreamId = 0x0001;
    uint16_t serviceId = 0;
    std::string name;  // 16 bytes on the air, padded with blanks
};

// Byte 3, the records of 22 bytes, CRC_32.
Bytes BuildChannelSection(const std::vector<ChannelRecord>& channels);

// ---- Themes (PID 0x00D3, table id 0x92) ----

// The 16 group-start bytes as given, then the names of 15 bytes (padded with
// blanks), CRC_32.
Bytes BuildThemeSection(const std::array<uint8_t, kThemeGroups>& groupStarts,
                        const std::vector<std::string>& names);
// Themes by id (group in the high nibble, position in the low one): every
// group up to the highest used one gets at least one name and positions
// without a theme get an empty name, so that each name lands on its id; the
// group starts of unused groups are 0xFF.
struct ThemeName {
    uint8_t id = 0;
    std::string name;
};
Bytes BuildThemeSection(const std::vector<ThemeName>& themes);

// ---- Titles (PID 0x00D2, table id 0x90, 46 bytes) ----

// Byte 5 of a title or marker: day of week (0 = Sunday) in bits 7 to 5 and
// the coded hour in bits 4 to 0, for a provider-local weekday and hour. Hours
// 0..5 are sent as the same hour on the previous day, 6..11 as hour + 2,
// 12..23 as hour + 4.
uint8_t EncodeDayHour(int weekday, int hour);

struct TitleEntry {
    uint8_t channelId = 1;  // 1-based slot of the channel table
    uint8_t themeId = 0;
    int weekday = 0;        // provider-local, 0 = Sunday
    int hour = 0;
    int minute = 0;
    bool hasSummary = false;
    uint16_t durationMinutes = 0;
    std::string title;      // 23 bytes on the air
    uint32_t secondId = 0;
    uint32_t programmeId = 0;
    uint8_t titlePad = 0x00;  // fills the title field behind the text
};

Bytes BuildTitleSection(const TitleEntry& title);
// The marker section (channel id 0xFF) of a provider-local weekday and hour.
Bytes BuildMarkerSection(int weekday, int hour);

// ---- Summaries (PID 0x00D3, table id 0x90) ----

struct ReplayEntry {
    uint8_t channelId = 1;
    int64_t localTime = 0;  // provider-local time value (broken down as UTC)
    uint8_t flags = 0;      // kReplay* bits
};

struct SummaryEntry {
    uint32_t programmeId = 0;
    std::vector<ReplayEntry> replays;  // at most 255
    std::string text;
};

// Programme id, three 0xFF bytes, replay count, replays, text (no CRC: the
// text runs to the end of the section). A text too long for a 4096-byte
// section is cut.
Bytes BuildSummarySection(const SummaryEntry& summary);
// Room left for the text of a summary with that many replays.
size_t SummaryTextRoom(size_t replays);

}  // namespace streamgen

#endif
