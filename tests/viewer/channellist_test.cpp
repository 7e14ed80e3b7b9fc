// The channel list window: its entries from the EPG data file, its layout,
// its buttons and its raw keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/product.h"
#include "plugin/settings.h"
#include "tests/support/boxroot.h"
#include "tests/support/scriptedrun.h"
#include "viewer/channellist.h"

namespace {

// "text|key" of every entry a fill appends, and the fill's result.
struct Filled {
    int result = -1;
    std::vector<std::string> entries;
};

Filled Fill(const TempBoxRoot& box, const std::string* content, const char* name = "/hdd/epg.dat")
{
    if (content)
        box.write(name, *content);
    Filled out;
    ScriptedRun run;
    run.run([&] {
        eChannelListDialog list;
        list.SetFilename(name);
        out.result = list.FillChannelList();
    });
    for (const auto& e : run.of("entry"))
        out.entries.push_back(e.text + "|" + std::to_string(e.entryKey));
    return out;
}

struct FillCase {
    const char* name;
    std::string content;
    std::vector<std::string> entries;
};

class FillChannelListTest : public testing::TestWithParam<FillCase> {};

TEST_P(FillChannelListTest, ListsEveryChannelLineWithItsLineNumber)
{
    TempBoxRoot box;
    const FillCase& c = GetParam();
    const Filled f = Fill(box, &c.content);
    EXPECT_EQ(f.result, 1);
    EXPECT_EQ(f.entries, c.entries);
}

const std::string kHeader = "GC 3600\nGN 7200\nGT 1700000000\n";
const std::string kEvent = "E 1 2 3\nT t\nX 5\nS s\nL 1\ne\n";  // six lines

const FillCase kFillCases[] = {
    {"ThreeChannelsInFileOrder", kHeader + "C 1 Uno\n" + kEvent + "c\nC 2 Due\n" + kEvent + kEvent + "c\nC 3 Tre\nc\n",
     {"1. Uno|4", "2. Due|12", "3. Tre|26"}},
    {"NameWithBlanks", "C 10 Rai  Uno HD \n", {"1. Rai  Uno HD |1"}},
    {"CrLfLineEnds", "GC 1\r\nC 7 Canale\r\nc\r\nC 8 Altro\r\n", {"1. Canale|2", "2. Altro|4"}},
    {"OtherLinesOnlyCount", "c 1 not\nX 2 no\n\nD C 3 no\nC 4 Yes\n", {"1. Yes|5"}},
    {"LastLineWithoutLineFeed", "C 1 A\nC 2 B", {"1. A|1", "2. B|2"}},
    {"HeaderOnly", kHeader, {}},
    {"EmptyFile", "", {}},
    {"NoBlankAfterIdentifier", "C 123\nC\nC 5 Five\n", {"1. |1", "2. |2", "3. Five|3"}},
    {"FormatCharactersShownAsTheyStand", "C 1 %s%n%d\n", {"1. %s%n%d|1"}},
    {"BinaryBytesInName", "C 1 Caf\xe8\x01\n", {"1. Caf\xe8\x01|1"}},
    // 1201 bytes: two reads, counted as two lines.
    {"LongLineCountsTwice", "D " + std::string(1200, 'x') + "\nC 1 After\n", {"1. After|3"}},
    // The second read of a long line is a line of its own, by its first byte.
    {"SecondReadOfLongLineIsDispatched", "D " + std::string(997, 'x') + "C 9 Piece\nC 1 Next\n",
     {"1. Piece|2", "2. Next|3"}},
    // A read that ends exactly at the line feed: no empty extra line.
    {"LineOf999Bytes", "D " + std::string(996, 'y') + "\nC 1 Z\n", {"1. Z|2"}},
};

INSTANTIATE_TEST_SUITE_P(ChannelList, FillChannelListTest, testing::ValuesIn(kFillCases),
                         [](const testing::TestParamInfo<FillCase>& i) { return std::string(i.param.name); });

TEST(ChannelListTest, MissingFileGivesOneEntry)
{
    TempBoxRoot box;
    const Filled f = Fill(box, nullptr, "/hdd/none %s.dat");
    EXPECT_EQ(f.result, 0);
    EXPECT_EQ(f.entries, std::vector<std::string>({"Cannot open: /hdd/none %s.dat|-1"}));
}

TEST(ChannelListTest, LongNamesAreCut)
{
    TempBoxRoot box;
    const std::string content = "C 1 " + std::string(995, 'n') + "\n";
    const Filled f = Fill(box, &content);
    ASSERT_EQ(f.entries.size(), 1u);
    // "1. " and the name's 995 bytes fit one read; the text is cut to 999.
    EXPECT_EQ(f.entries[0], "1. " + std::string(995, 'n') + "|1");

    char out[CHANNEL_LIST_TEXT_SIZE];
    const std::string huge(2000, 'h');
    FormatChannelEntry(12, huge.c_str(), out, sizeof out);
    EXPECT_EQ(std::string(out), "12. " + std::string(995, 'h'));
    FormatCannotOpen(huge.c_str(), out, sizeof out);
    EXPECT_EQ(std::string(out), "Cannot open: " + std::string(986, 'h'));
    FormatChannelEntry(3, "Name\r\nrest", out, sizeof out);
    EXPECT_STREQ(out, "3. Name");
}

struct Placed {
    std::string type, text, colour;
    int x, y, w, h;
    bool operator==(const Placed& o) const
    {
        return type == o.type && text == o.text && colour == o.colour && x == o.x && y == o.y && w == o.w &&
               h == o.h;
    }
};

std::ostream& operator<<(std::ostream& os, const Placed& p)
{
    return os << p.type << " \"" << p.text << "\" " << p.colour << " (" << p.x << "," << p.y << " " << p.w << "x"
              << p.h << ")";
}

std::vector<Placed> Widgets(const ScriptedRun& run)
{
    std::vector<Placed> out;
    for (const auto& e : run.of("widget"))
        out.push_back({e.type, e.text, e.colour, e.x, e.y, e.w, e.h});
    return out;
}

TEST(ChannelListTest, LayoutFromTheSettingsAndLabels)
{
    struct {
        const char* settings;
        const char* labels;
        int x, y, W, H;
        const char* captions[4];  // Utils, Grid EPG, Search, Exit
    } cases[] = {
        {"", nullptr, 75, 100, 530, 376, {"Utils", "Grid EPG", "Search", "Exit"}},
        {"channelListPosX=1\nchannelListPosY=2\nchannelListSizeX=600\nchannelListSizeY=400\n",
         "lbUtils=Strumenti\nlbExit=Esci\nlbSearch=%s\n", 1, 2, 600, 400, {"Strumenti", "Grid EPG", "%s", "Esci"}},
    };
    for (const auto& c : cases) {
        TempBoxRoot box;
        box.write(SETTINGS_FILE, c.settings);
        if (c.labels)
            box.write(LABEL_FILE, c.labels);
        ScriptedRun run;
        run.run([] {
            eChannelListDialog list;
            EXPECT_EQ(list.getFlag(), 1);
            EXPECT_EQ(list.GetProgRecord(), 0);
            list.show();
            list.hide();
        });
        const auto shows = run.of("show");
        ASSERT_EQ(shows.size(), 1u);
        EXPECT_EQ(shows[0].title, PRODUCT_TITLE);
        EXPECT_EQ(std::vector<int>({shows[0].x, shows[0].y, shows[0].w, shows[0].h}),
                  std::vector<int>({c.x, c.y, c.W, c.H}));
        const int W = c.W, H = c.H;
        const std::vector<Placed> expected = {
            {"list", "", "", 10, 10, W - 20, H - 60},
            {"button", c.captions[0], "blue", W - 150, H - 40, 130, 30},
            {"button", c.captions[1], "green", W - 410, H - 40, 130, 30},
            {"button", c.captions[2], "yellow", W - 280, H - 40, 130, 30},
            {"button", c.captions[3], "red", 5, H - 40, 120, 30},
        };
        EXPECT_EQ(Widgets(run), expected);
    }
}

// Runs a filled channel list with the keys; the events of the run.
ScriptedRun& RunList(ScriptedRun& run, const TempBoxRoot& box, const std::string& epg, int* result = nullptr)
{
    box.write("/hdd/epg.dat", epg);
    run.run([&] {
        eChannelListDialog list;
        list.SetFilename("/hdd/epg.dat");
        list.FillChannelList();
        list.show();
        const int r = list.exec();
        if (result)
            *result = r;
        list.hide();
    });
    return run;
}

TEST(ChannelListTest, RawKeysShowTheirCodeAndAreNotPassedOn)
{
    struct {
        const char* key;
        const char* text;
    } cases[] = {
        {"code:65", "tasto: 65 (A)"},
        {"7", "tasto: 55 (7)"},
        {"code:37", "tasto: 37 (%)"},
    };
    for (const auto& c : cases) {
        TempBoxRoot box;
        ScriptedRun run(std::string(c.key) + " ok exit");
        int result = 0;
        RunList(run, box, "C 1 Uno\n", &result);
        const auto boxes = run.boxes();
        ASSERT_EQ(boxes.size(), 1u) << c.key;
        EXPECT_EQ(boxes[0].text, c.text);
        EXPECT_EQ(boxes[0].caption, "quindomar");
        EXPECT_EQ(boxes[0].flags, 33);
        // The list stayed open until its Exit.
        EXPECT_NE(result, 0);
        EXPECT_EQ(run.automaticExits(), 0);
    }
    char out[CHANNEL_LIST_TEXT_SIZE];
    FormatKeyMessage(-1, out, sizeof out);
    EXPECT_STREQ(out, "tasto: -1 (\xff)");
}

TEST(ChannelListTest, ButtonsOpenTheirWindows)
{
    TempBoxRoot box;
    struct {
        const char* keys;
        const char* expected;  // title of the second window shown, or the box text
    } cases[] = {
        {"yellow ok exit", "box:Not yet supported!"},
        {"blue exit exit", "window:Utils"},
        {"red", ""},
    };
    for (const auto& c : cases) {
        ScriptedRun run(c.keys);
        int result = 0;
        RunList(run, box, "C 1 Uno\n", &result);
        EXPECT_NE(result, 0) << c.keys;
        EXPECT_EQ(run.automaticExits(), 0) << c.keys;
        std::string seen;
        const auto boxes = run.boxes();
        const auto windows = run.windowsShown();
        if (!boxes.empty())
            seen = "box:" + boxes[0].text;
        else if (windows.size() > 1)
            seen = "window:" + run.lastTitle(windows[1]);
        EXPECT_EQ(seen, c.expected) << c.keys;
    }
}

TEST(ChannelListTest, OkOnEmptyListDoesNothing)
{
    TempBoxRoot box;
    ScriptedRun run("ok exit");
    RunList(run, box, kHeader);
    EXPECT_EQ(run.windowsShown().size(), 1u);
    EXPECT_TRUE(run.boxes().empty());
}

// OK opens the listing of the entry's channel (its key is the C line's
// number), with the entry's text as channel title.
TEST(ChannelListTest, OkOpensTheListingOfTheChannel)
{
    TempBoxRoot box;
    const std::string epg = kHeader + "C 1 Uno\n" + "E 1 1 60\nT Primo\nX 1709582400\nS s\nL 1\ne\nc\n" +
                            "C 2 Due %s\n" + "E 2 1 60\nT Secondo\nX 1709582400\nS s\nL 1\ne\nc\n";
    ScriptedRun run("down ok ok exit exit");
    RunList(run, box, epg);
    const auto windows = run.windowsShown();
    ASSERT_GE(windows.size(), 3u);  // list, please-wait, listing
    const int listing = windows.back();
    std::string rows;
    for (const std::string& t : run.entries(listing))
        rows += t + "\n";
    EXPECT_NE(rows.find("Secondo"), std::string::npos) << rows;
    EXPECT_EQ(rows.find("Primo"), std::string::npos) << rows;
}

}  // namespace
