// udovor-grab against the plug-in: the same generated stream captured by the
// download window in-process and by the grabber at the same box clock gives
// the same file; the grabber's progress, failures and XMLTV.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "capture/epgreader.h"
#include "plugin/settings.h"
#include "tests/support/harness.h"
#include "tests/xmltv/xmltv_support.h"
#include "tools/streamgen/describe.h"
#include "tools/streamgen/guide.h"
#include "tools/streamgen/sampleguides.h"

namespace {

// 2024-05-14 18:00:30 UTC: no demo event ends within seconds of it, so the
// moments of the two captures cannot fall on different sides of an end.
const long long kClock = 1715709630;
const char kBoxDevice[] = "/dev/dvb/card0/demux0";

std::string Stream(const streamgen::Guide& guide)
{
    streamgen::Bytes ts = streamgen::BuildStream(guide);
    return std::string(ts.begin(), ts.end());
}

ProcessResult Grab(const std::vector<std::string>& args)
{
    std::vector<std::string> argv = {GRAB_PATH, "--clock", std::to_string(kClock)};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProcess(argv, 60000);
}

class GrabTest : public ::testing::Test {
protected:
    GrabTest() : zone_("Europe/Rome") {}

    TzScope zone_;
    TempBoxRoot root;
    TempDir dir;
};

}  // namespace

TEST_F(GrabTest, WritesThePluginsFileByteForByte)
{
    root.setClock(kClock);
    root.makeDir("/hdd");
    streamgen::Guide guide = streamgen::DemoGuide(kClock);
    root.write(kBoxDevice, Stream(guide));

    struct Case {
        const char* what;
        const char* settings;  // the plug-in's settings file
        std::vector<std::string> options;
    } cases[] = {
        {"everything", "", {}},
        {"without themes", "noThemes=1\n", {"--no-themes"}},
        {"without summaries", "noSummaries=1\n", {"--no-summaries"}},
    };
    for (const Case& c : cases) {
        root.write(SETTINGS_FILE, c.settings);
        root.remove("/hdd/epg.dat");
        ScriptedRun run;
        run.run([] {
            EPGReader r;
            r.SetFilename("/hdd/epg.dat");
            r.DoDownloadEPG();
        });
        for (const BoxSeen& box : run.boxes())
            ADD_FAILURE() << c.what << ": the plug-in's capture showed \"" << box.text << "\"";
        std::string plugin = root.read("/hdd/epg.dat");
        ASSERT_NE(plugin.find("\nC 4101 "), std::string::npos) << c.what;

        std::string out = dir / "epg.dat";
        std::vector<std::string> args = {"--device", root.path(kBoxDevice), "--output", out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ProcessResult r = Grab(args);
        EXPECT_EQ(r.status, 0) << c.what << ": " << r.err;
        EXPECT_TRUE(ReadAll(out) == plugin) << c.what << ": the grabber's file differs from the plug-in's";
    }
}

TEST_F(GrabTest, TellsEachStageWithTheCounts)
{
    streamgen::Guide guide = streamgen::DemoGuide(kClock);
    WriteAll(dir / "demo.ts", Stream(guide));
    ProcessResult r = Grab({"--device", dir / "demo.ts", "--output", dir / "epg.dat"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::vector<std::string> expected = {
        "udovor-grab: reading time offset...",
        "udovor-grab: clock correction: 0 s",
        "udovor-grab: reading titles...",
        "  titles: " + std::to_string(guide.events.size()),
        "udovor-grab: reading themes...",
        "udovor-grab: reading channel names...",
        "  channels: " + std::to_string(guide.channels.size()),
        "udovor-grab: reading summaries...",
        "  summaries: " + std::to_string(guide.summaries.size()),
        "udovor-grab: writing " + dir / "epg.dat" + "...",
        "udovor-grab: done",
    };
    size_t at = 0;
    for (const std::string& line : expected) {
        size_t found = r.err.find(line + "\n", at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << r.err;
        at = found + line.size();
    }
}

TEST_F(GrabTest, XmltvOfTheDemoGuideIsValid)
{
    REQUIRE_XML_TOOLS();
    WriteAll(dir / "demo.ts", Stream(streamgen::DemoGuide(kClock)));
    std::string xml = dir / "demo.xml";
    ProcessResult r = Grab({"--device", dir / "demo.ts", "--xmltv", xml});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(DtdProblems(xml), "");
    if (access(kTvValidate, X_OK) == 0) {
        ProcessResult v = runProcess({kTvValidate, "--dtd-file", kXmltvDtd, xml});
        EXPECT_EQ(v.status, 0) << v.out << v.err;
    }
    EXPECT_EQ(XPath(xml, "count(//channel)"), "6");
    EXPECT_NE(XPath(xml, "count(//programme[desc])"), "0");
    // With --xmltv alone no EPG data file is left behind.
    ProcessResult ls = runProcess({"/bin/ls", "-A", dir.path()});
    EXPECT_EQ(ls.out, "demo.ts\ndemo.xml\n");
}

TEST_F(GrabTest, FailuresAndPartialCaptures)
{
    // Null packets only: a transport stream without any table.
    std::string nulls;
    for (int i = 0; i < 20; ++i)
        nulls += std::string("\x47\x1F\xFF\x10", 4) + std::string(184, '\xFF');
    WriteAll(dir / "nulls.ts", nulls);

    // A guide without summaries.
    streamgen::Guide bare;
    std::string why;
    ASSERT_TRUE(streamgen::ParseDescription("channel 4101 Uno\ntheme 0x00 Film\nevent 1 0x00 tue 20:00 60 7 Titolo\n",
                                            kClock, &bare, &why))
        << why;
    WriteAll(dir / "bare.ts", Stream(bare));

    struct Case {
        const char* what;
        std::vector<std::string> args;
        int status;
        const char* message;  // a line of standard error
        bool written;         // whether out.dat exists afterwards
    } cases[] = {
        {"no device", {"--device", dir / "none"}, 1, "udovor-grab: error: cannot open ", false},
        {"no tables", {"--device", dir / "nulls.ts"}, 1, "udovor-grab: error: no usable time offset table", false},
        {"no summaries", {"--device", dir / "bare.ts"}, 3, "udovor-grab: warning: summaries incomplete", true},
        {"summaries not asked for", {"--device", dir / "bare.ts", "--no-summaries"}, 0, "udovor-grab: done", true},
        {"output not creatable", {"--device", dir / "bare.ts", "--no-summaries", "--output", dir / "x/y.dat"}, 1,
         "udovor-grab: error: cannot save the guide", false},
        {"bad option", {"--frobnicate"}, 2, "udovor-grab: unknown option", false},
        {"bad timeout", {"--timeout", "0"}, 2, "udovor-grab: --timeout takes seconds", false},
        {"unknown charset", {"--device", dir / "bare.ts", "--xmltv", "-", "--charset", "NO-SUCH-42"}, 2,
         "udovor-grab: error: unknown character set", false},
    };
    for (const Case& c : cases) {
        std::string out = dir / "out.dat";
        runProcess({"/bin/rm", "-f", out});
        std::vector<std::string> args = c.args;
        if (std::find(args.begin(), args.end(), "--output") == args.end()) {
            args.push_back("--output");
            args.push_back(out);
        }
        ProcessResult r = Grab(args);
        EXPECT_EQ(r.status, c.status) << c.what << ": " << r.err;
        EXPECT_NE(r.err.find(std::string(c.message)), std::string::npos) << c.what << ": " << r.err;
        EXPECT_EQ(access(out.c_str(), F_OK) == 0, c.written) << c.what;
        if (c.written) {
            EXPECT_NE(ReadAll(out).find("\nT Titolo"), std::string::npos) << c.what;
        }
    }
}
