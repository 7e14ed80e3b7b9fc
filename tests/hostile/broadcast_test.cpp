// A broadcast shaped to hurt: every capture ends, within its bounds, with
// the boxes it owes, and a capture that fails leaves the previous guide.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "capture/demux_ts.h"
#include "capture/epgreader.h"
#include "plugin/settings.h"
#include "tests/capture/capture_fixture.h"
#include "tests/capture/tspack.h"

namespace {

const char kOldGuide[] = "the old guide\n";

class HostileBroadcast : public CaptureTest {
protected:
    // One Go! over what the case put on the fake; its boxes.
    std::vector<std::string> Go()
    {
        root.write("/hdd/epg.dat", kOldGuide);
        ScriptedRun run;
        const auto t0 = std::chrono::steady_clock::now();
        run.run([] {
            EPGReader r;
            r.SetFilename("/hdd/epg.dat");
            r.DoDownloadEPG();
        });
        took = std::chrono::steady_clock::now() - t0;
        EXPECT_TRUE(run.ended());
        return BoxTexts(run);
    }
    static size_t Count(const std::string& text, const std::string& piece)
    {
        size_t n = 0;
        for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
            ++n;
        return n;
    }
    void AddRest(const Bytes& tot)
    {
        fake.AddSection(kTotPid, tot);
        AddTitles();
        AddThemes();
        AddChannels();
        AddSummaries();
    }
    std::chrono::steady_clock::duration took{};
};

TEST_F(HostileBroadcast, ATitleCarouselThatNeverRepeatsItsFirstMarkerEnds)
{
    AddTot();
    fake.AddSection(kTitlePid, sect::MarkerSection(kSun09));
    fake.AddSection(kTitlePid, sect::MarkerSection(kSun10));
    fake.AddSection(kTitlePid, sect::TitleSection(TitleOn(1, kSun10, "Again and again", 7)));
    fake.SetLoop(kTitlePid, kTitleTableId, true, 1);  // the first marker never comes back
    AddThemes();
    AddChannels();
    AddSummaries();
    EXPECT_EQ(Go(), (std::vector<std::string>{"The titles carousel did not come round", "Error GetTitles"}));
    EXPECT_LE(fake.reads, 2 + kMaxTurnSections + 1);
    EXPECT_LT(took, std::chrono::seconds(20));
    EXPECT_EQ(root.read("/hdd/epg.dat"), kOldGuide);
}

TEST_F(HostileBroadcast, ASummaryWhoseReplayListRunsPastItsEnd)
{
    AddTot();
    AddTitles();
    AddThemes();
    AddChannels();
    sect::Replay r;
    r.channelId = 2;
    r.time = kReplayLocal;
    // 200 replays claimed, one present, then a few text bytes.
    const Bytes lying = sect::SummarySection(102, {r}, "A film", 200);
    fake.AddSection(kSummaryPid, lying);
    fake.AddSection(kSummaryPid, sect::SummarySection(101, {}, "Today's news"));
    fake.AddSection(kSummaryPid, lying);
    EXPECT_TRUE(Go().empty());
    const std::string guide = root.read("/hdd/epg.dat");
    EXPECT_NE(guide, kOldGuide);
    EXPECT_EQ(Count(guide, "\nR "), 1u) << guide;  // only the replay wholly inside
}

TEST_F(HostileBroadcast, OneHundredAndFiftyChannelRecordsAreRefused)
{
    AddTot();
    AddTitles();
    AddThemes();
    std::vector<sect::Channel> many;
    for (unsigned i = 0; i < 150; ++i)
        many.push_back({1000 + i, "Canale " + std::to_string(i)});
    fake.AddSection(kMhwTablePid, sect::ChannelSection(many));
    AddSummaries();
    EXPECT_EQ(Go(), (std::vector<std::string>{"Channels Table overflow (names needed)\n150", "Error GetChannelNames"}));
    EXPECT_EQ(root.read("/hdd/epg.dat"), kOldGuide);
}

// The rest of a standard broadcast behind a TOT of the case.
TEST_F(HostileBroadcast, TotDescriptorClaimingMoreThanTheSectionWithAWholeEntry)
{
    // The entry is inside; the descriptor claims 255 bytes: the entry is used.
    Bytes tot = sect::Tot(kNow, sect::LtoDescriptor({Italy()}));
    tot[11] = 0xFF;
    AddRest(tot);
    EXPECT_TRUE(Go().empty());
    EXPECT_NE(root.read("/hdd/epg.dat"), kOldGuide);
}

TEST_F(HostileBroadcast, TotLoopLengthClaimingMoreThanTheSection)
{
    Bytes tot = sect::Tot(kNow, sect::LtoDescriptor({Italy()}));
    tot[8] = 0xFF;
    tot[9] = 0xFF;
    AddRest(tot);
    EXPECT_TRUE(Go().empty());
    EXPECT_NE(root.read("/hdd/epg.dat"), kOldGuide);
}

TEST_F(HostileBroadcast, TotDescriptorWhoseEntryRunsIntoTheCrc)
{
    // Eight bytes of an entry; the descriptor claims all 13: no usable entry.
    Bytes tot = sect::Tot(kNow, sect::Descriptor(0x58, Bytes(8, 'I')));
    tot[11] = 13;
    AddRest(tot);
    EXPECT_EQ(Go(), std::vector<std::string>{"Error GetTimeOffset"});
    EXPECT_EQ(root.read("/hdd/epg.dat"), kOldGuide);
}

// A recorded stream cut in the middle of a packet is no stream; one cut at
// a packet inside a section loses that section (and has no marker anyway).
TEST_F(HostileBroadcast, RecordedStreamCutShort)
{
    SetDemuxOpenerForTests(DemuxOpener());
    root.write(SETTINGS_FILE, "dvbDevice=/hdd/cut.ts\n");
    tspack::Stream ts;
    ts.Sections(kTotPid, {sect::Tot(kNow, sect::LtoDescriptor({Italy()}))});
    std::vector<Bytes> titles;
    for (int i = 0; i < 12; ++i)
        titles.push_back(sect::TitleSection(TitleOn(1, kSun10, "T" + std::to_string(i), 100 + i)));
    ts.Sections(kTitlePid, titles);

    const std::string whole(ts.bytes.begin(), ts.bytes.end());
    root.write("/hdd/cut.ts", whole.substr(0, whole.size() - 100));
    EXPECT_EQ(Go(), (std::vector<std::string>{"Not a transport stream: /hdd/cut.ts", "Cannot open DEMUX DEVICE",
                                              "Error GetTimeOffset"}));
    EXPECT_EQ(root.read("/hdd/epg.dat"), kOldGuide);

    root.write("/hdd/cut.ts", whole.substr(0, whole.size() - kTsPacketSize));
    EXPECT_EQ(Go(), (std::vector<std::string>{"Not on EPG Channel!", "Error GetTitles"}));
    EXPECT_EQ(root.read("/hdd/epg.dat"), kOldGuide);
}

}  // namespace
