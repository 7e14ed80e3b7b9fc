// What a session takes it gives back: a whole scripted session (browse,
// record, capture twice) leaves nothing allocated, and a second Go! of the
// download window releases the records of the first.
#include <gtest/gtest.h>

#include <malloc.h>

#include <string>

#include "capture/epgreader.h"
#include "plugin/session.h"
#include "plugin/settings.h"
#include "tests/capture/capture_fixture.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
// The sanitizer runtime's count of bytes in use (not in every compiler's headers).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#define UDOVOR_HOSTILE_ASAN 1
#endif

namespace {

size_t BytesInUse()
{
#ifdef UDOVOR_HOSTILE_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

class HostileLeaks : public CaptureTest {
protected:
    // A broadcast with many titles and long summaries, so that one Go!'s
    // records weigh megabytes.
    void AddLargeBroadcast()
    {
        AddTot();
        fake.AddSection(kTitlePid, sect::MarkerSection(kSun09));
        for (uint32_t i = 0; i < 2000; ++i)
            fake.AddSection(kTitlePid, sect::TitleSection(TitleOn(1 + i % 2, kSun10, "T" + std::to_string(i), i)));
        fake.AddSection(kTitlePid, sect::MarkerSection(kSun09));
        AddThemes();
        AddChannels();
        const std::string text(2000, 's');
        for (uint32_t i = 0; i < 2000; ++i)
            fake.AddSection(kSummaryPid, sect::SummarySection(i, {}, text));
        fake.AddSection(kSummaryPid, sect::SummarySection(0, {}, text));
    }
};

TEST_F(HostileLeaks, ASecondGoReleasesTheFirstOnesRecords)
{
    AddLargeBroadcast();
    AddLargeBroadcast();
    ScriptedRun run;
    run.run([&] {
        EPGReader r;
        r.SetFilename("/hdd/epg.dat");
        const size_t before = BytesInUse();
        r.DoDownloadEPG();
        ASSERT_EQ(r.capture().titleCount, 2000);
        ASSERT_EQ(r.capture().summaryCount, 2000);
        const size_t one = BytesInUse() - before;
        EXPECT_GT(one, size_t{4} << 20);  // the texts alone are 4 MB
        r.DoDownloadEPG();
        EXPECT_EQ(r.capture().summaryCount, 2000);
        const size_t two = BytesInUse() - before;
        EXPECT_LT(two, one + one / 4) << "the first Go!'s records are still held";
    });
    EXPECT_TRUE(run.boxes().empty());
}

// Browse a channel, program a recording, open the download window and press
// Go! twice, leave: under LeakSanitizer nothing is left behind.
TEST_F(HostileLeaks, AWholeSessionLeavesNothingBehind)
{
    root.setWebPort(1);  // nobody listens there: the workers end at once
    root.write("/hdd/epg.dat",
               "GC 3600\nGN 7200\nGT 1700000000\nC 301 Uno\n"
               "E 1 1709578800 3600\nT News\nX 1709582400\nS Info\nL 60\ne\nc\n");
    root.write("/var/tuxbox/config/enigma/services", "0dc8:00c00000:0bb8:0071:1:0\nUno\n");
    root.write("/var/tuxbox/config/enigma/timer.epl", "");
    root.write(SETTINGS_FILE, "localOffset=1709582401\n");
    AddTot();  // read by the listing for the current time
    AddAll();
    AddAll();
    // Channel list: ok opens the listing, down ok asks, ok says yes, ok closes the confirmation, exit
    // leaves; blue opens the utilities, red the download window, green
    // twice captures, red leaves it, ok closes its box, exit leaves the
    // utilities, exit the channel list, ok the about box.
    ScriptedRun run("ok down ok ok ok exit blue red green green red ok exit exit ok");
    int value = -1;
    run.run([&] { value = plugin_exec(nullptr); });
    EXPECT_EQ(value, 0);
    EXPECT_EQ(run.automaticExits(), 0);
    // The details with the question, the confirmation, the reminder after
    // the download window, the about box: no failure anywhere.
    const std::vector<std::string> boxes = BoxTexts(run);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[1], "Programmazione effettuata");
    EXPECT_EQ(boxes[2], "Reload plugin now!");
    EXPECT_NE(root.read("/var/tuxbox/config/enigma/timer.epl").find("#DESCRIPTION: /News"), std::string::npos);
    EXPECT_EQ(fake.Pending(kTitlePid, kTitleTableId), 0u) << "both Go!s read their turn";
    EXPECT_NE(root.read("/hdd/epg.dat").find("C 302 Due Canale"), std::string::npos);
#ifdef UDOVOR_HOSTILE_ASAN
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#endif
}

}  // namespace
