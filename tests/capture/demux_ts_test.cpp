#include "capture/demux_ts.h"

#include <gtest/gtest.h>

#include <string>

#include "capture/demux.h"
#include "tests/capture/tspack.h"
#include "tests/support/harness.h"

using tspack::Bytes;
using tspack::Section;

namespace {

const char kDevice[] = "/dev/dvb/card0/demux0";

class Replay : public ::testing::Test {
protected:
    void Write(const Bytes& b) { root.write(kDevice, std::string(b.begin(), b.end())); }

    // Opens the recording with a table id filter on the PID.
    int Open(uint16_t pid, uint8_t tableId)
    {
        int h = DemuxOpen(kDevice);
        EXPECT_GE(h, 0);
        SectionFilter f = MakeSectionFilter(pid, tableId);
        EXPECT_EQ(DemuxSetFilter(h, &f), 0);
        return h;
    }

    // The next section, or an empty one for a failed read.
    Bytes Next(int h)
    {
        uint8_t buf[4096];
        int n = DemuxRead(h, buf, sizeof buf);
        return n < 0 ? Bytes() : Bytes(buf, buf + n);
    }

    void TearDown() override
    {
        EXPECT_EQ(DemuxOpenHandles(), 0);
    }

    TempBoxRoot root;
};

}  // namespace

// A small broadcast: two PIDs, several table ids, sections from a few
// bytes to several packets long, null packets and adaptation fields.
TEST_F(Replay, ReassemblesSectionsOfOnePidAndTableId)
{
    Bytes a = Section(0x90, 46, 1), b = Section(0x91, 20, 2), c = Section(0x90, 700, 3),
          d = Section(0x90, 12, 4), e = Section(0x90, 182, 5), f = Section(0x90, 30, 6);
    tspack::Stream ts;
    ts.Sections(0xD3, {a, b, c});
    ts.Null(2);
    ts.Sections(0xD2, {Section(0x90, 46, 9)});
    ts.Sections(0xD3, {d, d, e, f}, 2);  // e's header straddles two packets
    Write(ts.bytes);

    int h = Open(0xD3, 0x90);
    EXPECT_EQ(Next(h), a);
    EXPECT_EQ(Next(h), c);
    EXPECT_EQ(Next(h), d);
    EXPECT_EQ(Next(h), d);
    EXPECT_EQ(Next(h), e);
    EXPECT_EQ(Next(h), f);
    EXPECT_EQ(Next(h), a);  // the end wraps round to the start
    EXPECT_EQ(Next(h), c);
    DemuxStop(h);
    EXPECT_TRUE(Next(h).empty());  // a stopped filter delivers nothing
    DemuxClose(h);

    h = Open(0xD3, 0x91);
    EXPECT_EQ(Next(h), b);
    EXPECT_EQ(Next(h), b);
    DemuxClose(h);
}

TEST_F(Replay, EveryOpenStartsAtTheBeginning)
{
    tspack::Stream ts;
    ts.Sections(0xD2, {Section(0x90, 46, 1), Section(0x90, 46, 2), Section(0x90, 46, 3)});
    Write(ts.bytes);
    for (int round = 0; round < 2; ++round) {
        int h = Open(0xD2, 0x90);
        EXPECT_EQ(Next(h), Section(0x90, 46, 1));
        EXPECT_EQ(Next(h), Section(0x90, 46, 2));
        DemuxClose(h);
    }
}

TEST_F(Replay, APassWithoutAMatchFailsAtOnce)
{
    tspack::Stream ts;
    ts.Sections(0xD3, {Section(0x91, 100, 1)});
    ts.Null(3);
    Write(ts.bytes);
    int h = Open(0xD3, 0x92);
    EXPECT_TRUE(Next(h).empty());
    EXPECT_TRUE(Next(h).empty());
    DemuxClose(h);
    h = Open(0x14, 0x73);  // a PID that is not there at all
    EXPECT_TRUE(Next(h).empty());
    DemuxClose(h);
}

// The section across the wrap is lost both times it comes round; the
// continuation at the file's start is passed over.
TEST_F(Replay, TheWrapIsADiscontinuity)
{
    Bytes big = Section(0x90, 300, 7);
    Bytes small = Section(0x90, 40, 8);
    tspack::Stream ts;
    ts.Sections(0xD2, {big});  // two packets: head and tail
    Bytes packets = ts.bytes;
    // Put the tail first and the head last: the file starts mid-section.
    Bytes head(packets.begin(), packets.begin() + 188), tail(packets.begin() + 188, packets.end());
    tspack::Stream mid;
    mid.Sections(0xD2, {small});
    Bytes file = tail;
    file.insert(file.end(), mid.bytes.begin(), mid.bytes.end());
    file.insert(file.end(), head.begin(), head.end());
    // Counters: tail 1, small 0, head 0 would be a repeat: renumber small.
    file[188 + 3] = static_cast<uint8_t>((file[188 + 3] & 0xF0) | 2);
    file[2 * 188 + 3] = static_cast<uint8_t>((file[2 * 188 + 3] & 0xF0) | 0);
    Write(file);

    int h = Open(0xD2, 0x90);
    EXPECT_EQ(Next(h), small);
    EXPECT_EQ(Next(h), small);
    EXPECT_EQ(Next(h), small);
    DemuxClose(h);
}

namespace {

// The packets of one section of three packets, separately.
std::vector<Bytes> ThreePackets(const Bytes& section)
{
    tspack::Stream ts;
    ts.Sections(0xD2, {section});
    std::vector<Bytes> p;
    for (size_t i = 0; i < ts.bytes.size(); i += 188)
        p.emplace_back(ts.bytes.begin() + static_cast<long>(i), ts.bytes.begin() + static_cast<long>(i + 188));
    return p;
}

Bytes Join(const std::vector<Bytes>& packets)
{
    Bytes b;
    for (const Bytes& p : packets)
        b.insert(b.end(), p.begin(), p.end());
    return b;
}

void SetCounter(Bytes& packet, int cc)
{
    packet[3] = static_cast<uint8_t>((packet[3] & 0xF0) | cc);
}

}  // namespace

// The middle packet replaced by one of the wrong count: it would complete the
// section with the wrong bytes if it were taken.
TEST_F(Replay, ContinuityJumpDropsTheSectionBeingReassembled)
{
    Bytes big = Section(0x90, 400, 1);
    std::vector<Bytes> p = ThreePackets(big);
    ASSERT_EQ(p.size(), 3u);
    Bytes stranger = p[1];
    for (size_t i = 4; i < 188; ++i)
        stranger[i] = 0x5A;
    SetCounter(stranger, 7);
    Bytes after = Section(0x90, 46, 2);
    tspack::Stream next;
    Bytes payload{0};
    payload.insert(payload.end(), after.begin(), after.end());
    next.Packet(0xD2, true, payload, -1, 9);
    Bytes file = Join({p[0], stranger, p[2], next.bytes});
    // Behind them a clean copy of the section, counters running on.
    std::vector<Bytes> again = ThreePackets(big);
    for (int i = 0; i < 3; ++i)
        SetCounter(again[i], 10 + i);
    Bytes tail = Join(again);
    file.insert(file.end(), tail.begin(), tail.end());
    Write(file);

    int h = Open(0xD2, 0x90);
    EXPECT_EQ(Next(h), after);
    EXPECT_EQ(Next(h), big);
    EXPECT_EQ(Next(h), after);  // the wrap drops nothing whole
    DemuxClose(h);
}

// A packet sent twice is taken once; a packet of another PID and a packet
// with an adaptation field and no payload in between change nothing.
TEST_F(Replay, RepeatedPacketsAndForeignPacketsAreIgnored)
{
    Bytes big = Section(0x90, 400, 3);
    std::vector<Bytes> p = ThreePackets(big);
    tspack::Stream other;
    other.Packet(0x1D2, true, Bytes{0, 0x90, 0xB0, 0x05, 1, 2, 3, 4, 5});
    Bytes adaptationOnly = p[1];
    adaptationOnly[3] = static_cast<uint8_t>(0x20 | (p[1][3] & 0x0F));
    adaptationOnly[4] = 183;
    Write(Join({p[0], p[1], p[1], other.bytes, adaptationOnly, p[2]}));

    int h = Open(0xD2, 0x90);
    EXPECT_EQ(Next(h), big);
    EXPECT_EQ(Next(h), big);
    DemuxClose(h);
}

TEST_F(Replay, AnOverlongSectionLengthIsNotASection)
{
    Bytes bad{0x90, 0xBF, 0xFF, 1, 2, 3};  // claims 4095 + 3 bytes
    tspack::Stream ts;
    Bytes payload{0};
    payload.insert(payload.end(), bad.begin(), bad.end());
    ts.Packet(0xD2, true, payload);
    ts.Sections(0xD2, {Section(0x90, 46, 4)});
    Write(ts.bytes);
    int h = Open(0xD2, 0x90);
    EXPECT_EQ(Next(h), Section(0x90, 46, 4));
    DemuxClose(h);
}

TEST_F(Replay, NotATransportStreamIsRefusedWithABox)
{
    struct Case {
        const char* what;
        Bytes bytes;
    };
    Bytes good;
    {
        tspack::Stream ts;
        ts.Sections(0xD2, {Section(0x90, 46, 1)});
        good = ts.bytes;
    }
    Bytes truncated(good.begin(), good.end() - 1);
    Bytes noSync = good;
    noSync[0] = 0x48;
    Bytes text(188 * 2, 'x');
    const Case cases[] = {
        {"empty", Bytes()},
        {"truncated mid-packet", truncated},
        {"no sync byte", noSync},
        {"text", text},
    };
    for (const Case& c : cases) {
        Write(c.bytes);
        ScriptedRun run;
        int h = 0;
        run.run([&] { h = DemuxOpen(kDevice); });
        EXPECT_EQ(h, -1) << c.what;
        auto boxes = run.boxes();
        ASSERT_EQ(boxes.size(), 1u) << c.what;
        EXPECT_EQ(boxes[0].text, std::string("Not a transport stream: ") + kDevice) << c.what;
    }
}

TEST_F(Replay, SyncLostInsideTheFileFailsTheRead)
{
    tspack::Stream ts;
    ts.Sections(0xD2, {Section(0x90, 46, 1)});
    ts.Null(1);
    ts.bytes[188] = 0x00;  // the second packet
    Write(ts.bytes);
    ScriptedRun run;
    run.run([&] {
        int h = Open(0xD2, 0x90);
        EXPECT_EQ(Next(h), Section(0x90, 46, 1));
        EXPECT_TRUE(Next(h).empty());
        EXPECT_TRUE(Next(h).empty());
        DemuxClose(h);
    });
    auto boxes = run.boxes();
    ASSERT_EQ(boxes.size(), 1u);  // once, not per read
    EXPECT_EQ(boxes[0].text, std::string("Not a transport stream: ") + kDevice);
}

TEST_F(Replay, AMissingDeviceFailsTheOpenQuietly)
{
    ScriptedRun run;
    int h = 0;
    run.run([&] { h = DemuxOpen(kDevice); });
    EXPECT_EQ(h, -1);
    EXPECT_TRUE(run.boxes().empty());
}
