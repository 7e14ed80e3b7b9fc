#include "capture/mhw_summaries.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/capture/sections.h"

using sect::Bytes;

namespace {

// 2024-03-10 20:30:00 provider local time.
const long kShowing = 1710102600;

TimeOffsets Offsets()
{
    TimeOffsets o;
    o.currentOffset = 3600;
    o.nextOffset = 7200;
    o.timeOfChange = 1711846800;
    return o;
}

// Decodes a copy of exactly the section's bytes, so that a read beyond them
// is caught by the sanitizer build.
int Decode(const Bytes& s, SummaryRecord* r, size_t length = static_cast<size_t>(-1))
{
    size_t n = length == static_cast<size_t>(-1) ? s.size() : length;
    std::unique_ptr<uint8_t[]> exact(new uint8_t[n ? n : 1]);
    std::copy(s.begin(), s.begin() + static_cast<long>(n), exact.get());
    return DecodeSummarySection(exact.get(), n, Offsets(), r);
}

}  // namespace

TEST(SummarySection, ProgrammeReplaysAndText)
{
    std::vector<sect::Replay> replays = {
        {4, kShowing, 0x01},                          // ST
        {2, kShowing + 86400, 0x10 | 0x20 | 0x80},    // VM, VO, last
        {1, 1711846800 + 3600, 0x4E},                 // after the change; unread bits only
    };
    Bytes s = sect::SummarySection(0xA1B2C3D4, replays, "First line\nsecond line");
    SummaryRecord r;
    ASSERT_EQ(Decode(s, &r), 0);
    EXPECT_EQ(r.programId, 0xA1B2C3D4u);
    ASSERT_EQ(r.replayCount, 3);
    EXPECT_STREQ(r.text.get(), "First line second line");

    EXPECT_EQ(r.replayChannel[0], 3);
    EXPECT_EQ(r.replayTime[0], kShowing - 3600);
    EXPECT_EQ(r.subtitles[0], 1);
    EXPECT_EQ(r.vm[0] + r.vo[0] + r.lastReplay[0], 0);

    EXPECT_EQ(r.replayChannel[1], 1);
    EXPECT_EQ(r.replayTime[1], kShowing + 86400 - 3600);
    EXPECT_EQ(r.subtitles[1], 0);
    EXPECT_EQ(r.vm[1], 1);
    EXPECT_EQ(r.vo[1], 1);
    EXPECT_EQ(r.lastReplay[1], 1);

    EXPECT_EQ(r.replayTime[2], 1711846800 + 3600 - 7200);  // next offset
    EXPECT_EQ(r.subtitles[2] + r.vm[2] + r.vo[2] + r.lastReplay[2], 0);
}

TEST(SummarySection, WithoutReplaysTheTextBeginsAtEleven)
{
    Bytes s = sect::SummarySection(7, {}, "Just text");
    ASSERT_EQ(s[10], 0);
    SummaryRecord r;
    ASSERT_EQ(Decode(s, &r), 0);
    EXPECT_EQ(r.replayCount, 0);
    EXPECT_STREQ(r.text.get(), "Just text");
}

TEST(SummarySection, TextEndsAtAZeroByteOrTheSection)
{
    Bytes s = sect::SummarySection(7, {}, std::string("kept\0dropped", 12));
    SummaryRecord r;
    ASSERT_EQ(Decode(s, &r), 0);
    EXPECT_STREQ(r.text.get(), "kept");
    SummaryRecord cut;
    ASSERT_EQ(Decode(s, &cut, 13), 0);
    EXPECT_STREQ(cut.text.get(), "ke");
}

TEST(SummarySection, RecognisedByLengthAndTheThreeMarkBytes)
{
    Bytes s = sect::SummarySection(7, {}, "x");
    EXPECT_TRUE(IsSummarySection(s.data(), s.size()));
    EXPECT_FALSE(IsSummarySection(s.data(), 11));
    for (int i = 7; i <= 9; ++i) {
        Bytes other = s;
        other[i] = 0xFE;
        EXPECT_FALSE(IsSummarySection(other.data(), other.size())) << i;
    }
    EXPECT_FALSE(IsSummarySection(nullptr, 20));
}

// More replays than a record holds, and replay lists that claim more than
// the section carries.
TEST(SummarySection, ReplayBounds)
{
    std::vector<sect::Replay> twelve(12, {5, kShowing, 0x80});
    twelve[9].channelId = 9;
    Bytes many = sect::SummarySection(1, twelve, "Text after twelve");
    SummaryRecord r;
    ASSERT_EQ(Decode(many, &r), 0);
    EXPECT_EQ(r.replayCount, kMaxReplays);
    EXPECT_EQ(r.replayChannel[9], 8);
    EXPECT_STREQ(r.text.get(), "Text after twelve");

    // Count 200 with two replays and a text: the list runs past the end.
    Bytes lying = sect::SummarySection(2, {{1, kShowing, 0}, {2, kShowing, 0}}, "tail", 200);
    SummaryRecord l;
    ASSERT_EQ(Decode(lying, &l), 0);
    EXPECT_EQ(l.replayCount, 2);  // the two whole entries (the text bytes make no third)
    EXPECT_STREQ(l.text.get(), "");

    // A replay cut in the middle is not taken.
    Bytes cut = sect::SummarySection(3, {{1, kShowing, 0}, {2, kShowing, 0}}, "");
    SummaryRecord c;
    ASSERT_EQ(Decode(cut, &c, cut.size() - 3), 0);
    EXPECT_EQ(c.replayCount, 1);
    EXPECT_STREQ(c.text.get(), "");
}

TEST(SummarySection, EveryTruncationDecodesSafely)
{
    Bytes s = sect::SummarySection(9, {{1, kShowing, 0x21}, {2, kShowing, 0}}, "Some text here");
    for (size_t len = 12; len <= s.size(); ++len) {
        SummaryRecord r;
        ASSERT_EQ(Decode(s, &r, len), 0) << len;
        EXPECT_LE(r.replayCount, 2) << len;
        ASSERT_TRUE(r.text) << len;
        EXPECT_LE(strlen(r.text.get()), std::string("Some text here").size()) << len;
    }
}
