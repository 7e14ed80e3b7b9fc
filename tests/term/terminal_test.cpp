// boxsim's terminal screen end to end: boxsim runs in a pseudo-terminal
// (tmux), keys are typed, and the screen is read back as text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "tests/support/harness.h"
#include "tests/term/tmux.h"

#if defined(BOXSIM_PATH) && defined(STREAMGEN_PATH)

namespace {

const int kCols = 90;
const int kRows = 37;

std::string busyPlugin()
{
    return std::string(UDOVOR_BINARY_DIR) + "/boxsim-test/boxsim-test-busy.so";
}

class TerminalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (TmuxTerminal::program().empty())
            GTEST_SKIP() << "tmux is not installed (make deps installs it)";
    }

    // A box as the demo makes it: the demo broadcast for now as the demux
    // device, a service list that knows its channels, an empty timer list.
    void makeBox()
    {
        now_ = static_cast<long long>(time(nullptr));
        box_.makeDir("/dev/dvb/card0");
        box_.makeDir("/hdd");
        box_.makeDir("/var/korvadel");
        box_.write("/var/tuxbox/config/enigma/timer.epl", "");
        const std::string services = std::string(UDOVOR_SOURCE_DIR) + "/demo/live/services";
        box_.write("/var/tuxbox/config/enigma/services", readFile(services));
        const ProcessResult r = runProcess({STREAMGEN_PATH, "--demo", "--time", std::to_string(now_), "-o",
                                            box_.path("/dev/dvb/card0/demux0")});
        ASSERT_EQ(r.status, 0) << r.err;
    }

    static std::string readFile(const std::string& path)
    {
        std::string out;
        if (FILE* f = fopen(path.c_str(), "rb")) {
            char buf[4096];
            size_t n;
            while ((n = fread(buf, 1, sizeof buf, f)) > 0)
                out.append(buf, n);
            fclose(f);
        }
        return out;
    }

    // boxsim on the box, interactive; its exit status goes to a file in the
    // box root, and the terminal stays open after it.
    void startBoxsim(const std::string& extra = "")
    {
        // The cross builds' programs run under an emulator, which the
        // shell cannot know of: the command names it.
        const char* emulator = getenv("UDOVOR_TEST_EMULATOR");
        const std::string prefix = emulator && *emulator ? std::string(emulator) + " " : std::string();
        const std::string cmd = prefix + "'" + BOXSIM_PATH + "' --root '" + box_.root() + "' --clock " +
                                std::to_string(now_) + " " + extra + "; echo $? >'" + box_.path("/status") + "'; sleep 60";
        ASSERT_TRUE(term_.start(cmd, kCols, kRows));
    }

    // Waits for boxsim to end; its exit status, -1 when it did not.
    int finished()
    {
        for (int i = 0; i < 160; ++i) {
            const std::string s = box_.read("/status");
            if (!s.empty())
                return atoi(s.c_str());
            usleep(50 * 1000);
        }
        return -1;
    }

    // The screen row that holds the text.
    static std::string rowWith(const std::string& screen, const std::string& text)
    {
        for (const std::string& row : screenRows(screen))
            if (row.find(text) != std::string::npos)
                return row;
        return std::string();
    }
    // The list row with the cursor mark: the first thing inside the frame.
    static std::string highlighted(const std::string& screen)
    {
        const std::string side = "\u2502";
        for (const std::string& row : screenRows(screen)) {
            const size_t at = row.find(side);
            if (at == std::string::npos)
                continue;
            const size_t mark = row.find_first_not_of(' ', at + side.size());
            if (mark != std::string::npos && row[mark] == '>')
                return row;
        }
        return std::string();
    }

    TempBoxRoot box_;
    TmuxTerminal term_;
    long long now_ = 0;
};

// From an empty box: the channel list says the guide is missing; Utils,
// Download EPG and Go! capture it, with the capture's status line on the
// screen, and its closing message box.
TEST_F(TerminalTest, CaptureTheGuideWithTheKeyboard)
{
    makeBox();
    startBoxsim();
    ASSERT_TRUE(term_.waitFor("Utils")) << term_.last();
    std::string s = term_.last();
    EXPECT_NE(s.find("DID Udovor - www.udovor.example"), std::string::npos) << s;
    EXPECT_NE(highlighted(s).find("Cannot open: /hdd/epg.dat"), std::string::npos) << s;
    const std::string buttons = rowWith(s, "Grid EPG");
    for (const char* caption : {"Exit", "Search", "Utils"})
        EXPECT_NE(buttons.find(caption), std::string::npos) << caption << " in: " << buttons;
    EXPECT_NE(screenRows(s).back().find("F1/r red"), std::string::npos) << s;

    term_.send({"b"});
    ASSERT_TRUE(term_.waitFor("Download EPG")) << term_.last();
    term_.send({"F1"});
    ASSERT_TRUE(term_.waitFor("premere Go!")) << term_.last();
    term_.send({"g"});
    ASSERT_TRUE(term_.waitFor("Writing Chan:5")) << term_.last();

    term_.send({"Escape"});
    ASSERT_TRUE(term_.waitFor("Reload plugin now!")) << term_.last();
    s = term_.last();
    EXPECT_NE(s.find("quindomar"), std::string::npos) << s;
    EXPECT_NE(s.find("> OK <"), std::string::npos) << s;

    term_.send({"Enter", "BSpace", "Escape"});
    ASSERT_TRUE(term_.waitFor("Anyway the wind blows")) << term_.last();
    term_.send({"Enter"});
    EXPECT_EQ(finished(), 0) << term_.screen();
    const std::string guide = box_.read("/hdd/epg.dat");
    EXPECT_NE(guide.find("C 4101 Canale Brezza"), std::string::npos);
    EXPECT_NE(guide.find("C 4106 Sport Falco"), std::string::npos);
    // The plug-in's console lines were kept off the screen and shown after it.
    EXPECT_TRUE(term_.waitFor("HTTP/1.0 200", 2000)) << term_.last();
}

// With a captured guide: the channels, a channel's programmes with the
// running one highlighted, the cursor moving, and a recording programmed
// through the question box.
TEST_F(TerminalTest, BrowseTheGuideAndProgramARecording)
{
    makeBox();
    const ProcessResult capture = runProcess({BOXSIM_PATH, "--root", box_.root(), "--clock", std::to_string(now_),
                                              "--keys", "blue red green"});
    ASSERT_EQ(capture.status, 0) << capture.err;
    startBoxsim();
    ASSERT_TRUE(term_.waitFor("6. Sport Falco")) << term_.last();
    EXPECT_NE(highlighted(term_.last()).find("1. Canale Brezza"), std::string::npos) << term_.last();

    term_.send({"Enter"});
    ASSERT_TRUE(term_.waitFor("****")) << term_.last();
    std::string s = term_.last();
    const std::string running = highlighted(s);
    EXPECT_NE(running.find(" | "), std::string::npos) << s;
    EXPECT_NE(running.find("'"), std::string::npos) << s;  // the duration after the tab

    term_.send({"Down"});
    s = term_.screen();
    EXPECT_NE(highlighted(s), running) << s;
    term_.send({"Up"});
    s = term_.screen();
    EXPECT_EQ(highlighted(s), running) << s;

    term_.send({"Enter"});
    ASSERT_TRUE(term_.waitFor("Vuoi programmare la registrazione")) << term_.last();
    s = term_.last();
    EXPECT_NE(s.find("> Yes <"), std::string::npos) << s;
    EXPECT_NE(s.find("[ No ]"), std::string::npos) << s;
    term_.send({"Enter"});
    ASSERT_TRUE(term_.waitFor("Programmazione effettuata")) << term_.last();
    term_.send({"Enter", "Escape", "Escape"});
    ASSERT_TRUE(term_.waitFor("Anyway the wind blows")) << term_.last();
    term_.send({"Escape"});
    EXPECT_EQ(finished(), 0) << term_.screen();
    EXPECT_NE(box_.read("/var/tuxbox/config/enigma/timer.epl").find("#SERVICE: 1:0:1:1005:"), std::string::npos)
        << box_.read("/var/tuxbox/config/enigma/timer.epl");
}

// A button handler that keeps the GUI thread busy: its status changes are
// drawn as they happen, not only when the next key is read. Resizing
// redraws; a far too small terminal says so.
TEST_F(TerminalTest, RedrawsWhileBusyAndOnResize)
{
    box_.makeDir("/var");
    startBoxsim("--plugin '" + busyPlugin() + "'");
    ASSERT_TRUE(term_.waitFor("Press Go!")) << term_.last();
    EXPECT_NE(term_.last().find("Busy test caff\u00e8"), std::string::npos) << term_.last();
    term_.send({"F2"});
    ASSERT_TRUE(term_.waitFor("Step one of the work")) << term_.last();
    box_.write("/step1", "");
    ASSERT_TRUE(term_.waitFor("Step two of the work")) << term_.last();
    box_.write("/step2", "");
    ASSERT_TRUE(term_.waitFor("Work done")) << term_.last();

    term_.resize(40, 12);
    ASSERT_TRUE(term_.waitFor("too small")) << term_.last();
    EXPECT_EQ(term_.last().find("Work done"), std::string::npos) << term_.last();
    term_.resize(80, 24);
    ASSERT_TRUE(term_.waitFor("Work done")) << term_.last();
    EXPECT_EQ(screenRows(term_.last()).size(), 24u);

    term_.send({"Escape"});
    EXPECT_EQ(finished(), 0) << term_.screen();
}

}  // namespace

#endif
