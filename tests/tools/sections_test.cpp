#include "tools/streamgen/sections.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "tools/streamgen/guide.h"

using namespace streamgen;

namespace {

unsigned U16(const Bytes& b, size_t at) { return b.at(at) << 8 | b.at(at + 1); }
unsigned long U32(const Bytes& b, size_t at) { return static_cast<unsigned long>(U16(b, at)) << 16 | U16(b, at + 2); }
std::string Text(const Bytes& b, size_t at, size_t n) { return std::string(b.begin() + at, b.begin() + at + n); }

// The length field must cover everything after it, and the CRC over a whole
// section including its CRC_32 leaves 0.
void ExpectFramed(const Bytes& b, bool crc)
{
    ASSERT_GE(b.size(), 3u);
    EXPECT_EQ(b[1] & 0xF0, 0x70);
    EXPECT_EQ(U16(b, 1) & 0x0FFF, b.size() - 3);
    if (crc) {
        EXPECT_EQ(Crc32(b.data(), b.size()), 0u);
    }
}

// The capture's decoding of byte 5: day, then hour > 15 minus 4, > 7 minus 2,
// else the same hour of the next day.
void DecodeDayHour(uint8_t code, int* day, int* hour)
{
    *day = code >> 5;
    if (*day == 7)
        *day = 0;
    *hour = code & 0x1F;
    if (*hour > 15)
        *hour -= 4;
    else if (*hour > 7)
        *hour -= 2;
    else
        *day = *day == 6 ? 0 : *day + 1;
}

}  // namespace

TEST(Crc32, KnownValues)
{
    const char* check = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(check), std::strlen(check)), 0x0376E6E7u);
    EXPECT_EQ(Crc32(nullptr, 0), 0xFFFFFFFFu);
}

TEST(TotSection, HandComputedBytes)
{
    LocalTimeOffset ita;  // ITA, region 0
    ita.offsetMinutes = 60;
    ita.timeOfChange = 1711846800;  // 2024-03-31 01:00:00 UTC
    ita.nextOffsetMinutes = 120;
    Bytes b = BuildTotSection(1700000000, std::vector<LocalTimeOffset>{ita});  // 2023-11-14 22:13:20
    const Bytes expected = {0x73, 0x70, 0x1A, 0xEB, 0x66, 0x22, 0x13, 0x20, 0xF0, 0x0F, 0x58, 0x0D, 'I', 'T', 'A',
                            0x02, 0x01, 0x00, 0xEB, 0xF0, 0x01, 0x00, 0x00, 0x02, 0x00, 0xBB, 0x40, 0xC6, 0x49};
    EXPECT_EQ(b, expected);
}

TEST(TotSection, EntryFieldsAndSeveralDescriptors)
{
    LocalTimeOffset esp;
    esp.country = "ESP";
    esp.region = 1;
    esp.negative = true;
    esp.offsetMinutes = 90;       // 01:30
    esp.timeOfChange = 86400 + 3723;  // 1970-01-02 01:02:03
    esp.nextOffsetMinutes = 45;
    LocalTimeOffset gbr = esp;
    gbr.country = "GBR";
    gbr.region = 63;
    gbr.negative = false;
    Bytes entries = LocalTimeOffsetDescriptor({gbr, esp});
    ASSERT_EQ(entries.size(), 2 + 26u);
    EXPECT_EQ(entries[1], 26);
    EXPECT_EQ(Text(entries, 2, 3), "GBR");
    EXPECT_EQ(entries[5], 0xFE);  // region 63, reserved bit, polarity 0
    const Bytes second = {'E', 'S', 'P', 0x07, 0x01, 0x30, 0x9E, 0x8C, 0x01, 0x02, 0x03, 0x00, 0x45};
    EXPECT_EQ(Bytes(entries.begin() + 15, entries.end()), second);

    // Another descriptor first: the loop holds both, length field and CRC follow.
    Bytes loop = {0x4A, 0x02, 0xAA, 0xBB};
    loop.insert(loop.end(), entries.begin(), entries.end());
    Bytes tot = BuildTotSection(0, loop);
    ExpectFramed(tot, true);
    EXPECT_EQ(U16(tot, 8), 0xF000 | loop.size());
    EXPECT_EQ(Bytes(tot.begin() + 10, tot.end() - 4), loop);
    EXPECT_EQ(tot.size(), 14 + loop.size()) << "the reader takes the descriptor area as length - 14";
}

TEST(ChannelSection, RecordsAtTheirOffsets)
{
    Bytes b = BuildChannelSection({{0x0102, 0x0304, 4101, "Canale Brezza"},
                                   {1, 2, 65535, "A name too long for 16"}});
    ASSERT_EQ(b.size(), 4 + 2 * 22 + 4u);
    ExpectFramed(b, true);
    EXPECT_EQ(b[0], kChannelTableId);
    EXPECT_EQ(U16(b, 4), 0x0102u);
    EXPECT_EQ(U16(b, 6), 0x0304u);
    EXPECT_EQ(U16(b, 8), 4101u);
    EXPECT_EQ(Text(b, 10, 16), "Canale Brezza   ");
    EXPECT_EQ(U16(b, 26 + 4), 65535u);
    EXPECT_EQ(Text(b, 26 + 6, 16), "A name too long ");
    EXPECT_EQ((b.size() - 4) / 22, 2u) << "the CRC is dropped by the record count";
}

TEST(ThemeSection, GroupStartsAndNames)
{
    std::array<uint8_t, 16> starts;
    starts.fill(0xFF);
    starts[0] = 0;
    starts[1] = 2;
    Bytes b = BuildThemeSection(starts, {"Film", "Telefilm", "Sport"});
    ASSERT_EQ(b.size(), 19 + 3 * 15 + 4u);
    ExpectFramed(b, true);
    EXPECT_EQ(b[0], kThemeTableId);
    EXPECT_EQ(Bytes(b.begin() + 3, b.begin() + 19), Bytes(starts.begin(), starts.end()));
    EXPECT_EQ(Text(b, 19, 15), "Film           ");
    EXPECT_EQ(Text(b, 19 + 30, 15), "Sport          ");
}

TEST(ThemeSection, ThemesByIdLandOnTheirIdsThroughTheReadersWalk)
{
    const std::vector<ThemeName> themes = {
        {0x00, "Film"}, {0x01, "Telefilm"}, {0x10, "Sport"}, {0x12, "Tennis"}, {0x35, "Cucina"}};
    Bytes b = BuildThemeSection(themes);
    ExpectFramed(b, true);
    // The capture's walk: one group boundary per name, slot up to a multiple
    // of 16 when the current group starts at this name.
    std::vector<std::string> table(256);
    int count = (static_cast<int>(b.size()) - 19) / 15, slot = 0, group = 0;
    for (int j = 0; j < count; ++j) {
        if (group < 16 && b[3 + group] == j) {
            slot = (slot + 15) & 0xF0;
            ++group;
        }
        std::string name = Text(b, 19 + 15 * j, 15);
        name.erase(name.find_last_not_of(' ') + 1);
        table.at(slot++) = name;
    }
    for (const ThemeName& t : themes)
        EXPECT_EQ(table[t.id], t.name) << "theme " << int(t.id);
    EXPECT_EQ(table[0x11], "");
    EXPECT_EQ(table[0x20], "") << "empty group 2 holds one blank name";
    EXPECT_EQ(b[3 + 4], 0xFF) << "unused groups";
}

TEST(DayHourCoding, EveryHourOfEveryDayRoundTrips)
{
    for (int day = 0; day < 7; ++day)
        for (int hour = 0; hour < 24; ++hour) {
            uint8_t code = EncodeDayHour(day, hour);
            int d, h;
            DecodeDayHour(code, &d, &h);
            EXPECT_EQ(d, day) << "day " << day << " hour " << hour;
            EXPECT_EQ(h, hour) << "day " << day << " hour " << hour;
            EXPECT_LE(code >> 5, 6);
        }
    EXPECT_EQ(EncodeDayHour(1, 12), 0x30);
    EXPECT_EQ(EncodeDayHour(1, 8), 0x2A);
    EXPECT_EQ(EncodeDayHour(0, 5), 0xC5) << "Sunday 05:00 is sent on Saturday";
    EXPECT_EQ(EncodeDayHour(1, 3), 0x03);
}

TEST(TitleSection, FieldsAtTheirOffsets)
{
    TitleEntry t;
    t.channelId = 7;
    t.themeId = 0x21;
    t.weekday = 3;
    t.hour = 20;
    t.minute = 45;
    t.hasSummary = true;
    t.durationMinutes = 1093;
    t.title = "Il Commissario Grillo";
    t.secondId = 0x01020304;
    t.programmeId = 0xA0B0C0D0;
    Bytes b = BuildTitleSection(t);
    ASSERT_EQ(b.size(), kTitleSectionSize);
    ExpectFramed(b, true);
    EXPECT_EQ(b[0], 0x90);
    EXPECT_EQ(b[3], 7);
    EXPECT_EQ(b[4], 0x21);
    EXPECT_EQ(b[5], (3 << 5) | 24);
    EXPECT_EQ(b[6], (45 << 2) | 1);
    EXPECT_EQ(U16(b, 9), 1093u);
    EXPECT_EQ(Text(b, 11, 23), std::string("Il Commissario Grillo\0\0", 23));
    EXPECT_EQ(U32(b, 34), 0x01020304u);
    EXPECT_EQ(U32(b, 38), 0xA0B0C0D0u);

    t.hasSummary = false;
    t.title = "A title longer than twenty-three";
    t.titlePad = ' ';
    b = BuildTitleSection(t);
    EXPECT_EQ(b[6], 45 << 2);
    EXPECT_EQ(Text(b, 11, 23), "A title longer than twe");
    t.title = "Short";
    EXPECT_EQ(Text(BuildTitleSection(t), 11, 23), "Short                  ");
}

TEST(TitleSection, MarkersAreDistinctPerDayAndHour)
{
    Bytes m = BuildMarkerSection(0, 2);
    ASSERT_EQ(m.size(), kTitleSectionSize);
    ExpectFramed(m, true);
    EXPECT_EQ(m[3], 0xFF);
    EXPECT_EQ(m[5], EncodeDayHour(0, 2));
    std::vector<Bytes> all;
    for (int d = 0; d < 7; ++d)
        for (int h = 0; h < 24; ++h)
            all.push_back(BuildMarkerSection(d, h));
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::unique(all.begin(), all.end()), all.end());
}

TEST(SummarySection, ReplaysAndText)
{
    SummaryEntry s;
    s.programmeId = 0x00012345;
    // 2023-11-14 21:05:09 provider local; VM, ST and last replay.
    s.replays = {{3, 1699995909, kReplayVM | kReplaySubtitles | kReplayLast},
                 {1, 0, kReplayVO}};
    s.text = "Due fratelli\nereditano una trattoria.";
    Bytes b = BuildSummarySection(s);
    ExpectFramed(b, false);
    EXPECT_EQ(b[0], kSummaryTableId);
    EXPECT_EQ(U32(b, 3), 0x00012345u);
    EXPECT_EQ(Text(b, 7, 3), "\xFF\xFF\xFF");
    EXPECT_EQ(b[10], 2);
    const Bytes first = {0x03, 0xEB, 0x66, 0x21, 0x05, 0x09, 0x91};
    EXPECT_EQ(Bytes(b.begin() + 11, b.begin() + 18), first);
    const Bytes second = {0x01, 0x9E, 0x8B, 0x00, 0x00, 0x00, 0x20};  // MJD 40587: 1970-01-01
    EXPECT_EQ(Bytes(b.begin() + 18, b.begin() + 25), second);
    EXPECT_EQ(Text(b, 25, b.size() - 25), s.text) << "text runs to the end, no CRC";

    SummaryEntry bare;
    bare.text = "x";
    EXPECT_EQ(BuildSummarySection(bare).size(), 12u) << "text at offset 11 without replays";

    SummaryEntry huge;
    huge.replays.resize(3);
    huge.text = std::string(5000, 'a');
    Bytes cut = BuildSummarySection(huge);
    EXPECT_EQ(cut.size(), kMaxSectionSize);
    EXPECT_EQ(SummaryTextRoom(3), kMaxSectionSize - 11 - 21);
    ExpectFramed(cut, false);
}

TEST(ItalianOffset, WinterSummerAndTheNextChange)
{
    struct Case {
        int64_t t;
        int offset, next;
        int64_t change;
    };
    const int64_t march2024 = 1711846800;   // 2024-03-31 01:00 UTC
    const int64_t october2024 = 1729990800; // 2024-10-27 01:00 UTC
    const int64_t march2025 = 1743296400;   // 2025-03-30 01:00 UTC
    const Case cases[] = {
        {1700000000, 60, 120, march2024},       // November 2023
        {1704067200, 60, 120, march2024},       // 2024-01-01
        {march2024 - 1, 60, 120, march2024},
        {march2024, 120, 60, october2024},      // the change itself: summer time
        {1720000000, 120, 60, october2024},     // July 2024
        {october2024, 60, 120, march2025},
        {1735600000, 60, 120, march2025},       // end of December 2024
    };
    for (const Case& c : cases) {
        LocalTimeOffset e = ItalianOffset(c.t);
        SCOPED_TRACE(c.t);
        EXPECT_EQ(e.country, "ITA");
        EXPECT_EQ(e.region, 0);
        EXPECT_FALSE(e.negative);
        EXPECT_EQ(e.offsetMinutes, c.offset);
        EXPECT_EQ(e.nextOffsetMinutes, c.next);
        EXPECT_EQ(e.timeOfChange, c.change);
    }
}
