// The title and summary carousels: one turn, and what the broadcast can do
// to it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "capture/epgreader.h"
#include "tests/capture/capture_fixture.h"

namespace {

class Carousel : public CaptureTest {
protected:
    int Run(ScriptedRun& run, int (EPGReader::*read)(), int exitLimit = 200)
    {
        int result = 99;
        run.run(
            [&] {
                if (!reader) {
                    reader.reset(new EPGReader);
                    reader->SetDevicePath("/dev/dvb/card0/demux0");
                    reader->capture().dayBase = kDayBase;
                    reader->capture().dayBaseWeekday = kDayBaseWeekday;
                    reader->capture().offsets.currentOffset = 3600;
                    reader->capture().offsets.nextOffset = 7200;
                    reader->capture().offsets.timeOfChange = static_cast<int32_t>(kChange);
                }
                result = (reader.get()->*read)();
            },
            exitLimit);
        return result;
    }
    const CaptureData& cap() const { return reader->capture(); }
    void TearDown() override
    {
        reader.reset();
        CaptureTest::TearDown();
    }

    void Title(const sect::Title& t) { fake.AddSection(kTitlePid, sect::TitleSection(t)); }
    void Marker(uint8_t dayHour) { fake.AddSection(kTitlePid, sect::MarkerSection(dayHour)); }
    void TitleRead(int result) { fake.AddReadResult(kTitlePid, kTitleTableId, result); }
    void Summary(uint32_t id, const std::string& text)
    {
        fake.AddSection(kSummaryPid, sect::SummarySection(id, {}, text));
    }
    void SummaryRead(int result) { fake.AddReadResult(kSummaryPid, kSummaryTableId, result); }

    std::unique_ptr<EPGReader> reader;
};

int Markers(const CaptureData& c)
{
    int n = 0;
    for (const auto& day : c.hourMarkers)
        for (int e : day)
            n += e != -1;
    return n;
}

}  // namespace

TEST_F(Carousel, OneTitleTurn)
{
    Title(TitleOn(1, kSun12, "Before the first marker", 1));
    AddTitles();
    Title(TitleOn(1, kSun12, "After the turn", 2));
    ScriptedRun run;
    ASSERT_EQ(Run(run, &EPGReader::GetTitles), 0);
    EXPECT_TRUE(run.boxes().empty());
    ASSERT_EQ(cap().titleCount, 5);
    EXPECT_STREQ(cap().titles[0]->title, "News                   ");
    EXPECT_EQ(cap().titles[0]->channelIndex, 1);
    EXPECT_EQ(cap().titles[0]->start, 1710068400);
    EXPECT_EQ(cap().titles[0]->programId, 101u);
    EXPECT_EQ(cap().titles[3]->summaryFlag, 0);
    EXPECT_EQ(cap().titles[4]->duration, 7200);
    EXPECT_EQ(cap().hourMarkers[0][9], 0);  // the first marker, decoded once
    EXPECT_EQ(cap().hourMarkers[1][3], 3);
    EXPECT_EQ(Markers(cap()), 2);
    EXPECT_EQ(fake.Pending(kTitlePid, kTitleTableId), 1u);  // the turn ended at the repeat
}

TEST_F(Carousel, WrongSizeSectionsAreShownAndSkipped)
{
    Marker(kSun09);
    fake.AddSection(kTitlePid, Bytes(45, 0x90));
    Title(TitleOn(1, kSun12, "Kept", 1));
    Marker(kSun09);
    ScriptedRun run;
    ASSERT_EQ(Run(run, &EPGReader::GetTitles), 0);
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Warning, wrong size table : \n45"});
    EXPECT_EQ(cap().titleCount, 1);
}

TEST_F(Carousel, AnEmptyReadEndsTheTurn)
{
    Marker(kSun09);
    Title(TitleOn(1, kSun12, "One", 1));
    TitleRead(0);
    Title(TitleOn(1, kSun12, "Not read", 2));
    ScriptedRun run;
    ASSERT_EQ(Run(run, &EPGReader::GetTitles), 0);
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Warning, wrong size table : \n0"});
    EXPECT_EQ(cap().titleCount, 1);
}

TEST_F(Carousel, NoMarkerBeforeAFailedRead)
{
    Title(TitleOn(1, kSun12, "No marker", 1));
    ScriptedRun run;
    EXPECT_EQ(Run(run, &EPGReader::GetTitles), -1);
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Not on EPG Channel!"});
}

TEST_F(Carousel, ATitleStreamWithoutMarkersEnds)
{
    Title(TitleOn(1, kSun12, "Only titles", 1));
    fake.SetLoop(kTitlePid, kTitleTableId, true);
    ScriptedRun run;
    EXPECT_EQ(Run(run, &EPGReader::GetTitles), -1);
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Not on EPG Channel!"});
}

// A short dropout is waited out; a long one ends the read as a failure.
TEST_F(Carousel, FailedReadsInATitleTurn)
{
    Marker(kSun09);
    Title(TitleOn(1, kSun12, "Before", 1));
    for (int i = 0; i < kMaxFailedReads - 1; ++i)
        TitleRead(-1);
    Title(TitleOn(1, kSun12, "After", 2));
    Marker(kSun09);
    ScriptedRun run;
    ASSERT_EQ(Run(run, &EPGReader::GetTitles), 0);
    EXPECT_EQ(cap().titleCount, 2);
    EXPECT_EQ(run.boxes().size(), static_cast<size_t>(kMaxFailedReads - 1));
    EXPECT_EQ(run.boxes()[0].text, "Warning, wrong size table : \n-1");

    Marker(kSun09);
    Title(TitleOn(1, kSun12, "Before", 1));
    for (int i = 0; i < kMaxFailedReads; ++i)
        TitleRead(-1);
    Title(TitleOn(1, kSun12, "Never reached", 2));
    ScriptedRun lost;
    EXPECT_EQ(Run(lost, &EPGReader::GetTitles), -1);
    auto boxes = BoxTexts(lost);
    ASSERT_EQ(boxes.size(), static_cast<size_t>(kMaxFailedReads + 1));
    EXPECT_EQ(boxes.back(), "Lost the EPG stream while reading titles");
    EXPECT_EQ(cap().titleCount, 1);
}

TEST_F(Carousel, ATitleTurnThatNeverComesRoundEnds)
{
    Marker(kSun09);  // seen once only
    Marker(kSun12);
    Title(TitleOn(1, kSun12, "Again and again", 1));
    fake.SetLoop(kTitlePid, kTitleTableId, true, 1);
    ScriptedRun run;
    EXPECT_EQ(Run(run, &EPGReader::GetTitles), -1);
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"The titles carousel did not come round"});
    EXPECT_EQ(cap().titleCount, kMaxTitles);  // bounded too
    EXPECT_LE(fake.reads, kMaxTurnSections + 2);
}

TEST_F(Carousel, TitlesBeyondTheListAndMarkersBeyondTheWeekAreDropped)
{
    Marker(kSun09);
    for (int i = 0; i < kMaxTitles + 10; ++i)
        Title(TitleOn(1 + i % 3, kSun12, "T", static_cast<uint32_t>(i)));
    for (uint8_t coded = 28; coded <= 31; ++coded)
        Marker(static_cast<uint8_t>(0x40 | coded));
    Marker(kSun09);
    ScriptedRun run;
    ASSERT_EQ(Run(run, &EPGReader::GetTitles), 0);
    EXPECT_EQ(cap().titleCount, kMaxTitles);
    EXPECT_EQ(cap().titles[kMaxTitles - 1]->programId, static_cast<uint32_t>(kMaxTitles - 1));
    EXPECT_EQ(Markers(cap()), 1);
}

TEST_F(Carousel, OneSummaryTurn)
{
    SummaryRead(-1);  // passed over while waiting for the first
    fake.AddSection(kSummaryPid, Bytes(11, 0x90));
    AddSummaries();
    Summary(999, "After the turn");
    ScriptedRun run;
    ASSERT_EQ(Run(run, &EPGReader::GetSummaries), 0);
    EXPECT_TRUE(run.boxes().empty());
    ASSERT_EQ(cap().summaryCount, 3);
    EXPECT_EQ(cap().summaries[0]->programId, 102u);
    EXPECT_STREQ(cap().summaries[0]->text.get(), "A film in two lines");
    EXPECT_EQ(cap().summaries[0]->replayCount, 1);
    EXPECT_EQ(cap().summaries[0]->replayTime[0], kReplayLocal - 7200);
    EXPECT_EQ(cap().summaries[0]->replayChannel[0], 1);
    EXPECT_EQ(cap().summaries[2]->programId, 101u);  // the first, stored at the end
    EXPECT_EQ(fake.Pending(kSummaryPid, kSummaryTableId), 1u);
}

TEST_F(Carousel, OtherSectionsInASummaryTurnAreSkipped)
{
    Summary(1, "First");
    Bytes notSummary = sect::SummarySection(5, {}, "Not one");
    notSummary[8] = 0x00;
    fake.AddSection(kSummaryPid, notSummary);
    fake.AddSection(kSummaryPid, Bytes(11, 0x90));
    Summary(2, "Second");
    Summary(1, "First");
    ScriptedRun run;
    ASSERT_EQ(Run(run, &EPGReader::GetSummaries), 0);
    ASSERT_EQ(cap().summaryCount, 2);
    EXPECT_EQ(cap().summaries[0]->programId, 2u);
}

TEST_F(Carousel, FailedReadsInASummaryTurn)
{
    Summary(1, "First");
    Summary(2, "Second");
    for (int i = 0; i < kMaxFailedReads - 1; ++i)
        SummaryRead(i % 2 ? 0 : -1);
    Summary(3, "Third");
    Summary(1, "First");
    ScriptedRun run;
    ASSERT_EQ(Run(run, &EPGReader::GetSummaries), 0);
    EXPECT_TRUE(run.boxes().empty());
    EXPECT_EQ(cap().summaryCount, 3);

    Summary(1, "First");
    Summary(2, "Second");
    for (int i = 0; i < kMaxFailedReads; ++i)
        SummaryRead(-1);
    Summary(3, "Never reached");
    ScriptedRun lost;
    EXPECT_EQ(Run(lost, &EPGReader::GetSummaries), 1);
    EXPECT_EQ(BoxTexts(lost), std::vector<std::string>{"Error reading summaries"});
    EXPECT_EQ(cap().summaryCount, 1);  // what was read stays
}

TEST_F(Carousel, NoFirstSummaryEver)
{
    for (int i = 0; i < kMaxFailedReads; ++i)
        SummaryRead(-1);
    ScriptedRun run;
    EXPECT_EQ(Run(run, &EPGReader::GetSummaries), 1);
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Error reading summaries"});

    fake.AddSection(kSummaryPid, Bytes(30, 0x90));  // never a summary
    fake.SetLoop(kSummaryPid, kSummaryTableId, true, kMaxFailedReads);
    ScriptedRun other;
    EXPECT_EQ(Run(other, &EPGReader::GetSummaries), 1);
    EXPECT_EQ(BoxTexts(other), std::vector<std::string>{"Error reading summaries"});
    EXPECT_EQ(cap().summaryCount, 0);
}

TEST_F(Carousel, ASummaryTurnThatNeverComesRoundEnds)
{
    Summary(1, "Gone from the carousel");
    Summary(2, "Again");
    Summary(3, "And again");
    fake.SetLoop(kSummaryPid, kSummaryTableId, true, 1);
    ScriptedRun run;
    EXPECT_EQ(Run(run, &EPGReader::GetSummaries), 1);
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"The summaries carousel did not come round"});
    EXPECT_EQ(cap().summaryCount, kMaxSummaries);
    EXPECT_EQ(cap().summaries[0]->programId, 2u);
}
