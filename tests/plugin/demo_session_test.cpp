// The whole plug-in in boxsim on the demo box kept in the repository.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/product.h"
#include "tests/support/process.h"
#include "tests/support/tracejson.h"

#ifdef BOXSIM_PATH

namespace {

TEST(DemoSessionTest, ExitAtOnceTracesTheWholeSession)
{
    const std::string demo = std::string(UDOVOR_SOURCE_DIR) + "/demo/box";
    const ProcessResult r = runProcess({BOXSIM_PATH, "--plugin", PLUGIN_PATH, "--root", demo, "--clock",
                                        "1709582400", "--keys", "exit", "--trace", "-"});
    ASSERT_FALSE(r.timedOut);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<TraceLine> trace = parseTrace(r.out);

    int listWin = -1;
    std::vector<std::string> entries, order;
    bool sawSave = false;
    for (const TraceLine& t : trace) {
        const std::string ev = t.ev();
        if (ev == "show" && t.num("h") == 376)
            listWin = static_cast<int>(t.num("win"));
        if (ev == "entry")
            entries.push_back(t.str("text") + "|" + std::to_string(t.num("key")));
        if (ev == "http" && t.str("request") == "GET /cgi-bin/saveTimerList HTTP/1.0\n\n")
            sawSave = true;
        if (ev == "box")
            order.push_back("box:" + t.str("caption"));
        if (ev == "close" && t.num("win") == listWin)
            order.push_back("list closed");
        if (ev == "return")
            order.push_back("return " + std::to_string(t.num("value")));
    }
    EXPECT_NE(listWin, -1);
    EXPECT_EQ(entries, std::vector<std::string>({"1. Canale Uno|4", "2. Rete Due|187", "3. Sport Tre|357"}));
    EXPECT_EQ(order, std::vector<std::string>({"list closed", std::string("box:") + ABOUT_CAPTION, "return 0"}));
    EXPECT_TRUE(sawSave);
    // Only the save: no timer was programmed.
    EXPECT_EQ(r.out.find("reloadTimerList"), std::string::npos);
}

}  // namespace

#endif
