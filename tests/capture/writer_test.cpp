#include "capture/epgwriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "tests/capture/capture_fixture.h"
#include "viewer/epgfile.h"

namespace {

const char kEpg[] = "/hdd/epg.dat";

class Writer : public CaptureTest {
protected:
    Writer() : cap(new CaptureData)
    {
        cap->offsets.currentOffset = 3600;
        cap->offsets.nextOffset = 7200;
        cap->offsets.timeOfChange = static_cast<int32_t>(kChange);
        cap->hourMarkers[0][9] = 0;
    }
    void TearDown() override
    {
        SetEpgWriteFailureForTests(-1);
        CaptureTest::TearDown();
    }

    void Channel(const char* id, const char* name)
    {
        ChannelSlot& s = cap->channels[cap->channelCount++];
        strcpy(s.id, id);
        strcpy(s.name, name);
    }
    TitleRecord& AddTitle(int channel, int32_t start, uint16_t duration, const char* text, uint32_t programId = 0,
                          int summary = 0)
    {
        TitleRecord* t = new TitleRecord;
        t->channelIndex = static_cast<uint8_t>(channel);
        t->start = start;
        t->duration = duration;
        strcpy(t->title, text);
        t->programId = programId;
        t->summaryFlag = static_cast<uint8_t>(summary);
        cap->titles[cap->titleCount++].reset(t);
        return *t;
    }
    SummaryRecord& AddSummary(uint32_t programId, const char* text)
    {
        SummaryRecord* s = new SummaryRecord;
        s->programId = programId;
        s->text.reset(new char[strlen(text) + 1]);
        strcpy(s->text.get(), text);
        cap->summaries[cap->summaryCount++].reset(s);
        return *s;
    }

    int Write(ScriptedRun& run, const char* name = kEpg)
    {
        int r = 99;
        progress.clear();
        run.run([&] { r = WriteEpgFile(*cap, name, kNow, [this](int c) { progress.push_back(c); }); });
        return r;
    }

    std::unique_ptr<CaptureData> cap;
    std::vector<int> progress;
};

const std::string kHeader = "GC 3600\nGN 7200\nGT 1711846800\n";

}  // namespace

TEST_F(Writer, RefusesWithoutMarkersOrName)
{
    ScriptedRun run;
    cap->ClearMarkers();
    EXPECT_EQ(Write(run), -1);
    EXPECT_TRUE(run.boxes().empty());
    EXPECT_FALSE(root.exists(kEpg));

    cap->hourMarkers[6][23] = 0;
    EXPECT_EQ(Write(run, ""), -1);
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Warning! No filename specified!"});
    EXPECT_EQ(Write(run, nullptr), -1);
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Warning! No filename specified!"});

    EXPECT_EQ(Write(run, "/nowhere/epg.dat"), -1);
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Error! Cannot open output file, error:2"});
}

TEST_F(Writer, HeaderOnlyWhenNothingIsLeft)
{
    Channel("1", "One");
    Channel("2", "Two");
    AddTitle(0, static_cast<int32_t>(kNow - 7200), 3600, "Ended");
    AddTitle(1, static_cast<int32_t>(kNow - 60), 60, "Ends right now");  // start + duration == now
    ScriptedRun run;
    ASSERT_EQ(Write(run), 0);
    EXPECT_EQ(root.read(kEpg), kHeader);
    EXPECT_EQ(progress, (std::vector<int>{0, 1}));

    cap->ClearTitles();
    ASSERT_EQ(Write(run), 0);
    EXPECT_EQ(root.read(kEpg), kHeader);
}

TEST_F(Writer, LinesOfAnEvent)
{
    Channel("7", "Seven");
    Channel("8", "Eight");
    strcpy(cap->themes[3], "Sport");
    int32_t start = static_cast<int32_t>(kNow + 600);
    TitleRecord& a = AddTitle(0, start, 5430, "Match", 50, 1);
    a.themeId = 3;
    TitleRecord& b = AddTitle(0, start + 6000, 600, "Flag off", 51, 0);
    b.themeId = 200;  // no name
    AddSummary(50, "The first summary of 50");
    AddSummary(51, "Never written");
    AddSummary(50, "A second one for 50");
    SummaryRecord& s = *cap->summaries[0];
    s.replayCount = 3;
    s.replayChannel[0] = 1;
    s.replayTime[0] = 1712358000;  // 2024-04-05 23:00 UTC (TZ is UTC here)
    s.vo[0] = 1;
    s.lastReplay[0] = 1;
    s.replayChannel[1] = 0;
    s.replayTime[1] = 1710000000;  // 2024-03-09 16:00
    s.subtitles[1] = s.vm[1] = s.vo[1] = s.lastReplay[1] = 1;
    s.replayChannel[2] = 120;      // no slot for it
    s.replayTime[2] = 1710000000;

    ScriptedRun run;
    ASSERT_EQ(Write(run), 0);
    EXPECT_EQ(root.read(kEpg), kHeader +
                                   "C 7 Seven\n"
                                   "E 0 1710065400 5430\nT Match\nX 1710069000\nS Sport\nL 90\n"
                                   "D The first summary of 50\n"
                                   "R Eight  5/04/2024 23:00 - VO - Ultima replica\n"
                                   "R Seven  9/03/2024 16:00 - VM - VO - ST - Ultima replica\n"
                                   "R   9/03/2024 16:00\n"
                                   "e\n"
                                   "E 1 1710071400 600\nT Flag off\nX 1710075000\nS \nL 10\ne\n"
                                   "c\n");
}

TEST_F(Writer, EventsAfterTheTimeOfChangeGetTheNextOffset)
{
    Channel("1", "One");
    AddTitle(0, static_cast<int32_t>(kChange - 1), 60, "Before");
    AddTitle(0, static_cast<int32_t>(kChange), 60, "At");
    ScriptedRun run;
    ASSERT_EQ(Write(run), 0);
    std::string f = root.read(kEpg);
    EXPECT_NE(f.find("X " + std::to_string(kChange - 1 + 3600) + "\n"), std::string::npos) << f;
    EXPECT_NE(f.find("X " + std::to_string(kChange + 7200) + "\n"), std::string::npos) << f;
}

TEST_F(Writer, LineBreaksInBroadcastTextsBecomeBlanks)
{
    Channel("1", "Cr\rLf\n");
    strcpy(cap->themes[0], "Th\neme");
    AddTitle(0, static_cast<int32_t>(kNow + 60), 60, "Line\r\nbreak", 9, 1);
    AddSummary(9, "Sum\rmary");
    ScriptedRun run;
    ASSERT_EQ(Write(run), 0);
    EXPECT_EQ(root.read(kEpg), kHeader +
                                   "C 1 Cr Lf \n"
                                   "E 0 1710064860 60\nT Line  break\nX 1710068460\nS Th eme\nL 1\n"
                                   "D Sum mary\ne\nc\n");
}

TEST_F(Writer, TheRingStartsAtTheChannelsEarliestTitle)
{
    Channel("1", "One");
    Channel("2", "Two");
    int32_t t0 = static_cast<int32_t>(kNow + 3600);
    AddTitle(0, t0 + 200, 60, "third");
    AddTitle(1, t0, 60, "other");
    AddTitle(0, t0 + 100, 60, "second");
    AddTitle(0, t0, 60, "first");
    AddTitle(0, t0, 60, "same start, later");
    ScriptedRun run;
    ASSERT_EQ(Write(run), 0);
    std::string f = root.read(kEpg);
    size_t first = f.find("E 0 "), late = f.find("E 1 "), third = f.find("E 2 "), second = f.find("E 4 ");
    ASSERT_NE(first, std::string::npos) << f;
    EXPECT_LT(first, f.find("T first"));
    EXPECT_LT(late, f.find("T same start, later"));
    EXPECT_LT(third, f.find("T third"));
    EXPECT_LT(second, f.find("T second"));
    EXPECT_LT(f.find("T second"), f.find("c\nC 2 Two"));
}

// A full disk anywhere in the file: the previous guide stays, no temporary
// file is left, and the writer reports the failure.
TEST_F(Writer, AFailedWriteKeepsThePreviousGuide)
{
    Channel("1", "One");
    AddTitle(0, static_cast<int32_t>(kNow + 60), 60, "Title", 9, 1);
    AddSummary(9, "Summary");
    root.write(kEpg, "the old guide\n");
    ScriptedRun run;
    ASSERT_EQ(Write(run, "/hdd/full.dat"), 0);
    const long size = static_cast<long>(root.read("/hdd/full.dat").size());
    for (long after : {0L, 5L, size / 2, size - 1}) {
        SetEpgWriteFailureForTests(after);
        EXPECT_EQ(Write(run), -1) << after;
        EXPECT_EQ(root.read(kEpg), "the old guide\n") << after;
        EXPECT_FALSE(root.exists(std::string(kEpg) + EPG_TEMP_SUFFIX)) << after;
    }
    SetEpgWriteFailureForTests(size);
    EXPECT_EQ(Write(run), 0);
    EXPECT_EQ(root.read(kEpg), root.read("/hdd/full.dat"));
}

// The viewer's reading rules take back what the writer wrote.
TEST_F(Writer, TheViewersReadersReadItBack)
{
    Channel("4242", "With Blanks");
    AddTitle(0, static_cast<int32_t>(kNow + 60), 7200, "  Spaced title  ", 1, 1);
    std::string longText(1500, 'y');
    AddSummary(1, longText.c_str());
    ScriptedRun run;
    ASSERT_EQ(Write(run), 0);

    FILE* f = fopen(root.path(kEpg).c_str(), "r");
    ASSERT_TRUE(f);
    EpgLineReader lines(f);
    char text[EPG_LINE_SIZE];
    std::string channel, title, summary;
    int x = 0, minutes = 0;
    while (lines.next()) {
        switch (lines.tag()) {
        case 'C':
            ASSERT_TRUE(EpgChannelName(lines.line(), text, sizeof text));
            channel = text;
            break;
        case 'T':
            EpgTextValue(lines.line(), text, sizeof text);
            title = text;
            break;
        case 'X':
            x = EpgNumberValue(lines.line());
            break;
        case 'L':
            minutes = EpgNumberValue(lines.line());
            break;
        case 'D':
            EpgTextValue(lines.line(), text, sizeof text);
            summary = text;
            break;
        }
    }
    fclose(f);
    EXPECT_EQ(channel, "With Blanks");
    EXPECT_EQ(title, "  Spaced title  ");
    EXPECT_EQ(x, kNow + 60 + 3600);
    EXPECT_EQ(minutes, 120);
    EXPECT_EQ(summary, std::string(997, 'y'));  // a long line is read in pieces
}

// Every number as "%d" prints it: negative offsets (providers west of
// Greenwich), the ends of the 32-bit range, the largest duration.
TEST_F(Writer, NumbersAsPrintfPrintsThem)
{
    struct Case {
        int32_t current, next, change;
        uint16_t duration;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {-18000, -14400, -1, 65535},
        {INT32_MIN, INT32_MAX, INT32_MIN, 59},
        {-1, 9, static_cast<int32_t>(kNow + 10 * 86400), 61},
    };
    Channel("1", "One");
    TitleRecord& t = AddTitle(0, static_cast<int32_t>(kNow + 60), 0, "Title");
    for (const Case& c : cases) {
        cap->offsets.currentOffset = c.current;
        cap->offsets.nextOffset = c.next;
        cap->offsets.timeOfChange = c.change;
        t.duration = c.duration;
        ScriptedRun run;
        ASSERT_EQ(Write(run), 0);
        char expected[300];
        const long x = ToProviderLocal(cap->offsets, t.start);
        snprintf(expected, sizeof expected, "GC %d\nGN %d\nGT %d\nC 1 One\nE 0 %d %d\nT Title\nX %d\nS \nL %d\ne\nc\n",
                 c.current, c.next, c.change, t.start, c.duration, static_cast<int>(x), c.duration / 60);
        EXPECT_EQ(root.read(kEpg), expected) << c.current << " " << c.duration;
    }
}

// Programme ids that share the low bits still find their own summary, and
// an id without one, between them, finds none.
TEST_F(Writer, SummariesOfIdsThatShareTheirLowBits)
{
    Channel("1", "One");
    const uint32_t ids[] = {0x10, 0x20, 0x10010, 0x30, 0x100000};
    for (size_t i = 0; i < sizeof ids / sizeof ids[0]; ++i) {
        char title[16];
        snprintf(title, sizeof title, "T%zu", i);
        AddTitle(0, static_cast<int32_t>(kNow + 600 * static_cast<long>(i + 1)), 60, title, ids[i], 1);
        if (ids[i] != 0x30) {
            char text[32];
            snprintf(text, sizeof text, "sum %x", ids[i]);
            AddSummary(ids[i], text);
        }
    }
    ScriptedRun run;
    ASSERT_EQ(Write(run), 0);
    const std::string f = root.read(kEpg);
    for (uint32_t id : ids) {
        char line[32];
        snprintf(line, sizeof line, "D sum %x\n", id);
        EXPECT_EQ(f.find(line) != std::string::npos, id != 0x30) << f;
    }
    EXPECT_NE(f.find("T T3\nX "), std::string::npos);
    EXPECT_EQ(f.find("D", f.find("T T3\n")), f.find("D sum 100000")) << f;
}

// A summary larger than anything the writer gathers before writing: it
// comes out whole and in its place.
TEST_F(Writer, ASummaryOfMegabytes)
{
    Channel("1", "One");
    AddTitle(0, static_cast<int32_t>(kNow + 60), 60, "Big", 1, 1);
    AddTitle(0, static_cast<int32_t>(kNow + 120), 60, "After", 2, 1);
    std::string big(3 * 1024 * 1024 + 7, 'b');
    big[1024 * 1024] = '\n';
    AddSummary(1, big.c_str());
    AddSummary(2, "small");
    ScriptedRun run;
    ASSERT_EQ(Write(run), 0);
    big[1024 * 1024] = ' ';
    EXPECT_EQ(root.read(kEpg), kHeader + "C 1 One\nE 0 1710064860 60\nT Big\nX 1710068460\nS \nL 1\nD " + big +
                                   "\ne\nE 1 1710064920 60\nT After\nX 1710068520\nS \nL 1\nD small\ne\nc\n");
}
