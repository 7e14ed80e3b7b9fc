// Made-up guides for trying and measuring the capture: a small demo guide
// and the full-size guide (149 channels, 25000 titles). Both cover the week
// that a capture at their time expects: from 06:00 of the provider-local day
// before today for seven days, every channel's events back to back.
#ifndef UDOVOR_STREAMGEN_SAMPLEGUIDES_H
#define UDOVOR_STREAMGEN_SAMPLEGUIDES_H

#include <cstdint>

#include "tools/streamgen/guide.h"

namespace streamgen {

constexpr int kFullChannels = 149;
constexpr int kFullTitles = 25000;

// Provider-local time value of the first title of the week around `utc`.
int64_t WeekStartLocal(const Guide& guide);

// A handful of channels, Italian offsets around `utc`.
Guide DemoGuide(int64_t utc);

// The full-size guide, the same bytes for the same seed and time.
Guide FullGuide(uint64_t seed, int64_t utc);

}  // namespace streamgen

#endif
