// The utilities window: fixed layout, label captions, the download and the
// three unsupported updates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/product.h"
#include "plugin/settings.h"
#include "tests/support/boxroot.h"
#include "tests/support/scriptedrun.h"
#include "viewer/utilswindow.h"

namespace {

int RunUtils(ScriptedRun& run, const char* fileName = "/hdd/epg.dat")
{
    int result = -99;
    run.run([&] {
        eUtilsWindows utils;
        utils.SetFileName(fileName);
        EXPECT_STREQ(utils.GetFileName(), fileName);
        utils.show();
        result = utils.exec();
        utils.hide();
    });
    return result;
}

TEST(UtilsWindowTest, FixedLayoutWithLabelCaptions)
{
    TempBoxRoot box;
    box.write(SETTINGS_FILE, "lbDownloadEPG=ignored in settings\n");
    box.write(LABEL_FILE, "lbDownloadEPG=Scarica EPG\nlbUpdatePlugin=%s%n\n");
    ScriptedRun run;
    RunUtils(run);
    const auto shows = run.of("show");
    ASSERT_EQ(shows.size(), 1u);
    EXPECT_EQ(shows[0].title, "Utils");
    EXPECT_EQ(std::vector<int>({shows[0].x, shows[0].y, shows[0].w, shows[0].h}),
              std::vector<int>({75, 100, 530, 400}));
    std::vector<std::string> seen;
    for (const auto& w : run.of("widget"))
        seen.push_back(w.type + "|" + w.text + "|" + w.colour + "|" + std::to_string(w.x) + "," +
                       std::to_string(w.y) + "," + std::to_string(w.w) + "," + std::to_string(w.h));
    EXPECT_EQ(seen, std::vector<std::string>({
                        "button|Scarica EPG|red|15,70,400,30",
                        "button|Update EPG (internet needed!)|green|15,110,400,30",
                        "button|Update EPG Low Memory (internet needed!)|yellow|15,150,400,30",
                        "button|%s%n|blue|15,190,400,30",
                        "label|*||15,10,500,30",
                    }));
}

TEST(UtilsWindowTest, UpdatesAreNotSupportedAndLeaveTheWindowOpen)
{
    TempBoxRoot box;
    ScriptedRun run("green ok yellow ok blue ok exit");
    EXPECT_NE(RunUtils(run), 0);
    EXPECT_EQ(run.automaticExits(), 0);
    const auto boxes = run.boxes();
    ASSERT_EQ(boxes.size(), 3u);
    for (const auto& b : boxes) {
        EXPECT_EQ(b.text, "Not yet supported!");
        EXPECT_EQ(b.caption, "quindomar");
    }
    // Only the exit key closed the window, after the three boxes.
    const auto closes = run.of("close");
    ASSERT_EQ(closes.size(), 4u);
    EXPECT_EQ(closes.back().win, run.windowsShown()[0]);
}

TEST(UtilsWindowTest, DownloadLeftAtOnceStillAsksForAReload)
{
    TempBoxRoot box;
    ScriptedRun run("red exit ok exit");
    RunUtils(run);
    EXPECT_EQ(run.automaticExits(), 0);
    const auto windows = run.windowsShown();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(run.lastTitle(windows[1]).rfind("EPG Downloader", 0), 0u) << run.lastTitle(windows[1]);
    const auto boxes = run.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Reload plugin now!");
    // The box comes after the download window was hidden.
    int hiddenAt = -1, boxAt = -1, i = 0;
    for (const auto& e : run.events()) {
        if (e.ev == "hide" && e.win == windows[1])
            hiddenAt = i;
        if (e.ev == "box")
            boxAt = i;
        ++i;
    }
    EXPECT_LT(hiddenAt, boxAt);
}

}  // namespace
