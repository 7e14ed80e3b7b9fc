// The download window's table reads, one at a time, on the fake demux.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "capture/epgreader.h"
#include "capture/transponder_time.h"
#include "tests/capture/capture_fixture.h"

namespace {

class Readers : public CaptureTest {
protected:
    // Runs one read of a fresh (or the kept) window and returns its result.
    int Call(ScriptedRun& run, int (EPGReader::*read)(), int exitLimit = 200)
    {
        int result = 99;
        run.run(
            [&] {
                if (!reader) {
                    reader.reset(new EPGReader);
                    reader->SetDevicePath("/dev/dvb/card0/demux0");
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

    std::unique_ptr<EPGReader> reader;
};

}  // namespace

TEST_F(Readers, TimeOffsetAndDayBase)
{
    AddTot(kNow + 3600);  // the box clock is an hour behind the broadcast
    ScriptedRun run;
    ASSERT_EQ(Call(run, &EPGReader::GetTimeOffset), 0);
    EXPECT_TRUE(run.boxes().empty());
    EXPECT_EQ(cap().offsets.currentOffset, 3600 + 3600);
    EXPECT_EQ(cap().offsets.nextOffset, 7200 + 3600);
    EXPECT_EQ(cap().offsets.timeOfChange, kChange);  // as broadcast
    EXPECT_EQ(reader->statusLabel()->getText(), "UTC Offset = 3600");
    // Yesterday in provider time (offset 7200 now) began at 2024-03-09 00:00.
    EXPECT_EQ(cap().dayBaseWeekday, kDayBaseWeekday);
    EXPECT_EQ(cap().dayBase, 1709942400 - 7200);

    long t = 1000;
    reader->UTC2ProviderLocalTime(&t);
    EXPECT_EQ(t, 1000 + 7200);
    reader->ProviderLocalTime2UTC(&t);
    EXPECT_EQ(t, 1000);
}

TEST_F(Readers, DayBaseJustAfterProviderMidnight)
{
    // 23:30 UTC on Saturday is 00:30 on Sunday for the provider: yesterday
    // is Saturday, which began at Friday 23:00 UTC.
    root.setClock(1710027000);  // 2024-03-09 23:30 UTC
    AddTot(1710027000);
    ScriptedRun run;
    ASSERT_EQ(Call(run, &EPGReader::GetTimeOffset), 0);
    EXPECT_EQ(cap().dayBaseWeekday, 6);
    EXPECT_EQ(cap().dayBase, 1709942400 - 3600);
}

TEST_F(Readers, TimeOffsetFailures)
{
    struct Case {
        const char* what;
        bool failOpen;
        bool section;
        bool usable;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {"device missing", true, true, true, {"Cannot open DEMUX DEVICE"}},
        {"no section", false, false, true, {"Error while reading Time Offset Table"}},
        {"no usable country", false, true, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDemux local;
        local.Install();
        local.failOpen = c.failOpen;
        sect::Lto e = Italy();
        if (!c.usable)
            e.country = "GBR";
        if (c.section)
            local.AddSection(kTotPid, sect::Tot(kNow, sect::LtoDescriptor({e})));
        reader.reset();
        ScriptedRun run;
        EXPECT_EQ(Call(run, &EPGReader::GetTimeOffset), -1);
        EXPECT_EQ(BoxTexts(run), c.boxes);
        EXPECT_EQ(DemuxOpenHandles(), 0);
    }
}

// A refused filter does not end the process: the reader fails like a failed
// open, after the box, with its handle closed.
TEST_F(Readers, RefusedFilterFailsTheReader)
{
    struct Case {
        const char* what;
        int (EPGReader::*read)();
    };
    const Case cases[] = {
        {"ParseTOT", &EPGReader::ParseTOT},           {"GetChannelNames", &EPGReader::GetChannelNames},
        {"GetThemes", &EPGReader::GetThemes},         {"GetTitles", &EPGReader::GetTitles},
        {"GetSummaries", &EPGReader::GetSummaries},
    };
    AddAll();
    fake.failSetFilter = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int closes = fake.closes;
        ScriptedRun run;
        EXPECT_EQ(Call(run, c.read), -1);
        EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"DMX SET FILTER:"});
        EXPECT_EQ(fake.closes, closes + 1);
        EXPECT_EQ(DemuxOpenHandles(), 0);
    }
    EXPECT_EQ(fake.reads, 0);
}

TEST_F(Readers, OpenFailureTexts)
{
    struct Case {
        int (EPGReader::*read)();
        const char* text;
    };
    const Case cases[] = {
        {&EPGReader::GetChannelNames, "DEMUX DEVICE : "},
        {&EPGReader::GetThemes, "DEMUX DEVICE "},
        {&EPGReader::GetTitles, "DEMUX DEVICE "},
        {&EPGReader::GetSummaries, "DEMUX DEVICE "},
    };
    fake.failOpen = true;
    for (const Case& c : cases) {
        ScriptedRun run;
        EXPECT_EQ(Call(run, c.read), -1) << c.text;
        EXPECT_EQ(BoxTexts(run), std::vector<std::string>{c.text});
    }
}

TEST_F(Readers, ChannelNamesAndTheirOverflow)
{
    AddChannels();
    std::vector<sect::Channel> many;
    for (int i = 0; i < 150; ++i)
        many.push_back({static_cast<unsigned>(i), "X"});
    fake.AddSection(kMhwTablePid, sect::ChannelSection(many, 0));
    fake.AddSection(kMhwTablePid, Bytes{0x91, 0x00, 0x00});  // shorter than the header

    ScriptedRun first;
    ASSERT_EQ(Call(first, &EPGReader::GetChannelNames), 0);
    EXPECT_EQ(cap().channelCount, 2);
    EXPECT_STREQ(cap().channels[1].name, "Due Canale");
    EXPECT_STREQ(cap().channels[1].id, "302");

    ScriptedRun over;
    EXPECT_EQ(Call(over, &EPGReader::GetChannelNames), -1);
    EXPECT_EQ(BoxTexts(over), std::vector<std::string>{"Channels Table overflow (names needed)\n150"});
    EXPECT_EQ(cap().channelCount, 0);  // never more than the slots
    EXPECT_STREQ(cap().channels[1].name, "Due Canale");

    ScriptedRun tiny;
    EXPECT_EQ(Call(tiny, &EPGReader::GetChannelNames), -1);
    EXPECT_EQ(BoxTexts(tiny), std::vector<std::string>{"Channels Table overflow (names needed)\n195225786"});

    ScriptedRun none;
    EXPECT_EQ(Call(none, &EPGReader::GetChannelNames), -1);
    EXPECT_EQ(BoxTexts(none), std::vector<std::string>{"Error while reading channels names"});
}

TEST_F(Readers, ThemesKeepSlotsALaterSectionDoesNotReach)
{
    fake.AddSection(kMhwTablePid, sect::ThemeSection({0, 2}, {"A", "B", "C", "D"}));
    fake.AddSection(kMhwTablePid, sect::ThemeSection({0}, {"Z"}));
    ScriptedRun run;
    ASSERT_EQ(Call(run, &EPGReader::GetThemes), 0);
    ASSERT_EQ(Call(run, &EPGReader::GetThemes), 0);
    EXPECT_STREQ(cap().themes[0], "Z");
    EXPECT_STREQ(cap().themes[1], "B");
    EXPECT_STREQ(cap().themes[16], "C");
    EXPECT_STREQ(cap().themes[17], "D");
    ScriptedRun none;
    EXPECT_EQ(Call(none, &EPGReader::GetThemes), -1);
    EXPECT_EQ(BoxTexts(none), std::vector<std::string>{"Error while reading themes"});
}

TEST_F(Readers, StrcleanCutsTrailingWhiteSpace)
{
    ScriptedRun run;
    run.run([&] {
        EPGReader r;
        char text[] = "Name \t\r\n";
        r.strclean(text);
        EXPECT_STREQ(text, "Name");
        r.strclean(nullptr);
        item_local_time_offset_struct e = {};
        e.country_code[0] = 'E';
        e.country_code[1] = 'S';
        e.country_code[2] = 'P';
        e.country_region_id = 1;
        EXPECT_EQ(r.timezonecmp(&e, "ESP", 1), 0);
        EXPECT_EQ(r.timezonecmp(&e, "ESP", 0), 1);
    });
}

TEST_F(Readers, StatusTexts)
{
    ScriptedRun run;
    run.run([&] {
        EPGReader r;
        r.statusmsg("Writing Chan:", 12);
        EXPECT_EQ(r.statusLabel()->getText(), "Writing Chan:12");
        r.statusmsg(nullptr);
        EXPECT_EQ(r.statusLabel()->getText(), "");
        r.statusmsg("%s%n");  // a text, never a format
        EXPECT_EQ(r.statusLabel()->getText(), "%s%n");
        r.statusmsg("%d", -5);
        EXPECT_EQ(r.statusLabel()->getText(), "%d-5");
    });
}

TEST_F(Readers, TransponderTime)
{
    long change = 0;
    int current = 0, next = 0;
    ScriptedRun run;

    AddTot(kNow + 3600);  // box an hour behind
    run.run([&] { EXPECT_EQ(GetTransponderTime(&change, &current, &next), kNow + 3600 + 3600); });
    EXPECT_EQ(change, kChange);
    EXPECT_EQ(current, 7200);
    EXPECT_EQ(next, 10800);

    // Another tag first, then the offsets: still found.
    Bytes other = sect::Descriptor(0x4A, Bytes(5, 0));
    Bytes lto = sect::LtoDescriptor({Italy()});
    other.insert(other.end(), lto.begin(), lto.end());
    fake.AddSection(kTotPid, sect::Tot(kNow, other));
    change = 0;
    run.run([&] { EXPECT_EQ(GetTransponderTime(&change, &current, &next), kNow + 3600); });
    EXPECT_EQ(change, kChange);

    // No usable entry: 0, outputs untouched.
    sect::Lto gbr = Italy();
    gbr.country = "GBR";
    fake.AddSection(kTotPid, sect::Tot(kNow, sect::LtoDescriptor({gbr})));
    change = 1;
    current = next = 2;
    run.run([&] { EXPECT_EQ(GetTransponderTime(&change, &current, &next), 0); });
    EXPECT_EQ(change, 1);
    EXPECT_EQ(current, 2);
    EXPECT_EQ(next, 2);
    EXPECT_TRUE(run.boxes().empty());

    // Nothing more to read.
    run.run([&] { EXPECT_EQ(GetTransponderTime(&change, &current, &next), -1); });
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Error while reading Time Offset Table"});
    EXPECT_EQ(change, 1);
}

TEST_F(Readers, TransponderTimeDeviceAndFilterFailures)
{
    long change = 0;
    int current = 0, next = 0;
    fake.failOpen = true;
    ScriptedRun run;
    run.run([&] { EXPECT_EQ(GetTransponderTime(&change, &current, &next), -1); });
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Cannot open DEMUX DEVICE for T. Time: /dev/dvb/card0/demux0"});

    // A refused filter is shown and the read goes on (the fake then has no
    // filter and fails the read).
    fake.failOpen = false;
    fake.failSetFilter = true;
    AddTot();
    run.run([&] { EXPECT_EQ(GetTransponderTime(&change, &current, &next), -1); });
    EXPECT_EQ(BoxTexts(run),
              (std::vector<std::string>{"DMX SET FILTER:", "Error while reading Time Offset Table"}));
    EXPECT_EQ(fake.reads, 1);
}

TEST_F(Readers, TransponderTimeWithoutADevice)
{
    // The real device layer (no fake): nothing at the path inside the box root.
    SetDemuxOpenerForTests(DemuxOpener());
    long change = 0;
    int current = 0, next = 0;
    ScriptedRun run;
    run.run([&] { EXPECT_EQ(GetTransponderTime(&change, &current, &next), -1); });
    EXPECT_EQ(BoxTexts(run), std::vector<std::string>{"Cannot open DEMUX DEVICE for T. Time: /dev/dvb/card0/demux0"});
}
