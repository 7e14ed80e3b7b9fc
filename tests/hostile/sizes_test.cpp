// Files far larger than any the box writes: read in bounded pieces, in
// bounded time, with bounded results.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "plugin/boxenv.h"
#include "plugin/settings.h"
#include "tests/support/harness.h"
#include "timers/servicelist.h"
#include "viewer/channellist.h"
#include "viewer/channellistdetail.h"

namespace {

using Clock = std::chrono::steady_clock;

// Writes a file of `size` bytes: the head, then the filler byte.
void WriteBig(const std::string& path, const std::string& head, size_t size, char filler)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(head.data(), 1, head.size(), f);
    const std::string block(1 << 20, filler);
    for (size_t left = size - head.size(); left > 0;) {
        const size_t n = left < block.size() ? left : block.size();
        ASSERT_EQ(fwrite(block.data(), 1, n, f), n);
        left -= n;
    }
    fclose(f);
}

TEST(HostileSizes, HundredMegabyteGuideWithoutALineFeed)
{
    TempBoxRoot box;
    box.makeDir("/hdd");
    WriteBig(box.path("/hdd/epg.dat"), "C 101 Canale Uno ", 100u << 20, 'x');
    const auto t0 = Clock::now();
    ScriptedRun run;
    run.run([] {
        char name[] = "/hdd/epg.dat";
        eChannelListDialog list;
        list.SetFilename(name);
        EXPECT_EQ(list.FillChannelList(), 1);
        // One channel: its first read; every later read is a piece of x's.
        ASSERT_EQ(list.GetList()->getCount(), 1);
        EXPECT_EQ(list.GetList()->entryAt(0)->getKey(), 1);
        EXPECT_EQ(list.GetList()->entryAt(0)->getText(), "1. Canale Uno " + std::string(999 - 17, 'x'));

        eChannelListDetail detail;
        detail.SetFilename(name);
        detail.SetChannel(1);
        EXPECT_EQ(detail.FillChannelEPG(), 0);
        EXPECT_EQ(detail.FillGridEPG(0), 0);
        EXPECT_EQ(detail.GetList()->getCount(), 1);  // the channel's header
    });
    EXPECT_LT(Clock::now() - t0, std::chrono::seconds(20));
}

TEST(HostileSizes, SettingsFileWithAMegabyteLine)
{
    TempBoxRoot box;
    // A megabyte line that would match, then the line that does.
    box.write(SETTINGS_FILE, "lbExit=" + std::string(1 << 20, 'y') + "\nlbExit=Esci\nchannelListPosX=" +
                                 std::string(1 << 20, '9') + "\n");
    EXPECT_STREQ(ReadINIValue("lbExit", "Exit"), "Esci");
    EXPECT_EQ(ReadINIInt("channelListPosX", "75"), 75);  // the long line is not a value
    ScriptedRun run;
    run.run([] {
        eChannelListDialog list;
        list.show();
        list.hide();
    });
    bool exitShown = false;
    for (const boxtk::Event& e : run.of("widget"))
        exitShown = exitShown || (e.type == "button" && e.text == "Esci");
    EXPECT_TRUE(exitShown);
}

TEST(HostileSizes, ServiceListOfTenThousandLines)
{
    TempBoxRoot box;
    std::string list = "eDVB services /4/\nservices\n";
    for (int i = 0; i < 4999; ++i)  // 10000 lines in all
        list += "1a" + std::to_string(i) + ":00c0:0bb8:0071:1:0\nCanale " + std::to_string(i) + "\n";
    box.write(SERVICE_FILE_DEFAULT, list);
    const auto t0 = Clock::now();
    ScriptedRun run;
    run.run([] {
        ServiceIdentity id;
        EXPECT_EQ(LookupService(SERVICE_FILE_DEFAULT, "Canale 4998", &id), 0);
        EXPECT_STREQ(id.field[0], "1a4998");
        EXPECT_EQ(LookupService(SERVICE_FILE_DEFAULT, "Canale 5000", &id), 1);
    });
    EXPECT_LT(Clock::now() - t0, std::chrono::seconds(5));
    ASSERT_EQ(run.boxes().size(), 1u);
    EXPECT_EQ(run.boxes()[0].text, "Cannot find channel in service table: Canale 5000");
}

}  // namespace
