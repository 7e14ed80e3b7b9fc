// udovor-bench --root DIR --clock T [--no-memory] [benchmark options]
//   DIR holds the recorded stream as its demux device (dev/dvb/card0/demux0,
//   made with udovor-streamgen --full --time T); T is the box's clock, the
//   generator's time. Prints Google Benchmark's report, then the table.
// udovor-bench --capture-only --root DIR --clock T   (child of the run)
// udovor-bench --idle                                 (child of the run)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/benchdata.h"
#include "bench/benchmarks.h"
#include "bench/memory.h"
#include "bench/table.h"

namespace {

bool HasOption(const std::vector<char*>& args, const char* prefix)
{
    for (char* a : args)
        if (strncmp(a, prefix, strlen(prefix)) == 0)
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string root;
    long clock = 0;
    bool captureOnly = false, memory = true;
    std::vector<char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--idle"))
            return 0;
        if (!strcmp(argv[i], "--capture-only"))
            captureOnly = true;
        else if (!strcmp(argv[i], "--no-memory"))
            memory = false;
        else if (!strcmp(argv[i], "--root") && i + 1 < argc)
            root = argv[++i];
        else if (!strcmp(argv[i], "--clock") && i + 1 < argc)
            clock = strtol(argv[++i], nullptr, 10);
        else
            rest.push_back(argv[i]);
    }
    if (root.empty() || clock <= 0) {
        fprintf(stderr, "usage: udovor-bench --root DIR --clock T [--no-memory] [benchmark options]\n");
        return 2;
    }
    if (captureOnly)
        return CaptureOnly(root, clock);

    // Medians of short repetitions, interleaved at random so that a busy
    // spell of a shared machine falls on every benchmark alike, unless told
    // otherwise.
    static char reps[] = "--benchmark_repetitions=9";
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    static char minTime[] = "--benchmark_min_time=0.1";
    if (!HasOption(rest, "--benchmark_repetitions"))
        rest.push_back(reps);
    if (!HasOption(rest, "--benchmark_report_aggregates_only"))
        rest.push_back(aggregates);
    if (!HasOption(rest, "--benchmark_enable_random_interleaving"))
        rest.push_back(interleave);
    if (!HasOption(rest, "--benchmark_min_time"))
        rest.push_back(minTime);
    int n = static_cast<int>(rest.size());
    rest.push_back(nullptr);
    benchmark::Initialize(&n, rest.data());
    if (benchmark::ReportUnrecognizedArguments(n, rest.data()))
        return 2;

    static BenchData data;
    if (!PrepareBenchData(root, clock, &data))
        return 1;
    RegisterViewerBenchmarks(data);
    RegisterCaptureBenchmarks(data);

    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PeakMemory m;
    if (memory)
        m = MeasurePeakMemory(root, clock);
    PrintTable(reporter, data, m);
    benchmark::Shutdown();
    return 0;
}
