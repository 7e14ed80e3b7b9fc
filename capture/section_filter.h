// The section filter of a table read: one PID, filter and mask bytes on the
// section's first bytes, a time-out and flags. The box's own demux takes it
// as a 44-byte record in its byte order (big-endian) with its own request
// numbers; on other machines the same values are mapped onto the local
// demux interface.
#ifndef UDOVOR_CAPTURE_SECTION_FILTER_H
#define UDOVOR_CAPTURE_SECTION_FILTER_H

#include <cstddef>
#include <cstdint>

const int kFilterSize = 16;
const uint32_t kFilterTimeoutMs = 5000;
const uint32_t kFilterImmediateStart = 4;  // no CRC check, not one-shot

// The box's record and requests.
const size_t kBoxFilterRecordSize = 44;
const size_t kBoxFilterPidOffset = 0;
const size_t kBoxFilterFilterOffset = 2;
const size_t kBoxFilterMaskOffset = 18;
const size_t kBoxFilterTimeoutOffset = 36;
const size_t kBoxFilterFlagsOffset = 40;
const unsigned long kBoxDmxSetFilter = 0x80046F2BUL;
const unsigned long kBoxDmxStop = 0x80046F2AUL;

struct SectionFilter {
    uint16_t pid = 0;
    uint8_t filter[kFilterSize] = {};
    uint8_t mask[kFilterSize] = {};
    uint32_t timeout = 0;
    uint32_t flags = 0;
};

// The filter every table read uses: sections of the PID whose table id is
// tableId, 5000 ms time-out, immediate start.
SectionFilter MakeSectionFilter(uint16_t pid, uint8_t tableId);

// The box's record, field by field, big-endian; padding bytes are zero.
void EncodeBoxFilterRecord(const SectionFilter& f, uint8_t out[kBoxFilterRecordSize]);

// Whether a section matches the filter under the mask. As a kernel demux
// does, filter byte 0 is section byte 0 and filter byte i (i >= 1) is
// section byte i + 2: the section length is never filtered.
bool SectionMatches(const SectionFilter& f, const uint8_t* section, size_t length);

#endif
