// The recording's interval, the clash rule, and the channel name searched
// for in the service list.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/support/boxroot.h"
#include "tests/support/scriptedrun.h"
#include "timers/recording.h"

namespace {

TEST(RecordingInterval, AddsTheOffsets)
{
    const int T = 1709582400;
    struct Case {
        int start, minutes, startOffset, endOffset, localOffset;
        int begin, length;
    } cases[] = {
        {T, 30, 0, 0, 0, T, 1800},
        {T, 30, -300, 600, 0, T - 300, 45 * 60},
        {T, 30, 0, 0, 3600, T + 3600, 1800},
        {T, 0, 120, 0, 0, T + 120, -120},  // written as it is
        // Overflow wraps as the box's 32-bit arithmetic does.
        {INT_MAX, 10, 1, 0, 0, INT_MIN, 599},
        {0, INT_MAX, 0, 0, 0, 0, Wrap32(static_cast<long long>(INT_MAX) * 60)},
    };
    for (const auto& c : cases) {
        const RecordingInterval r = MakeRecordingInterval(c.start, c.minutes, c.startOffset, c.endOffset, c.localOffset);
        EXPECT_EQ(c.begin, r.begin) << c.start << " " << c.minutes;
        EXPECT_EQ(c.length, r.length) << c.start << " " << c.minutes;
    }
}

TEST(RecordingInterval, ReadsTheThreeSettings)
{
    TempBoxRoot box;
    box.write("/var/korvadel/tivumo.conf", "startOffsetTmr=-300\nendOffsetTmr=600\nlocalOffset=7\n");
    const RecordingInterval r = ReadRecordingInterval(1000, 30);
    EXPECT_EQ(1000 - 300 + 7, r.begin);
    EXPECT_EQ(1800 + 600 + 300, r.length);
}

TEST(Wrap32, KeepsTheLow32BitsAsSigned)
{
    EXPECT_EQ(5, Wrap32(5));
    EXPECT_EQ(-5, Wrap32(-5));
    EXPECT_EQ(INT_MIN, Wrap32(static_cast<long long>(INT_MAX) + 1));
    EXPECT_EQ(INT_MAX, Wrap32(static_cast<long long>(INT_MIN) - 1));
    EXPECT_EQ(0, Wrap32(0x100000000ll));
}

TEST(TimerClash, FollowsTheRule)
{
    const int T = 1709582400;
    struct Case {
        int begin, length;
        bool clash;
        const char* what;
    } cases[] = {
        {T + 1800, 1800, false, "starts when the timer ends"},
        {T - 600, 600, false, "ends when the timer starts"},
        {T, 1800, true, "identical"},
        {T, 3600, true, "same begin, longer"},
        {T - 1000, 2800, true, "from before to the timer's end"},
        {T + 600, 600, true, "inside"},
        {T + 600, 3600, true, "starts inside"},
        {T - 600, 1200, true, "ends inside"},
        {T - 600, 3600, true, "covers"},
        {T + 1, 1799, true, "inside up to the end"},
        {T + 1, 1, true, "a second inside"},
        {T + 3600, 60, false, "well after"},
        {T - 3600, 60, false, "well before"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.clash, TimerClashes(c.begin, c.length, T, 1800)) << c.what;
}

TEST(TimerClash, EndsThatOverflowWrapInsteadOfFailing)
{
    // Ends past INT_MAX wrap to negative values, as on the box, and only
    // the comparisons against the wrapped ends decide: a timer whose end
    // wraps no longer holds a begin inside it.
    EXPECT_FALSE(TimerClashes(INT_MAX - 10, 5, INT_MAX - 100, 200));
    EXPECT_FALSE(TimerClashes(INT_MAX - 10, 100, INT_MAX - 50, 20));
    EXPECT_TRUE(TimerClashes(INT_MAX - 100, 50, INT_MAX - 100, 50));
    EXPECT_TRUE(TimerClashes(INT_MIN, INT_MAX, INT_MIN + 10, 10));
}

TEST(TimerClash, AnyOfTheListDecides)
{
    const std::vector<TimerPair> timers{{100, 10}, {200, 50}, {400, 1}};
    EXPECT_TRUE(AnyTimerClashes(timers, 210, 10));
    EXPECT_TRUE(AnyTimerClashes(timers, 0, 1000));
    EXPECT_FALSE(AnyTimerClashes(timers, 110, 90));
    EXPECT_FALSE(AnyTimerClashes({}, 0, 1000));
}

TEST(ChannelName, IsTheTextAfterThePointAndItsBlank)
{
    struct Case {
        const char* title;
        const char* name;
    } cases[] = {
        {"12. Canale Prova", "Canale Prova"},
        {"1. A.B", "A.B"},       // the first point only
        {"3.X", ""},             // the character after the point is dropped, whatever it is
        {"3.XY", "Y"},
        {"12.", ""},             // nothing after the point
        {"titolo", "titolo"},    // no point: the title as it is
        {"", ""},
    };
    for (const auto& c : cases) {
        char out[1000];
        ChannelNameFromTitle(c.title, out, sizeof out);
        EXPECT_STREQ(c.name, out) << c.title;
    }
}

TEST(ChannelName, IsMappedThroughTheSettings)
{
    TempBoxRoot box;
    box.write("/var/korvadel/tivumo.conf", "Canale Prova=Prova HD\nAltro=\n");
    struct Case {
        const char* name;
        const char* mapped;
    } cases[] = {
        {"Canale Prova", "Prova HD"},
        {"Canale Nuovo", "Canale Nuovo"},
        {"Altro", "Altro"},  // an empty value keeps the name
        {"", ""},
    };
    for (const auto& c : cases) {
        char out[1000];
        MapChannelName(c.name, out, sizeof out);
        EXPECT_STREQ(c.mapped, out) << c.name;
    }
}

}  // namespace
