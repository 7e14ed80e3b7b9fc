// Transport stream packetizer: sections in, 188-byte packets out. Each PID
// has its own open packet and continuity counter; a section starts right
// behind the previous one in the same packet (with a pointer field when the
// packet continues a section), spans as many packets as it needs, and the
// tail of a packet that starts nothing more is 0xFF stuffing. Packets go out
// in the order in which they fill, so the calls interleave the PIDs.
#ifndef UDOVOR_STREAMGEN_TSMUX_H
#define UDOVOR_STREAMGEN_TSMUX_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace streamgen {

constexpr size_t kTsPacketSize = 188;
constexpr size_t kTsHeaderSize = 4;
constexpr uint8_t kTsSyncByte = 0x47;
constexpr uint16_t kNullPid = 0x1FFF;

class TsMux {
public:
    struct PidOptions {
        // Start a section in the packet where the previous one ended (false:
        // every section opens a packet of its own).
        bool packSections = true;
        // Bytes of a section header that must fit for it to start in a packet
        // already in use (1 lets a header span two packets).
        size_t minStartBytes = 3;
        // Every Nth packet of the PID (the 1st, the N+1th, ...) carries an
        // adaptation field whose length byte is `adaptationLength` (0: the
        // length byte alone; 1..180: a flags byte of 0 and stuffing). 0: never.
        int adaptationEvery = 0;
        int adaptationLength = 1;
    };

    void SetOptions(uint16_t pid, const PidOptions& options);

    void AddSection(uint16_t pid, const std::vector<uint8_t>& section);
    void AddSection(uint16_t pid, const uint8_t* data, size_t size);

    // Closes the PID's open packet (0xFF stuffing behind its data).
    void Flush(uint16_t pid);
    // Flushes every PID: afterwards no section is left unfinished, so the
    // stream can be replayed in a loop.
    void FlushAll();

    // Null packets (PID 0x1FFF, payload 0xFF).
    void AddNullPackets(int count);
    // A packet of a PID that carries no sections here (payload only, no unit
    // start, `fill` bytes). Its own continuity counter runs on.
    void AddForeignPacket(uint16_t pid, uint8_t fill);
    // A packet of the PID with an adaptation field and no payload; the
    // continuity counter does not move. The PID's open packet, if any, stays
    // open and follows later.
    void AddAdaptationOnlyPacket(uint16_t pid);
    // The next packet of the PID skips one continuity count (a discontinuity).
    void SkipContinuity(uint16_t pid);

    // Packets emitted so far, back to back.
    const std::vector<uint8_t>& Stream() const { return out_; }
    size_t PacketCount() const { return out_.size() / kTsPacketSize; }

private:
    struct PidState {
        PidOptions options;
        uint8_t counter = 0;
        int packetsStarted = 0;
        bool open = false;
        size_t adaptation = 0;      // bytes of adaptation field (with its length byte)
        int pointer = -1;           // payload offset of the first section start, -1: none
        std::vector<uint8_t> data;  // payload after the pointer field
    };

    PidState& State(uint16_t pid);
    void OpenPacket(PidState& s);
    size_t Room(const PidState& s) const;  // payload bytes still free
    void EmitPacket(uint16_t pid, PidState& s);
    void PutHeader(uint16_t pid, bool unitStart, unsigned control, uint8_t counter);

    std::map<uint16_t, PidState> pids_;
    std::vector<uint8_t> out_;
};

}  // namespace streamgen

#endif
