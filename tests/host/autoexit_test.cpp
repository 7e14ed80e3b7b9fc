// When the keys run out: every open modal run, and every one opened later,
// ends as by exit, innermost first; a session that never ends is stopped.
#include <gtest/gtest.h>

#include "tests/host/testwindow.h"
#include "tests/support/harness.h"

namespace {

// OK opens a box; whatever the box returns, a second box follows it.
class Opener : public TestWindow {
public:
    Opener() : TestWindow(2) { list->selected.connect(SigC::slot(*this, &Opener::open)); }
    void open(eListBoxEntryText*)
    {
        for (int i = 0; i < 2; ++i) {
            eMessageBox box("question", "caption", 28, 1, 0);
            box.show();
            results.push_back(box.exec());
            box.hide();
        }
    }
    std::vector<int> results;
};

TEST(AutomaticExits, EndEveryOpenRunInnermostFirstAndEveryLaterOne)
{
    ScriptedRun run("ok");
    int outer = -5, after = -5;
    std::vector<int> boxResults;
    run.run([&] {
        {
            Opener w;
            w.show();
            outer = w.exec();
            boxResults = w.results;
            w.hide();
        }
        // A run opened after the keys ran out ends at once too.
        eMessageBox late("late", "caption", 33, 1, 0);
        late.show();
        after = late.exec();
        late.hide();
    });
    EXPECT_TRUE(run.ended());
    EXPECT_EQ(boxResults, std::vector<int>({-1, -1}));
    EXPECT_EQ(outer, 1);
    EXPECT_EQ(after, -1);
    EXPECT_EQ(run.automaticExits(), 4);
    EXPECT_EQ(run.keysTaken(), 1);

    // key events: the scripted ok, then four automatic exits, each just
    // before the close of the innermost open run.
    std::vector<std::string> seq;
    for (const auto& e : run.events()) {
        if (e.ev == "key")
            seq.push_back(std::string(e.automatic ? "auto " : "") + e.key);
        else if (e.ev == "close")
            seq.push_back("close " + std::to_string(e.win));
    }
    EXPECT_EQ(seq, std::vector<std::string>({"ok", "auto exit", "close 2", "auto exit", "close 3", "auto exit",
                                             "close 1", "auto exit", "close 4"}));
}

TEST(AutomaticExits, NoKeySourceEndsEveryRunAtOnce)
{
    boxtk::reset();
    boxtk::EventLog log;
    int result = 0;
    {
        TestWindow w(1);
        result = w.exec();
    }
    EXPECT_EQ(result, 1);
    ASSERT_EQ(log.of("key").size(), 1u);
    EXPECT_TRUE(log.of("key")[0].automatic);
    EXPECT_EQ(log.of("key")[0].key, "exit");
    EXPECT_EQ(boxtk::automaticExits(), 1);
    boxtk::reset();
    EXPECT_EQ(boxtk::automaticExits(), 0);
}

TEST(AutomaticExits, ASessionThatNeverEndsIsStoppedAfterTheLimit)
{
    ScriptedRun run("ok ok");
    int boxes = 0;
    run.run([&] {
        for (;;) {
            eMessageBox box("again", "loop", 33, 1, 0);
            box.show();
            box.exec();
            box.hide();
            ++boxes;
        }
    });
    EXPECT_FALSE(run.ended());
    EXPECT_EQ(run.automaticExits(), 201);
    EXPECT_EQ(boxes, 202);  // two by the keys, 200 by automatic exits
    EXPECT_EQ(run.of("key").size(), 203u);

    // The limit is the caller's.
    boxtk::reset();
    int called = 0;
    boxtk::setAutomaticExitLimit(3, [&] { ++called; });
    for (int i = 0; i < 5; ++i) {
        eMessageBox box("x", "y", 33, 1, 0);
        box.exec();
    }
    EXPECT_EQ(called, 2);  // on the 4th and the 5th
    boxtk::reset();
}

}  // namespace
