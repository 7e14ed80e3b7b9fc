// A box root, a fake demux and a fixed box clock for the download window's
// tests, with a small standard broadcast to load into the fake.
#ifndef UDOVOR_TESTS_CAPTURE_CAPTURE_FIXTURE_H
#define UDOVOR_TESTS_CAPTURE_CAPTURE_FIXTURE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "capture/demux.h"
#include "capture/demux_fake.h"
#include "capture/mhw_channels.h"
#include "capture/mhw_summaries.h"
#include "capture/mhw_titles.h"
#include "capture/tot.h"
#include "tests/capture/sections.h"

using sect::Bytes;
#include "tests/support/harness.h"

// 2024-03-10 10:00:00 UTC, a Sunday; the provider is an hour ahead.
const long kNow = 1710064800;
const long kChange = 1711846800;        // 2024-03-31 01:00 UTC
const int32_t kDayBase = 1709938800;    // 2024-03-09 00:00 provider time
const int kDayBaseWeekday = 6;          // Saturday

// Coded day-and-hour bytes of the standard broadcast (provider time).
const uint8_t kSun09 = 0x0B;  // day 0, coded 11: Sunday 09:00
const uint8_t kSun10 = 0x0C;  // Sunday 10:00
const uint8_t kSun12 = 0x0E;  // Sunday 12:00
const uint8_t kSun20 = 0x18;  // coded 24: Sunday 20:00
const uint8_t kMon03 = 0x03;  // coded Sunday 3: Monday 03:00

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tz = getenv("TZ");
        savedTz_ = tz ? tz : "";
        hadTz_ = tz != nullptr;
        setenv("TZ", "UTC", 1);
        tzset();
        root.setClock(kNow);
        root.makeDir("/hdd");
        fake.Install();
    }
    void TearDown() override
    {
        EXPECT_EQ(DemuxOpenHandles(), 0) << "a reader left a demux handle open";
        if (hadTz_)
            setenv("TZ", savedTz_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    static sect::Lto Italy()
    {
        sect::Lto e;
        e.change = kChange;
        return e;
    }

    void AddTot(long utc = kNow) { fake.AddSection(kTotPid, sect::Tot(utc, sect::LtoDescriptor({Italy()}))); }

    static sect::Title TitleOn(int channelId, uint8_t dayHour, const std::string& text, uint32_t programId,
                               int summary = 1, unsigned minutes = 60)
    {
        sect::Title t;
        t.channelId = channelId;
        t.theme = 0x11;
        t.dayHour = dayHour;
        t.summary = summary;
        t.duration = minutes;
        t.text = text;
        t.programId = programId;
        return t;
    }

    // One turn: a marker, titles of two channels, a second marker, and the
    // first marker again. Morning has ended by kNow; Running has begun and
    // not ended; Night has a summary but its flag is 0.
    void AddTitles()
    {
        fake.AddSection(kTitlePid, sect::MarkerSection(kSun09));
        fake.AddSection(kTitlePid, sect::TitleSection(TitleOn(2, kSun12, "News", 101)));
        fake.AddSection(kTitlePid, sect::TitleSection(TitleOn(1, kSun20, "Film", 102)));
        fake.AddSection(kTitlePid, sect::TitleSection(TitleOn(1, kSun09, "Morning", 103)));
        fake.AddSection(kTitlePid, sect::MarkerSection(kMon03));
        fake.AddSection(kTitlePid, sect::TitleSection(TitleOn(1, kMon03, "Night", 104, 0)));
        fake.AddSection(kTitlePid, sect::TitleSection(TitleOn(2, kSun10, "Running", 105, 1, 120)));
        fake.AddSection(kTitlePid, sect::MarkerSection(kSun09));
    }

    void AddThemes()
    {
        fake.AddSection(kMhwTablePid, sect::ThemeSection({0, 1}, {"Generic", "Movie", "Drama"}));
    }

    void AddChannels()
    {
        fake.AddSection(kMhwTablePid, sect::ChannelSection({{301, "Uno"}, {302, "Due Canale"}}));
    }

    // The replay is on 2024-04-05 21:30 provider time, after the change.
    static const long kReplayLocal = 1712352600;
    void AddSummaries()
    {
        sect::Replay r;
        r.channelId = 2;
        r.time = kReplayLocal;
        r.flags = 0x10 | 0x01;  // VM, ST
        fake.AddSection(kSummaryPid, sect::SummarySection(101, {}, "Today's news"));
        fake.AddSection(kSummaryPid, sect::SummarySection(102, {r}, "A film\nin two lines"));
        fake.AddSection(kSummaryPid, sect::SummarySection(104, {}, "Not shown: flag 0"));
        fake.AddSection(kSummaryPid, sect::SummarySection(101, {}, "Today's news"));
    }

    void AddAll()
    {
        AddTot();
        AddTitles();
        AddThemes();
        AddChannels();
        AddSummaries();
    }

    static std::vector<std::string> BoxTexts(const ScriptedRun& run)
    {
        std::vector<std::string> v;
        for (const BoxSeen& b : run.boxes())
            v.push_back(b.text);
        return v;
    }

    TempBoxRoot root;
    FakeDemux fake;

private:
    std::string savedTz_;
    bool hadTz_ = false;
};

#endif
