// Peak memory of a whole capture, measured with /usr/bin/time -v on a child
// process of this program, beside the bytes that the capture holds.
#ifndef UDOVOR_BENCH_MEMORY_H
#define UDOVOR_BENCH_MEMORY_H

#include <string>

#include "bench/table.h"

// The child's side: captures the stream of root and prints what it holds.
// The exit status.
int CaptureOnly(const std::string& root, long clock);

// Runs this program twice under /usr/bin/time -v: once capturing, once
// idle. Not measured when the tool is missing or a child fails.
PeakMemory MeasurePeakMemory(const std::string& root, long clock);

#endif
