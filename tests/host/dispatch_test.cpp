// Where keys go in a window: the focused list, the colour buttons, keyDown,
// and the toolkit's own exit.
#include <gtest/gtest.h>

#include <ostream>

#include "tests/host/testwindow.h"
#include "tests/support/harness.h"

namespace {

struct CursorCase {
    const char* keys;
    int entries;
    int current;               // index after the keys
    std::vector<long> moved;   // cursor signals, by entry key
};

std::ostream& operator<<(std::ostream& os, const CursorCase& c)
{
    return os << '"' << c.keys << "\" on " << c.entries << " entries";
}

class CursorKeys : public ::testing::TestWithParam<CursorCase> {};

// The list is 100 pixels high with 20-pixel rows: a page is 5 rows.
TEST_P(CursorKeys, MoveWithinTheList)
{
    const CursorCase& c = GetParam();
    ScriptedRun run(c.keys);
    int current = -2;
    std::vector<long> moved;
    run.run([&] {
        TestWindow w(c.entries);
        w.show();
        w.exec();
        current = w.list->getCurrentIndex();
        moved = w.movedKeys;
        w.hide();
    });
    EXPECT_EQ(current, c.current);
    EXPECT_EQ(moved, c.moved);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CursorKeys,
    ::testing::Values(CursorCase{"", 3, 0, {}},
                      CursorCase{"down down", 3, 2, {101, 102}},
                      CursorCase{"down down down down", 3, 2, {101, 102}},
                      CursorCase{"up", 3, 0, {}},
                      CursorCase{"down up", 3, 0, {101, 100}},
                      CursorCase{"right", 12, 5, {105}},
                      CursorCase{"right right left", 12, 5, {105, 110, 105}},
                      // a page that would pass the end leaves the cursor
                      CursorCase{"right right right", 12, 10, {105, 110}},
                      CursorCase{"left", 12, 0, {}},
                      CursorCase{"down up left right", 0, -1, {}}));

TEST(Dispatch, OkSelectsTheCurrentEntryOrNullOnAnEmptyList)
{
    ScriptedRun run("down ok");
    std::vector<long> full, empty;
    run.run([&] {
        TestWindow w(3);
        w.show();
        w.exec();
        full = w.selectedKeys;
    });
    EXPECT_EQ(full, std::vector<long>({101}));

    ScriptedRun run2("ok");
    run2.run([&] {
        TestWindow w(0);
        w.exec();
        empty = w.selectedKeys;
    });
    EXPECT_EQ(empty, std::vector<long>({-999}));
}

TEST(Dispatch, ColourKeysPressTheirButtonsAndExitRejects)
{
    struct Case {
        const char* keys;
        int result;
        int green;
    };
    const Case cases[] = {
        {"green green red", 1, 2},
        {"yellow blue exit", 1, 0},  // no such buttons: dropped
        {"green exit", 1, 1},
    };
    for (const Case& c : cases) {
        ScriptedRun run(c.keys);
        int result = -5, green = -1;
        run.run([&] {
            TestWindow w(2);
            w.show();
            result = w.exec();
            green = w.greenPresses;
        });
        EXPECT_EQ(result, c.result) << c.keys;
        EXPECT_EQ(green, c.green) << c.keys;
        EXPECT_EQ(run.automaticExits(), 0) << c.keys;
    }
}

TEST(Dispatch, AcceptAndRejectGiveTheirCodes)
{
    class Closer : public eWindow {
    public:
        explicit Closer(bool acc) : eWindow(1), acc_(acc) {}
        void keyDown(int) override
        {
            if (acc_)
                accept();
            else
                reject();
        }
        bool acc_;
    };
    ScriptedRun run("1 1");
    int a = -5, r = -5;
    run.run([&] {
        Closer ca(true), cr(false);
        a = ca.exec();
        r = cr.exec();
    });
    EXPECT_EQ(a, 0);
    EXPECT_NE(r, 0);
}

TEST(Dispatch, DigitsAndRawCodesReachKeyDownOnly)
{
    ScriptedRun run("7 0 code:65 code:0 9 exit");
    std::vector<int> down;
    int current = -1;
    std::vector<long> moved, selected;
    run.run([&] {
        TestWindow w(3);
        w.show();
        w.exec();
        down = w.keysDown;
        current = w.list->getCurrentIndex();
        moved = w.movedKeys;
        selected = w.selectedKeys;
    });
    EXPECT_EQ(down, std::vector<int>({'7', '0', 65, 0, '9'}));
    EXPECT_EQ(current, 0);
    EXPECT_TRUE(moved.empty());
    EXPECT_TRUE(selected.empty());
    // Every key is written, handled or not.
    std::vector<std::string> keys;
    for (const auto& e : run.of("key"))
        keys.push_back(e.key);
    EXPECT_EQ(keys, std::vector<std::string>({"7", "0", "code:65", "code:0", "9", "exit"}));
}

TEST(Dispatch, RawKeysWithoutAHandlerAreDropped)
{
    ScriptedRun run("5 code:300 ok");
    int result = -5;
    std::vector<long> selected;
    run.run([&] {
        eWindow w(0);
        auto* list = new eListBox<eListBoxEntryText>(&w);
        auto* e = new eListBoxEntryText(list, "only", 4);
        (void)e;
        w.setFocus(list);
        list->selected.connect([&](eListBoxEntryText* x) { selected.push_back(x ? x->getKey() : -1); });
        result = w.exec();
    });
    EXPECT_EQ(selected, std::vector<long>({4}));
    EXPECT_EQ(result, 1);  // the automatic exit
}

TEST(Dispatch, NestedRunsTakeKeysInnermostFirst)
{
    // OK on the outer list opens an inner window; its keys are its own until
    // it closes, then the outer one gets the rest.
    class Outer : public TestWindow {
    public:
        Outer() : TestWindow(3) { list->selected.connect(SigC::slot(*this, &Outer::open)); }
        void open(eListBoxEntryText*)
        {
            TestWindow inner(4);
            inner.show();
            innerResult = inner.exec();
            innerCurrent = inner.list->getCurrentIndex();
            inner.hide();
        }
        int innerResult = -5;
        int innerCurrent = -1;
    };
    ScriptedRun run("ok down down red down exit");
    int outerCurrent = -1, innerCurrent = -1, innerResult = -5, outerResult = -5;
    run.run([&] {
        Outer o;
        o.show();
        outerResult = o.exec();
        outerCurrent = o.list->getCurrentIndex();
        innerCurrent = o.innerCurrent;
        innerResult = o.innerResult;
    });
    EXPECT_EQ(innerCurrent, 2);
    EXPECT_EQ(innerResult, 1);
    EXPECT_EQ(outerCurrent, 1);
    EXPECT_EQ(outerResult, 1);
    const auto execs = run.of("exec");
    const auto closes = run.of("close");
    ASSERT_EQ(execs.size(), 2u);
    ASSERT_EQ(closes.size(), 2u);
    EXPECT_EQ(closes[0].win, execs[1].win);
    EXPECT_EQ(closes[1].win, execs[0].win);
    EXPECT_EQ(run.automaticExits(), 0);
}

}  // namespace
