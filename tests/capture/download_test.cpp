// The download window end to end on the fake demux: the order of the
// capture, its status texts and boxes, and the file it leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "capture/epgreader.h"
#include "capture/epgwriter.h"
#include "tests/capture/capture_fixture.h"
#include "tests/capture/tspack.h"

namespace {

const char kEpg[] = "/hdd/epg.dat";

std::string Padded(const std::string& title)
{
    return title + std::string(23 - title.size(), ' ');
}

// What the standard broadcast gives.
std::string StandardFile(bool themes = true, bool summaries = true)
{
    std::string s = themes ? "Drama" : "";
    std::string f;
    f += "GC 3600\nGN 7200\nGT 1711846800\n";
    f += "C 301 Uno\n";
    f += "E 1 1710122400 3600\nT " + Padded("Night") + "\nX 1710126000\nS " + s + "\nL 60\ne\n";
    f += "E 4 1710097200 3600\nT " + Padded("Film") + "\nX 1710100800\nS " + s + "\nL 60\n";
    if (summaries)
        f += "D A film in two lines\nR Due Canale  5/04/2024 19:30 - VM - ST\n";
    f += "e\nc\n";
    f += "C 302 Due Canale\n";
    f += "E 0 1710061200 7200\nT " + Padded("Running") + "\nX 1710064800\nS " + s + "\nL 120\ne\n";
    f += "E 1 1710068400 3600\nT " + Padded("News") + "\nX 1710072000\nS " + s + "\nL 60\n";
    if (summaries)
        f += "D Today's news\n";
    f += "e\nc\n";
    return f;
}

class Download : public CaptureTest {
protected:
    // Builds the window, shows it, presses Go! once (DoDownloadEPG) and
    // leaves; what the label showed is in texts.
    void Go(ScriptedRun& run, EPGReader* keep = nullptr)
    {
        run.run([&] {
            EPGReader own;
            EPGReader& r = keep ? *keep : own;
            r.SetFilename(const_cast<char*>(kEpg));
            r.show();
            win = r.getWinId();
            r.DoDownloadEPG();
            r.hide();
        });
        texts = run.texts(win);
    }

    int win = -1;
    std::vector<std::string> texts;
};

}  // namespace

TEST_F(Download, WindowLayout)
{
    ScriptedRun run;
    run.run([&] {
        EPGReader r;
        r.show();
    });
    auto shows = run.of("show");
    ASSERT_EQ(shows.size(), 1u);
    EXPECT_EQ(shows[0].title, "EPG Downloader - www.udovor.example");
    EXPECT_EQ(shows[0].x, 100);
    EXPECT_EQ(shows[0].y, 100);
    EXPECT_EQ(shows[0].w, 550);
    EXPECT_EQ(shows[0].h, 120);
    auto widgets = run.of("widget");
    ASSERT_EQ(widgets.size(), 3u);
    EXPECT_EQ(widgets[0].type, "label");
    EXPECT_EQ(widgets[0].text, "Assicurarsi di essere su TEST1 e premere Go!");
    EXPECT_EQ(widgets[0].x, 10);
    EXPECT_EQ(widgets[0].y, 20);
    EXPECT_EQ(widgets[0].w, 450);
    EXPECT_EQ(widgets[0].h, 50);
    EXPECT_EQ(widgets[1].text, "Go!");
    EXPECT_EQ(widgets[1].colour, "green");
    EXPECT_EQ(widgets[1].x, 10);
    EXPECT_EQ(widgets[1].y, 80);
    EXPECT_EQ(widgets[2].text, "Exit");
    EXPECT_EQ(widgets[2].colour, "red");
    EXPECT_EQ(widgets[2].x, 200);
    EXPECT_EQ(widgets[2].w, 100);
    EXPECT_EQ(widgets[2].h, 30);
}

TEST_F(Download, GreenRunsTheCaptureAndRedLeaves)
{
    AddAll();
    ScriptedRun run("green red");
    int result = 0;
    run.run([&] {
        EPGReader r;
        r.SetFilename(const_cast<char*>(kEpg));
        r.show();
        result = r.exec();
        r.hide();
    });
    EXPECT_NE(result, 0);  // reject
    EXPECT_TRUE(run.boxes().empty());
    EXPECT_EQ(root.read(kEpg), StandardFile());
}

TEST_F(Download, ExitBeforeGoWritesNothing)
{
    AddAll();
    ScriptedRun run("red");
    run.run([&] {
        EPGReader r;
        r.SetFilename(const_cast<char*>(kEpg));
        r.show();
        r.exec();
        r.hide();
    });
    EXPECT_FALSE(root.exists(kEpg));
    EXPECT_EQ(fake.opens, 0);
}

TEST_F(Download, FullCaptureInItsOrder)
{
    AddAll();
    ScriptedRun run;
    Go(run);
    EXPECT_TRUE(run.boxes().empty());
    EXPECT_EQ(root.read(kEpg), StandardFile());
    EXPECT_FALSE(root.exists(std::string(kEpg) + ".tmp"));

    const std::vector<std::string> want = {
        "/dev/dvb/card0/demux0", "Reading time offset...", "UTC Offset = 0", "Reading titles...",
        "Reading themes...",     "Reading Channel Names...", "Reading Summaries...", "Saving data...",
        "Writing Chan:0",        "Writing Chan:1",
    };
    EXPECT_EQ(texts, want);

    // Each table read: its filter, and its handle stopped and closed.
    struct Want {
        uint16_t pid;
        uint8_t tableId;
    };
    const Want order[] = {{0x14, 0x73}, {0xD2, 0x90}, {0xD3, 0x92}, {0xD3, 0x91}, {0xD3, 0x90}};
    ASSERT_EQ(fake.filters.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        const SectionFilter& f = fake.filters[i];
        EXPECT_EQ(f.pid, order[i].pid) << i;
        EXPECT_EQ(f.filter[0], order[i].tableId) << i;
        EXPECT_EQ(f.mask[0], 0xFF) << i;
        EXPECT_EQ(f.timeout, 5000u) << i;
        EXPECT_EQ(f.flags, 4u) << i;
        for (int b = 1; b < 16; ++b)
            EXPECT_EQ(f.filter[b] | f.mask[b], 0) << i;
        EXPECT_EQ(fake.paths[i], "/dev/dvb/card0/demux0");
    }
    EXPECT_EQ(fake.opens, 5);
    EXPECT_EQ(fake.stops, 5);
    EXPECT_EQ(fake.closes, 5);
}

TEST_F(Download, SwitchesLeaveOutThemesOrSummaries)
{
    AddAll();
    root.write("/var/korvadel/tivumo.conf", "noThemes=1\nnoSummaries=1\n");
    ScriptedRun run;
    Go(run);
    EXPECT_TRUE(run.boxes().empty());
    EXPECT_EQ(root.read(kEpg), StandardFile(false, false));
    ASSERT_EQ(fake.filters.size(), 3u);  // TOT, titles, channels
    EXPECT_EQ(fake.filters[2].filter[0], kChannelTableId);
    EXPECT_EQ(texts.end(), std::find(texts.begin(), texts.end(), "Reading themes..."));
}

TEST_F(Download, LabelsAndDeviceComeFromTheSettings)
{
    AddAll();
    root.write("/var/korvadel/tivumo.conf", "dvbDevice=/dev/dvb/adapter0/demux0\n");
    root.write("/var/korvadel/tivumo_lang.conf", "lbReadingTitles=Titoli...\n");
    ScriptedRun run;
    Go(run);
    EXPECT_EQ(texts.at(0), "/dev/dvb/adapter0/demux0");
    EXPECT_EQ(texts.at(3), "Titoli...");
    EXPECT_EQ(fake.paths.at(0), "/dev/dvb/adapter0/demux0");
    EXPECT_EQ(root.read(kEpg), StandardFile());
}

TEST_F(Download, ADevicePathThatDoesNotFitIsRefused)
{
    AddAll();
    root.write("/var/korvadel/tivumo.conf", "dvbDevice=/dev/dvb/adapter0/demux0/far/too/long\n");
    ScriptedRun run;
    Go(run);
    EXPECT_EQ(BoxTexts(run),
              std::vector<std::string>{"Device path too long: /dev/dvb/adapter0/demux0/far/too/long"});
    EXPECT_EQ(fake.paths.size(), 0u);
    EXPECT_FALSE(root.exists(kEpg));
}

// Where the capture stops, what it shows, and whether a file is written.
TEST_F(Download, FailuresStopOrGoOnAsTheyShould)
{
    struct Case {
        const char* what;
        bool tot, titles, themes, channels, summaries;
        std::vector<std::string> boxes;
        bool written;
    };
    const Case cases[] = {
        {"no TOT", false, true, true, true, true,
         {"Error while reading Time Offset Table", "Error GetTimeOffset"}, false},
        {"not on the EPG channel", true, false, true, true, true, {"Not on EPG Channel!", "Error GetTitles"}, false},
        {"no themes", true, true, false, true, true, {"Error while reading themes"}, true},
        {"no channel names", true, true, true, false, true,
         {"Error while reading channels names", "Error GetChannelNames"}, false},
        {"no summaries", true, true, true, true, false, {"Error reading summaries", "Error GetSummaries"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDemux local;
        local.Install();
        if (c.tot)
            local.AddSection(kTotPid, sect::Tot(kNow, sect::LtoDescriptor({Italy()})));
        root.remove(kEpg);
        ScriptedRun run;
        run.run([&] {
            EPGReader r;
            r.SetFilename(const_cast<char*>(kEpg));
            if (c.titles) {
                local.AddSection(kTitlePid, sect::MarkerSection(kSun09));
                local.AddSection(kTitlePid, sect::TitleSection(TitleOn(1, kSun20, "Film", 102)));
                local.AddSection(kTitlePid, sect::MarkerSection(kSun09));
            }
            if (c.themes)
                local.AddSection(kMhwTablePid, sect::ThemeSection({0, 1}, {"Generic", "Movie", "Drama"}));
            if (c.channels)
                local.AddSection(kMhwTablePid, sect::ChannelSection({{301, "Uno"}}));
            if (c.summaries) {
                local.AddSection(kSummaryPid, sect::SummarySection(102, {}, "Film"));
                local.AddSection(kSummaryPid, sect::SummarySection(102, {}, "Film"));
            }
            r.DoDownloadEPG();
        });
        EXPECT_EQ(BoxTexts(run), c.boxes);
        EXPECT_EQ(root.exists(kEpg), c.written);
        EXPECT_EQ(DemuxOpenHandles(), 0);
    }
}

// A second Go! captures afresh: the records of the first are released, and
// a failed second capture leaves the file of the first.
TEST_F(Download, GoAgainCapturesAfresh)
{
    AddAll();
    AddAll();
    EPGReader* r = nullptr;
    ScriptedRun run;
    run.run([&] {
        r = new EPGReader;
        r->SetFilename(const_cast<char*>(kEpg));
        r->DoDownloadEPG();
        root.remove(kEpg);
        r->DoDownloadEPG();
    });
    EXPECT_TRUE(run.boxes().empty());
    EXPECT_EQ(root.read(kEpg), StandardFile());
    EXPECT_EQ(r->capture().titleCount, 5);
    EXPECT_EQ(r->capture().summaryCount, 3);

    ScriptedRun again;
    again.run([&] { r->DoDownloadEPG(); });  // nothing left on the fake: no TOT
    EXPECT_EQ(BoxTexts(again),
              (std::vector<std::string>{"Error while reading Time Offset Table", "Error GetTimeOffset"}));
    EXPECT_EQ(r->capture().titleCount, 0);
    EXPECT_EQ(r->capture().summaryCount, 0);
    EXPECT_EQ(root.read(kEpg), StandardFile());
    delete r;
}

TEST_F(Download, AFailedSaveKeepsThePreviousFile)
{
    AddAll();
    root.write(kEpg, "old\n");
    SetEpgWriteFailureForTests(100);
    ScriptedRun run;
    Go(run);
    SetEpgWriteFailureForTests(-1);
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Cannot save data"});
    EXPECT_EQ(root.read(kEpg), "old\n");
}

// The same broadcast as a recorded transport stream at the device path,
// through the replay instead of the fake.
TEST_F(Download, FromARecordedStream)
{
    SetDemuxOpenerForTests(DemuxOpener());
    tspack::Stream ts;
    ts.Sections(kTitlePid, {sect::MarkerSection(kSun09), sect::TitleSection(TitleOn(2, kSun12, "News", 101))});
    ts.Sections(kTotPid, {sect::Tot(kNow, sect::LtoDescriptor({Italy()}))});
    ts.Sections(kTitlePid, {sect::TitleSection(TitleOn(1, kSun20, "Film", 102)),
                            sect::TitleSection(TitleOn(1, kSun09, "Morning", 103))});
    ts.Null(3);
    ts.Sections(kMhwTablePid, {sect::ThemeSection({0, 1}, {"Generic", "Movie", "Drama"}),
                               sect::SummarySection(101, {}, "Today's news")});
    sect::Replay r;
    r.channelId = 2;
    r.time = kReplayLocal;
    r.flags = 0x11;
    ts.Sections(kTitlePid, {sect::MarkerSection(kMon03), sect::TitleSection(TitleOn(1, kMon03, "Night", 104, 0)),
                            sect::TitleSection(TitleOn(2, kSun10, "Running", 105, 1, 120))});
    ts.Sections(kMhwTablePid, {sect::SummarySection(102, {r}, "A film\nin two lines"),
                               sect::ChannelSection({{301, "Uno"}, {302, "Due Canale"}}),
                               sect::SummarySection(104, {}, "Not shown: flag 0")});
    root.write("/dev/dvb/card0/demux0", std::string(ts.bytes.begin(), ts.bytes.end()));

    ScriptedRun run;
    Go(run);
    EXPECT_TRUE(run.boxes().empty());
    EXPECT_EQ(root.read(kEpg), StandardFile());
}

TEST_F(Download, FromAFileThatIsNoStream)
{
    SetDemuxOpenerForTests(DemuxOpener());
    root.write("/dev/dvb/card0/demux0", "GC 0\nthis is a guide, not a stream\n");
    ScriptedRun run;
    Go(run);
    EXPECT_EQ(BoxTexts(run), (std::vector<std::string>{"Not a transport stream: /dev/dvb/card0/demux0",
                                                        "Cannot open DEMUX DEVICE", "Error GetTimeOffset"}));
    EXPECT_FALSE(root.exists(kEpg));
}
