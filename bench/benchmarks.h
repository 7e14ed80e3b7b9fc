// Registration of the benchmarks; each works on the data of the run.
#ifndef UDOVOR_BENCH_BENCHMARKS_H
#define UDOVOR_BENCH_BENCHMARKS_H

#include "bench/benchdata.h"

void RegisterViewerBenchmarks(const BenchData& d);
void RegisterCaptureBenchmarks(const BenchData& d);

#endif
