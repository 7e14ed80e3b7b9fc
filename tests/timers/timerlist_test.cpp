// The timer list: the entry's exact bytes, the append with its failures, and
// the scan that pairs each length with the begin in force.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/boxroot.h"
#include "tests/support/scriptedrun.h"
#include "timers/timerlist.h"

namespace {

const char kTimerFile[] = "/var/tuxbox/config/enigma/timer.epl";

ServiceIdentity Identity(const char* line)
{
    ServiceIdentity id;
    SplitIdentityLine(line, &id);
    return id;
}

TEST(TimerEntry, HasExactlyTheFiveLines)
{
    struct Case {
        const char* identity;
        const char* title;
        int begin, length;
        const char* bytes;
    } cases[] = {
        {"1a2b:00c0:0bb8:0071:1:0", "News", 1709582400, 1800,
         "#SERVICE: 1:0:1:1a2b:bb8:71:c0:0:0:0:\n#DESCRIPTION: /News\n#TYPE 44\n"
         "#TIME_BEGIN 1709582400\n#DURATION 1800\n"},
        {"0001:0002:0003:0004", "Film lungo", -300, -60,
         "#SERVICE: 1:0:1:1:3:4:2:0:0:0:\n#DESCRIPTION: /Film lungo\n#TYPE 44\n"
         "#TIME_BEGIN -300\n#DURATION -60\n"},
        // A field of zeros only stays a single 0.
        {"0000:00:0b:000", "", 0, 0,
         "#SERVICE: 1:0:1:0:b:0:0:0:0:0:\n#DESCRIPTION: /\n#TYPE 44\n#TIME_BEGIN 0\n#DURATION 0\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.bytes, FormatTimerEntry(Identity(c.identity), c.title, c.begin, c.length)) << c.title;
}

TEST(TimerEntry, AppendLeavesTheListAsItWasAndAddsTheEntry)
{
    struct Case {
        const char* before;  // null: no file
        const char* after;
    } cases[] = {
        {nullptr, "#SERVICE: 1:0:1:a:c:d:b:0:0:0:\n#DESCRIPTION: /T\n#TYPE 44\n#TIME_BEGIN 5\n#DURATION 6\n"},
        {"", "#SERVICE: 1:0:1:a:c:d:b:0:0:0:\n#DESCRIPTION: /T\n#TYPE 44\n#TIME_BEGIN 5\n#DURATION 6\n"},
        {"#TIME_BEGIN 1\n#DURATION 2\n",
         "#TIME_BEGIN 1\n#DURATION 2\n"
         "#SERVICE: 1:0:1:a:c:d:b:0:0:0:\n#DESCRIPTION: /T\n#TYPE 44\n#TIME_BEGIN 5\n#DURATION 6\n"},
        // No line feed at the end: the entry starts on a line of its own.
        {"#TIME_BEGIN 1\n#DURATION 2",
         "#TIME_BEGIN 1\n#DURATION 2\n"
         "#SERVICE: 1:0:1:a:c:d:b:0:0:0:\n#DESCRIPTION: /T\n#TYPE 44\n#TIME_BEGIN 5\n#DURATION 6\n"},
        {"host line\r\n",
         "host line\r\n"
         "#SERVICE: 1:0:1:a:c:d:b:0:0:0:\n#DESCRIPTION: /T\n#TYPE 44\n#TIME_BEGIN 5\n#DURATION 6\n"},
    };
    for (const auto& c : cases) {
        TempBoxRoot box;
        box.makeDir("/var/tuxbox/config/enigma");
        if (c.before)
            box.write(kTimerFile, c.before);
        ScriptedRun run;
        int result = 99;
        run.run([&] { result = AppendTimerEntry(kTimerFile, Identity("a:b:c:d"), "T", 5, 6); });
        EXPECT_EQ(0, result);
        EXPECT_TRUE(run.boxes().empty());
        EXPECT_EQ(c.after, box.read(kTimerFile)) << (c.before ? c.before : "(none)");
    }
}

size_t g_allowed = 0;

size_t ShortWrite(const void* data, size_t size, FILE* f)
{
    return fwrite(data, 1, size < g_allowed ? size : g_allowed, f);
}

struct RestoreWrite {
    ~RestoreWrite() { SetTimerWriteFn(nullptr); }
};

TEST(TimerEntry, AShortWriteFailsWithABoxAndLeavesNoHalfEntry)
{
    RestoreWrite restore;
    const char before[] = "#TIME_BEGIN 1\n#DURATION 2\n";
    for (size_t allowed : {size_t(0), size_t(10), size_t(60)}) {
        TempBoxRoot box;
        box.write(kTimerFile, before);
        g_allowed = allowed;
        SetTimerWriteFn(ShortWrite);
        ScriptedRun run;
        int result = 99;
        run.run([&] { result = AppendTimerEntry(kTimerFile, Identity("a:b:c:d"), "T", 5, 6); });
        SetTimerWriteFn(nullptr);
        EXPECT_EQ(-1, result) << allowed;
        ASSERT_EQ(1u, run.boxes().size());
        EXPECT_EQ(std::string("Cannot write timer file:") + kTimerFile, run.boxes()[0].text);
        EXPECT_EQ(before, box.read(kTimerFile)) << allowed;
    }
}

TEST(TimerEntry, AFullDiskIsAFailure)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    TempBoxRoot box;
    box.makeDir("/var/tuxbox/config/enigma");
    ASSERT_EQ(0, symlink("/dev/full", box.path(kTimerFile).c_str()));
    ScriptedRun run;
    int result = 99;
    run.run([&] { result = AppendTimerEntry(kTimerFile, Identity("a:b:c:d"), "T", 5, 6); });
    EXPECT_EQ(-1, result);
    ASSERT_EQ(1u, run.boxes().size());
    EXPECT_EQ(std::string("Cannot write timer file:") + kTimerFile, run.boxes()[0].text);
}

TEST(TimerEntry, AListThatCannotBeOpenedIsAFailure)
{
    TempBoxRoot box;  // no such directory
    ScriptedRun run;
    int result = 99;
    run.run([&] { result = AppendTimerEntry(kTimerFile, Identity("a:b:c:d"), "T", 5, 6); });
    EXPECT_EQ(-1, result);
    ASSERT_EQ(1u, run.boxes().size());
    EXPECT_EQ(std::string("Cannot open timer file:") + kTimerFile, run.boxes()[0].text);
    EXPECT_FALSE(box.exists(kTimerFile));
}

std::vector<TimerPair> Pairs(const std::string& list)
{
    FILE* f = fmemopen(const_cast<char*>(list.data()), list.size(), "rb");
    std::vector<TimerPair> pairs = ReadTimerPairs(f);
    fclose(f);
    return pairs;
}

std::string Show(const std::vector<TimerPair>& pairs)
{
    std::string s;
    for (const TimerPair& p : pairs)
        s += "(" + std::to_string(p.begin) + "," + std::to_string(p.length) + ")";
    return s;
}

TEST(TimerScan, PairsEachDurationWithTheBeginInForce)
{
    struct Case {
        std::string list;
        const char* pairs;
    } cases[] = {
        {"", ""},
        {"#SERVICE: 1:0:1:a:b:c:d:0:0:0:\n#TIME_BEGIN 100\n#TYPE 44\n", ""},
        {"#TIME_BEGIN 100\n#DURATION 60\n#TIME_BEGIN 500\n#DURATION 30\n", "(100,60)(500,30)"},
        {"#TIME_BEGIN 100\n#DURATION 60", "(100,60)"},            // no final line feed
        {"#TIME_BEGIN 100\r\n#DURATION 60\r\n", "(100,60)"},
        {"#TIME_BEGIN 100\n#DURATION 60\n#DURATION 90\n", "(100,60)(100,90)"},  // begin reused
        {"#DURATION 60\n#TIME_BEGIN 100\n#DURATION 90\n", "(100,90)"},          // no begin yet
        {"#TIME_BEGIN -7\n#DURATION -1\n", "(-7,-1)"},
        {"#TIME_BEGIN\n#DURATION\n", "(0,0)"},                    // nothing after the keyword
        {"#TIME_BEGINX100\n#DURATIONX60\n", "(100,60)"},          // the separator is not examined
        {" #TIME_BEGIN 1\n#time_begin 2\n#TIME_BEGIN 3\n#DURATION 4\n", "(3,4)"},
        {std::string("#TIME_BEGIN 9\n\x00\xff\x01\n#DURATION 8\n", 30), "(9,8)"},
        // A 1010-byte line: its piece after 999 bytes is a line of its own.
        {std::string(999, 'z') + "#DURATION 5\n#TIME_BEGIN 1\n#DURATION 2\n", "(1,2)"},
        {"#TIME_BEGIN 1\n" + std::string(999, 'z') + "#DURATION 5\n", "(1,5)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.pairs, Show(Pairs(c.list))) << c.list.substr(0, 60);
}

TEST(TimerScan, AMissingListGivesNoPairAfterItsBox)
{
    TempBoxRoot box;
    ScriptedRun run;
    std::vector<TimerPair> pairs{{1, 2}};
    int result = 99;
    run.run([&] { result = ScanTimerList(kTimerFile, &pairs); });
    EXPECT_EQ(-1, result);
    EXPECT_TRUE(pairs.empty());
    ASSERT_EQ(1u, run.boxes().size());
    EXPECT_EQ(std::string("Cannot open timer file:") + kTimerFile, run.boxes()[0].text);
}

TEST(TimerScan, ReadsTheNamedList)
{
    TempBoxRoot box;
    box.write(kTimerFile, "#TIME_BEGIN 10\n#DURATION 20\n");
    std::vector<TimerPair> pairs;
    ScriptedRun run;
    run.run([&] { EXPECT_EQ(0, ScanTimerList(kTimerFile, &pairs)); });
    EXPECT_EQ("(10,20)", Show(pairs));
    EXPECT_TRUE(run.boxes().empty());
}

}  // namespace
