// The viewer's fills: the channel list, the listing of one channel and the
// grid, each beside the bare fgets of the same reads; and the settings
// lookups that the listing makes once per event.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/bareio.h"
#include "bench/benchmarks.h"
#include "plugin/settings.h"
#include "viewer/channellist.h"
#include "viewer/channellistdetail.h"

namespace {

void Setup(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond);
}

void ChannelList(benchmark::State& state, const BenchData* d)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<eChannelListDialog> dialog(new eChannelListDialog);
        dialog->SetFilename(kBenchEpg);
        state.ResumeTiming();
        benchmark::DoNotOptimize(dialog->FillChannelList());
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * d->epgBytes);
}

void Listing(benchmark::State& state, const char* file, long key)
{
    eChannelListDetail detail;
    char name[1000];
    CopyText(name, file, sizeof name);
    detail.SetFilename(name);
    detail.SetChannel(key);
    for (auto _ : state)
        benchmark::DoNotOptimize(detail.FillChannelEPG());
}

void Grid(benchmark::State& state, const BenchData* d)
{
    eChannelListDetail detail;
    char name[1000];
    CopyText(name, kBenchEpg, sizeof name);
    detail.SetFilename(name);
    detail.SetGridMode(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(detail.FillGridEPG(d->moment));
    state.SetBytesProcessed(state.iterations() * d->epgBytes);
}

void Fgets(benchmark::State& state, std::string path, long reads)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(BareFgets(path, reads));
}

void SettingsLookups(benchmark::State& state, int lookups)
{
    for (auto _ : state)
        for (int i = 0; i < lookups; ++i)
            benchmark::DoNotOptimize(ReadINIInt("dateDisplayFormat", "0"));
}

}  // namespace

void RegisterViewerBenchmarks(const BenchData& d)
{
    Setup(benchmark::RegisterBenchmark("channel_list", ChannelList, &d));
    Setup(benchmark::RegisterBenchmark("bare_fgets_full", Fgets, d.epg, -1L));

    Setup(benchmark::RegisterBenchmark("listing_last", Listing, kBenchEpg, d.lastKey));
    Setup(benchmark::RegisterBenchmark("bare_fgets_last", Fgets, d.epg, d.lastReads));
    Setup(benchmark::RegisterBenchmark("settings_last", SettingsLookups, d.lastEvents));

    Setup(benchmark::RegisterBenchmark("listing_512", Listing, kBenchBigChannel, d.bigKey));
    Setup(benchmark::RegisterBenchmark("bare_fgets_512", Fgets, d.big, d.bigReads));
    Setup(benchmark::RegisterBenchmark("settings_512", SettingsLookups, kBigChannelEvents));

    Setup(benchmark::RegisterBenchmark("grid", Grid, &d));
}
