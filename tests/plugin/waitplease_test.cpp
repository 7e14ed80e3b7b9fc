// The please-wait box: placement from the settings, the label, the message.
#include <gtest/gtest.h>

#include <string>

#include "plugin/settings.h"
#include "plugin/waitplease.h"
#include "tests/support/boxroot.h"
#include "tests/support/scriptedrun.h"

namespace {

struct Geometry {
    const char* settings;
    int x, y, w, h;            // client area
    int lx, ly, lw, lh;        // label
};

TEST(WaitPleaseTest, PlacesBoxAndLabelAsComputed)
{
    const Geometry cases[] = {
        {"", 75, 100, 530, 60, 20, 20, 290, 30},
        {"pleaseWaitPosX=5\npleaseWaitPosY=6\npleaseWaitPosSX=600\npleaseWaitPosSY=100\n", 5, 6, 600, 100, 20,
         60, 360, 30},
        // Too small: the label is passed on above the area and without width.
        {"pleaseWaitPosSX=200\npleaseWaitPosSY=30\n", 75, 100, 200, 30, 20, -10, -40, 30},
    };
    for (const Geometry& g : cases) {
        TempBoxRoot box;
        box.write(SETTINGS_FILE, g.settings);
        ScriptedRun run;
        run.run([] {
            eWaitPlease wait;
            wait.show();
            wait.hide();
        });
        const auto shows = run.of("show");
        const auto widgets = run.of("widget");
        ASSERT_EQ(shows.size(), 1u);
        ASSERT_EQ(widgets.size(), 1u);
        EXPECT_EQ(shows[0].title, "DID Udovor - www.udovor.example");
        EXPECT_EQ(std::vector<int>({shows[0].x, shows[0].y, shows[0].w, shows[0].h}),
                  std::vector<int>({g.x, g.y, g.w, g.h}))
            << g.settings;
        EXPECT_EQ(widgets[0].type, "label");
        EXPECT_EQ(widgets[0].text, "Please wait...");
        EXPECT_EQ(std::vector<int>({widgets[0].x, widgets[0].y, widgets[0].w, widgets[0].h}),
                  std::vector<int>({g.lx, g.ly, g.lw, g.lh}))
            << g.settings;
        EXPECT_TRUE(run.of("exec").empty());  // never run modally
    }
}

TEST(WaitPleaseTest, SetMessageShowsTheTextAsItStands)
{
    TempBoxRoot box;
    const std::string big(1500, 'm');
    ScriptedRun run;
    run.run([&] {
        eWaitPlease wait;
        wait.SetMessage("Attendere %s%n");
        wait.show();
        wait.SetMessage("");
        wait.SetMessage(big.c_str());
        EXPECT_EQ(std::string(wait.GetMessage()), std::string(999, 'm'));
        wait.hide();
    });
    const auto widgets = run.of("widget");
    ASSERT_EQ(widgets.size(), 1u);
    EXPECT_EQ(widgets[0].text, "Attendere %s%n");
    std::vector<std::string> texts;
    for (const auto& e : run.of("text"))
        texts.push_back(e.text);
    EXPECT_EQ(texts, std::vector<std::string>({"", std::string(999, 'm')}));
}

}  // namespace
