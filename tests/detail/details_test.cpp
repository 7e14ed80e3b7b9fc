// Moving along the listing and OK on its rows: window titles, the details
// box, the fixed message and the close on a selection without an entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/detail/detail_fixture.h"
#include "viewer/detailstext.h"

namespace {

const char kQuestion[] = "Vuoi programmare la registrazione di questo programma?";
const char kDedication[] =
    "...per avermi sopportato\nin tutti questi giorni passati a \nprogrammare in cui sono stato\n"
    "spesso intrattabile! ;)";

std::vector<std::string> Titles(const ScriptedRun& run)
{
    std::vector<std::string> titles;
    for (const auto& e : run.of("title"))
        if (e.win == DetailWindow(run))
            titles.push_back(e.title);
    return titles;
}

TEST(Details, MovingRetitlesWithChannelAndDay)
{
    DetailBox box("daySeparator=1\n");
    // Rows: Mon separator, News, Film, Tue separator, Late.
    ScriptedRun run("ok down down down down up");
    RunDetail(run, KEY_UNO, false, nullptr, "12. Canale Uno");
    EXPECT_EQ((std::vector<std::string>{"12. Canale Uno - Lun 04/03", "12. Canale Uno - Lun 04/03",
                                        "dedicated to Wembrilla", "12. Canale Uno - Mar 05/03",
                                        "dedicated to Wembrilla"}),
              Titles(run));
}

TEST(Details, ALongChannelTitleIsCut)
{
    DetailBox box("daySeparator=0\n");
    const std::string longTitle = "1. " + std::string(1200, 'n');
    ScriptedRun run("ok down");
    RunDetail(run, KEY_UNO, false, [](eChannelListDetail& w) {
        EXPECT_EQ(999u, std::string(w.GetChannelTitle()).size());
    }, longTitle.c_str());
    const auto titles = Titles(run);
    ASSERT_EQ(1u, titles.size());
    EXPECT_EQ("1. " + std::string(996, 'n'), titles[0]);
}

struct DetailsCase {
    int downs;  // from the first row (daySeparator 0: News, Film, Late)
    const char* caption;
    const char* text;
};

TEST(Details, TheBoxShowsThemeDurationSummaryAndTheQuestion)
{
    const DetailsCase cases[] = {
        {0, "News", "Genere:Informazione\nDurata:30'\n\nSummary one\n\n%Q"},
        {1, "Film", "Genere:Cinema\nDurata:120'\n\n\n\n%Q"},  // no summary: three empty lines
        {2, "Late", "Genere:\nDurata:0'\n\nNight talk\n\n%Q"},   // empty theme, 0 minutes
    };
    for (const auto& c : cases) {
        DetailBox box("daySeparator=0\n");
        std::string keys = "ok";
        for (int i = 0; i < c.downs; ++i)
            keys += " down";
        keys += " ok right ok";  // select, then No
        ScriptedRun run(keys);
        int prog = -1;
        RunDetail(run, KEY_UNO, false, [&](eChannelListDetail& w) { prog = w.GetProgRecord(); });
        const auto boxes = DetailBoxes(run);
        ASSERT_EQ(1u, boxes.size()) << c.caption;
        std::string text = c.text;
        text.replace(text.find("%Q"), 2, kQuestion);
        EXPECT_EQ(text, boxes[0].text);
        EXPECT_EQ(c.caption, boxes[0].caption);
        EXPECT_EQ(28, boxes[0].flags);
        EXPECT_EQ(0, prog);
        // The listing stays as it was and keeps running after the box.
        EXPECT_EQ(1, run.automaticExits()) << "only the listing is left by an automatic exit";
    }
}

TEST(Details, LabelsComeFromTheLabelFile)
{
    DetailBox box("daySeparator=0\n");
    box.root.write("/var/korvadel/tivumo_lang.conf", "lbGenere=Theme\nlbDuration=Length\nlbRecordIt=Record?\n");
    ScriptedRun run("ok ok");
    RunDetail(run, KEY_UNO, false);
    const auto boxes = DetailBoxes(run);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Theme:Informazione\nLength:30'\n\nSummary one\n\nRecord?", boxes[0].text);
}

TEST(Details, RowsWithoutAnEventShowTheFixedMessageAndTheWindowStays)
{
    DetailBox box("daySeparator=1\n");
    // OK on the day separator, dismiss, then move: the window still runs.
    ScriptedRun run("ok ok ok down");
    RunDetail(run, KEY_UNO, false);
    const auto boxes = DetailBoxes(run);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(kDedication, boxes[0].text);
    EXPECT_EQ("quindomar", boxes[0].caption);
    EXPECT_EQ(33, boxes[0].flags);
    EXPECT_EQ((std::vector<std::string>{"1. Canale Uno - Lun 04/03"}), Titles(run));
}

TEST(Details, TheCannotOpenRowShowsTheFixedMessage)
{
    DetailBox box;
    box.root.remove("/hdd/epg.dat");
    ScriptedRun run("ok ok");
    RunDetail(run, KEY_UNO, false);
    const auto boxes = DetailBoxes(run);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(kDedication, boxes[0].text);
}

TEST(Details, ASelectionWithoutAnEntryClosesTheWindow)
{
    DetailBox box("", "GC 0\nGN 0\nGT 0\nC 1 A\nc\n");
    ScriptedRun run("ok ok down");
    RunDetail(run, 4, false);
    const int win = DetailWindow(run);
    std::vector<int> results;
    for (const auto& e : run.of("close"))
        if (e.win == win)
            results.push_back(e.result);
    EXPECT_EQ((std::vector<int>{1}), results);
    EXPECT_EQ(0, run.automaticExits());
    EXPECT_TRUE(DetailBoxes(run).empty());
}

TEST(Details, TheExitButtonEndsTheRunWithZero)
{
    DetailBox box;
    ScriptedRun run("ok red");
    RunDetail(run, KEY_UNO, false);
    const int win = DetailWindow(run);
    std::vector<int> results;
    for (const auto& e : run.of("close"))
        if (e.win == win)
            results.push_back(e.result);
    EXPECT_EQ((std::vector<int>{0}), results);
}

TEST(Details, KeysPastTheRecordsDoNothing)
{
    DetailBox box("daySeparator=0\n");
    ScriptedRun run;
    std::string title;
    FillOnly(run, KEY_UNO, false, 0, [&](eChannelListDetail& w) {
        auto* far = new eListBoxEntryText(w.GetList(), "far", 512);
        w.selectedItem(far);
        EXPECT_FALSE(w.isRunning());
        w.selectionChanged(far);
        title = w.getText();
    });
    EXPECT_TRUE(run.boxes().empty());
    EXPECT_TRUE(run.of("close").empty());
    EXPECT_EQ("dedicated to Wembrilla", title);
}

TEST(Details, TheWindowHasItsControls)
{
    DetailBox box("channelDetailPosX=10\nchannelDetailPosY=20\nchannelDetailSizeX=400\nchannelDetailSizeY=300\n");
    ScriptedRun run("ok");
    RunDetail(run, KEY_UNO, false);
    const int win = DetailWindow(run);
    ASSERT_NE(-1, win);
    std::vector<std::string> widgets;
    for (const auto& e : run.of("widget"))
        if (e.win == win)
            widgets.push_back(e.type + " " + e.text + " " + e.colour + " " + std::to_string(e.x) + "," +
                              std::to_string(e.y) + " " + std::to_string(e.w) + "x" + std::to_string(e.h));
    EXPECT_EQ((std::vector<std::string>{"list   10,10 380x240", "button Exit red 290,260 130x30",
                                        "label    120,260 160x30"}),
              widgets);
    for (const auto& e : run.of("show"))
        if (e.win == win) {
            EXPECT_EQ(10, e.x);
            EXPECT_EQ(20, e.y);
            EXPECT_EQ(400, e.w);
            EXPECT_EQ(300, e.h);
        }
}

TEST(DetailsText, CutsTheSummarySoThatLabelsAndTheLastParagraphStayWhole)
{
    const std::string q = kQuestion;
    struct Case {
        std::string theme, summary;
    } cases[] = {
        {"T", std::string(999 - 23 - q.size(), 's')},  // 999 characters exactly: nothing cut
        {"T", std::string(999 - 22 - q.size(), 's')},  // one too many
        {"T", std::string(2000, 's')},
        {std::string(997, 't'), std::string(997, 's')},  // the theme is cut too
    };
    for (auto& c : cases) {
        char out[1000];
        MakeDetailsText(out, sizeof out, "Genere", c.theme.c_str(), "Durata", 30, c.summary.c_str(), kQuestion);
        const std::string text = out;
        EXPECT_LE(text.size(), 999u);
        // The labels, the duration and the last paragraph are whole.
        EXPECT_EQ(0u, text.rfind("Genere:", 0));
        EXPECT_NE(std::string::npos, text.find("\nDurata:30'\n\n"));
        EXPECT_EQ("\n\n" + q, text.substr(text.size() - q.size() - 2));
        const size_t total = 7 + c.theme.size() + 1 + 12 + c.summary.size() + 2 + q.size();
        if (total <= 999) {
            EXPECT_EQ("Genere:" + c.theme + "\nDurata:30'\n\n" + c.summary + "\n\n" + q, text);
        } else {
            EXPECT_EQ(999u, text.size());
        }
    }
    // The theme is kept before the summary.
    char out[1000];
    MakeDetailsText(out, sizeof out, "Genere", "Cinema", "Durata", 30, std::string(2000, 's').c_str(), kQuestion);
    EXPECT_EQ(0u, std::string(out).rfind("Genere:Cinema\nDurata:30'\n\nsss", 0));
}

TEST(DetailsText, ABoxWithALongSummaryKeepsTheQuestion)
{
    DetailBox box("daySeparator=0\n", "GC 0\nGN 0\nGT 0\nC 1 A\nT X\nS Cinema\nL 5\nD " + std::string(990, 'd') +
                                          "\ne\nc\n");
    ScriptedRun run("ok ok");
    RunDetail(run, 4, false);
    const auto boxes = DetailBoxes(run);
    ASSERT_EQ(1u, boxes.size());
    const std::string& text = boxes[0].text;
    EXPECT_EQ(999u, text.size());
    EXPECT_EQ(0u, text.rfind("Genere:Cinema\nDurata:5'\n\nddd", 0));
    EXPECT_EQ(std::string("\n\n") + kQuestion, text.substr(text.size() - sizeof kQuestion - 1));
}

}  // namespace
