// The one place that knows about demux devices. Table readers open a
// device path, set one section filter, read whole sections, stop and close,
// through these calls; what stands behind a handle depends on the path:
//   - a character device (or anything not a regular file): the kernel's DVB
//     demux;
//   - a regular file: a recorded MPEG transport stream, replayed endlessly
//     with real section reassembly;
//   - in tests: whatever the opener set with SetDemuxOpenerForTests gives.
#ifndef UDOVOR_CAPTURE_DEMUX_H
#define UDOVOR_CAPTURE_DEMUX_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "capture/section_filter.h"

// The largest section a read delivers.
const size_t kMaxSectionSize = 4096;

// One opened demux: one filter at a time, one section per read.
class DemuxSource {
public:
    virtual ~DemuxSource() = default;
    // Negative on failure.
    virtual int SetFilter(const SectionFilter& f) = 0;
    virtual int Stop() = 0;
    // One whole matching section into buf (at most size bytes): its length,
    // or -1 when none came within the filter's time-out.
    virtual int Read(uint8_t* buf, size_t size) = 0;
};

// Opens the device read-write: a handle, or -1. A recorded stream that is
// not a transport stream is refused here with an error box.
int DemuxOpen(const char* path);
int DemuxSetFilter(int handle, const SectionFilter* f);
int DemuxStop(int handle);
int DemuxRead(int handle, uint8_t* buf, size_t size);
int DemuxClose(int handle);

// Tests: every DemuxOpen asks this opener instead of the devices (a null
// source is a failed open). An empty function restores the devices.
using DemuxOpener = std::function<std::unique_ptr<DemuxSource>(const char* path)>;
void SetDemuxOpenerForTests(DemuxOpener opener);

// Handles open right now (tests check that readers close theirs).
int DemuxOpenHandles();

#endif
