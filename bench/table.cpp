#include "bench/table.h"

#include <cstdio>

void TableReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        const std::string& name = run.run_name.function_name;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Aggregate && !median)
            continue;
        if (!median && fromMedian_[name])
            continue;
        Figures f;
        f.cpu = run.GetAdjustedCPUTime();
        f.wall = run.GetAdjustedRealTime();
        for (const auto& c : run.counters)
            f.counters[c.first] = c.second.value;
        figures_[name] = f;
        fromMedian_[name] = median;
    }
}

const TableReporter::Figures* TableReporter::Find(const std::string& name) const
{
    auto it = figures_.find(name);
    return it == figures_.end() ? nullptr : &it->second;
}

namespace {

const char kRule[] =
    "------------------------------------------------------------------------------------------------------------\n";

// A time of the run, or none (cpu < 0) when the benchmark did not run.
struct Time {
    double cpu = -1;
    double wall = -1;
};

Time Get(const TableReporter& r, const char* name)
{
    Time t;
    if (const TableReporter::Figures* f = r.Find(name)) {
        t.cpu = f->cpu;
        t.wall = f->wall;
    }
    return t;
}

Time Sum(Time a, Time b)
{
    Time t;
    if (a.cpu >= 0 && b.cpu >= 0) {
        t.cpu = a.cpu + b.cpu;
        t.wall = a.wall + b.wall;
    }
    return t;
}

double Counter(const TableReporter& r, const char* name, const char* counter)
{
    const TableReporter::Figures* f = r.Find(name);
    if (!f)
        return -1;
    auto it = f->counters.find(counter);
    return it == f->counters.end() ? -1 : it->second;
}

void Header()
{
    printf("%-42s %10s %10s %6s  %-13s %6s  %s\n", "operation", "cpu ms", "limit ms", "ratio", "goal",
           "wall", "limit is");
}

// One row: CPU times and their ratio, the verdict against goal (none for
// goal <= 0), and the ratio of the wall-clock times.
void Row(const char* op, Time value, Time limit, double goal, const char* limitName)
{
    if (value.cpu < 0) {
        printf("%-42s %10s\n", op, "not run");
        return;
    }
    char l[24] = "", ratio[16] = "", verdict[24] = "", wall[16] = "";
    if (limit.cpu > 0) {
        const double q = value.cpu / limit.cpu;
        snprintf(l, sizeof l, "%.3f", limit.cpu);
        snprintf(ratio, sizeof ratio, "%.2f", q);
        if (goal > 0)
            snprintf(verdict, sizeof verdict, "<= %.1f %s", goal, q <= goal ? "met" : "MISSED");
        if (limit.wall > 0)
            snprintf(wall, sizeof wall, "%.2f", value.wall / limit.wall);
    }
    printf("%-42s %10.3f %10s %6s  %-13s %6s  %s\n", op, value.cpu, l, ratio, verdict, wall, limitName);
}

}  // namespace

void PrintTable(const TableReporter& r, const BenchData& d, const PeakMemory& m)
{
    char op[96];
    printf("\n%s", kRule);
    Header();
    printf("%s", kRule);
    Row("FillChannelList, full file", Get(r, "channel_list"), Get(r, "bare_fgets_full"), 1.3, "fgets of the file");

    snprintf(op, sizeof op, "FillChannelEPG, last channel (%d events)", d.lastEvents);
    Row(op, Get(r, "listing_last"), Sum(Get(r, "bare_fgets_last"), Get(r, "settings_last")), 1.5,
        "fgets of its reads + lookups");
    snprintf(op, sizeof op, "  its settings lookups (%d)", d.lastEvents);
    Row(op, Get(r, "settings_last"), Get(r, "bare_fgets_last"), 0, "fgets of its reads");

    snprintf(op, sizeof op, "FillChannelEPG, channel of %d events", kBigChannelEvents);
    Row(op, Get(r, "listing_512"), Sum(Get(r, "bare_fgets_512"), Get(r, "settings_512")), 1.5,
        "fgets of its reads + lookups");
    snprintf(op, sizeof op, "  its settings lookups (%d)", kBigChannelEvents);
    Row(op, Get(r, "settings_512"), Get(r, "bare_fgets_512"), 0, "fgets of its reads");

    Row("FillGridEPG, full file", Get(r, "grid"), Get(r, "bare_fgets_full"), 1.3, "fgets of the file");

    Row("capture: time offset and four tables", Get(r, "capture"), Get(r, "bare_read_stream"), 0,
        "one read() of the stream file");
    const double streamMb = Counter(r, "capture", "stream_MB/s");
    const double fileMb = Counter(r, "capture", "file_MB/s");
    const double sections = Counter(r, "capture", "sections/s");
    const double bareMb = Counter(r, "bare_read_stream", "file_MB/s");
    if (streamMb >= 0) {
        printf("%-42s %10.1f %10.1f %6.2f  %-13s %6s  %s\n", "  stream decoded, MB/s", streamMb, bareMb,
               bareMb > 0 ? streamMb / bareMb : 0.0, streamMb > 100 ? ">= 100 met" : ">= 100 MISSED", "",
               "bare read, MB/s");
        printf("%-42s %10.1f\n", "  stream file captured, MB/s", fileMb);
        printf("%-42s %10.0f\n", "  sections/s", sections);
    }

    Row("SaveEpgData, full capture", Get(r, "save_epg"), Get(r, "bare_write"), 2.0, "one buffered write");
    Row("  the same", Get(r, "save_epg"), Get(r, "bare_write_sync"), 0, "write + fsync + rename");

    if (m.measured) {
        Time used, data;
        used.cpu = (m.captureKb - m.idleKb) / 1024.0;
        data.cpu = static_cast<double>(m.heldBytes + m.fixedBytes) / 1048576.0;
        Row("peak memory of a capture, MB above idle", used, data, 1.5, "records, texts, fixed tables (MB)");
        printf("  data held: %.3f MB records and texts, %.3f MB fixed tables; idle process %.1f MB\n",
               static_cast<double>(m.heldBytes) / 1048576.0, static_cast<double>(m.fixedBytes) / 1048576.0,
               m.idleKb / 1024.0);
    } else {
        printf("%-42s %10s\n", "peak memory of a capture", "not measured");
    }
    printf("%s", kRule);
    printf("Medians of the repetitions. EPG data file %.2f MB, %d channels; stream %.2f MB.\n", d.epgBytes / 1e6,
           d.channels, d.streamBytes / 1e6);
}
