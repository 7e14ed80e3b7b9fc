// The capture: every table read from the recorded stream, beside a bare
// read of the stream file; and the writer, beside one buffered write of
// the same bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "bench/bareio.h"
#include "bench/benchmarks.h"
#include "capture/demux.h"
#include "capture/demux_ts.h"
#include "capture/epgreader.h"

namespace {

const char kBenchOut[] = "/hdd/out.dat";

// Counts the sections the readers take from the replay.
class CountingSource : public DemuxSource {
public:
    CountingSource(std::unique_ptr<DemuxSource> inner, long* sections)
        : inner_(std::move(inner)), sections_(sections)
    {
    }
    int SetFilter(const SectionFilter& f) override { return inner_->SetFilter(f); }
    int Stop() override { return inner_->Stop(); }
    int Read(uint8_t* buf, size_t size) override
    {
        const int n = inner_->Read(buf, size);
        if (n > 0)
            ++*sections_;
        return n;
    }

private:
    std::unique_ptr<DemuxSource> inner_;
    long* sections_;
};

// Bytes this process has read through read() and pread() so far.
long long BytesRead()
{
    FILE* f = fopen("/proc/self/io", "r");
    if (!f)
        return 0;
    long long v = 0;
    char line[128];
    while (fgets(line, sizeof line, f))
        if (sscanf(line, "rchar: %lld", &v) == 1)
            break;
    fclose(f);
    return v;
}

bool CaptureAll(EPGReader& r)
{
    r.SetDevicePath(kBenchDemux);
    return r.GetTimeOffset() == 0 && r.GetTitles() == 0 && r.GetThemes() == 0 && r.GetChannelNames() == 0 &&
           r.GetSummaries() == 0;
}

void Capture(benchmark::State& state, const BenchData* d)
{
    long sections = 0;
    SetDemuxOpenerForTests([&sections](const char* path) -> std::unique_ptr<DemuxSource> {
        std::unique_ptr<DemuxSource> s = OpenRecordedStream(path);
        if (!s)
            return nullptr;
        return std::unique_ptr<DemuxSource>(new CountingSource(std::move(s), &sections));
    });
    long long bytes = 0;
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<EPGReader> reader(new EPGReader);
        const long long before = BytesRead();
        state.ResumeTiming();
        ok = CaptureAll(*reader) && ok;
        state.PauseTiming();
        bytes += BytesRead() - before;
        reader.reset();
        state.ResumeTiming();
    }
    SetDemuxOpenerForTests(nullptr);
    if (!ok)
        state.SkipWithError("the capture failed");
    state.counters["sections/s"] = benchmark::Counter(static_cast<double>(sections), benchmark::Counter::kIsRate);
    state.counters["stream_MB/s"] = benchmark::Counter(static_cast<double>(bytes) / 1e6, benchmark::Counter::kIsRate);
    state.counters["file_MB/s"] = benchmark::Counter(
        static_cast<double>(d->streamBytes) * static_cast<double>(state.iterations()) / 1e6,
        benchmark::Counter::kIsRate);
}

void StreamRead(benchmark::State& state, const BenchData* d)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(BareRead(d->stream));
    state.counters["file_MB/s"] = benchmark::Counter(
        static_cast<double>(d->streamBytes) * static_cast<double>(state.iterations()) / 1e6,
        benchmark::Counter::kIsRate);
}

void Save(benchmark::State& state, const BenchData*)
{
    std::unique_ptr<EPGReader> reader(new EPGReader);
    if (!CaptureAll(*reader)) {
        state.SkipWithError("the capture failed");
        return;
    }
    for (auto _ : state)
        if (reader->SaveEpgData(kBenchOut) != 0)
            state.SkipWithError("SaveEpgData failed");
}

void Write(benchmark::State& state, const BenchData* d, bool sync)
{
    const std::string bytes = ReadWholeFile(d->epg);
    const std::string out = d->root + kBenchOut;
    for (auto _ : state)
        if (!BareWrite(out, bytes, sync))
            state.SkipWithError("the bare write failed");
}

void Setup(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

void RegisterCaptureBenchmarks(const BenchData& d)
{
    Setup(benchmark::RegisterBenchmark("capture", Capture, &d));
    Setup(benchmark::RegisterBenchmark("bare_read_stream", StreamRead, &d));
    Setup(benchmark::RegisterBenchmark("save_epg", Save, &d));
    Setup(benchmark::RegisterBenchmark("bare_write", Write, &d, false));
    Setup(benchmark::RegisterBenchmark("bare_write_sync", Write, &d, true));
}
