// Console lines and the error box.
#include <gtest/gtest.h>

#include <string>

#include "plugin/diagnostics.h"
#include "tests/support/scriptedrun.h"

namespace {

std::string LogOutput(const std::function<void()>& body)
{
    testing::internal::CaptureStdout();
    body();
    return testing::internal::GetCapturedStdout();
}

TEST(LogTest, EveryFormWritesOneLine)
{
    EXPECT_EQ(LogOutput([] { Log("Saving timer list..."); }), "Saving timer list...\n");
    EXPECT_EQ(LogOutput([] { Log("Count:", -12); }), "Count: -12\n");
    EXPECT_EQ(LogOutput([] { Log("File", "/hdd/epg.dat"); }), "File /hdd/epg.dat\n");
    EXPECT_EQ(LogOutput([] { Log("a", "b", "c"); }), "a b c\n");
    EXPECT_EQ(LogOutput([] { Log(nullptr); }), "\n");
}

TEST(LogTest, TextsAreNotFormats)
{
    EXPECT_EQ(LogOutput([] { Log("%s%n%d"); }), "%s%n%d\n");
    EXPECT_EQ(LogOutput([] { Log("%n", "%s"); }), "%n %s\n");
}

TEST(LogTest, LongTextIsCutInFormattedForms)
{
    const std::string big(5000, 'x');
    EXPECT_EQ(LogOutput([&] { Log(big.c_str(), 1); }), std::string(999, 'x') + "\n");
    EXPECT_EQ(LogOutput([&] { Log(big.c_str(), "y"); }), std::string(999, 'x') + "\n");
}

TEST(ErrorBoxTest, EveryFormShowsOneBox)
{
    const std::string big(3000, 'z');
    ScriptedRun run("ok ok ok ok exit");
    run.run([&] {
        myerror();
        myerror("Read: ", 12);
        myerror("Cannot open timer file:", "/t.epl");
        myerror("%s%n");
        myerror(big.c_str(), "tail");
    });
    const std::vector<BoxSeen> boxes = run.boxes();
    ASSERT_EQ(boxes.size(), 5u);
    const char* const texts[] = {"", "Read: 12", "Cannot open timer file:/t.epl", "%s%n"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(boxes[i].text, texts[i]);
        EXPECT_EQ(boxes[i].caption, "quindomar");
        EXPECT_EQ(boxes[i].flags, 33);
    }
    EXPECT_EQ(boxes[4].text, std::string(999, 'z'));
    // Each box ran modally and was closed by its key.
    EXPECT_EQ(run.of("close").size(), 5u);
    EXPECT_EQ(run.automaticExits(), 0);
}

}  // namespace
