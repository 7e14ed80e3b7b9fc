#include "capture/bytereader.h"

#include <gtest/gtest.h>

#include "capture/section_filter.h"

TEST(ByteReader, ReadsBigEndianFieldsInOrder)
{
    const uint8_t b[] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x01, 0x02};
    ByteReader r(b, sizeof b);
    EXPECT_EQ(r.u8(), 0x12);
    EXPECT_EQ(r.u16(), 0x3456);
    EXPECT_EQ(r.u24(), 0x789ABCu);
    EXPECT_EQ(r.u32(), 0xDEF00102u);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(ByteReader, ReadPastTheEndIsStickyAndYieldsZero)
{
    const uint8_t b[] = {0xAA, 0xBB, 0xCC};
    ByteReader r(b, sizeof b);
    EXPECT_EQ(r.u16(), 0xAABB);
    EXPECT_EQ(r.u16(), 0);  // one byte left: refused
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.u8(), 0);   // the byte that was there is not handed out now
    EXPECT_EQ(r.remaining(), 0u);

    ByteReader empty(nullptr, 5);
    EXPECT_EQ(empty.u8(), 0);
    EXPECT_FALSE(empty.ok());
}

TEST(ByteReader, SubReaderIsBoundedAndStepsOver)
{
    const uint8_t b[] = {1, 2, 3, 4, 5};
    ByteReader r(b, sizeof b);
    ByteReader s = r.sub(2);
    EXPECT_EQ(s.u8(), 1);
    EXPECT_EQ(s.u8(), 2);
    EXPECT_EQ(s.u8(), 0);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(r.u8(), 3);
    ByteReader tooLong = r.sub(3);
    EXPECT_FALSE(tooLong.ok());
    EXPECT_FALSE(r.ok());
}

TEST(ByteReader, BcdAndModifiedJulianDates)
{
    EXPECT_EQ(BcdValue(0x59), 59);
    EXPECT_EQ(BcdValue(0x00), 0);
    EXPECT_EQ(BcdOffsetSeconds(0x0130), 5400);
    // MJD 40587 is 1970-01-01; 0xC079 = 49273 is 1993-10-13 (the usual
    // textbook example), 12:45:00.
    EXPECT_EQ(MjdBcdToUnix(40587, 0x000001), 1);
    EXPECT_EQ(MjdBcdToUnix(0xC079, 0x124500), 750516300);
    const uint8_t b[] = {0xC0, 0x79, 0x12, 0x45, 0x00};
    ByteReader r(b, sizeof b);
    EXPECT_EQ(r.mjdTime(), 750516300);
    ByteReader shortOne(b, 4);
    EXPECT_EQ(shortOne.mjdTime(), 0);
    EXPECT_FALSE(shortOne.ok());
}

TEST(ByteReader, BitFields)
{
    EXPECT_EQ(Bits(0xC5, 7, 5), 6);
    EXPECT_EQ(Bits(0xC5, 4, 0), 5);
    EXPECT_EQ(Bits(0xFD, 7, 2), 63);
    EXPECT_EQ(Bits(0xFD, 0, 0), 1);
}

// The box's demux takes a 44-byte record laid out for its 32-bit big-endian
// CPU; the offsets and the byte order are pinned here.
TEST(SectionFilterRecord, BoxLayoutIs44BigEndianBytes)
{
    SectionFilter f = MakeSectionFilter(0x00D2, 0x90);
    uint8_t out[kBoxFilterRecordSize];
    for (uint8_t& b : out)
        b = 0x55;
    EncodeBoxFilterRecord(f, out);

    uint8_t want[44] = {};
    want[0] = 0x00;
    want[1] = 0xD2;   // PID
    want[2] = 0x90;   // filter byte 0
    want[18] = 0xFF;  // mask byte 0
    want[36] = 0x00;  // 5000 ms
    want[37] = 0x00;
    want[38] = 0x13;
    want[39] = 0x88;
    want[43] = 0x04;  // flags
    for (size_t i = 0; i < kBoxFilterRecordSize; ++i)
        EXPECT_EQ(out[i], want[i]) << "byte " << i;

    EXPECT_EQ(kBoxFilterRecordSize, 44u);
    EXPECT_EQ(kBoxFilterFilterOffset, 2u);
    EXPECT_EQ(kBoxFilterMaskOffset, 18u);
    EXPECT_EQ(kBoxFilterTimeoutOffset, 36u);
    EXPECT_EQ(kBoxFilterFlagsOffset, 40u);
    EXPECT_EQ(kBoxDmxSetFilter, 0x80046F2BUL);
    EXPECT_EQ(kBoxDmxStop, 0x80046F2AUL);
}

TEST(SectionFilterRecord, MatchesOnTableIdUnderTheMask)
{
    SectionFilter f = MakeSectionFilter(0x14, 0x73);
    const uint8_t tot[] = {0x73, 0x70, 0x1A};
    const uint8_t tdt[] = {0x70, 0x70, 0x05};
    EXPECT_TRUE(SectionMatches(f, tot, sizeof tot));
    EXPECT_FALSE(SectionMatches(f, tdt, sizeof tdt));

    // Filter byte 1 stands for section byte 3: the length is never filtered.
    f.filter[1] = 0x42;
    f.mask[1] = 0xF0;
    const uint8_t a[] = {0x73, 0x42, 0x42, 0x4F};
    const uint8_t b[] = {0x73, 0x42, 0x42, 0x3F};
    EXPECT_TRUE(SectionMatches(f, a, sizeof a));
    EXPECT_FALSE(SectionMatches(f, b, sizeof b));
    EXPECT_FALSE(SectionMatches(f, a, 3));  // too short for the masked byte
}
