// epg2xmltv as a program: the fixtures converted, checked against the XMLTV
// DTD and read back through an XML parser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/xmltv/xmltv_support.h"

namespace {

ProcessResult Convert(const std::vector<std::string>& args)
{
    std::vector<std::string> argv = {EPG2XMLTV_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProcess(argv);
}

// The fixture converted into dir; the document's path.
std::string Converted(const TempDir& dir, const std::string& fixture, const std::string& tz = "Europe/Rome")
{
    TzScope zone(tz.c_str());
    std::string out = dir / (fixture + ".xml");
    ProcessResult r = Convert({"--output", out, FixturePath(fixture)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return out;
}

std::string Programme(const std::string& channel, const std::string& start)
{
    return "//programme[@channel='" + channel + "'][@start='" + start + "']";
}

}  // namespace

TEST(Epg2Xmltv, FixturesAreValidXmltv)
{
    REQUIRE_XML_TOOLS();
    TempDir dir;
    for (const char* fixture : {"guide.dat", "offset-change.dat"}) {
        std::string out = Converted(dir, fixture);
        EXPECT_EQ(DtdProblems(out), "") << fixture;
        if (access(kTvValidate, X_OK) == 0) {
            ProcessResult v = runProcess({kTvValidate, "--dtd-file", kXmltvDtd, out});
            EXPECT_EQ(v.status, 0) << fixture << ": " << v.out << v.err;
        }
    }
}

TEST(Epg2Xmltv, TextsWithAccentsAndXmlSpecialsComeBackAsBroadcast)
{
    REQUIRE_XML_TOOLS();
    TempDir dir;
    std::string out = Converted(dir, "guide.dat");
    std::string first = Programme("4101.udovor", "20240516200000 +0200");
    // The bytes were ISO-8859-15: è is 0xE8, the euro sign 0xA4.
    EXPECT_EQ(XPath(out, "string(" + first + "/title)"), "Caff\xc3\xa8 & \"T\xc3\xa8\" <Sera>");
    EXPECT_EQ(XPath(out, "string(" + first + "/desc)"), "Prezzo 5 \xe2\x82\xac, l'ultima 'serata'.");
    EXPECT_EQ(XPath(out, "string(" + first + "/category)"), "Notiziario");
    EXPECT_EQ(XPath(out, "string(" + Programme("4102.udovor", "20240516210000 +0200") + "/title)"),
              "Citt\xc3\xa0 Segreta");
    EXPECT_EQ(XPath(out, "string(//channel[@id='4101.udovor']/display-name)"), "Canale Brezza");
    EXPECT_EQ(XPath(out, "count(//channel)"), "2");

    // The padded title is cut, the empty theme gives no category, the event
    // without a D line no desc.
    std::string padded = Programme("4101.udovor", "20240517210000 +0200");
    EXPECT_EQ(XPath(out, "string(" + padded + "/title)"), "Il Ritorno");
    EXPECT_EQ(XPath(out, "count(" + padded + "/category)"), "0");
    EXPECT_EQ(XPath(out, "count(" + padded + "/desc)"), "0");
}

TEST(Epg2Xmltv, ReplaysBecomeProgrammesWithTheirFlags)
{
    REQUIRE_XML_TOOLS();
    TempDir dir;
    std::string out = Converted(dir, "guide.dat");
    // Three events; of the three replays one is new, one joins the event at
    // its start, one names no channel of the file.
    EXPECT_EQ(XPath(out, "count(//programme)"), "4");

    // 16/05/2024 23:00 in Rome is 21:00 UTC, 23:00 at the provider's +2 h;
    // its stop is the event's duration later.
    std::string replay = Programme("4102.udovor", "20240516230000 +0200");
    EXPECT_EQ(XPath(out, "string(" + replay + "/@stop)"), "20240516233000 +0200");
    EXPECT_EQ(XPath(out, "string(" + replay + "/title)"), "Caff\xc3\xa8 & \"T\xc3\xa8\" <Sera>");
    EXPECT_EQ(XPath(out, "count(" + replay + "/subtitles)"), "1");
    EXPECT_EQ(XPath(out, "string(" + replay + "/rating[@system='VM']/value)"), "VM");
    EXPECT_EQ(XPath(out, "count(" + replay + "/last-chance)"), "0");
    EXPECT_EQ(XPath(out, "count(" + replay + "/keyword)"), "0");

    // The replay on the event already there: one programme, with the flags.
    std::string joined = Programme("4101.udovor", "20240517210000 +0200");
    EXPECT_EQ(XPath(out, "count(" + joined + ")"), "1");
    EXPECT_EQ(XPath(out, "string(" + joined + "/title)"), "Il Ritorno");
    EXPECT_EQ(XPath(out, "count(" + joined + "/last-chance)"), "1");
    EXPECT_EQ(XPath(out, "string(" + joined + "/keyword)"), "original-version");
    EXPECT_EQ(XPath(out, "count(" + joined + "/rating)"), "0");
}

TEST(Epg2Xmltv, ReplayTimesAreReadInTheZoneOfTheEnvironment)
{
    REQUIRE_XML_TOOLS();
    TempDir dir;
    struct Case {
        const char* tz;
        const char* start;  // the replay of 16/05/2024 23:00 on TeleCorvino
    } cases[] = {
        {"Europe/Rome", "20240516230000 +0200"},
        {"UTC", "20240517010000 +0200"},
        {"America/New_York", "20240517050000 +0200"},
    };
    for (const Case& c : cases) {
        TempDir zoneDir;
        std::string out = Converted(zoneDir, "guide.dat", c.tz);
        EXPECT_EQ(XPath(out, "count(" + Programme("4102.udovor", c.start) + ")"), "1") << c.tz;
        // The E lines are Unix times: the zone does not move them.
        EXPECT_EQ(XPath(out, "count(" + Programme("4101.udovor", "20240516200000 +0200") + ")"), "1") << c.tz;
    }
}

TEST(Epg2Xmltv, TimesAroundTheChangeOfOffset)
{
    REQUIRE_XML_TOOLS();
    TempDir dir;
    std::string out = Converted(dir, "offset-change.dat");
    // The change is at 2024-10-27 01:00 UTC: 03:00 at +2 h becomes 02:00 at
    // +1 h, so the wall clock shows 02:00 to 03:00 twice.
    struct Case {
        const char* channel;
        const char* title;
        const char* start;
        const char* stop;
    } cases[] = {
        {"4101.udovor", "Prima", "20241027020000 +0200", "20241027020000 +0100"},  // ends at the change
        {"4101.udovor", "Dopo", "20241027020000 +0100", "20241027023000 +0100"},   // starts at it
        {"4102.udovor", "A cavallo", "20241027023000 +0200", "20241027023000 +0100"},
    };
    EXPECT_EQ(XPath(out, "count(//programme)"), "3");
    for (const Case& c : cases) {
        std::string p = "//programme[@channel='" + std::string(c.channel) + "'][title='" + c.title + "']";
        EXPECT_EQ(XPath(out, "string(" + p + "/@start)"), c.start) << c.title;
        EXPECT_EQ(XPath(out, "string(" + p + "/@stop)"), c.stop) << c.title;
    }
}

TEST(Epg2Xmltv, WritesToStandardOutputWithoutOutputFile)
{
    TzScope zone("Europe/Rome");
    TempDir dir;
    std::string file = dir / "guide.xml";
    ProcessResult toFile = Convert({"-o", file, FixturePath("guide.dat")});
    ProcessResult toStdout = Convert({FixturePath("guide.dat")});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    ASSERT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, ReadAll(file));
    EXPECT_EQ(toStdout.out.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u);
}

TEST(Epg2Xmltv, CharsetOptionChangesTheDecoding)
{
    TzScope zone("UTC");
    ProcessResult latin1 = Convert({"--charset", "ISO-8859-1", FixturePath("guide.dat")});
    ASSERT_EQ(latin1.status, 0) << latin1.err;
    EXPECT_NE(latin1.out.find("Prezzo 5 \xc2\xa4,"), std::string::npos) << "0xA4 is the currency sign in Latin-1";
    ProcessResult utf8 = Convert({"--charset", "UTF-8", FixturePath("guide.dat")});
    ASSERT_EQ(utf8.status, 0) << utf8.err;
    EXPECT_NE(utf8.out.find("Caff\xef\xbf\xbd &amp;"), std::string::npos) << "invalid bytes become U+FFFD";
}

TEST(Epg2Xmltv, FailuresExitNonZeroWithOneLine)
{
    TempDir dir;
    WriteAll(dir / "bad.dat", "GC 0\nGN 0\nGT 0\nE 0 1 2\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{dir / "missing.dat"}, 1, "missing.dat: No such file or directory"},
        {{dir / "bad.dat"}, 1, "bad.dat: line 4: event outside a channel block"},
        {{"--charset", "NO-SUCH-42", FixturePath("guide.dat")}, 1, "unknown character set: NO-SUCH-42"},
        {{"-o", dir / "no-dir/out.xml", FixturePath("guide.dat")}, 1, "out.xml.tmp: No such file or directory"},
        {{}, 2, "no EPG data file given"},
        {{"a.dat", "b.dat"}, 2, "give one EPG data file"},
        {{"--frobnicate", "a.dat"}, 2, "unknown option"},
    };
    for (const Case& c : cases) {
        ProcessResult r = Convert(c.args);
        std::string line = r.err.substr(0, r.err.find('\n'));
        EXPECT_EQ(r.status, c.status) << line;
        EXPECT_NE(line.find(c.message), std::string::npos) << line;
        EXPECT_EQ(line.rfind("epg2xmltv: ", 0), 0u) << line;
        EXPECT_EQ(r.out, "") << "nothing on standard output after a failure";
    }
}
