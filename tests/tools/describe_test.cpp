#include "tools/streamgen/describe.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

using namespace streamgen;

namespace {

const char kGood[] =
    "# a small guide\n"
    "tot 2023-11-14 22:13:20\n"
    "offset ITA 0 +01:00 2024-03-31 01:00:00 +02:00\n"
    "offset ESP 1 -00:30 2024-03-31 02:00:00 -01:30\n"
    "  # indented comment\n"
    "\n"
    "channel 4101 Canale Brezza\n"
    "channel 0x1006 Tele  Due\r\n"
    "theme 0x10 Sport\n"
    "theme 3 Film\n"
    "event 2 0x10 tue 20:30 90 77 Calcio # stasera\n"
    "event 1 3 0 05:59 1093 78 Notte\\x20\n"
    "summary 77 Prima riga\\nseconda riga \\xE8 \\\\ fine\n"
    "replay 77 1 2023-11-16 21:00:00 ST,VM,LAST\n"
    "replay 77 2 2023-11-17 06:05:00 -\n"
    "start wed 7\n";

struct TempDir {
    TempDir()
    {
        char pattern[] = "/tmp/streamgen-test-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string Write(const std::string& name, const std::string& text) const
    {
        std::string p = path + "/" + name;
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }
    std::string path;
};

// Runs the program; returns its exit status and its standard error.
int RunStreamgen(const std::string& args, std::string* err, const TempDir& dir)
{
    std::string errFile = dir.path + "/stderr.txt";
    // The cross builds' tests run under an emulator, which the shell cannot
    // know of: the command names it.
    const char* emulator = std::getenv("UDOVOR_TEST_EMULATOR");
    const std::string prefix = emulator && *emulator ? std::string(emulator) + " " : std::string();
    int rc = std::system((prefix + STREAMGEN_PATH + " " + args + " >/dev/null 2>'" + errFile + "'").c_str());
    std::ifstream in(errFile);
    std::stringstream ss;
    ss << in.rdbuf();
    *err = ss.str();
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace

TEST(Description, GoodFileGivesEveryItem)
{
    Guide g;
    std::string error;
    ASSERT_TRUE(ParseDescription(kGood, 0, &g, &error)) << error;
    EXPECT_EQ(g.utc, 1700000000);
    ASSERT_EQ(g.offsets.size(), 2u);
    EXPECT_EQ(g.offsets[0].country, "ITA");
    EXPECT_EQ(g.offsets[0].offsetMinutes, 60);
    EXPECT_EQ(g.offsets[0].timeOfChange, 1711846800);
    EXPECT_EQ(g.offsets[0].nextOffsetMinutes, 120);
    EXPECT_FALSE(g.offsets[0].negative);
    EXPECT_EQ(g.offsets[1].region, 1);
    EXPECT_TRUE(g.offsets[1].negative);
    EXPECT_EQ(g.offsets[1].offsetMinutes, 30);
    EXPECT_EQ(g.offsets[1].nextOffsetMinutes, 90);

    ASSERT_EQ(g.channels.size(), 2u);
    EXPECT_EQ(g.channels[0].serviceId, 4101);
    EXPECT_EQ(g.channels[0].name, "Canale Brezza");
    EXPECT_EQ(g.channels[1].serviceId, 0x1006);
    EXPECT_EQ(g.channels[1].name, "Tele  Due") << "inner blanks kept, CR and trailing blanks cut";
    ASSERT_EQ(g.themes.size(), 2u);
    EXPECT_EQ(g.themes[0].id, 0x10);
    EXPECT_EQ(g.themes[1].name, "Film");

    ASSERT_EQ(g.events.size(), 2u);
    const GuideEvent& a = g.events[0];
    EXPECT_EQ(a.channel, 2);
    EXPECT_EQ(a.theme, 0x10);
    EXPECT_EQ(a.weekday, 2);
    EXPECT_EQ(a.hour, 20);
    EXPECT_EQ(a.minute, 30);
    EXPECT_EQ(a.durationMinutes, 90);
    EXPECT_EQ(a.programmeId, 77u);
    EXPECT_EQ(a.title, "Calcio # stasera") << "a # inside a text is text";
    EXPECT_EQ(g.events[1].weekday, 0);
    EXPECT_EQ(g.events[1].durationMinutes, 1093);
    EXPECT_EQ(g.events[1].title, "Notte ") << "an escaped trailing blank stays";

    ASSERT_EQ(g.summaries.size(), 1u);
    EXPECT_EQ(g.summaries[0].text, "Prima riga\nseconda riga \xE8 \\ fine");
    ASSERT_EQ(g.summaries[0].replays.size(), 2u);
    EXPECT_EQ(g.summaries[0].replays[0].channelId, 1);
    EXPECT_EQ(g.summaries[0].replays[0].localTime, 1700168400);  // 2023-11-16 21:00:00
    EXPECT_EQ(g.summaries[0].replays[0].flags, kReplaySubtitles | kReplayVM | kReplayLast);
    EXPECT_EQ(g.summaries[0].replays[1].flags, 0);
    EXPECT_EQ(g.firstWeekday, 3);
    EXPECT_EQ(g.firstHour, 7);
}

TEST(Description, DefaultsWithoutTotOffsetOrStart)
{
    Guide g;
    std::string error;
    ASSERT_TRUE(ParseDescription("channel 1 Uno\n", 1720000000, &g, &error)) << error;
    EXPECT_EQ(g.utc, 1720000000);
    ASSERT_EQ(g.offsets.size(), 1u);
    EXPECT_EQ(g.offsets[0].offsetMinutes, 120) << "Italian summer time";
    EXPECT_EQ(g.offsets[0].timeOfChange, 1729990800);
    EXPECT_EQ(g.firstHour, 6);
    EXPECT_EQ(g.firstWeekday, 2) << "day before Wednesday 2024-07-03";
}

TEST(Description, BadLinesAreNamedWithTheirNumber)
{
    struct Case {
        const char* text;
        const char* message;  // part of the error text, after "line N: "
        int line;
    };
    const Case cases[] = {
        {"channel 1 Uno\nchanel 2 Due\n", "unknown keyword \"chanel\"", 2},
        {"channel 70000 Uno\n", "service id", 1},
        {"channel 12x Uno\n", "service id", 1},
        {"channel 1\n", "missing channel name", 1},
        {"channel 1 Seventeen bytes!!\n", "longer than 16 bytes", 1},
        {"theme 256 Film\n", "theme: id 0..255", 1},
        {"theme 1 Film\ntheme 1 Altro\n", "given twice", 2},
        {"channel 1 Uno\nevent 1 0 mon 24:00 30 1 T\n", "start as HH:MM", 2},
        {"channel 1 Uno\nevent 1 0 lun 20:00 30 1 T\n", "day 0..6 or sun..sat", 2},
        {"channel 1 Uno\nevent 1 0 mon 20:00 65536 1 T\n", "duration", 2},
        {"channel 1 Uno\nevent 1 0 mon 20:00 30 1 Twenty-four bytes title!\n", "longer than 23 bytes", 2},
        {"channel 1 Uno\nevent 1 0 mon 20:00 30 1\n", "missing title", 2},
        {"channel 1 Uno\nevent 2 0 mon 20:00 30 1 T\n", "only 1 channels", 2},
        {"channel 1 Uno\nevent 0 0 mon 20:00 30 1 T\n", "channel number 1..254", 2},
        {"summary 5 text\nsummary 5 again\n", "a second summary", 2},
        {"summary 5 bad \\q escape\n", "bad escape", 1},
        {"channel 1 Uno\n\nreplay 9 1 2023-11-16 21:00:00 -\n", "has no summary", 3},
        {"channel 1 Uno\nsummary 9 x\nreplay 9 1 2023-02-29 21:00:00 -\n", "YYYY-MM-DD HH:MM:SS", 3},
        {"channel 1 Uno\nsummary 9 x\nreplay 9 1 2023-11-16 21:00:00 ST,XX\n", "flags", 3},
        {"channel 1 Uno\nsummary 9 x\nreplay 9 1 2023-11-16 21:00:00 ST extra\n", "unexpected \"extra\"", 3},
        {"offset IT 0 +01:00 2024-03-31 01:00:00 +02:00\n", "three letters", 1},
        {"offset ITA 0 +01:00 2024-03-31 01:00:00 -02:00\n", "same sign", 1},
        {"offset ITA 0 01:00 2024-03-31 01:00:00 +02:00\n", "+HH:MM", 1},
        {"tot yesterday\n", "tot wants", 1},
        {"start mon 24\n", "start wants", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Guide g;
        std::string error;
        EXPECT_FALSE(ParseDescription(c.text, 0, &g, &error));
        EXPECT_EQ(error.rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

TEST(Description, SummaryThatDoesNotFitASectionWithItsReplays)
{
    std::string text = "channel 1 Uno\nsummary 9 " + std::string(4085, 'a') + "\n";
    Guide g;
    std::string error;
    EXPECT_TRUE(ParseDescription(text, 0, &g, &error)) << error;
    text += "replay 9 1 2023-11-16 21:00:00 -\n";
    EXPECT_FALSE(ParseDescription(text, 0, &g, &error));
    EXPECT_NE(error.find("line 2: summary of programme 9 is 4085 bytes"), std::string::npos) << error;
}

TEST(Description, ExampleFileOfTheToolsFolderIsValid)
{
    std::string text = Slurp(std::string(UDOVOR_SOURCE_DIR) + "/tools/example-guide.txt");
    ASSERT_FALSE(text.empty());
    Guide g;
    std::string error;
    EXPECT_TRUE(ParseDescription(text, 0, &g, &error)) << error;
    EXPECT_FALSE(g.events.empty());
    EXPECT_FALSE(g.summaries.empty());
}

TEST(StreamgenProgram, WritesStreamsAndRefusesBadInput)
{
    TempDir dir;
    std::string err;
    std::string good = dir.Write("good.txt", kGood);
    std::string out = dir.path + "/out.ts";
    ASSERT_EQ(RunStreamgen("--describe '" + good + "' -o '" + out + "'", &err, dir), 0) << err;
    std::string ts = Slurp(out);
    EXPECT_FALSE(ts.empty());
    EXPECT_EQ(ts.size() % 188, 0u);

    std::string bad = dir.Write("bad.txt", "channel 1 Uno\nevent 1 0 mon 20:61 30 1 T\n");
    EXPECT_EQ(RunStreamgen("--describe '" + bad + "' -o '" + dir.path + "/bad.ts'", &err, dir), 1);
    EXPECT_NE(err.find("bad.txt: line 2: event: start as HH:MM expected"), std::string::npos) << err;
    struct stat st;
    EXPECT_NE(stat((dir.path + "/bad.ts").c_str(), &st), 0) << "no stream written for a bad description";

    EXPECT_EQ(RunStreamgen("--describe '" + dir.path + "/missing.txt' -o '" + out + "'", &err, dir), 1);
    EXPECT_NE(err.find("cannot read"), std::string::npos) << err;
    EXPECT_EQ(RunStreamgen("--demo", &err, dir), 2) << "no output file";
    EXPECT_NE(err.find("-o FILE"), std::string::npos) << err;
    EXPECT_EQ(RunStreamgen("--demo --time soon -o x", &err, dir), 2);
    EXPECT_EQ(RunStreamgen("--demo --full -o x", &err, dir), 2);
}

TEST(StreamgenProgram, FullGuideIsTheSameFileForTheSameSeed)
{
    TempDir dir;
    std::string err;
    const std::string args = " --seed 7 --time 1700000000 -o '" + dir.path;
    ASSERT_EQ(RunStreamgen("--full" + args + "/a.ts'", &err, dir), 0) << err;
    ASSERT_EQ(RunStreamgen("--full" + args + "/b.ts'", &err, dir), 0) << err;
    std::string a = Slurp(dir.path + "/a.ts"), b = Slurp(dir.path + "/b.ts");
    EXPECT_GT(a.size(), 5u * 1000 * 1000);
    EXPECT_EQ(a.size() % 188, 0u);
    EXPECT_TRUE(a == b) << "two runs differ";
}
