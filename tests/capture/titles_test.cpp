#include "capture/mhw_titles.h"

#include <gtest/gtest.h>

#include "tests/capture/sections.h"

using sect::Bytes;

TEST(TitleTime, DayAndCodedHour)
{
    struct Case {
        uint8_t byte;
        int day, hour;
    };
    const Case cases[] = {
        {0x30, 1, 12},  // hour 16: minus 4
        {0x2A, 1, 8},   // hour 10: minus 2
        {0x2F, 1, 13},  // hour 15: minus 2
        {0x28, 1, 6},   // hour 8: minus 2
        {0xC5, 0, 5},   // day 6, hour 5: the next day, Sunday
        {0xE3, 1, 3},   // day 7 counts as 0, then moves on a day
        {0x07, 1, 7},   // hour 7 still moves the day
        {0x3B, 1, 23},  // hour 27
        {0x3C, 1, 24},  // coded 28: outside the day
        {0xFF, 0, 27},  // day 7, coded 31
    };
    for (const Case& c : cases) {
        int day = -1, hour = -1;
        DecodeDayHour(c.byte, &day, &hour);
        EXPECT_EQ(day, c.day) << std::hex << int(c.byte);
        EXPECT_EQ(hour, c.hour) << std::hex << int(c.byte);
    }
}

TEST(TitleTime, StartsFallInTheWeekFromSixOnTheDayBase)
{
    const int32_t base = 1700000000;
    const int wed = 3;
    struct Case {
        const char* what;
        uint8_t dayHour;
        int minute;
        int32_t offset;  // start - base
    };
    const Case cases[] = {
        {"Wednesday 05:59 moves a week on", 0x45, 59, 5 * 3600 + 59 * 60 + 604800},
        {"Wednesday 06:00 stays", 0x46, 0, 6 * 3600},
        {"Tuesday 20:00 is next week's", 0x58, 0, -4 * 3600 + 604800},
        {"Thursday 12:30", 0x90, 30, 86400 + 12 * 3600 + 30 * 60},
        {"Sunday 01:00 (coded Saturday 1) wraps", 0xC1, 0, -3 * 86400 + 3600 + 604800},
        {"Tuesday 23:59", 0x5B, 59, -86400 + 23 * 3600 + 59 * 60 + 604800},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TitleStart(c.dayHour, static_cast<uint8_t>(c.minute << 2), base, wed) - base, c.offset)
            << c.what;
    // The summary bit and bit 1 do not touch the minute.
    EXPECT_EQ(TitleStart(0x46, 0x03, base, wed), base + 6 * 3600);
}

TEST(TitleSection, DecodesEveryField)
{
    sect::Title t;
    t.channelId = 3;
    t.theme = 0x21;
    t.dayHour = 0x90;  // Thursday 12
    t.minute = 15;
    t.summary = 1;
    t.duration = 95;
    t.text = "A title with blanks   ";
    t.secondId = 0xCAFEBABE;
    t.programId = 0x01020304;
    Bytes s = sect::TitleSection(t);
    ASSERT_EQ(s.size(), kTitleSectionSize);

    TitleRecord r;
    ASSERT_TRUE(DecodeTitleSection(s.data(), s.size(), 1000000, 3, &r));
    EXPECT_EQ(r.channelIndex, 2);
    EXPECT_EQ(r.themeId, 0x21);
    EXPECT_EQ(r.start, 1000000 + 86400 + 12 * 3600 + 15 * 60);
    EXPECT_EQ(r.summaryFlag, 1);
    EXPECT_EQ(r.duration, 95 * 60);
    EXPECT_STREQ(r.title, "A title with blanks    ");  // all 23 bytes, untrimmed
    EXPECT_EQ(r.secondId, 0xCAFEBABEu);
    EXPECT_EQ(r.programId, 0x01020304u);
}

TEST(TitleSection, EdgeValues)
{
    sect::Title t;
    t.channelId = 0;      // gives channel index 255
    t.duration = 1093;    // 65580 s does not fit 16 bits
    t.text = std::string(23, 'x');
    Bytes s = sect::TitleSection(t);
    TitleRecord r;
    ASSERT_TRUE(DecodeTitleSection(s.data(), s.size(), 0, 0, &r));
    EXPECT_EQ(r.channelIndex, 255);
    EXPECT_EQ(r.duration, (1093 * 60) % 65536);
    EXPECT_EQ(std::string(r.title), std::string(23, 'x'));
    EXPECT_EQ(r.summaryFlag, 0);
}

TEST(TitleSection, OnlyWholeTitleSectionsDecode)
{
    Bytes s = sect::TitleSection(sect::Title());
    TitleRecord r;
    EXPECT_FALSE(DecodeTitleSection(s.data(), 45, 0, 0, &r));
    Bytes longer = s;
    longer.push_back(0);
    EXPECT_FALSE(DecodeTitleSection(longer.data(), longer.size(), 0, 0, &r));
    EXPECT_FALSE(DecodeTitleSection(nullptr, 46, 0, 0, &r));
    Bytes marker = sect::MarkerSection(0x30);
    EXPECT_FALSE(DecodeTitleSection(marker.data(), marker.size(), 0, 0, &r));
}

TEST(MarkerSection, CellsInsideTheWeekOnly)
{
    int day = -1, hour = -1;
    Bytes m = sect::MarkerSection(0x30);
    EXPECT_TRUE(IsMarkerSection(m.data(), m.size()));
    EXPECT_TRUE(MarkerCell(m.data(), m.size(), &day, &hour));
    EXPECT_EQ(day, 1);
    EXPECT_EQ(hour, 12);
    Bytes late = sect::MarkerSection(0x3B);  // coded 27: hour 23
    EXPECT_TRUE(MarkerCell(late.data(), late.size(), &day, &hour));
    EXPECT_EQ(hour, 23);
    for (uint8_t coded = 28; coded <= 31; ++coded) {
        Bytes bad = sect::MarkerSection(static_cast<uint8_t>(0x20 | coded));
        EXPECT_FALSE(MarkerCell(bad.data(), bad.size(), &day, &hour)) << int(coded);
    }
    EXPECT_FALSE(IsMarkerSection(m.data(), 45));
    Bytes title = sect::TitleSection(sect::Title());
    EXPECT_FALSE(MarkerCell(title.data(), title.size(), &day, &hour));
}
