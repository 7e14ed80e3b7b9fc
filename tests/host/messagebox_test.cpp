// Message boxes: the focus among OK, Yes and No, the result of a run, and
// the single `box` event they write.
#include <gtest/gtest.h>

#include <ostream>

#include "host/gui.h"
#include "tests/support/harness.h"

namespace {

struct BoxCase {
    int flags;
    int def;
    const char* keys;
    int result;
};

std::ostream& operator<<(std::ostream& os, const BoxCase& c)
{
    return os << "flags " << c.flags << " default " << c.def << " keys \"" << c.keys << '"';
}

class BoxKeys : public ::testing::TestWithParam<BoxCase> {};

TEST_P(BoxKeys, ResultOfTheRun)
{
    const BoxCase& c = GetParam();
    ScriptedRun run(c.keys);
    int result = 0;
    run.run([&] {
        eMessageBox box("text", "caption", c.flags, c.def, 0);
        box.show();
        result = box.exec();
        box.hide();
    });
    EXPECT_EQ(result, c.result) << "flags " << c.flags << " keys \"" << c.keys << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Focus, BoxKeys,
    ::testing::Values(BoxCase{33, 1, "ok", 1},
                      // no OK button: the focus starts on the first, Yes
                      BoxCase{28, 1, "ok", 4},
                      BoxCase{28, 1, "right ok", 8},
                      BoxCase{28, 1, "down ok", 8},
                      // no wrap at either end
                      BoxCase{28, 1, "right right right ok", 8},
                      BoxCase{28, 1, "left ok", 4},
                      BoxCase{28, 1, "right left ok", 4},
                      BoxCase{28, 1, "right up ok", 4},
                      // the default button when the box has it
                      BoxCase{13, 8, "ok", 8},
                      BoxCase{13, 8, "left ok", 4},
                      BoxCase{13, 8, "left left left ok", 1},
                      BoxCase{13, 4, "right ok", 8},
                      BoxCase{17, 1, "ok", 1},
                      // exit, and keys a box does not take
                      BoxCase{28, 1, "exit", -1},
                      BoxCase{33, 1, "", -1},
                      BoxCase{28, 1, "red green 7 code:13 ok", 4}));

TEST(MessageBox, WritesOneBoxEventAndNoWindowEvents)
{
    ScriptedRun run("ok");
    run.run([] {
        eMessageBox box("Programmazione effettuata", "quindomar", 33, 1, 0);
        box.show();
        box.exec();
        box.hide();
    });
    const auto boxes = run.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "quindomar");
    EXPECT_EQ(boxes[0].text, "Programmazione effettuata");
    EXPECT_EQ(boxes[0].flags, 33);
    EXPECT_TRUE(run.of("show").empty());
    EXPECT_TRUE(run.of("widget").empty());
    std::vector<std::string> order;
    for (const auto& e : run.events())
        order.push_back(e.ev);
    EXPECT_EQ(order, std::vector<std::string>({"box", "exec", "key", "close", "hide"}));
    EXPECT_EQ(run.of("close")[0].win, boxes[0].win);
    EXPECT_EQ(run.of("close")[0].result, 1);
}

}  // namespace
