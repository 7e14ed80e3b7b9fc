// The DVB Time Offset Table and its local time offset descriptor. The
// descriptor area is taken as everything between the fixed header and the
// CRC, whatever descriptors_loop_length claims; entries and descriptors
// that run past it are not read.
#ifndef UDOVOR_CAPTURE_TOT_H
#define UDOVOR_CAPTURE_TOT_H

#include <cstddef>
#include <cstdint>

const uint16_t kTotPid = 0x0014;
const uint8_t kTotTableId = 0x73;
const size_t kTotUtcOffset = 3;          // MJD date, then BCD time
const size_t kTotDescriptorsOffset = 10;
const size_t kTotCrcSize = 4;
const size_t kTotFixedSize = kTotDescriptorsOffset + kTotCrcSize;
const size_t kDescriptorHeaderSize = 2;  // tag, length

const uint8_t kLocalTimeOffsetTag = 0x58;
const size_t kLtoEntrySize = 13;
const int kCountryCodeSize = 3;

// One entry of the local time offset descriptor, decoded field by field.
struct item_local_time_offset_struct {
    char country_code[kCountryCodeSize];
    uint8_t country_region_id;           // bits 7..2 of byte 3
    uint8_t local_time_offset_polarity;  // bit 0 of byte 3: 1 = negative
    uint16_t local_time_offset;          // BCD hh mm
    int32_t time_of_change;              // Unix seconds as broadcast
    uint16_t next_time_offset;           // BCD hh mm
};

// Decodes the 13 bytes at p (the caller has checked there are 13).
void DecodeLtoEntry(const uint8_t* p, item_local_time_offset_struct* e);

// 0 when the entry's country letters equal the first three characters of
// code and its region id equals region; 1 otherwise.
int timezonecmp(const item_local_time_offset_struct* e, const char* code, int region);

// Whether the entry names one of the countries whose offsets are used.
bool UsableTimeZone(const item_local_time_offset_struct* e);

// The signed offsets of an entry in seconds, without clock correction.
int EntryLocalOffset(const item_local_time_offset_struct* e);
int EntryNextOffset(const item_local_time_offset_struct* e);

struct TotInfo {
    bool haveUtc = false;  // the section is long enough for its UTC
    int32_t utc = 0;
    bool haveEntry = false;
    item_local_time_offset_struct entry = {};
};

// Decodes the UTC and looks for the first usable entry. 0 when one was
// found, -1 otherwise. Reads nothing beyond length bytes.
int DecodeTot(const uint8_t* section, size_t length, TotInfo* out);

// The whole-hour difference between the broadcast's UTC and the box clock.
int ClockCorrection(int32_t utc, long now);

#endif
