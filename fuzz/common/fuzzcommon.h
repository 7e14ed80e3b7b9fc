// What every fuzz target shares: a private box root under /tmp, a quiet
// stand-in toolkit (error boxes close at once), and the framing of a
// fuzzed sequence of demux reads.
#ifndef UDOVOR_FUZZ_COMMON_FUZZCOMMON_H
#define UDOVOR_FUZZ_COMMON_FUZZCOMMON_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "capture/demux_fake.h"

namespace fuzz {

// The box clock every target runs at: 2024-05-14 18:00:00 UTC.
const long long kFuzzClock = 1715709600LL;

// Once per process: makes the box root (removed at exit), sets the clock,
// sends the console to /dev/null. Every iteration: forgets the toolkit's
// state, so that the error boxes of one input never pile up.
void Begin();

// Writes the bytes to a box path, making its directories.
void WriteBoxFile(const char* boxPath, const uint8_t* data, size_t size);
void RemoveBoxFile(const char* boxPath);

// The box root's host path.
const std::string& Root();

// One demux read of a fuzzed sequence: a section, or a read that returns
// result without data.
struct Read {
    std::vector<uint8_t> bytes;
    int result = 0;
    uint8_t route = 0;  // which table a mixed sequence sends it to
};

// The framing of a read sequence (also what the seed maker writes):
//   byte 0: flags (bit 0: the queue loops back to its first read)
//   then per read: [route byte, only when routed] [length, 2 bytes big-endian]
//   [length bytes]; length 0xFFFF is a timed-out read, 0xFFFE an empty one.
// Lengths above the largest section are cut to it. A cut-short last read
// keeps the bytes that are there.
struct ReadSequence {
    uint8_t flags = 0;
    std::vector<Read> reads;
};
ReadSequence ParseReads(const uint8_t* data, size_t size, bool routed);

const uint16_t kTimedOut = 0xFFFF;
const uint16_t kEmptyRead = 0xFFFE;

// Queues the reads for one filter; a section's first byte becomes the
// filter's table id, as the demux would let no other through.
void QueueReads(FakeDemux& demux, uint16_t pid, uint8_t tableId, const std::vector<Read>& reads);

// Aborts with the message (a finding for libFuzzer) when cond is false.
void Check(bool cond, const char* what);

}  // namespace fuzz

#endif
