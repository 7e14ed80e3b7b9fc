// The programme listing of one channel: rows and keys for the day separator
// modes and the date layouts, the running event brought into view, and
// files that do not read as expected.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/detail/detail_fixture.h"

namespace {

using Rows_t = std::vector<std::string>;

const char kNews[] = "20:00 | News \t| 30'|0";
const char kFilm[] = "20:30 | Film \t| 120'|1";
const char kLate[] = "00:40 | Late \t| 0'|2";
const char kMon[] = "**** Lun, 04/03 ****|-1";
const char kTue[] = "**** Mar, 05/03 ****|-1";
const char kBlank[] = " |-1";

TEST(Listing, DaySeparatorModes)
{
    struct Case {
        const char* mode;
        Rows_t rows;
    } cases[] = {
        {"0", {kNews, kFilm, kLate}},
        {"1", {kMon, kNews, kFilm, kTue, kLate}},
        {"2", {kBlank, kMon, kNews, kFilm, kBlank, kTue, kLate}},
        {"3", {kMon, kBlank, kNews, kFilm, kTue, kBlank, kLate}},
        {"5", {kMon, kNews, kFilm, kTue, kLate}},
        {"-1", {kMon, kNews, kFilm, kTue, kLate}},
    };
    for (const auto& c : cases) {
        DetailBox box(std::string("daySeparator=") + c.mode + "\n");
        ScriptedRun run("ok");
        RunDetail(run, KEY_UNO, false);
        EXPECT_EQ(c.rows, Rows(run)) << "daySeparator " << c.mode;
    }
}

TEST(Listing, DaySeparatorDefaultsToOne)
{
    DetailBox box;
    ScriptedRun run("ok");
    RunDetail(run, KEY_UNO, false);
    EXPECT_EQ((Rows_t{kMon, kNews, kFilm, kTue, kLate}), Rows(run));
}

TEST(Listing, DateLayouts)
{
    struct Case {
        const char* format;
        Rows_t rows;
    } cases[] = {
        {"0", {kNews, kFilm, kLate}},
        {"1", {"04/03, 20:00 | News \t| 30'|0", "04/03, 20:30 | Film \t| 120'|1", "05/03, 00:40 | Late \t| 0'|2"}},
        {"2", {"03/04, 20:00 | News \t| 30'|0", "03/04, 20:30 | Film \t| 120'|1", "03/05, 00:40 | Late \t| 0'|2"}},
        {"3",
         {"Lun 03/04, 20:00 | News \t| 30'|0", "Lun 03/04, 20:30 | Film \t| 120'|1",
          "Mar 03/05, 00:40 | Late \t| 0'|2"}},
        {"4",
         {"invalid date format in ini file|0", "invalid date format in ini file|1",
          "invalid date format in ini file|2"}},
        {"abc", {kNews, kFilm, kLate}},  // no digits read as 0
    };
    for (const auto& c : cases) {
        DetailBox box(std::string("daySeparator=0\ndateDisplayFormat=") + c.format + "\n");
        ScriptedRun run("ok");
        RunDetail(run, KEY_UNO, false);
        EXPECT_EQ(c.rows, Rows(run)) << "dateDisplayFormat " << c.format;
    }
}

TEST(Listing, WeekdayNamesComeFromTheSettingsAndAreCut)
{
    DetailBox box("daySeparator=0\ndateDisplayFormat=3\nLbMon=Lunedi\nLbTue=Martedi-lunghissimo\n");
    ScriptedRun run("ok");
    RunDetail(run, KEY_UNO, false, [](eChannelListDetail& w) {
        EXPECT_STREQ("Martedi-lunghi", w.GetWeekdayName(2));
        EXPECT_STREQ("Dom", w.GetWeekdayName(0));
    });
    const Rows_t rows = Rows(run);
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ("Lunedi 03/04, 20:00 | News \t| 30'|0", rows[0]);
    EXPECT_EQ("Martedi-lunghi 03/05, 00:40 | Late \t| 0'|2", rows[2]);
}

TEST(Listing, AnInvalidLayoutKeepsTheSeparatorsAndTheKeys)
{
    DetailBox box("daySeparator=1\ndateDisplayFormat=9\n");
    ScriptedRun run("ok");
    RunDetail(run, KEY_UNO, false);
    EXPECT_EQ((Rows_t{kMon, "invalid date format in ini file|0", "invalid date format in ini file|1", kTue,
                      "invalid date format in ini file|2"}),
              Rows(run));
}

TEST(Listing, FillCountsTheEventsListed)
{
    DetailBox box("daySeparator=1\n");
    struct Case {
        long key;
        int count;
        Rows_t rows;
    } cases[] = {
        {KEY_UNO, 3, {kMon, kNews, kFilm, kTue, kLate}},
        // The last block runs to the end of the file.
        {KEY_DUE, 2, {kMon, "21:00 | Sport \t| 60'|0", "22:00 | Meteo \t| 5'|1"}},
    };
    for (const auto& c : cases) {
        ScriptedRun run;
        EXPECT_EQ(c.count, FillOnly(run, c.key, false)) << c.key;
        EXPECT_EQ(c.rows, Rows(run)) << c.key;
    }
}

// The cursor on the running event: the key of the row made current.
TEST(Listing, RunningEventIsBroughtIntoView)
{
    struct Case {
        long now;
        const char* focus;
        long current;  // key of the current row after set-up
        const char* what;
    } cases[] = {
        {MON_2000 + 60, "1", 0, "inside the first event"},
        {MON_2030, "1", 1, "exactly at the second start"},
        {MON_2030 - 1, "1", 0, "a second before the second start"},
        {MON_2000 - 1, "1", -1, "before the first event: the first row stays"},
        {TUE_0040, "1", -1, "at the last start: the last is never chosen"},
        {TUE_0040 + 9999, "1", -1, "after the last start"},
        {MON_2000 + 60, "0", -1, "focusEpg 0"},
    };
    for (const auto& c : cases) {
        DetailBox box(std::string("daySeparator=1\nfocusEpg=") + c.focus + "\nlocalOffset=" +
                      std::to_string(c.now + 1) + "\n");
        ScriptedRun run("ok");
        RunDetail(run, KEY_UNO, false);
        EXPECT_EQ(c.current, LastCurrentKey(run)) << c.what;
    }
}

TEST(Listing, NoBroadcastTimeAndNoOffsetBringsNothingIntoView)
{
    DetailBox box("daySeparator=0\n");
    ScriptedRun run("ok");
    RunDetail(run, KEY_UNO, false);
    // The cursor stays on the first row as filling left it.
    EXPECT_EQ(0, LastCurrentKey(run));
    const auto boxes = run.boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(0u, boxes[0].text.rfind("Cannot open DEMUX DEVICE for T. Time: ", 0));
}

TEST(Listing, IsFilledBehindThePleaseWaitBox)
{
    DetailBox box("daySeparator=0\n");
    box.root.write("/var/korvadel/tivumo_lang.conf", "lbPleaseWait=Un momento\n");
    ScriptedRun run("ok");
    RunDetail(run, KEY_UNO, false);
    // The order of what happens: the box shown with the label's text, the
    // rows filled, the box hidden, then the listing shown.
    int waitWin = -1;
    std::vector<std::string> order;
    for (const auto& e : run.events()) {
        if (e.ev == "show" && waitWin == -1 && e.title != "Dedicated to Wembrilla")
            waitWin = e.win;
        if (e.ev == "show")
            order.push_back(e.win == waitWin ? "wait shown" : "listing shown");
        else if (e.ev == "widget" && e.win == waitWin && e.type == "label")
            order.push_back("wait says " + e.text);
        else if (e.ev == "hide" && e.win == waitWin)
            order.push_back("wait hidden");
        else if (e.ev == "entry" && (order.empty() || order.back() != "rows"))
            order.push_back("rows");
    }
    EXPECT_EQ((std::vector<std::string>{"wait shown", "wait says Un momento", "rows", "wait hidden",
                                        "listing shown"}),
              order);
}

TEST(Listing, MissingFileGivesOneEntry)
{
    DetailBox box;
    box.root.remove("/hdd/epg.dat");
    ScriptedRun run;
    EXPECT_EQ(-1, FillOnly(run, KEY_UNO, false));
    EXPECT_EQ((Rows_t{"Cannot open . */hdd/epg.dat|-1"}), Rows(run));
    // Through the set-up nothing is brought into view, whatever now is.
    box.settings("localOffset=" + std::to_string(MON_2000 + 61) + "\n");
    ScriptedRun shown("ok");
    RunDetail(shown, KEY_UNO, false);
    EXPECT_EQ((Rows_t{"Cannot open . */hdd/epg.dat|-1"}), Rows(shown));
    EXPECT_EQ(-1, LastCurrentKey(shown));
}

TEST(Listing, FilesThatDoNotReadAsExpected)
{
    const std::string head = "GC 0\nGN 0\nGT 0\n";
    struct Case {
        std::string epg;
        long key;
        Rows_t rows;
        const char* what;
    } cases[] = {
        {head + "C 1 A\r\nT X\r\nX 1709582400\r\nL 5\r\ne\r\nc\r\n", 4, {"20:00 | X \t| 5'|0"}, "CR LF ends"},
        {head + "C 1 A\nT X\nX 1709582400\ne\nL 7\ne\nc\n", 4,
         {"20:00 | X \t| 0'|0", "00:00 |  \t| 7'|1"}, "events without some lines start empty"},
        {head + "C 1 A\nT X\ne\nc\nC 2 B\nT Y\ne\nc\n", 2, {}, "key on a header line: reads to the first C"},
        {head + "C 1 A\nT X\ne\nc\n", 99, {}, "key past the end"},
        {head + "C 1 A\nc\nC 2 B\nT Y\ne\nc\n", 4, {}, "a block without events"},
        {head + "C 1 A\nT X\ne\nc\n", -1, {}, "key -1 (the channel list's error entry)"},
        {head + "C 1 A\nT X\nS\nD\nL\nX\ne\nc\n", 4, {"00:00 | X \t| 0'|0"}, "lines with nothing after the tag"},
    };
    for (const auto& c : cases) {
        DetailBox box("daySeparator=0\n", c.epg);
        ScriptedRun run("ok");
        RunDetail(run, c.key, false);
        EXPECT_EQ(c.rows, Rows(run)) << c.what;
    }
}

TEST(Listing, ALongTitleIsCutToTheRow)
{
    DetailBox box("daySeparator=0\n",
                  "GC 0\nGN 0\nGT 0\nC 1 A\nT " + std::string(1200, 'x') + "\nX 1709582400\ne\nc\n");
    ScriptedRun run("ok");
    RunDetail(run, 4, false, [](eChannelListDetail& w) {
        EXPECT_EQ(std::string(997, 'x'), w.GetRecord(0).title);
    });
    // The rest of the title is a read of its own, passed over; the row is
    // cut at 999 characters.
    const Rows_t rows = Rows(run);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("20:00 | " + std::string(991, 'x') + "|0", rows[0]);
}

TEST(Listing, LongSummaryIsTakenInPieces)
{
    // A 1100-byte summary: the record keeps its first 997 bytes; the rest is
    // read as further lines and, beginning with "e", ends the event early.
    const std::string epg = "GC 0\nGN 0\nGT 0\nC 1 A\nT X\nX 1709582400\nD " + std::string(997, 'd') +
                            "e and more\nL 3\ne\nc\n";
    DetailBox box("daySeparator=0\n", epg);
    ScriptedRun run("ok");
    RunDetail(run, 4, false, [](eChannelListDetail& w) {
        EXPECT_EQ(std::string(997, 'd'), w.GetRecord(0).summary);
        EXPECT_STREQ("", w.GetRecord(1).summary);
        EXPECT_EQ(3, w.GetRecord(1).duration);
    });
    EXPECT_EQ((Rows_t{"20:00 | X \t| 0'|0", "00:00 |  \t| 3'|1"}), Rows(run));
}

TEST(Listing, HoldsAtMost512Events)
{
    std::string epg = "GC 0\nGN 0\nGT 0\nC 1 A\n";
    for (int i = 0; i < 600; ++i)
        epg += "T E" + std::to_string(i) + "\nX " + std::to_string(MON_2000 + 60 * i) + "\nD s" +
               std::to_string(i) + "\ne\n";
    epg += "c\n";
    DetailBox box("daySeparator=0\n", epg);
    ScriptedRun run;
    const int count = FillOnly(run, 4, false, 0, [](eChannelListDetail& w) {
        EXPECT_STREQ("E511", w.GetRecord(511).title);
        EXPECT_STREQ("s511", w.GetRecord(511).summary);
    });
    EXPECT_EQ(512, count);
    const Rows_t rows = Rows(run);
    ASSERT_EQ(512u, rows.size());
    EXPECT_EQ("04:31 | E511 \t| 0'|511", rows[511]);
}

}  // namespace
