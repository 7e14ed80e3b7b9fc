// Programming a recording from the details box: Yes, No and Exit on the
// question, the refusal on a clash, the grid's refusal, and the failures.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/detail/detail_fixture.h"
#include "timers/timerlist.h"

namespace {

const char kTimers[] = "/var/tuxbox/config/enigma/timer.epl";
const char kServices[] = "/var/tuxbox/config/enigma/services";
const char kServiceList[] =
    "eDVB services /4/\nservices\n"
    "1a2b:00c0:0bb8:0071:1:0\nCanale Uno\np:Prov\n"
    "0001:0002:0003:0004:1:0\nUno HD\np:Prov\n";
const char kNewsEntry[] =
    "#SERVICE: 1:0:1:1a2b:bb8:71:c0:0:0:0:\n#DESCRIPTION: /News\n#TYPE 44\n"
    "#TIME_BEGIN 1709582400\n#DURATION 1800\n";
const char kNoRecord[] = "Registrazione non possibile a causa di altri eventi gia' programmati!";

struct RecordBox : DetailBox {
    explicit RecordBox(const std::string& settings = "")
        : DetailBox("daySeparator=0\n" + settings)
    {
        root.write(kServices, kServiceList);
    }
};

struct Outcome {
    std::vector<BoxSeen> boxes;
    std::string timers;
    int prog = -1;
};

Outcome Record(RecordBox& box, const std::string& keys, bool grid = false, const char* title = "1. Canale Uno")
{
    ScriptedRun run(keys);
    Outcome o;
    RunDetail(run, grid ? 0 : KEY_UNO, grid, [&](eChannelListDetail& w) { o.prog = w.GetProgRecord(); }, title);
    o.boxes = DetailBoxes(run);
    o.timers = box.root.read(kTimers);
    return o;
}

std::string Texts(const std::vector<BoxSeen>& boxes)
{
    std::string s;
    for (const BoxSeen& b : boxes)
        s += "[" + std::to_string(b.flags) + "] " + (b.flags == 28 || b.flags == 17 ? b.caption : b.text) + "\n";
    return s;
}

TEST(RecordingDialog, YesWritesTheEntryAndConfirms)
{
    RecordBox box;
    const Outcome o = Record(box, "ok ok ok ok");
    EXPECT_EQ("[28] News\n[33] Programmazione effettuata\n", Texts(o.boxes));
    EXPECT_EQ(kNewsEntry, o.timers);
    EXPECT_EQ(1, o.prog);
}

TEST(RecordingDialog, NoAndExitWriteNothing)
{
    for (const char* keys : {"ok ok right ok", "ok ok exit"}) {
        RecordBox box;
        const Outcome o = Record(box, keys);
        EXPECT_EQ("[28] News\n", Texts(o.boxes)) << keys;
        EXPECT_EQ("", o.timers) << keys;
        EXPECT_EQ(0, o.prog) << keys;
    }
}

TEST(RecordingDialog, TheSameEventTwiceIsRefusedTheSecondTime)
{
    RecordBox box;
    const Outcome o = Record(box, "ok ok ok ok ok ok");
    EXPECT_EQ("[28] News\n[33] Programmazione effettuata\n[17] News\n", Texts(o.boxes));
    ASSERT_EQ(3u, o.boxes.size());
    const std::string& refusal = o.boxes[2].text;
    EXPECT_EQ(std::string("\n\n") + kNoRecord, refusal.substr(refusal.size() - sizeof kNoRecord - 1));
    EXPECT_EQ(kNewsEntry, o.timers);
    EXPECT_EQ(1, o.prog);
}

TEST(RecordingDialog, AClashWithAHostTimerOffersNoYes)
{
    RecordBox box;
    const std::string host = "#TIME_BEGIN 1709583000\n#DURATION 600\n";
    box.root.write(kTimers, host);
    // OK on the refusal; nothing is recorded.
    const Outcome o = Record(box, "ok ok ok");
    EXPECT_EQ("[17] News\n", Texts(o.boxes));
    EXPECT_EQ(host, o.timers);
    EXPECT_EQ(0, o.prog);
}

TEST(RecordingDialog, OffsetsShiftTheEntry)
{
    RecordBox box("startOffsetTmr=-300\nendOffsetTmr=600\n");
    const Outcome o = Record(box, "ok ok ok ok");
    EXPECT_NE(std::string::npos, o.timers.find("#TIME_BEGIN 1709582100\n#DURATION 2700\n")) << o.timers;
}

TEST(RecordingDialog, TheGridRefusesAfterTheQuestion)
{
    RecordBox box;
    // Rows: header, empty running line, News, blank, ...: OK on News, Yes.
    const Outcome o = Record(box, "ok down down ok ok ok", true);
    EXPECT_EQ("[28] News\n[33] Registrazione non ancora supportata dalla vista per orario\n", Texts(o.boxes));
    EXPECT_EQ("", o.timers);
    EXPECT_EQ(0, o.prog);
}

TEST(RecordingDialog, TheChannelNameIsMappedThroughTheSettings)
{
    RecordBox box("Canale Uno=Uno HD\n");
    const Outcome o = Record(box, "ok ok ok ok");
    EXPECT_EQ(0u, o.timers.rfind("#SERVICE: 1:0:1:1:3:4:2:0:0:0:\n", 0)) << o.timers;
    EXPECT_EQ(1, o.prog);
}

TEST(RecordingDialog, FailuresShowTheirBoxAndNoConfirmation)
{
    struct Case {
        const char* title;
        const char* services;  // null: no service list
        const char* box;
    } cases[] = {
        {"1. Canale Sconosciuto", kServiceList, "Cannot find channel in service table: Canale Sconosciuto"},
        {"1.", kServiceList, "Cannot find channel in service table: "},
        {"1. Canale Uno", nullptr, "Cannot open services file:/var/tuxbox/config/enigma/services"},
    };
    for (const auto& c : cases) {
        RecordBox box;
        if (!c.services)
            box.root.remove(kServices);
        const Outcome o = Record(box, "ok ok ok ok", false, c.title);
        EXPECT_EQ(std::string("[28] News\n[33] ") + c.box + "\n", Texts(o.boxes)) << c.title;
        EXPECT_EQ("", o.timers);
        EXPECT_EQ(0, o.prog);
    }
}

size_t FailingWrite(const void*, size_t, FILE*)
{
    return 0;
}

TEST(RecordingDialog, AnEntryThatCannotBeWrittenIsNotConfirmed)
{
    RecordBox box;
    SetTimerWriteFn(FailingWrite);
    const Outcome o = Record(box, "ok ok ok ok");
    SetTimerWriteFn(nullptr);
    EXPECT_EQ(std::string("[28] News\n[33] Cannot write timer file:") + kTimers + "\n", Texts(o.boxes));
    EXPECT_EQ("", o.timers);
    EXPECT_EQ(0, o.prog);
}

TEST(RecordingDialog, AnUnreadableTimerListStillAsksTheQuestion)
{
    RecordBox box;
    box.root.remove(kTimers);
    // Timer list box, question, Yes, confirmation: the append creates the list.
    const Outcome o = Record(box, "ok ok ok ok ok");
    EXPECT_EQ(std::string("[33] Cannot open timer file:") + kTimers + "\n[28] News\n[33] Programmazione effettuata\n",
              Texts(o.boxes));
    EXPECT_EQ(kNewsEntry, o.timers);
    EXPECT_EQ(1, o.prog);
}

TEST(RecordingDialog, ATitleWithoutAPointIsSearchedAsItIs)
{
    RecordBox box;
    const Outcome o = Record(box, "ok ok ok ok", false, "Canale Uno");
    EXPECT_EQ(kNewsEntry, o.timers);
}

}  // namespace
