// The trace events the toolkit writes, with their fields and moments.
#include <gtest/gtest.h>

#include <thread>

#include "tests/host/testwindow.h"
#include "tests/support/harness.h"

namespace {

std::vector<std::string> evs(const std::vector<boxtk::Event>& events)
{
    std::vector<std::string> out;
    for (const auto& e : events)
        out.push_back(e.ev);
    return out;
}

TEST(Events, ShowReportsTheClientAreaThenEveryChild)
{
    ScriptedRun run("");
    run.run([] {
        TestWindow w(2);
        w.show();
        w.hide();
    });
    EXPECT_EQ(evs(run.events()), std::vector<std::string>({"entry", "current", "entry", "show", "widget", "widget",
                                                           "widget", "widget", "hide"}));
    const auto show = run.of("show").at(0);
    EXPECT_EQ(show.win, 1);
    EXPECT_EQ(show.title, "Test window");
    EXPECT_EQ(std::vector<int>({show.x, show.y, show.w, show.h}), std::vector<int>({50, 60, 400, 300}));

    const auto widgets = run.of("widget");
    ASSERT_EQ(widgets.size(), 4u);
    struct Want {
        const char* type;
        const char* text;
        const char* colour;
        int x, y, w, h;
    };
    const Want want[] = {{"list", "", "", 10, 10, 380, 100},
                         {"button", "Exit", "red", 10, 230, 100, 30},
                         {"button", "Go", "green", 120, 230, 100, 30},
                         {"label", "status", "", 10, 200, 300, 20}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(widgets[i].win, 1);
        EXPECT_EQ(widgets[i].type, want[i].type);
        EXPECT_EQ(widgets[i].text, want[i].text);
        EXPECT_EQ(widgets[i].colour, want[i].colour);
        EXPECT_EQ(std::vector<int>({widgets[i].x, widgets[i].y, widgets[i].w, widgets[i].h}),
                  std::vector<int>({want[i].x, want[i].y, want[i].w, want[i].h}));
    }
    EXPECT_EQ(run.of("hide").at(0).win, 1);
}

TEST(Events, TitlesAndLabelTextsAreReportedOnlyWhileShown)
{
    ScriptedRun run("");
    run.run([] {
        TestWindow w(0);
        w.setText("before");
        w.label->setText("hidden");
        w.show();
        w.setText("after");
        w.setText("after");  // unchanged: still written
        w.label->setText("shown");
        w.green->setText("caption");  // a button is no label
        w.hide();
        w.setText("gone");
        w.label->setText("gone");
    });
    const auto titles = run.of("title");
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0].title, "after");
    EXPECT_EQ(titles[1].title, "after");
    EXPECT_EQ(run.texts(1), std::vector<std::string>({"shown"}));
    EXPECT_EQ(run.lastTitle(1), "after");
}

TEST(Events, CursorEventsForTheFirstEntrySetCurrentAndKeys)
{
    ScriptedRun run("down up up");
    std::vector<long> moved;
    run.run([&] {
        TestWindow w(0);
        w.show();
        auto* a = new eListBoxEntryText(w.list, "a", 1);
        new eListBoxEntryText(w.list, "b", 2);
        auto* c = new eListBoxEntryText(w.list, "c", 3);
        w.list->setCurrent(c, false);
        w.list->setCurrent(a);
        w.exec();
        moved = w.movedKeys;
    });
    // setCurrent moves without the cursor signal; keys that move send it,
    // and a key at the top writes nothing.
    EXPECT_EQ(moved, std::vector<long>({2, 1}));
    std::vector<std::string> seq;
    for (const auto& e : run.events())
        if (e.ev == "entry" || e.ev == "current" || e.ev == "key")
            seq.push_back(e.ev + " " + (e.ev == "key" ? e.key : e.text));
    EXPECT_EQ(seq, std::vector<std::string>({"entry a", "current a", "entry b", "entry c", "current c", "current a",
                                             "key down", "current b", "key up", "current a", "key up", "key exit"}));
    EXPECT_EQ(run.entryRecords(1).at(2).key, 3);
}

TEST(Events, TheCursorEventComesBeforeTheHandlerRuns)
{
    ScriptedRun run("down");
    run.run([] {
        TestWindow w(2);
        w.list->selchanged.connect([&](eListBoxEntryText* e) { w.setText(e->getText()); });
        w.show();
        w.exec();
    });
    std::vector<std::string> seq;
    for (const auto& e : run.events())
        if (e.ev == "current" || e.ev == "title")
            seq.push_back(e.ev + " " + (e.ev == "title" ? e.title : e.text));
    EXPECT_EQ(seq, std::vector<std::string>({"current row 0", "current row 1", "title row 1"}));
}

TEST(Events, EntriesOfAWindowNeverShownAreWrittenToo)
{
    ScriptedRun run("");
    run.run([] {
        TestWindow a(1);
        TestWindow b(2);
        (void)a;
        (void)b;
    });
    EXPECT_EQ(run.entries(1), std::vector<std::string>({"row 0"}));
    EXPECT_EQ(run.entries(2), std::vector<std::string>({"row 0", "row 1"}));
    EXPECT_TRUE(run.of("show").empty());
}

TEST(Events, EmitIsSafeFromSeveralThreads)
{
    boxtk::reset();
    boxtk::EventLog log;
    const int perThread = 500;
    auto send = [&](int t) {
        for (int i = 0; i < perThread; ++i) {
            boxtk::Event e;
            e.ev = "http";
            e.request = std::to_string(t);
            boxtk::emit(e);
        }
    };
    std::thread t1(send, 1), t2(send, 2), t3(send, 3);
    t1.join();
    t2.join();
    t3.join();
    ASSERT_EQ(log.events.size(), static_cast<size_t>(3 * perThread));
    int ones = 0;
    for (const auto& e : log.events)
        ones += e.request == "1";
    EXPECT_EQ(ones, perThread);
    boxtk::reset();
}

}  // namespace
