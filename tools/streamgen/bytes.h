// Byte-level helpers of the generator: big-endian writers, BCD, dates as the
// broadcast codes them (Modified Julian Date) and the MPEG-2 CRC_32.
#ifndef UDOVOR_STREAMGEN_BYTES_H
#define UDOVOR_STREAMGEN_BYTES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace streamgen {

using Bytes = std::vector<uint8_t>;

constexpr int64_t kSecondsPerDay = 86400;
constexpr int kMjdOfUnixEpoch = 40587;  // MJD of 1970-01-01

inline void PutU8(Bytes& b, unsigned v) { b.push_back(static_cast<uint8_t>(v & 0xFF)); }
inline void PutU16(Bytes& b, unsigned v) { PutU8(b, v >> 8); PutU8(b, v); }
inline void PutU24(Bytes& b, unsigned long v) { PutU8(b, v >> 16); PutU16(b, v & 0xFFFF); }
inline void PutU32(Bytes& b, unsigned long v) { PutU16(b, (v >> 16) & 0xFFFF); PutU16(b, v & 0xFFFF); }
inline void SetU16(Bytes& b, size_t at, unsigned v)
{
    b.at(at) = static_cast<uint8_t>((v >> 8) & 0xFF);
    b.at(at + 1) = static_cast<uint8_t>(v & 0xFF);
}

// Appends exactly `width` bytes: the text cut or padded with `pad`.
void PutFixedText(Bytes& b, const std::string& text, size_t width, uint8_t pad);

// 0..99 as two BCD digits.
uint8_t ToBcd(int v);

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(int64_t days, int* year, int* month, int* day);

// Floor division by a day, also for times before 1970.
int64_t DayOf(int64_t t);
// Weekday of a time value broken down as UTC, 0 = Sunday.
int WeekdayOf(int64_t t);

// The 16-bit MJD date and the 24-bit BCD time of a time value broken down as
// UTC (5 bytes, as the TOT and the replay entries carry them).
void PutMjdBcdTime(Bytes& b, int64_t t);

// CRC_32 of MPEG-2 sections (polynomial 0x04C11DB7, initial value all ones,
// no reflection, no final inversion).
uint32_t Crc32(const uint8_t* data, size_t size);

}  // namespace streamgen

#endif
