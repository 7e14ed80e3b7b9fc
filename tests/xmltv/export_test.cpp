// The converter's pieces in-process: reading an EPG data file, the R line,
// the character set conversion and the XMLTV times.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/xmltv/xmltv_support.h"
#include "tools/epg2xmltv/charset.h"
#include "tools/epg2xmltv/epgdata.h"
#include "tools/epg2xmltv/xmltvwriter.h"

using namespace xmltv;

namespace {

const std::string kHeader = "GC 7200\nGN 3600\nGT 1729990800\n";

bool Read(const std::string& text, EpgData* data, std::string* error)
{
    std::istringstream in(text);
    return ReadEpgData(in, data, error);
}

}  // namespace

TEST(EpgDataReader, TakesTheFixtureApart)
{
    std::ifstream in(FixturePath("guide.dat"), std::ios::binary);
    EpgData d;
    std::string error;
    ASSERT_TRUE(ReadEpgData(in, &d, &error)) << error;
    EXPECT_EQ(d.offsets.current, 7200);
    EXPECT_EQ(d.offsets.next, 3600);
    EXPECT_EQ(d.offsets.change, 1729990800);
    ASSERT_EQ(d.channels.size(), 2u);
    EXPECT_EQ(d.channels[0].id, "4101");
    EXPECT_EQ(d.channels[0].name, "Canale Brezza");
    ASSERT_EQ(d.events.size(), 3u);
    const Event& first = d.events[0];
    EXPECT_EQ(first.channel, 0);
    EXPECT_EQ(first.start, 1715882400);
    EXPECT_EQ(first.duration, 1800);
    EXPECT_EQ(first.title, "Caff\xe8 & \"T\xe8\" <Sera>");
    EXPECT_EQ(first.theme, "Notiziario");
    EXPECT_EQ(first.summary, "Prezzo 5 \xa4, l'ultima 'serata'. ");
    ASSERT_EQ(first.replays.size(), 3u);
    EXPECT_EQ(first.replays[0].channelName, "TeleCorvino");
    EXPECT_TRUE(first.replays[0].vm && first.replays[0].subtitles);
    EXPECT_FALSE(first.replays[0].vo || first.replays[0].lastChance);
    EXPECT_EQ(d.events[1].summary, "") << "an event without a D line has no summary";
    EXPECT_TRUE(d.events[1].replays.empty());
    EXPECT_EQ(d.events[2].channel, 1);
}

TEST(EpgDataReader, ReadsCrLfLinesAndLongSummariesWhole)
{
    std::string summary(2500, 'x');
    std::string text = kHeader + "C 7 Uno Due\nE 0 100 60\nT t\nD " + summary + "\ne\nc\n";
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& file : {text, crlf}) {
        EpgData d;
        std::string error;
        ASSERT_TRUE(Read(file, &d, &error)) << error;
        ASSERT_EQ(d.events.size(), 1u);
        EXPECT_EQ(d.events[0].summary, summary);
        EXPECT_EQ(d.channels[0].name, "Uno Due");
    }
}

TEST(EpgDataReader, ReportsDamagedFilesWithTheLine)
{
    struct Case {
        const char* what;
        std::string text;
        const char* error;
    } cases[] = {
        {"empty file", "", "line 0: not an EPG data file"},
        {"not an EPG file", "hello\n", "line 1: not an EPG data file"},
        {"header out of order", "GN 1\nGC 2\nGT 3\n", "line 1: the header"},
        {"header number", "GC 7200x\nGN 0\nGT 0\n", "line 1: bad number"},
        {"guide before header", "GC 0\nC 1 A\n", "line 2: no GC, GN and GT"},
        {"event outside a block", kHeader + "E 0 1 2\n", "line 4: event outside"},
        {"bad start", kHeader + "C 1 A\nE 0 12a 60\n", "line 5: bad event line"},
        {"duration too large", kHeader + "C 1 A\nE 0 100 65536\n", "line 5: bad event line"},
        {"start beyond 32 bits", kHeader + "C 1 A\nE 0 2147483648 60\n", "line 5: bad event line"},
        {"title outside an event", kHeader + "C 1 A\nT x\n", "line 5: event line outside"},
        {"bad replay", kHeader + "C 1 A\nE 0 100 60\nR A 32/01/2024 10:00\n", "line 6: bad replay"},
        {"unclosed event", kHeader + "C 1 A\nE 0 100 60\nT x\n", "line 6: the file ends inside an event"},
        {"channel inside an event", kHeader + "C 1 A\nE 0 100 60\nC 2 B\n", "line 6: channel opened"},
    };
    for (const Case& c : cases) {
        EpgData d;
        std::string error;
        EXPECT_FALSE(Read(c.text, &d, &error)) << c.what;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.what << ": " << error;
    }
}

TEST(EpgDataReader, AcceptsNegativeOffsetsAndAHeaderOnlyFile)
{
    EpgData d;
    std::string error;
    ASSERT_TRUE(Read("GC -12600\nGN -9000\nGT 5\n", &d, &error)) << error;
    EXPECT_EQ(d.offsets.current, -12600);
    EXPECT_EQ(d.offsets.next, -9000);
    EXPECT_TRUE(d.channels.empty());
}

TEST(ReplayLine, TakesNameDateTimeAndFlagsApart)
{
    struct Case {
        std::string value;
        const char* name;
        int day, month, year, hour, minute;
        bool vm, vo, st, last;
    } cases[] = {
        {"Canale Brezza  5/05/2024 09:07", "Canale Brezza", 5, 5, 2024, 9, 7, false, false, false, false},
        {"TeleCorvino 16/12/2024 23:59 - VM - VO - ST - Ultima replica", "TeleCorvino", 16, 12, 2024, 23, 59, true,
         true, true, true},
        {"X 01/01/2025 00:00 - VO - Ultima replica", "X", 1, 1, 2025, 0, 0, false, true, false, true},
        // A replay on a channel the table does not name: the name is empty.
        {"  1/02/2024 10:30 - ST", "", 1, 2, 2024, 10, 30, false, false, true, false},
        // A name that ends like a flag is still a name.
        {"Rete - VM 10/10/2024 10:10", "Rete - VM", 10, 10, 2024, 10, 10, false, false, false, false},
    };
    for (const Case& c : cases) {
        Replay r;
        ASSERT_TRUE(ParseReplay(c.value, &r)) << c.value;
        EXPECT_EQ(r.channelName, c.name) << c.value;
        EXPECT_EQ(r.day, c.day) << c.value;
        EXPECT_EQ(r.month, c.month) << c.value;
        EXPECT_EQ(r.year, c.year) << c.value;
        EXPECT_EQ(r.hour, c.hour) << c.value;
        EXPECT_EQ(r.minute, c.minute) << c.value;
        EXPECT_EQ(r.vm, c.vm) << c.value;
        EXPECT_EQ(r.vo, c.vo) << c.value;
        EXPECT_EQ(r.subtitles, c.st) << c.value;
        EXPECT_EQ(r.lastChance, c.last) << c.value;
    }
    for (const char* bad : {"", "A", "A 5/05/2024 09:07", "A 05-05-2024 09:07", "A 05/13/2024 09:07",
                            "A 05/05/2024 24:00", "A 05/05/2024 09:07 - XX", "A05/05/2024 09:07"}) {
        Replay r;
        EXPECT_FALSE(ParseReplay(bad, &r)) << bad;
    }
}

TEST(Charset, ConvertsToXmlSafeUtf8)
{
    struct Case {
        const char* charset;
        std::string in;
        std::string out;
    } cases[] = {
        {"ISO-8859-15", "Caff\xe8 5 \xa4", "Caff\xc3\xa8 5 \xe2\x82\xac"},        // the euro sign of Latin-9
        {"ISO-8859-1", "5 \xa4", "5 \xc2\xa4"},                                   // the currency sign of Latin-1
        {"UTF-8", "ok \xc3\xa8", "ok \xc3\xa8"},                                  // valid input passes
        {"UTF-8", "a\xff" "b", "a\xef\xbf\xbd" "b"},                             // an invalid byte is replaced
        {"UTF-8", "a\xc3", "a\xef\xbf\xbd"},                                     // a sequence cut at the end
        {"UTF-8", "\xe2\x82", "\xef\xbf\xbd\xef\xbf\xbd"},                        // one replacement per byte
        {"UTF-8", "x\xef\xbf\xbe", "x\xef\xbf\xbd"},                              // a non-character
        {"ISO-8859-15", "a\x01" "b\tc\x1f", "a\xef\xbf\xbd" "b\tc\xef\xbf\xbd"},  // controls XML forbids
        {"ISO-8859-15", "", ""},
    };
    for (const Case& c : cases) {
        Utf8Converter conv(c.charset);
        ASSERT_TRUE(conv.ok()) << c.charset;
        EXPECT_EQ(conv.Convert(c.in), c.out) << c.charset << ": " << c.in;
    }
    Utf8Converter big("ISO-8859-15");
    std::string many(10000, '\xe8');
    std::string converted = big.Convert(many);
    EXPECT_EQ(converted.size(), 20000u) << "a text longer than the conversion buffer";
    EXPECT_EQ(converted.substr(19998), "\xc3\xa8");
    EXPECT_FALSE(Utf8Converter("NO-SUCH-CHARSET-42").ok());
}

TEST(Charset, EscapesTheXmlSpecials)
{
    std::string out;
    AppendEscaped(&out, "a<b>&\"c'd");
    EXPECT_EQ(out, "a&lt;b&gt;&amp;&quot;c&apos;d");
}

TEST(XmltvTimes, UseTheOffsetInForceAtEachInstant)
{
    ProviderOffsets italy{7200, 3600, 1729990800};  // change 2024-10-27 01:00 UTC
    ProviderOffsets west{-12600, -9000, 1710054000};
    ProviderOffsets odd{7230, 7230, 0};
    struct Case {
        const ProviderOffsets* o;
        int64_t t;
        const char* text;
    } cases[] = {
        {&italy, 1729990800 - 1, "20241027025959 +0200"},
        {&italy, 1729990800, "20241027020000 +0100"},  // the change itself uses the next offset
        {&italy, 1715882400, "20240516200000 +0200"},
        {&west, 1710054000 - 60, "20240310032900 -0330"},
        {&west, 1710054000, "20240310043000 -0230"},
        {&odd, 1729990800, "20241027010000 +0000"},  // not whole minutes: plain UTC
    };
    for (const Case& c : cases)
        EXPECT_EQ(XmltvTime(*c.o, c.t), c.text) << c.t;
}
