// A recorded MPEG transport stream replayed as an endless broadcast:
//   - every open starts at the beginning of the file; the end wraps round to
//     the beginning, and the wrap is a discontinuity like a jump of the
//     continuity counter: the section being reassembled is dropped, and
//     reassembly starts again at the next packet that starts a section;
//   - sections are reassembled as a real demux does (pointer field, sections
//     across packets, several in one packet, stuffing, adaptation fields,
//     other PIDs and null packets between) and pass the filter under its mask;
//   - a read that finds no matching section in a whole pass of the file fails
//     at once, as the time-out of a real device would.
#ifndef UDOVOR_CAPTURE_DEMUX_TS_H
#define UDOVOR_CAPTURE_DEMUX_TS_H

#include <cstddef>
#include <cstdint>
#include <memory>

#include "capture/demux.h"

const size_t kTsPacketSize = 188;
const uint8_t kTsSyncByte = 0x47;

// Shows "Not a transport stream: " and the path, and gives null, for a file
// that is empty, not a whole number of packets or not synchronised; null
// without a box when the file cannot be opened.
std::unique_ptr<DemuxSource> OpenRecordedStream(const char* path);

#endif
