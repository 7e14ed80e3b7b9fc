// The table of the run: every operation's median beside the median of its
// bare limit, and the ratio, in CPU time (what the work costs, whatever else
// the machine runs) and in wall-clock time (what the user waits).
#ifndef UDOVOR_BENCH_TABLE_H
#define UDOVOR_BENCH_TABLE_H

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "bench/benchdata.h"

struct PeakMemory {
    bool measured = false;
    long captureKb = 0;   // peak resident set of a process that captured
    long idleKb = 0;      // the same program doing nothing
    long long heldBytes = 0;   // the capture's records and texts
    long long fixedBytes = 0;  // the window's fixed tables
};

// Keeps the medians (or the single runs, without repetitions) of every
// benchmark by name, and prints what the console reporter prints.
class TableReporter : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double cpu = 0;   // ms of CPU time (user and system)
        double wall = 0;  // ms of wall-clock time
        std::map<std::string, double> counters;
    };
    void ReportRuns(const std::vector<Run>& runs) override;
    const Figures* Find(const std::string& name) const;

private:
    std::map<std::string, Figures> figures_;
    std::map<std::string, bool> fromMedian_;
};

void PrintTable(const TableReporter& r, const BenchData& d, const PeakMemory& m);

#endif
