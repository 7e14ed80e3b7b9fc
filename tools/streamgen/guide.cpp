#include "tools/streamgen/guide.h"

#include <algorithm>
#include <set>

#include "tools/streamgen/tsmux.h"

namespace streamgen {

namespace {

constexpr int kHoursPerWeek = 7 * 24;

int64_t LastSundayChange(int year, int month)
{
    int64_t last = DaysFromCivil(year, month + 1, 1) - 1;
    int weekday = WeekdayOf(last * kSecondsPerDay);
    return (last - weekday) * kSecondsPerDay + 3600;  // 01:00 UTC
}

}  // namespace

int64_t ProviderOffsetAt(const Guide& guide, int64_t t)
{
    if (guide.offsets.empty())
        return 0;
    const LocalTimeOffset& e = guide.offsets.front();
    int64_t minutes = t < e.timeOfChange ? e.offsetMinutes : e.nextOffsetMinutes;
    return (e.negative ? -60 : 60) * minutes;
}

void WeekStart(const Guide& guide, int* weekday, int* hour)
{
    int64_t t = guide.utc - kSecondsPerDay;
    *weekday = WeekdayOf(t + ProviderOffsetAt(guide, t));
    *hour = 6;
}

std::vector<Bytes> TitleCarousel(const Guide& guide)
{
    std::set<uint32_t> withSummary;
    for (const SummaryEntry& s : guide.summaries)
        withSummary.insert(s.programmeId);

    std::vector<std::vector<const GuideEvent*>> cells(kHoursPerWeek);
    for (const GuideEvent& e : guide.events) {
        int cell = (((e.weekday % 7) + 7) % 7) * 24 + (((e.hour % 24) + 24) % 24);
        cells[cell].push_back(&e);
    }
    std::vector<Bytes> out;
    out.reserve(guide.events.size() + kHoursPerWeek);
    int first = (((guide.firstWeekday % 7) + 7) % 7) * 24 + (((guide.firstHour % 24) + 24) % 24);
    for (int k = 0; k < kHoursPerWeek; ++k) {
        int cell = (first + k) % kHoursPerWeek;
        out.push_back(BuildMarkerSection(cell / 24, cell % 24));
        std::vector<const GuideEvent*>& events = cells[cell];
        std::stable_sort(events.begin(), events.end(), [](const GuideEvent* a, const GuideEvent* b) {
            return a->minute != b->minute ? a->minute < b->minute : a->channel < b->channel;
        });
        for (const GuideEvent* e : events) {
            TitleEntry t;
            t.channelId = static_cast<uint8_t>(e->channel);
            t.themeId = e->theme;
            t.weekday = e->weekday;
            t.hour = e->hour;
            t.minute = e->minute;
            t.hasSummary = withSummary.count(e->programmeId) != 0;
            t.durationMinutes = e->durationMinutes;
            t.title = e->title;
            t.secondId = e->programmeId ^ 0x5A5A0000u;
            t.programmeId = e->programmeId;
            out.push_back(BuildTitleSection(t));
        }
    }
    return out;
}

std::vector<Bytes> SummaryCarousel(const Guide& guide)
{
    std::vector<Bytes> out;
    out.reserve(guide.summaries.size());
    for (const SummaryEntry& s : guide.summaries)
        out.push_back(BuildSummarySection(s));
    return out;
}

Bytes BuildStream(const Guide& guide, const CarouselOptions& options)
{
    std::vector<ChannelRecord> records;
    for (const GuideChannel& c : guide.channels) {
        ChannelRecord r;
        r.serviceId = c.serviceId;
        r.name = c.name;
        records.push_back(r);
    }
    const Bytes tot = BuildTotSection(guide.utc, guide.offsets);
    const Bytes channels = BuildChannelSection(records);
    const Bytes themes = BuildThemeSection(guide.themes);
    const std::vector<Bytes> titles = TitleCarousel(guide);
    const std::vector<Bytes> summaries = SummaryCarousel(guide);

    TsMux mux;
    size_t nextTables = 0;
    auto tablesIfDue = [&]() {
        if (mux.PacketCount() < nextTables)
            return;
        mux.AddSection(kTotPid, tot);
        mux.Flush(kTotPid);
        mux.AddSection(kGuidePid, channels);
        mux.AddSection(kGuidePid, themes);
        nextTables = mux.PacketCount() + std::max<size_t>(options.repeatEveryPackets, 1);
    };

    // Both carousels advance in step with their share of the bytes, so they
    // run through the stream side by side and end together.
    size_t titleBytes = 0, summaryBytes = 0;
    for (const Bytes& b : titles)
        titleBytes += b.size();
    for (const Bytes& b : summaries)
        summaryBytes += b.size();
    size_t i = 0, j = 0, doneTitles = 0, doneSummaries = 0;
    tablesIfDue();
    while (i < titles.size() || j < summaries.size()) {
        // doneTitles / titleBytes <= doneSummaries / summaryBytes, in integers
        bool title = j >= summaries.size() ||
                     (i < titles.size() && static_cast<unsigned long long>(doneTitles) * summaryBytes <=
                                               static_cast<unsigned long long>(doneSummaries) * titleBytes);
        if (title) {
            mux.AddSection(kTitlePid, titles[i]);
            doneTitles += titles[i++].size();
        } else {
            mux.AddSection(kGuidePid, summaries[j]);
            doneSummaries += summaries[j++].size();
        }
        tablesIfDue();
    }
    mux.FlushAll();
    return mux.Stream();
}

LocalTimeOffset ItalianOffset(int64_t t)
{
    int year, month, day;
    CivilFromDays(DayOf(t), &year, &month, &day);
    LocalTimeOffset e;
    e.country = "ITA";
    e.region = 0;
    int64_t spring = LastSundayChange(year, 3), autumn = LastSundayChange(year, 10);
    if (t < spring) {
        e.offsetMinutes = 60;
        e.nextOffsetMinutes = 120;
        e.timeOfChange = spring;
    } else if (t < autumn) {
        e.offsetMinutes = 120;
        e.nextOffsetMinutes = 60;
        e.timeOfChange = autumn;
    } else {
        e.offsetMinutes = 60;
        e.nextOffsetMinutes = 120;
        e.timeOfChange = LastSundayChange(year + 1, 3);
    }
    return e;
}

}  // namespace streamgen
