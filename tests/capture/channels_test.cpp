#include "capture/mhw_channels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "tests/capture/sections.h"

using sect::Bytes;

namespace {

struct Tables {
    ChannelSlot channels[kChannelSlots];
    char themes[kThemeSlots][kThemeNameSize];
    Tables()
    {
        memset(channels, 0, sizeof channels);
        memset(themes, 0, sizeof themes);
    }
};

std::vector<sect::Channel> ManyChannels(int n)
{
    std::vector<sect::Channel> v;
    for (int i = 0; i < n; ++i)
        v.push_back({static_cast<unsigned>(1000 + i), "Ch" + std::to_string(i)});
    return v;
}

}  // namespace

TEST(ChannelTable, DecodesNamesAndServiceIds)
{
    Bytes s = sect::ChannelSection({
        {65535, "Sixlet          "},            // six letters and ten blanks
        {3401, "FifteenLettersX!"},             // the 16th character is lost
        {7, "               "},                 // blanks only
        {12, "Two Words\t     "},               // inner blank kept, tab cut
    });
    Tables t;
    uint32_t count = 0;
    ASSERT_EQ(DecodeChannelSection(s.data(), s.size(), t.channels, &count), 0);
    EXPECT_EQ(count, 4u);  // the 4 trailing CRC bytes are not a record
    EXPECT_STREQ(t.channels[0].name, "Sixlet");
    EXPECT_STREQ(t.channels[0].id, "65535");
    EXPECT_STREQ(t.channels[1].name, "FifteenLettersX");
    EXPECT_STREQ(t.channels[1].id, "3401");
    EXPECT_STREQ(t.channels[2].name, "");
    EXPECT_STREQ(t.channels[3].name, "Two Words");
}

TEST(ChannelTable, AtMost149Records)
{
    Tables t;
    uint32_t count = 0;
    Bytes full = sect::ChannelSection(ManyChannels(149), 0);
    ASSERT_EQ(full.size(), 4u + 22 * 149);
    EXPECT_EQ(DecodeChannelSection(full.data(), full.size(), t.channels, &count), 0);
    EXPECT_EQ(count, 149u);
    EXPECT_STREQ(t.channels[148].name, "Ch148");
    EXPECT_STREQ(t.channels[148].id, "1148");

    Tables u;
    Bytes over = sect::ChannelSection(ManyChannels(150), 0);
    EXPECT_EQ(DecodeChannelSection(over.data(), over.size(), u.channels, &count), -1);
    EXPECT_EQ(count, 150u);
    EXPECT_STREQ(u.channels[0].name, "");  // nothing filled
}

TEST(ChannelTable, ShortReadsGiveZeroOrAHugeCount)
{
    EXPECT_EQ(ChannelRecordCount(4), 0u);
    EXPECT_EQ(ChannelRecordCount(25), 0u);
    EXPECT_EQ(ChannelRecordCount(26), 1u);
    // Shorter than the header: the unsigned division of the box.
    EXPECT_EQ(ChannelRecordCount(3), 0xFFFFFFFFu / 22);
    Tables t;
    uint32_t count = 0;
    const uint8_t three[] = {0x91, 0, 0};
    EXPECT_EQ(DecodeChannelSection(three, 3, t.channels, &count), -1);
    const uint8_t header[] = {0x91, 0, 1, 0};
    EXPECT_EQ(DecodeChannelSection(header, 4, t.channels, &count), 0);
    EXPECT_EQ(count, 0u);
}

TEST(StripTrailingSpace, CutsEveryKindOfWhiteSpace)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"abc", "abc"}, {"abc \t\n\v\f\r", "abc"}, {"  a b  ", "  a b"}, {"   ", ""}, {"", ""},
    };
    for (const Case& c : cases) {
        char buf[32];
        strcpy(buf, c.in);
        StripTrailingSpace(buf);
        EXPECT_STREQ(buf, c.out) << '"' << c.in << '"';
    }
    StripTrailingSpace(nullptr);  // left alone, no crash
}

TEST(ThemeTable, GroupsPlaceNamesAtTheirThemeIds)
{
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i)
        names.push_back("Theme" + std::to_string(i));
    Bytes s = sect::ThemeSection({0, 5, 9}, names);
    Tables t;
    DecodeThemeSection(s.data(), s.size(), t.themes);
    const int slots[12] = {0, 1, 2, 3, 4, 16, 17, 18, 19, 32, 33, 34};
    for (int j = 0; j < 12; ++j)
        EXPECT_EQ(std::string(t.themes[slots[j]]), names[j]) << "name " << j;
    EXPECT_STREQ(t.themes[5], "");
    EXPECT_STREQ(t.themes[20], "");
}

TEST(ThemeTable, AnEmptyGroupIsNotSteppedOver)
{
    std::vector<std::string> names = {"a", "b", "c", "d", "e", "f", "g"};
    Bytes s = sect::ThemeSection({0, 3, 3, 5}, names);
    Tables t;
    DecodeThemeSection(s.data(), s.size(), t.themes);
    EXPECT_STREQ(t.themes[2], "c");
    EXPECT_STREQ(t.themes[16], "d");
    EXPECT_STREQ(t.themes[17], "e");
    EXPECT_STREQ(t.themes[18], "f");
    EXPECT_STREQ(t.themes[19], "g");
    EXPECT_STREQ(t.themes[32], "");
    EXPECT_STREQ(t.themes[48], "");
}

TEST(ThemeTable, ShortSectionLeavesTheTableAsItWas)
{
    Tables t;
    strcpy(t.themes[0], "Kept");
    Bytes s = sect::ThemeSection({0}, {"New"});
    for (size_t len : {size_t(0), size_t(3), size_t(19), size_t(33)}) {
        std::unique_ptr<uint8_t[]> exact(new uint8_t[len + 1]);
        std::copy(s.begin(), s.begin() + static_cast<long>(len), exact.get());
        DecodeThemeSection(exact.get(), len, t.themes);
        EXPECT_STREQ(t.themes[0], "Kept") << "length " << len;
    }
    DecodeThemeSection(s.data(), 34, t.themes);
    EXPECT_STREQ(t.themes[0], "New");
}

// A section with more names than the groups' slots hold: nothing lands
// beyond the last slot, and the table does not wrap round onto group 0.
TEST(ThemeTable, NamesBeyondTheLastSlotAreDropped)
{
    std::vector<int> starts;
    for (int g = 0; g < 16; ++g)
        starts.push_back(g * 16);
    std::vector<std::string> names;
    for (int j = 0; j < 270; ++j)  // a full section holds up to 271 names
        names.push_back("N" + std::to_string(j));
    Bytes s = sect::ThemeSection(starts, names);
    ASSERT_LE(s.size(), 4096u);
    Tables t;
    DecodeThemeSection(s.data(), s.size(), t.themes);
    EXPECT_STREQ(t.themes[0], "N0");
    EXPECT_STREQ(t.themes[255], "N255");

    // Group 14 running on to name 249: group 15 would begin at slot 256.
    starts[15] = 250;
    Tables u;
    Bytes s2 = sect::ThemeSection(starts, names);
    DecodeThemeSection(s2.data(), s2.size(), u.themes);
    EXPECT_STREQ(u.themes[0], "N0");
    EXPECT_STREQ(u.themes[249], "N249");
    EXPECT_STREQ(u.themes[250], "");
    EXPECT_STREQ(u.themes[255], "");
}
