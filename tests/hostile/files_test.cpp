// Files are never lost: a capture that fails at any step or a disk that
// fills while the guide is written leaves the previous guide whole, and an
// append to the timer list that is cut short leaves the list as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "capture/epgreader.h"
#include "capture/epgwriter.h"
#include "plugin/boxenv.h"
#include "tests/capture/capture_fixture.h"
#include "timers/timerlist.h"

namespace {

const char kOldGuide[] = "GC 3600\nGN 7200\nGT 1700000000\nC 101 Il vecchio\nc\n";

class HostileFiles : public CaptureTest {
protected:
    void TearDown() override
    {
        SetEpgWriteFailureForTests(-1);
        CaptureTest::TearDown();
    }
    // One Go! after the case set up the fake; true when the guide is whole.
    bool GoKeepsTheOldGuide(const char* step)
    {
        root.write("/hdd/epg.dat", kOldGuide);
        ScriptedRun run;
        run.run([] {
            EPGReader r;
            r.SetFilename("/hdd/epg.dat");
            r.DoDownloadEPG();
        });
        EXPECT_FALSE(run.boxes().empty()) << step << ": a failure is shown";
        EXPECT_FALSE(root.exists("/hdd/epg.dat" EPG_TEMP_SUFFIX)) << step;
        return root.read("/hdd/epg.dat") == kOldGuide;
    }
};

// The step at which the broadcast lets the capture down.
enum class Failing { TimeOffset, Titles, ChannelNames, ChannelOverflow, DemuxOpen };

class HostileCaptureStep : public HostileFiles, public testing::WithParamInterface<Failing> {
protected:
    void Broadcast(Failing step)
    {
        if (step != Failing::TimeOffset)
            AddTot();
        if (step != Failing::Titles)
            AddTitles();
        AddThemes();
        if (step == Failing::ChannelOverflow)
            fake.AddSection(kMhwTablePid, sect::ChannelSection(std::vector<sect::Channel>(150, sect::Channel{1, "X"})));
        else if (step != Failing::ChannelNames)
            AddChannels();
        AddSummaries();
        fake.failOpen = step == Failing::DemuxOpen;
    }
};

TEST_P(HostileCaptureStep, KeepsThePreviousGuide)
{
    Broadcast(GetParam());
    EXPECT_TRUE(GoKeepsTheOldGuide("step"));
}
INSTANTIATE_TEST_SUITE_P(Hostile, HostileCaptureStep,
                         testing::Values(Failing::TimeOffset, Failing::Titles, Failing::ChannelNames,
                                         Failing::ChannelOverflow, Failing::DemuxOpen));

TEST_F(HostileFiles, ADiskFillingWhileTheGuideIsWrittenKeepsThePreviousGuide)
{
    // How long the whole guide is.
    AddAll();
    root.write("/hdd/epg.dat", kOldGuide);
    ScriptedRun first;
    first.run([] {
        EPGReader r;
        r.SetFilename("/hdd/epg.dat");
        r.DoDownloadEPG();
    });
    const std::string full = root.read("/hdd/epg.dat");
    ASSERT_NE(full, kOldGuide);

    for (long after : {0L, 1L, static_cast<long>(full.size() / 2), static_cast<long>(full.size()) - 1}) {
        AddAll();
        SetEpgWriteFailureForTests(after);
        EXPECT_TRUE(GoKeepsTheOldGuide("full disk")) << "disk full after " << after << " bytes";
    }
}

// The host reads its timer list at any time: an append cut short at any
// byte is taken back, and the list reads as it did.
TEST(HostileTimerList, AnInterruptedAppendLeavesTheListParseable)
{
    static size_t cutAt;
    SetTimerWriteFn([](const void* data, size_t size, FILE* f) -> size_t {
        const size_t n = size < cutAt ? size : cutAt;
        return fwrite(data, 1, n, f);
    });
    const std::string lists[] = {
        "#SERVICE: 1:0:1:1a2b:bb8:71:c0:0:0:0:\n#DESCRIPTION: /News\n#TYPE 44\n"
        "#TIME_BEGIN 1709582400\n#DURATION 1800\n",
        "#TIME_BEGIN 1709582400\n#DURATION 1800",  // no line feed at its end
        "",
    };
    ServiceIdentity id;
    SplitIdentityLine("1a2c:00c0:0bb8:0071", &id);
    const std::string entry = FormatTimerEntry(id, "Film", 1709590000, 3600);
    for (const std::string& list : lists) {
        for (size_t cut : {size_t{0}, size_t{1}, entry.size() / 2, entry.size() - 1}) {
            TempBoxRoot box;
            box.write(TIMER_FILE_DEFAULT, list);
            FILE* f = BoxFopen(TIMER_FILE_DEFAULT, "r");
            const std::vector<TimerPair> before = ReadTimerPairs(f);
            fclose(f);
            cutAt = cut;
            ScriptedRun run;
            run.run([&] { EXPECT_EQ(AppendTimerEntry(TIMER_FILE_DEFAULT, id, "Film", 1709590000, 3600), -1); });
            EXPECT_EQ(box.read(TIMER_FILE_DEFAULT), list) << "cut at " << cut;
            std::vector<TimerPair> after;
            ScanTimerList(TIMER_FILE_DEFAULT, &after);
            ASSERT_EQ(after.size(), before.size());
            ASSERT_EQ(run.boxes().size(), 1u);
            EXPECT_EQ(run.boxes()[0].text, std::string("Cannot write timer file:") + TIMER_FILE_DEFAULT);
        }
    }
    SetTimerWriteFn(nullptr);
}

}  // namespace
