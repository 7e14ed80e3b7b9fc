// Whole sessions of plugin_exec through the stand-in toolkit, with a
// loopback server in the place of the host's web interface.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "plugin/product.h"
#include "plugin/session.h"
#include "plugin/settings.h"
#include "tests/support/boxroot.h"
#include "tests/support/httpserver.h"
#include "tests/support/scriptedrun.h"

namespace {

const char kSave[] = "GET /cgi-bin/saveTimerList HTTP/1.0\n\n";
const char kReload[] = "GET /cgi-bin/reloadTimerList HTTP/1.0\n\n";

// Two channels: "News" from the provider-local time 1709582400, "Film"
// an hour later, so that timers for both do not clash.
const char kEpg[] =
    "GC 3600\nGN 7200\nGT 1700000000\n"
    "C 101 Canale Uno\n"
    "E 1 1709578800 3600\nT News\nX 1709582400\nS Info\nL 60\ne\n"
    "c\n"
    "C 202 Rete Due\n"
    "E 2 1709582400 3600\nT Film\nX 1709586000\nS Cinema\nL 60\ne\n"
    "c\n";

const char kServices[] =
    "0dc8:00c00000:0bb8:0071:1:0\nCanale Uno\np:Demo\n"
    "0dc9:00c00000:0bb8:0071:1:0\nRete Due\np:Demo\n";

// With no broadcast the current time is -1 plus this offset: "News" runs.
const char kNowSetting[] = "localOffset=1709582401\n";

class SessionTest : public testing::Test {
protected:
    SessionTest()
    {
        box.setWebPort(server.port());
        box.write("/hdd/epg.dat", kEpg);
        box.write("/var/tuxbox/config/enigma/services", kServices);
        box.write("/var/tuxbox/config/enigma/timer.epl", "");
    }

    int Run(ScriptedRun& run)
    {
        int value = -1;
        run.run([&] { value = plugin_exec(nullptr); });
        EXPECT_TRUE(run.ended());
        return value;
    }

    // The requests once the workers have had their time.
    std::vector<std::string> Requests(size_t expected)
    {
        if (expected > 0) {
            EXPECT_TRUE(server.waitForRequests(expected, 3000));
        }
        // Room for a request that should not come.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return server.requests();
    }

    // Entry texts of the one window shown with this height, in order.
    std::vector<std::string> EntriesOfWindowWithHeight(const ScriptedRun& run, int h)
    {
        for (const auto& e : run.of("show"))
            if (e.h == h)
                return run.entries(e.win);
        return {"<no such window>"};
    }

    TempBoxRoot box;
    LoopbackHttpServer server;
};

TEST_F(SessionTest, SingleFileSessionRunsEveryStepInOrder)
{
    ScriptedRun run("exit ok");
    EXPECT_EQ(Run(run), 0);

    // Please-wait box (client height 60) around the filling, then the list.
    std::vector<std::string> steps;
    int waitWin = -1, listWin = -1;
    for (const auto& e : run.events()) {
        if (e.ev == "show" && e.h == 60) {
            waitWin = e.win;
        } else if (e.ev == "show" && e.h == 376) {
            listWin = e.win;
        }
        if (e.ev == "show" || e.ev == "hide" || e.ev == "exec" || e.ev == "box" || e.ev == "entry")
            steps.push_back(e.ev + (e.win == waitWin ? ":wait" : e.win == listWin ? ":list" : ":other"));
    }
    EXPECT_EQ(steps, std::vector<std::string>({"show:wait", "entry:other", "entry:other", "hide:wait",
                                               "show:list", "exec:list", "hide:list", "box:other",
                                               "exec:other", "hide:other"}));
    // The entries were appended to the list window before it was first shown.
    EXPECT_EQ(run.entries(listWin), std::vector<std::string>({"1. Canale Uno", "2. Rete Due"}));

    const auto widgets = run.of("widget");
    ASSERT_FALSE(widgets.empty());
    EXPECT_EQ(widgets[0].win, waitWin);
    EXPECT_EQ(widgets[0].text, "Wait please...");

    const auto boxes = run.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, ABOUT_CAPTION);
    EXPECT_EQ(boxes[0].text, ABOUT_TEXT);
    EXPECT_EQ(boxes[0].flags, 33);

    EXPECT_EQ(Requests(1), std::vector<std::string>({kSave}));
}

TEST_F(SessionTest, PleaseWaitMessageIsTheLabel)
{
    box.write(LABEL_FILE, "lbPleaseWait=Attendere %s...\n");
    ScriptedRun run("exit ok");
    Run(run);
    const auto widgets = run.of("widget");
    ASSERT_FALSE(widgets.empty());
    EXPECT_EQ(widgets[0].text, "Attendere %s...");
    Requests(1);
}

TEST_F(SessionTest, MultiEpgOffOrNotANumberUsesTheEpgFileSetting)
{
    const char* const values[] = {nullptr, "0", "", "abc", " 0x1"};
    box.write("/hdd/other.dat", "C 9 Solo\n");
    for (const char* v : values) {
        std::string settings = "epgFileName=/hdd/other.dat\n";
        if (v)
            settings += std::string("multiEpg=") + v + "\n";
        box.write(SETTINGS_FILE, settings);
        ScriptedRun run("exit ok");
        EXPECT_EQ(Run(run), 0);
        // The please-wait box is the first window: no selector.
        ASSERT_FALSE(run.of("show").empty());
        EXPECT_EQ(run.of("show")[0].h, 60) << (v ? v : "(none)");
        EXPECT_EQ(EntriesOfWindowWithHeight(run, 376), std::vector<std::string>({"1. Solo"}));
    }
    EXPECT_TRUE(server.waitForRequests(5, 3000));
}

TEST_F(SessionTest, MissingEpgFileStillRunsTheWholeSession)
{
    box.remove("/hdd/epg.dat");
    ScriptedRun run("ok exit ok");
    EXPECT_EQ(Run(run), 0);
    const auto entries = run.of("entry");
    ASSERT_GE(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "Cannot open: /hdd/epg.dat");
    EXPECT_EQ(entries[0].entryKey, -1);
    ASSERT_FALSE(run.boxes().empty());
    EXPECT_EQ(run.boxes().back().caption, ABOUT_CAPTION);
    EXPECT_EQ(Requests(1), std::vector<std::string>({kSave}));
}

const char kSelectorSettings[] =
    "multiEpg=1\n"
    "multiEpgLabel1=Sat uno\nmultiEpgFile1=/hdd/epg.dat\n"
    "multiEpgLabel2=Sat due\nmultiEpgFile2=/hdd/due.dat\n"
    "multiEpgLabel3=Senza file\n";

// Left without a choice: nothing else happens and nothing is sent.
TEST_F(SessionTest, SelectorLeftWithoutAChoiceEndsTheSession)
{
    box.write(SETTINGS_FILE, kSelectorSettings);
    const char* const scripts[] = {"exit", "down exit", "red"};
    for (const char* keys : scripts) {
        ScriptedRun run(keys);
        EXPECT_EQ(Run(run), 0);
        EXPECT_EQ(run.windowsShown().size(), 1u) << keys;
        EXPECT_TRUE(run.boxes().empty()) << keys;
        EXPECT_EQ(run.automaticExits(), 0) << keys;
    }
    box.write(SETTINGS_FILE, "multiEpg=2\n");  // no labels: OK on the empty list does nothing
    ScriptedRun empty("ok exit");
    EXPECT_EQ(Run(empty), 0);
    EXPECT_EQ(empty.windowsShown().size(), 1u);
    EXPECT_TRUE(Requests(0).empty());
}

TEST_F(SessionTest, SelectorChoiceIsTheFileShown)
{
    box.write(SETTINGS_FILE, kSelectorSettings);
    box.write("/hdd/due.dat", "C 5 Canale Cinque\nC 6 Canale Sei\n");
    ScriptedRun run("down ok exit ok");
    EXPECT_EQ(Run(run), 0);
    const std::vector<int> shown = run.windowsShown();
    ASSERT_EQ(shown.size(), 3u);  // selector, please-wait, channel list
    EXPECT_EQ(run.entries(shown[0]), std::vector<std::string>({"Sat uno", "Sat due", "Senza file"}));
    EXPECT_EQ(run.entries(shown[2]), std::vector<std::string>({"1. Canale Cinque", "2. Canale Sei"}));
    EXPECT_EQ(Requests(1), std::vector<std::string>({kSave}));
}

TEST_F(SessionTest, SelectorEntryWithoutFileShowsTheFileNULL)
{
    box.write(SETTINGS_FILE, kSelectorSettings);
    ScriptedRun run("down down ok exit ok");
    EXPECT_EQ(Run(run), 0);
    const std::vector<int> shown = run.windowsShown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(run.entries(shown[2]), std::vector<std::string>({"Cannot open: NULL"}));
    Requests(1);
}

// Keys per listing: open it on the current channel (ok), close the broadcast
// time box (ok), move from the day line to the event (down), OK on it and
// then Yes (ok ok) and the confirmation (ok), or No (ok right ok), then
// leave the listing (exit).
struct TimerCase {
    const char* name;
    const char* keys;
    bool reload;
    int timers;  // entries appended to the timer list
};

class SessionTimerTest : public SessionTest, public testing::WithParamInterface<TimerCase> {};

TEST_P(SessionTimerTest, ReloadIsSentOnceWhenATimerWasProgrammed)
{
    const TimerCase& c = GetParam();
    box.write(SETTINGS_FILE, kNowSetting);
    ScriptedRun run(c.keys);
    EXPECT_EQ(Run(run), 0);
    EXPECT_EQ(run.automaticExits(), 0);

    std::string timers = box.read("/var/tuxbox/config/enigma/timer.epl");
    int count = 0;
    for (size_t at = timers.find("#SERVICE"); at != std::string::npos; at = timers.find("#SERVICE", at + 1))
        ++count;
    EXPECT_EQ(count, c.timers);

    std::vector<std::string> expected = {kSave};
    if (c.reload)
        expected.push_back(kReload);
    std::vector<std::string> got = Requests(expected.size());
    EXPECT_EQ(got, expected);
}

const TimerCase kTimerCases[] = {
    {"NoListing", "exit ok", false, 0},
    {"AnsweredNo", "ok ok down ok right ok exit exit ok", false, 0},
    {"OneTimer", "ok ok down ok ok ok exit exit ok", true, 1},
    {"TwoListingsTwoTimers", "ok ok down ok ok ok exit down ok ok down ok ok ok exit exit ok", true, 2},
    {"TimerThenListingWithout", "ok ok down ok ok ok exit down ok ok exit exit ok", true, 1},
    {"GridAfterTimer", "ok ok down ok ok ok exit green ok exit exit ok", true, 1},
};

INSTANTIATE_TEST_SUITE_P(Session, SessionTimerTest, testing::ValuesIn(kTimerCases),
                         [](const testing::TestParamInfo<TimerCase>& i) { return std::string(i.param.name); });

}  // namespace
