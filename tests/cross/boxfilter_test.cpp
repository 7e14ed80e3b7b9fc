// The box's demux takes the section filter as a C record of its own, in the
// CPU's byte order; the box is a 32-bit big-endian machine. The record that
// EncodeBoxFilterRecord writes must be the bytes that the box's compiler lays
// out for that record. Run on the s390x (big-endian) and i386 (32-bit)
// builds as well as natively.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "capture/section_filter.h"

namespace {

// The record as the box's demux header declares it.
struct BoxFilterParams {
    uint16_t pid;
    struct {
        uint8_t filter[16];
        uint8_t mask[16];
    } filter;
    uint32_t timeout;
    uint32_t flags;
};

constexpr bool kBigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;

BoxFilterParams Native(const SectionFilter& f)
{
    BoxFilterParams p;
    memset(&p, 0, sizeof p);
    p.pid = f.pid;
    memcpy(p.filter.filter, f.filter, sizeof p.filter.filter);
    memcpy(p.filter.mask, f.mask, sizeof p.filter.mask);
    p.timeout = f.timeout;
    p.flags = f.flags;
    return p;
}

void Reverse(uint8_t* p, size_t n)
{
    for (size_t i = 0; i < n / 2; ++i) {
        const uint8_t t = p[i];
        p[i] = p[n - 1 - i];
        p[n - 1 - i] = t;
    }
}

}  // namespace

TEST(BoxFilterRecord, NativeLayoutHasTheBoxOffsets)
{
    EXPECT_EQ(sizeof(BoxFilterParams), kBoxFilterRecordSize);
    EXPECT_EQ(offsetof(BoxFilterParams, pid), kBoxFilterPidOffset);
    EXPECT_EQ(offsetof(BoxFilterParams, filter.filter), kBoxFilterFilterOffset);
    EXPECT_EQ(offsetof(BoxFilterParams, filter.mask), kBoxFilterMaskOffset);
    EXPECT_EQ(offsetof(BoxFilterParams, timeout), kBoxFilterTimeoutOffset);
    EXPECT_EQ(offsetof(BoxFilterParams, flags), kBoxFilterFlagsOffset);
    // The box's request numbers are 32-bit values whatever the width of long.
    EXPECT_EQ(static_cast<uint32_t>(kBoxDmxSetFilter), 0x80046F2Bu);
    EXPECT_EQ(static_cast<uint32_t>(kBoxDmxStop), 0x80046F2Au);
}

// The encoder gives the native bytes on a big-endian machine, and the native
// bytes with every multi-byte field reversed on a little-endian one. Every
// byte of the filter differs, so a field moved, cut or half swapped shows.
TEST(BoxFilterRecord, EncoderWritesTheBigEndianNativeRecord)
{
    SectionFilter distinct;
    distinct.pid = 0x1FD3;
    for (int i = 0; i < kFilterSize; ++i) {
        distinct.filter[i] = static_cast<uint8_t>(0x20 + i);
        distinct.mask[i] = static_cast<uint8_t>(0xA0 + i);
    }
    distinct.timeout = 0x11223344;
    distinct.flags = 0x55667788;
    const SectionFilter cases[] = {distinct, MakeSectionFilter(0x00D3, 0x92), MakeSectionFilter(0x0014, 0x73)};

    for (const SectionFilter& f : cases) {
        const BoxFilterParams p = Native(f);
        uint8_t native[sizeof p];
        memcpy(native, &p, sizeof p);
        if (!kBigEndian) {
            Reverse(native + kBoxFilterPidOffset, 2);
            Reverse(native + kBoxFilterTimeoutOffset, 4);
            Reverse(native + kBoxFilterFlagsOffset, 4);
        }
        uint8_t encoded[kBoxFilterRecordSize];
        memset(encoded, 0xEE, sizeof encoded);
        EncodeBoxFilterRecord(f, encoded);
        for (size_t i = 0; i < kBoxFilterRecordSize; ++i)
            EXPECT_EQ(encoded[i], native[i]) << "PID " << f.pid << ", byte " << i;
    }
}
