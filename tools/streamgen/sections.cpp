#include "tools/streamgen/sections.h"

#include <algorithm>

namespace streamgen {

namespace {

// Private sections here carry section_syntax_indicator 0 and the reserved
// bits set: 0111 in the high nibble of byte 1.
constexpr uint8_t kLengthHighBits = 0x70;

Bytes StartSection(uint8_t tableId)
{
    Bytes b;
    b.reserve(64);
    PutU8(b, tableId);
    PutU16(b, 0);  // length, set by FinishSection
    return b;
}

// Sets the length field; with `crc` appends the CRC_32 first.
Bytes FinishSection(Bytes b, bool crc)
{
    if (crc)
        b.insert(b.end(), 4, 0);
    size_t length = b.size() - 3;
    SetU16(b, 1, kLengthHighBits << 8 | (length & 0x0FFF));
    if (crc) {
        uint32_t c = Crc32(b.data(), b.size() - 4);
        size_t at = b.size() - 4;
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<uint8_t>(c >> (24 - 8 * i));
    }
    return b;
}

void PutBcdOffset(Bytes& b, int minutes)
{
    minutes = std::abs(minutes);
    PutU8(b, ToBcd(minutes / 60));
    PutU8(b, ToBcd(minutes % 60));
}

}  // namespace

Bytes LocalTimeOffsetDescriptor(const std::vector<LocalTimeOffset>& entries)
{
    size_t n = std::min<size_t>(entries.size(), 255 / kLocalTimeOffsetEntrySize);
    Bytes b;
    PutU8(b, kLocalTimeOffsetTag);
    PutU8(b, static_cast<unsigned>(n * kLocalTimeOffsetEntrySize));
    for (size_t i = 0; i < n; ++i) {
        const LocalTimeOffset& e = entries[i];
        PutFixedText(b, e.country, 3, ' ');
        PutU8(b, ((e.region & 0x3F) << 2) | 0x02 | (e.negative ? 1 : 0));
        PutBcdOffset(b, e.offsetMinutes);
        PutMjdBcdTime(b, e.timeOfChange);
        PutBcdOffset(b, e.nextOffsetMinutes);
    }
    return b;
}

Bytes BuildTotSection(int64_t utc, const Bytes& descriptors)
{
    Bytes b = StartSection(kTotTableId);
    PutMjdBcdTime(b, utc);
    PutU16(b, 0xF000 | (descriptors.size() & 0x0FFF));
    b.insert(b.end(), descriptors.begin(), descriptors.end());
    return FinishSection(std::move(b), true);
}

Bytes BuildTotSection(int64_t utc, const std::vector<LocalTimeOffset>& entries)
{
    return BuildTotSection(utc, LocalTimeOffsetDescriptor(entries));
}

Bytes BuildChannelSection(const std::vector<ChannelRecord>& channels)
{
    Bytes b = StartSection(kChannelTableId);
    PutU8(b, 0);
    size_t room = (kMaxSectionSize - 4 - 4) / kChannelRecordSize;
    for (size_t i = 0; i < channels.size() && i < room; ++i) {
        const ChannelRecord& c = channels[i];
        PutU16(b, c.networkId);
        PutU16(b, c.transportStreamId);
        PutU16(b, c.serviceId);
        PutFixedText(b, c.name, kChannelNameSize, ' ');
    }
    return FinishSection(std::move(b), true);
}

Bytes BuildThemeSection(const std::array<uint8_t, kThemeGroups>& groupStarts,
                        const std::vector<std::string>& names)
{
    Bytes b = StartSection(kThemeTableId);
    b.insert(b.end(), groupStarts.begin(), groupStarts.end());
    size_t room = (kMaxSectionSize - 19 - 4) / kThemeNameSize;
    for (size_t j = 0; j < names.size() && j < room; ++j)
        PutFixedText(b, names[j], kThemeNameSize, ' ');
    return FinishSection(std::move(b), true);
}

Bytes BuildThemeSection(const std::vector<ThemeName>& themes)
{
    std::vector<std::vector<std::string>> groups;
    for (const ThemeName& t : themes) {
        size_t g = t.id >> 4, pos = t.id & 0x0F;
        if (groups.size() <= g)
            groups.resize(g + 1);
        if (groups[g].size() <= pos)
            groups[g].resize(pos + 1);
        groups[g][pos] = t.name;
    }
    std::array<uint8_t, kThemeGroups> starts;
    starts.fill(0xFF);
    std::vector<std::string> names;
    for (size_t g = 0; g < groups.size(); ++g) {
        starts[g] = static_cast<uint8_t>(names.size());
        if (groups[g].empty())
            groups[g].resize(1);  // an empty group would not be stepped over
        names.insert(names.end(), groups[g].begin(), groups[g].end());
    }
    return BuildThemeSection(starts, names);
}

uint8_t EncodeDayHour(int weekday, int hour)
{
    weekday = ((weekday % 7) + 7) % 7;
    hour = ((hour % 24) + 24) % 24;
    int day = weekday, coded;
    if (hour < 6) {
        day = (weekday + 6) % 7;  // decoded as the next day
        coded = hour;
    } else if (hour < 12) {
        coded = hour + 2;
    } else {
        coded = hour + 4;
    }
    return static_cast<uint8_t>((day << 5) | coded);
}

Bytes BuildTitleSection(const TitleEntry& t)
{
    Bytes b = StartSection(kTitleTableId);
    PutU8(b, t.channelId);
    PutU8(b, t.themeId);
    PutU8(b, EncodeDayHour(t.weekday, t.hour));
    PutU8(b, ((t.minute & 0x3F) << 2) | (t.hasSummary ? 1 : 0));
    PutU16(b, 0);
    PutU16(b, t.durationMinutes);
    PutFixedText(b, t.title, kTitleTextSize, t.titlePad);
    PutU32(b, t.secondId);
    PutU32(b, t.programmeId);
    return FinishSection(std::move(b), true);  // 42 + 4 = 46 bytes
}

Bytes BuildMarkerSection(int weekday, int hour)
{
    Bytes b = StartSection(kTitleTableId);
    PutU8(b, kMarkerChannelId);
    PutU8(b, 0);
    PutU8(b, EncodeDayHour(weekday, hour));
    PutU8(b, 0);
    b.insert(b.end(), kTitleSectionSize - 4 - b.size(), 0);
    return FinishSection(std::move(b), true);
}

size_t SummaryTextRoom(size_t replays)
{
    size_t head = kSummaryHeaderSize + kReplaySize * std::min<size_t>(replays, 255);
    return head >= kMaxSectionSize ? 0 : kMaxSectionSize - head;
}

Bytes BuildSummarySection(const SummaryEntry& s)
{
    size_t n = std::min<size_t>(s.replays.size(), 255);
    Bytes b = StartSection(kSummaryTableId);
    PutU32(b, s.programmeId);
    PutU24(b, 0xFFFFFF);
    PutU8(b, static_cast<unsigned>(n));
    for (size_t r = 0; r < n; ++r) {
        const ReplayEntry& e = s.replays[r];
        PutU8(b, e.channelId);
        PutMjdBcdTime(b, e.localTime);
        PutU8(b, e.flags);
    }
    size_t text = std::min(s.text.size(), SummaryTextRoom(n));
    b.insert(b.end(), s.text.begin(), s.text.begin() + static_cast<std::ptrdiff_t>(text));
    return FinishSection(std::move(b), false);
}

}  // namespace streamgen
