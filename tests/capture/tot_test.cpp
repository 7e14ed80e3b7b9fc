#include "capture/tot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "capture/capture_data.h"
#include "tests/capture/sections.h"

using sect::Bytes;
using sect::Lto;

namespace {

const long kUtc = 1700000000;  // 2023-11-14 22:13:20 UTC

Lto Entry(const std::string& country, int region, int polarity = 0, int offH = 1, int nextH = 2)
{
    Lto e;
    e.country = country;
    e.region = region;
    e.polarity = polarity;
    e.offH = offH;
    e.nextH = nextH;
    e.change = 1711846800;  // 2024-03-31 01:00:00 UTC
    return e;
}

Bytes Cat(const Bytes& a, const Bytes& b)
{
    Bytes r = a;
    r.insert(r.end(), b.begin(), b.end());
    return r;
}

}  // namespace

TEST(Tot, DecodesUtcAndTheUsableEntry)
{
    Bytes s = sect::Tot(kUtc, sect::LtoDescriptor({Entry("ITA", 0)}));
    TotInfo info;
    ASSERT_EQ(DecodeTot(s.data(), s.size(), &info), 0);
    EXPECT_EQ(info.utc, kUtc);
    EXPECT_EQ(EntryLocalOffset(&info.entry), 3600);
    EXPECT_EQ(EntryNextOffset(&info.entry), 7200);
    EXPECT_EQ(info.entry.time_of_change, 1711846800);
    EXPECT_EQ(info.entry.country_region_id, 0);
}

// Which entry is taken, over the country table and the descriptor walk.
TEST(Tot, EntrySelection)
{
    struct Case {
        const char* what;
        Bytes descriptors;
        int result;
        int localOffset;
    };
    Bytes other = sect::Descriptor(0x4A, Bytes(7, 0x11));
    Case cases[] = {
        {"ESP region 0 is not usable", sect::LtoDescriptor({Entry("ESP", 0)}), -1, 0},
        {"ESP region 1 is", sect::LtoDescriptor({Entry("ESP", 1, 0, 3)}), 0, 3 * 3600},
        {"ITA with region 1 is not", sect::LtoDescriptor({Entry("ITA", 1)}), -1, 0},
        {"GBR before ITA: ITA taken", sect::LtoDescriptor({Entry("GBR", 0, 0, 9), Entry("ITA", 0, 0, 1)}), 0, 3600},
        {"first usable of several wins", sect::LtoDescriptor({Entry("NOR", 0, 0, 4), Entry("FRA", 0, 0, 5)}), 0,
         4 * 3600},
        {"polarity 1 makes offsets negative", sect::LtoDescriptor({Entry("DEU", 0, 1, 1)}), 0, -3600},
        {"another tag first is stepped over", Cat(other, sect::LtoDescriptor({Entry("NED", 0, 0, 2)})), 0, 7200},
        {"no descriptor at all", Bytes(), -1, 0},
        {"only other descriptors", other, -1, 0},
    };
    for (const Case& c : cases) {
        Bytes s = sect::Tot(kUtc, c.descriptors);
        TotInfo info;
        EXPECT_EQ(DecodeTot(s.data(), s.size(), &info), c.result) << c.what;
        if (c.result == 0) {
            EXPECT_EQ(EntryLocalOffset(&info.entry), c.localOffset) << c.what;
        }
    }
}

TEST(Tot, DescriptorLengthNotAMultipleOf13IgnoresSpareBytes)
{
    Bytes payload = sect::LtoEntry(Entry("GBR", 0));
    Bytes ita = sect::LtoEntry(Entry("ITA", 0, 0, 1));
    // GBR, then 12 bytes of ITA: one whole entry only, so ITA is not seen.
    Bytes p1 = payload;
    p1.insert(p1.end(), ita.begin(), ita.begin() + 12);
    Bytes s1 = sect::Tot(kUtc, sect::Descriptor(0x58, p1));
    TotInfo info;
    EXPECT_EQ(DecodeTot(s1.data(), s1.size(), &info), -1);
    // ITA followed by 5 spare bytes: taken.
    Bytes p2 = ita;
    p2.insert(p2.end(), 5, 0xEE);
    Bytes s2 = sect::Tot(kUtc, sect::Descriptor(0x58, p2));
    EXPECT_EQ(DecodeTot(s2.data(), s2.size(), &info), 0);
}

// Whatever the lengths claim, nothing beyond the section is read (the
// sanitizer build checks the reads themselves).
TEST(Tot, HostileLengthsStayInsideTheSection)
{
    Bytes good = sect::Tot(kUtc, sect::LtoDescriptor({Entry("ITA", 0)}));
    TotInfo info;
    for (size_t len = 0; len < good.size(); ++len) {
        Bytes cut(good.begin(), good.begin() + static_cast<long>(len));
        // A heap copy of exactly len bytes, so that an over-read is caught.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[len ? len : 1]);
        std::copy(cut.begin(), cut.end(), exact.get());
        int r = DecodeTot(exact.get(), len, &info);
        // The entry needs the CRC's 4 bytes behind it to be inside the area.
        EXPECT_EQ(r, -1) << "length " << len;
        EXPECT_EQ(info.haveUtc, len >= 8) << "length " << len;
    }
    EXPECT_EQ(DecodeTot(good.data(), good.size(), &info), 0);

    // A descriptor claiming 255 bytes with one entry present.
    Bytes lie = sect::Tot(kUtc, sect::LtoDescriptor({Entry("ITA", 0)}));
    lie[11] = 0xFF;
    EXPECT_EQ(DecodeTot(lie.data(), lie.size(), &info), 0);
    // Claiming more than the area holds, with the entry cut by the CRC.
    Bytes cutEntry = sect::Tot(kUtc, sect::Descriptor(0x58, Bytes(8, 'I')));
    cutEntry[11] = 13;
    EXPECT_EQ(DecodeTot(cutEntry.data(), cutEntry.size(), &info), -1);
}

TEST(Tot, TimezoneCompare)
{
    item_local_time_offset_struct e = {};
    Bytes raw = sect::LtoEntry(Entry("ESP", 1));
    DecodeLtoEntry(raw.data(), &e);
    EXPECT_EQ(timezonecmp(&e, "ESP", 1), 0);
    EXPECT_EQ(timezonecmp(&e, "ESPANA", 1), 0);  // first three characters
    EXPECT_EQ(timezonecmp(&e, "ESP", 0), 1);
    EXPECT_EQ(timezonecmp(&e, "ES", 1), 1);
    EXPECT_EQ(timezonecmp(&e, "ITA", 1), 1);
    EXPECT_EQ(timezonecmp(nullptr, "ESP", 1), 1);
}

TEST(Tot, ClockCorrectionRoundsToWholeHours)
{
    struct Case {
        long boxAheadBy;
        int correction;
    };
    const Case cases[] = {
        {0, 0},        {-3600, 3600},  // box behind by an hour
        {3600, 0},                     // ahead by an hour: -1800 / 3600 truncates to 0
        {5400, -3600},                 // ahead by an hour and a half
        {-1799, 0},    {-1800, 3600}, {-9000, 10800}, {7199, -3600},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClockCorrection(static_cast<int32_t>(kUtc), kUtc + c.boxAheadBy), c.correction)
            << "box ahead by " << c.boxAheadBy;
}

TEST(Tot, ConversionsSwitchAtTheTimeOfChange)
{
    TimeOffsets o;
    o.currentOffset = 3600;
    o.nextOffset = 7200;
    o.timeOfChange = 1000000;
    EXPECT_EQ(ToProviderLocal(o, 999999), 999999 + 3600);
    EXPECT_EQ(ToProviderLocal(o, 1000000), 1000000 + 7200);  // equal: next offset
    EXPECT_EQ(ToBoxTime(o, 999999), 999999 - 3600);
    EXPECT_EQ(ToBoxTime(o, 1000000), 1000000 - 7200);
}
