#include "tools/streamgen/tsmux.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

#include "tests/tools/ts_reference.h"

using streamgen::TsMux;

namespace {

// A section with a valid length field: table id, length, then a counting
// pattern so that misplaced bytes show.
std::vector<uint8_t> Section(uint8_t tableId, size_t size, uint8_t seed = 0)
{
    std::vector<uint8_t> s(size);
    s[0] = tableId;
    s[1] = static_cast<uint8_t>(0x70 | (((size - 3) >> 8) & 0x0F));
    s[2] = static_cast<uint8_t>((size - 3) & 0xFF);
    for (size_t i = 3; i < size; ++i)
        s[i] = static_cast<uint8_t>((seed + i) % 0xFB);  // never 0xFF
    return s;
}

const uint8_t* PacketAt(const TsMux& mux, size_t i)
{
    return mux.Stream().data() + i * 188;
}

tsref::Demux Reassemble(const TsMux& mux)
{
    tsref::Demux d;
    d.Feed(mux.Stream());
    return d;
}

}  // namespace

TEST(TsMux, ShortSectionFillsOnePacketWithPointerAndStuffing)
{
    TsMux mux;
    std::vector<uint8_t> s = Section(0x73, 30);
    mux.AddSection(0x0014, s);
    EXPECT_EQ(mux.PacketCount(), 0u) << "the packet stays open until it fills or is flushed";
    mux.Flush(0x0014);
    ASSERT_EQ(mux.PacketCount(), 1u);
    const uint8_t* p = PacketAt(mux, 0);
    EXPECT_EQ(p[0], 0x47);
    EXPECT_EQ(p[1], 0x40);  // unit start, PID high bits 0
    EXPECT_EQ(p[2], 0x14);
    EXPECT_EQ(p[3], 0x10);  // payload only, counter 0
    EXPECT_EQ(p[4], 0x00);  // pointer field
    EXPECT_EQ(std::vector<uint8_t>(p + 5, p + 35), s);
    for (size_t i = 35; i < 188; ++i)
        ASSERT_EQ(p[i], 0xFF) << "at " << i;
}

TEST(TsMux, LongSectionSpansPacketsWithRunningCounter)
{
    TsMux mux;
    std::vector<uint8_t> s = Section(0x90, 400);
    mux.AddSection(0x00D3, s);
    mux.FlushAll();
    ASSERT_EQ(mux.PacketCount(), 3u);  // 183 + 184 + 33
    for (size_t i = 0; i < 3; ++i) {
        const uint8_t* p = PacketAt(mux, i);
        EXPECT_EQ(p[1], i == 0 ? 0x40 : 0x00) << "only the first packet starts a unit";
        EXPECT_EQ(p[2], 0xD3);
        EXPECT_EQ(p[3] & 0x0F, static_cast<int>(i));
    }
    EXPECT_EQ(std::vector<uint8_t>(PacketAt(mux, 1) + 4, PacketAt(mux, 1) + 188),
              std::vector<uint8_t>(s.begin() + 183, s.begin() + 367));
    tsref::Demux d = Reassemble(mux);
    EXPECT_TRUE(d.errors.empty()) << d.errors.front();
    ASSERT_EQ(d.Of(0x00D3).size(), 1u);
    EXPECT_EQ(d.Of(0x00D3)[0], s);
}

TEST(TsMux, SeveralSectionsShareAPacketAndThePointerSkipsTheTailOfTheLast)
{
    TsMux mux;
    std::vector<std::vector<uint8_t>> in = {Section(0x90, 46, 1), Section(0x90, 46, 2), Section(0x90, 120, 3),
                                            Section(0x90, 46, 4)};
    for (const auto& s : in)
        mux.AddSection(0x00D2, s);
    mux.FlushAll();
    ASSERT_EQ(mux.PacketCount(), 2u);
    // Packet 0: pointer 0, 46 + 46 + the first 91 bytes of the third section.
    EXPECT_EQ(PacketAt(mux, 0)[4], 0);
    EXPECT_EQ(PacketAt(mux, 0)[5 + 46], 0x90) << "second section right behind the first";
    // Packet 1: unit start because the fourth section begins in it, after the
    // 29 bytes that finish the third.
    EXPECT_EQ(PacketAt(mux, 1)[1] & 0x40, 0x40);
    EXPECT_EQ(PacketAt(mux, 1)[4], 29);
    EXPECT_EQ(PacketAt(mux, 1)[5 + 29], 0x90);
    tsref::Demux d = Reassemble(mux);
    EXPECT_TRUE(d.errors.empty()) << d.errors.front();
    EXPECT_EQ(d.Of(0x00D2), in);
}

TEST(TsMux, PackingOptions)
{
    struct Case {
        const char* name;
        TsMux::PidOptions options;
        size_t firstSize;     // leaves 184 - 1 - firstSize bytes in the first packet
        size_t packets;       // for first + a 46-byte section
        bool secondInFirst;   // the second section starts in packet 0
    };
    TsMux::PidOptions separate;
    separate.packSections = false;
    TsMux::PidOptions header1;
    header1.minStartBytes = 1;
    const Case cases[] = {
        {"packed", TsMux::PidOptions(), 100, 1, true},
        {"one section per packet", separate, 100, 2, false},
        {"two bytes left: header would split", TsMux::PidOptions(), 181, 2, false},
        {"two bytes left, split header allowed", header1, 181, 2, true},
        {"three bytes left: header fits", TsMux::PidOptions(), 180, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TsMux mux;
        mux.SetOptions(0x00D2, c.options);
        std::vector<std::vector<uint8_t>> in = {Section(0x90, c.firstSize, 7), Section(0x90, 46, 8)};
        for (const auto& s : in)
            mux.AddSection(0x00D2, s);
        mux.FlushAll();
        EXPECT_EQ(mux.PacketCount(), c.packets);
        EXPECT_EQ(PacketAt(mux, 0)[5 + c.firstSize] == 0x90, c.secondInFirst);
        tsref::Demux d = Reassemble(mux);
        EXPECT_TRUE(d.errors.empty()) << d.errors.front();
        EXPECT_EQ(d.Of(0x00D2), in);
    }
}

TEST(TsMux, AdaptationFieldsOnEveryNthPacket)
{
    TsMux mux;
    TsMux::PidOptions o;
    o.adaptationEvery = 2;
    o.adaptationLength = 7;
    mux.SetOptions(0x00D3, o);
    std::vector<uint8_t> s = Section(0x90, 700, 5);
    mux.AddSection(0x00D3, s);
    mux.FlushAll();
    ASSERT_GE(mux.PacketCount(), 4u);
    for (size_t i = 0; i < mux.PacketCount(); ++i) {
        const uint8_t* p = PacketAt(mux, i);
        SCOPED_TRACE(i);
        if (i % 2 == 0) {
            EXPECT_EQ(p[3] >> 4, 3);  // adaptation field and payload
            EXPECT_EQ(p[4], 7);
            EXPECT_EQ(p[5], 0x00);  // no flags
            EXPECT_EQ(p[11], 0xFF);
        } else {
            EXPECT_EQ(p[3] >> 4, 1);
        }
    }
    EXPECT_EQ(PacketAt(mux, 0)[12], 0) << "pointer field right after the adaptation field";
    tsref::Demux d = Reassemble(mux);
    EXPECT_TRUE(d.errors.empty()) << d.errors.front();
    ASSERT_EQ(d.Of(0x00D3).size(), 1u);
    EXPECT_EQ(d.Of(0x00D3)[0], s);
}

TEST(TsMux, NullForeignAndAdaptationOnlyPacketsBetweenTheParts)
{
    std::vector<uint8_t> big = Section(0x90, 500, 9);
    TsMux mixed;
    mixed.AddSection(0x00D3, big);  // two full packets out, the rest open
    mixed.AddNullPackets(2);
    mixed.AddForeignPacket(0x0100, 0x47);
    mixed.AddAdaptationOnlyPacket(0x00D3);
    mixed.AddForeignPacket(0x0100, 0x00);
    mixed.AddSection(0x0014, Section(0x73, 30));
    mixed.FlushAll();
    ASSERT_EQ(mixed.PacketCount(), 9u);
    EXPECT_EQ(PacketAt(mixed, 2)[1] & 0x1F, 0x1F);
    EXPECT_EQ(PacketAt(mixed, 2)[2], 0xFF);
    EXPECT_EQ(PacketAt(mixed, 5)[3], 0x21) << "adaptation only, counter of the packet before";
    EXPECT_EQ(PacketAt(mixed, 4)[3] & 0x0F, 0);
    EXPECT_EQ(PacketAt(mixed, 6)[3] & 0x0F, 1) << "foreign PID keeps its own counter";
    tsref::Demux d;
    d.Feed(mixed.Stream());
    EXPECT_TRUE(d.errors.empty()) << d.errors.front();
    EXPECT_EQ(d.nullPackets, 2);
    EXPECT_EQ(d.discontinuities, 0);
    ASSERT_EQ(d.Of(0x00D3).size(), 1u);
    EXPECT_EQ(d.Of(0x00D3)[0], big);
    EXPECT_EQ(d.Of(0x0014).size(), 1u);
}

TEST(TsMux, SkippedCounterDropsTheSectionBeingReassembled)
{
    TsMux mux;
    std::vector<uint8_t> first = Section(0x90, 300, 1), second = Section(0x90, 60, 2);
    mux.AddSection(0x00D3, first);  // packet 0 out, the tail open
    mux.SkipContinuity(0x00D3);
    mux.AddSection(0x00D3, second);
    mux.FlushAll();
    ASSERT_EQ(mux.PacketCount(), 2u);
    EXPECT_EQ(PacketAt(mux, 0)[3] & 0x0F, 0);
    EXPECT_EQ(PacketAt(mux, 1)[3] & 0x0F, 2);
    tsref::Demux d = Reassemble(mux);
    EXPECT_EQ(d.discontinuities, 1);
    ASSERT_EQ(d.Of(0x00D3).size(), 1u) << "the spanning section is lost, the next one survives";
    EXPECT_EQ(d.Of(0x00D3)[0], second);
}

TEST(TsMux, ManyRandomSectionsOnThreePidsComeBackInOrder)
{
    uint32_t x = 12345;
    auto rnd = [&x](uint32_t n) {
        x = x * 1103515245u + 12345u;
        return (x >> 8) % n;
    };
    TsMux mux;
    TsMux::PidOptions adapt;
    adapt.adaptationEvery = 3;
    adapt.adaptationLength = 0;
    mux.SetOptions(0x00D2, adapt);
    TsMux::PidOptions split;
    split.minStartBytes = 1;
    mux.SetOptions(0x0014, split);
    const uint16_t pids[] = {0x0014, 0x00D2, 0x00D3};
    std::map<uint16_t, std::vector<std::vector<uint8_t>>> sent;
    for (int i = 0; i < 300; ++i) {
        uint16_t pid = pids[rnd(3)];
        size_t size = 3 + rnd(i % 10 == 0 ? 4094 : 200);
        std::vector<uint8_t> s = Section(0x90, size, static_cast<uint8_t>(i));
        sent[pid].push_back(s);
        mux.AddSection(pid, s);
        if (rnd(10) == 0)
            mux.AddNullPackets(1);
        if (rnd(20) == 0)
            mux.Flush(pid);
    }
    mux.FlushAll();
    tsref::Demux d = Reassemble(mux);
    EXPECT_TRUE(d.errors.empty()) << d.errors.front();
    EXPECT_EQ(d.discontinuities, 0);
    for (uint16_t pid : pids)
        EXPECT_EQ(d.Of(pid), sent[pid]) << "PID " << pid;
}
