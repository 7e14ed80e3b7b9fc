#include "tools/streamgen/bytes.h"

namespace streamgen {

void PutFixedText(Bytes& b, const std::string& text, size_t width, uint8_t pad)
{
    for (size_t i = 0; i < width; ++i)
        b.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : pad);
}

uint8_t ToBcd(int v)
{
    if (v < 0)
        v = 0;
    v %= 100;
    return static_cast<uint8_t>(((v / 10) << 4) | (v % 10));
}

// Civil-calendar conversions after the well-known era-based algorithms.
int64_t DaysFromCivil(int year, int month, int day)
{
    int64_t y = year - (month <= 2 ? 1 : 0);
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t mp = (month + 9) % 12;
    int64_t doy = (153 * mp + 2) / 5 + day - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t days, int* year, int* month, int* day)
{
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *year = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    *month = m;
    *day = d;
}

int64_t DayOf(int64_t t)
{
    int64_t d = t / kSecondsPerDay;
    if (t % kSecondsPerDay < 0)
        --d;
    return d;
}

int WeekdayOf(int64_t t)
{
    int64_t w = (DayOf(t) + 4) % 7;  // 1970-01-01 was a Thursday
    return static_cast<int>(w < 0 ? w + 7 : w);
}

void PutMjdBcdTime(Bytes& b, int64_t t)
{
    int64_t day = DayOf(t);
    int64_t secs = t - day * kSecondsPerDay;
    PutU16(b, static_cast<unsigned>((day + kMjdOfUnixEpoch) & 0xFFFF));
    PutU8(b, ToBcd(static_cast<int>(secs / 3600)));
    PutU8(b, ToBcd(static_cast<int>(secs / 60 % 60)));
    PutU8(b, ToBcd(static_cast<int>(secs % 60)));
}

uint32_t Crc32(const uint8_t* data, size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= static_cast<uint32_t>(data[i]) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

}  // namespace streamgen
