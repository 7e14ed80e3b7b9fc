#include "tools/streamgen/guide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tests/tools/ts_reference.h"
#include "tools/streamgen/sampleguides.h"
#include "tools/streamgen/sections.h"

using namespace streamgen;

namespace {

const int64_t kNov2023 = 1700000000;  // Tuesday 2023-11-14 22:13:20 UTC

Guide SmallGuide()
{
    Guide g;
    g.utc = kNov2023;
    g.offsets = {ItalianOffset(g.utc)};
    g.channels = {{101, "Uno"}, {102, "Due"}};
    g.themes = {{0x00, "Film"}, {0x10, "Sport"}};
    //         ch theme day hour min dur title pid
    g.events = {{2, 0x10, 2, 20, 30, 90, "Calcio", 11},
                {1, 0x00, 2, 20, 0, 120, "Film serale", 12},
                {1, 0x00, 3, 3, 15, 60, "Notturno", 13},
                {2, 0x00, 2, 20, 0, 30, "Telegiornale", 14}};
    g.summaries = {{12, {}, "Un film."}, {13, {{2, kNov2023, kReplayLast}}, "Di notte."}};
    WeekStart(g, &g.firstWeekday, &g.firstHour);
    return g;
}

bool IsMarker(const Bytes& s) { return s.size() == kTitleSectionSize && s[3] == kMarkerChannelId; }

}  // namespace

TEST(Carousel, TitleTurnStartsWithAMarkerAndKeepsDayHourOrder)
{
    Guide g = SmallGuide();
    EXPECT_EQ(g.firstWeekday, 1) << "day before Tuesday";
    std::vector<Bytes> titles = TitleCarousel(g);
    ASSERT_EQ(titles.size(), 168 + g.events.size());
    ASSERT_TRUE(IsMarker(titles[0]));
    EXPECT_EQ(titles[0][5], EncodeDayHour(1, 6));
    std::set<Bytes> markers;
    uint8_t cell = 0;
    std::vector<uint8_t> order;  // channel ids of the titles as they come
    for (const Bytes& t : titles) {
        if (IsMarker(t)) {
            EXPECT_TRUE(markers.insert(t).second) << "a marker twice in one turn";
            cell = t[5];
            continue;
        }
        EXPECT_EQ(t[5], cell) << "title under the marker of its hour";
        order.push_back(t[38 + 3]);  // low byte of the programme id
    }
    EXPECT_EQ(markers.size(), 168u);
    // Tuesday 20:00 (by minute, then channel: 12, 14, 11), then Wednesday 03:15.
    EXPECT_EQ(order, (std::vector<uint8_t>{12, 14, 11, 13}));
    for (const Bytes& t : titles) {
        if (!IsMarker(t)) {
            EXPECT_EQ(t[6] & 1, (t[41] == 12 || t[41] == 13) ? 1 : 0) << "summary flag of " << int(t[41]);
        }
    }
}

TEST(Carousel, StreamCarriesEveryTableOnItsPidAndEndsCleanly)
{
    Guide g = SmallGuide();
    CarouselOptions o;
    o.repeatEveryPackets = 2;
    Bytes stream = BuildStream(g, o);
    tsref::Demux d;
    d.Feed(stream);
    ASSERT_TRUE(d.errors.empty()) << d.errors.front();
    EXPECT_EQ(d.discontinuities, 0);
    ASSERT_FALSE(d.sections.empty());
    EXPECT_EQ(d.sections[0].pid, kTotPid) << "a read of the TOT finds one at once";

    Bytes tot = BuildTotSection(g.utc, g.offsets);
    auto tots = d.Of(kTotPid, kTotTableId);
    EXPECT_GE(tots.size(), 2u) << "repeated";
    for (const Bytes& t : tots)
        EXPECT_EQ(t, tot);
    EXPECT_EQ(d.Of(kTitlePid, kTitleTableId), TitleCarousel(g)) << "one whole turn, in order";
    EXPECT_EQ(d.Of(kGuidePid, kSummaryTableId), SummaryCarousel(g));
    auto channels = d.Of(kGuidePid, kChannelTableId), themes = d.Of(kGuidePid, kThemeTableId);
    ASSERT_FALSE(channels.empty());
    ASSERT_FALSE(themes.empty());
    EXPECT_EQ(channels[0], BuildChannelSection({{1, 1, 101, "Uno"}, {1, 1, 102, "Due"}}));
    EXPECT_EQ(themes[0], BuildThemeSection(g.themes));
}

// The capture's placement of a title: weekday and hour from byte 5, minute
// from byte 6, relative to the provider-local day before today; anything up
// to 05:59:59 of that day belongs to the next week.
TEST(SampleGuides, DemoTitlesFillTheCapturesWeekBackToBack)
{
    const int64_t times[] = {kNov2023, 1720000000 /* July */, 1711846800 /* spring change */,
                             1699833600 /* Monday 00:00 UTC */, 1700004600 /* 23:30 UTC: already the next local day */};
    for (int64_t now : times) {
        SCOPED_TRACE(now);
        Guide g = DemoGuide(now);
        int64_t t = now - 86400;
        int64_t local = t + ProviderOffsetAt(g, t);
        int64_t dayBase = local - (local % 86400 + 86400) % 86400;
        int dayBaseWeekday = WeekdayOf(dayBase);
        std::map<int, std::vector<std::pair<int64_t, int>>> starts;  // channel -> (start, minutes)
        for (const Bytes& s : TitleCarousel(g)) {
            if (IsMarker(s))
                continue;
            int day = s[5] >> 5, hour = s[5] & 0x1F;
            if (hour > 15)
                hour -= 4;
            else if (hour > 7)
                hour -= 2;
            else
                day = (day + 1) % 7;
            int64_t dd = (day - dayBaseWeekday) * 86400LL + hour * 3600 + (s[6] >> 2) * 60;
            if (dd <= 21599)
                dd += 604800;
            starts[s[3]].push_back({dayBase + dd, s[9] << 8 | s[10]});
        }
        ASSERT_EQ(starts.size(), g.channels.size());
        for (auto& [channel, list] : starts) {
            std::sort(list.begin(), list.end());
            EXPECT_EQ(list.front().first, dayBase + 6 * 3600) << "channel " << channel;
            for (size_t i = 1; i < list.size(); ++i)
                ASSERT_EQ(list[i].first, list[i - 1].first + list[i - 1].second * 60)
                    << "channel " << channel << " event " << i;
            EXPECT_LT(list.back().first, dayBase + 6 * 3600 + 7 * 86400);
            EXPECT_GE(list.back().first + list.back().second * 60, dayBase + 6 * 3600 + 7 * 86400);
        }
    }
}

TEST(SampleGuides, DemoContent)
{
    Guide g = DemoGuide(kNov2023);
    EXPECT_GE(g.channels.size(), 5u);
    EXPECT_LE(g.channels.size(), 8u);
    std::set<uint8_t> themeIds;
    for (const ThemeName& t : g.themes)
        themeIds.insert(t.id);
    for (const GuideChannel& c : g.channels)
        EXPECT_LE(c.name.size(), 15u) << c.name;
    for (const GuideEvent& e : g.events) {
        EXPECT_LE(e.title.size(), 23u) << e.title;
        EXPECT_GE(e.durationMinutes, 30);
        EXPECT_LE(e.durationMinutes, 120);
        EXPECT_TRUE(themeIds.count(e.theme));
    }
    bool accents = false;
    uint8_t flagsSeen = 0;
    for (const SummaryEntry& s : g.summaries) {
        EXPECT_GE(s.text.size(), 100u);
        EXPECT_LE(s.text.size(), 600u);
        accents = accents || std::any_of(s.text.begin(), s.text.end(), [](char c) { return (c & 0x80) != 0; });
        for (const ReplayEntry& r : s.replays) {
            flagsSeen |= r.flags;
            EXPECT_GE(r.channelId, 1);
            EXPECT_LE(r.channelId, g.channels.size());
        }
        if (!s.replays.empty()) {
            EXPECT_TRUE(s.replays.back().flags & kReplayLast);
        }
    }
    EXPECT_TRUE(accents);
    EXPECT_EQ(flagsSeen, kReplaySubtitles | kReplayVM | kReplayVO | kReplayLast);
    EXPECT_LT(g.summaries.size(), g.events.size()) << "some events without a summary";
}

namespace {

bool SameGuide(const Guide& a, const Guide& b)
{
    auto event = [](const GuideEvent& e) {
        return std::tie(e.channel, e.theme, e.weekday, e.hour, e.minute, e.durationMinutes, e.title, e.programmeId);
    };
    auto replay = [](const ReplayEntry& r) { return std::tie(r.channelId, r.localTime, r.flags); };
    if (a.events.size() != b.events.size() || a.summaries.size() != b.summaries.size())
        return false;
    for (size_t i = 0; i < a.events.size(); ++i)
        if (event(a.events[i]) != event(b.events[i]))
            return false;
    for (size_t i = 0; i < a.summaries.size(); ++i) {
        const SummaryEntry &x = a.summaries[i], &y = b.summaries[i];
        if (x.programmeId != y.programmeId || x.text != y.text || x.replays.size() != y.replays.size())
            return false;
        for (size_t r = 0; r < x.replays.size(); ++r)
            if (replay(x.replays[r]) != replay(y.replays[r]))
                return false;
    }
    return true;
}

}  // namespace

TEST(SampleGuides, FullGuideSizeShapeAndDeterminism)
{
    Guide g = FullGuide(42, kNov2023);
    ASSERT_EQ(g.channels.size(), 149u);
    ASSERT_EQ(g.events.size(), 25000u);
    EXPECT_EQ(g.summaries.size(), 25000u);
    std::set<std::string> names;
    for (const GuideChannel& c : g.channels) {
        EXPECT_LE(c.name.size(), 15u);
        names.insert(c.name);
    }
    EXPECT_EQ(names.size(), 149u) << "channel names are unique";
    std::set<uint32_t> ids;
    std::map<int, int> minutes;
    for (const GuideEvent& e : g.events) {
        ids.insert(e.programmeId);
        ASSERT_GE(e.durationMinutes, 30);
        ASSERT_LE(e.durationMinutes, 120);
        ASSERT_LE(e.title.size(), 23u);
        minutes[e.channel] += e.durationMinutes;
    }
    EXPECT_EQ(ids.size(), 25000u);
    for (const auto& [channel, total] : minutes)
        EXPECT_EQ(total, 7 * 24 * 60) << "channel " << channel << " fills the week";
    size_t replays = 0;
    for (const SummaryEntry& s : g.summaries) {
        ASSERT_GE(s.text.size(), 100u);
        ASSERT_LE(s.text.size(), 600u);
        replays += s.replays.size();
    }
    EXPECT_GT(replays, 0u);

    EXPECT_TRUE(SameGuide(FullGuide(42, kNov2023), g)) << "same seed, same guide";
    EXPECT_FALSE(SameGuide(FullGuide(43, kNov2023), g)) << "another seed, another guide";
}
