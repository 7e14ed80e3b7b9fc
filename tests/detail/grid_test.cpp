// The time grid: the running and the next event of every block at a moment.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/detail/detail_fixture.h"

namespace {

using Rows_t = std::vector<std::string>;

const char kUno[] = "Canale Uno|-1";
const char kDue[] = "Canale Due|-1";
const char kBlank[] = " |-1";

TEST(Grid, RowsForAMoment)
{
    struct Case {
        long moment;
        int count;
        Rows_t rows;
        const char* what;
    } cases[] = {
        {0, 4,
         {kUno, "  00:00 \t|0'|0", "  20:00 News\t|30'|1", kBlank, kDue, "  00:00 \t|0'|2", "  21:00 Sport\t|60'|3",
          kBlank},
         "moment 0: empty running line, then the first event"},
        {-5, 4,
         {kUno, "  00:00 \t|0'|0", "  20:00 News\t|30'|1", kBlank, kDue, "  00:00 \t|0'|2", "  21:00 Sport\t|60'|3",
          kBlank},
         "negative moment"},
        {MON_2000 + 60, 4,
         {kUno, "  20:00 News\t|30'|0", "  20:30 Film\t|120'|1", kBlank, kDue, "  00:00 \t|0'|2",
          "  21:00 Sport\t|60'|3", kBlank},
         "inside the first block's events, before the second's"},
        {MON_2030, 4,
         {kUno, "  20:30 Film\t|120'|0", "  00:40 Late\t|0'|1", kBlank, kDue, "  00:00 \t|0'|2",
          "  21:00 Sport\t|60'|3", kBlank},
         "exactly at a start: that event is the running one"},
        {MON_2100, 4,
         {kUno, "  20:30 Film\t|120'|0", "  00:40 Late\t|0'|1", kBlank, kDue, "  21:00 Sport\t|60'|2",
          "  22:00 Meteo\t|5'|3", kBlank},
         "inside both"},
        {MON_2200, 2, {kUno, "  20:30 Film\t|120'|0", "  00:40 Late\t|0'|1", kBlank, kDue},
         "after the second block's events"},
        {TUE_0040 + 1, 0, {kUno, kDue}, "after every event: headers only"},
    };
    for (const auto& c : cases) {
        DetailBox box;
        ScriptedRun run;
        EXPECT_EQ(c.count, FillOnly(run, 0, true, c.moment)) << c.what;
        EXPECT_EQ(c.rows, Rows(run)) << c.what;
    }
}

TEST(Grid, RecordsHoldBothEventsWithTheirOwnFields)
{
    DetailBox box;
    ScriptedRun run;
    FillOnly(run, 0, true, MON_2030 + 1, [](eChannelListDetail& w) {
        // The running event has no D line; its predecessor's summary must
        // not leak into it.
        EXPECT_STREQ("Film", w.GetRecord(0).title);
        EXPECT_STREQ("", w.GetRecord(0).summary);
        EXPECT_STREQ("Cinema", w.GetRecord(0).theme);
        EXPECT_EQ(120, w.GetRecord(0).duration);
        EXPECT_EQ(MON_2030, w.GetRecord(0).start);
        EXPECT_STREQ("Late", w.GetRecord(1).title);
        EXPECT_STREQ("Night talk", w.GetRecord(1).summary);
        EXPECT_STREQ("", w.GetRecord(1).theme);
        // The second block starts afresh.
        EXPECT_STREQ("", w.GetRecord(2).title);
        EXPECT_EQ(0, w.GetRecord(2).start);
        EXPECT_STREQ("Sport", w.GetRecord(3).title);
        EXPECT_EQ(nullptr, w.GetRecord(0).entry);
    });
}

TEST(Grid, MissingFileIsAnEmptyGrid)
{
    DetailBox box;
    box.root.remove("/hdd/epg.dat");
    ScriptedRun run;
    EXPECT_EQ(0, FillOnly(run, 0, true, MON_2000));
    EXPECT_TRUE(Rows(run).empty());
}

TEST(Grid, HoldsAtMost256ListedChannels)
{
    std::string epg = "GC 0\nGN 0\nGT 0\n";
    for (int i = 0; i < 300; ++i)
        epg += "C " + std::to_string(i) + " Ch" + std::to_string(i) + "\nT P" + std::to_string(i) + "\nX 100\ne\nc\n";
    DetailBox box("", epg);
    ScriptedRun run;
    const int count = FillOnly(run, 0, true, 50, [](eChannelListDetail& w) {
        EXPECT_STREQ("P255", w.GetRecord(511).title);
    });
    EXPECT_EQ(512, count);
    const Rows_t rows = Rows(run);
    ASSERT_EQ(256u * 4u, rows.size());
    EXPECT_EQ("Ch255|-1", rows[255 * 4]);
    EXPECT_EQ("  00:01 P255\t|0'|511", rows[255 * 4 + 2]);
}

TEST(Grid, HeaderOfACLineWithoutName)
{
    DetailBox box("", "GC 0\nGN 0\nGT 0\nC 7\nT P\nX 100\ne\nc\nC 8 B\r\n");
    ScriptedRun run;
    EXPECT_EQ(2, FillOnly(run, 0, true, 0));
    EXPECT_EQ((Rows_t{"|-1", "  00:00 \t|0'|0", "  00:01 P\t|0'|1", kBlank, "B|-1"}), Rows(run));
}

TEST(Grid, RunsThroughTheWindowWithItsTitles)
{
    DetailBox box(std::string("localOffset=") + std::to_string(MON_2000 + 61) + "\n");
    // Set-up box; then down onto the running line, down, down onto the blank.
    ScriptedRun run("ok down down down");
    RunDetail(run, 0, true);
    // The grid's records carry no row: nothing is brought into view.
    std::vector<long> current;
    for (const auto& e : run.of("current"))
        current.push_back(e.entryKey);
    ASSERT_FALSE(current.empty());
    EXPECT_EQ(-1, current[0]);
    std::vector<std::string> titles;
    for (const auto& e : run.of("title"))
        if (e.win == DetailWindow(run))
            titles.push_back(e.title);
    EXPECT_EQ((std::vector<std::string>{"titolo - Lun 04/03", "titolo - Lun 04/03", "dedicated to Wembrilla"}),
              titles);
}

}  // namespace
