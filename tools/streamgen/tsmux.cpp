#include "tools/streamgen/tsmux.h"

#include <algorithm>

namespace streamgen {

namespace {
constexpr size_t kPayloadSize = kTsPacketSize - kTsHeaderSize;  // 184
constexpr int kMaxAdaptationLength = 180;  // leaves room for a pointer and data
constexpr unsigned kPayloadOnly = 1;
constexpr unsigned kAdaptationOnly = 2;
constexpr unsigned kAdaptationAndPayload = 3;
}  // namespace

void TsMux::SetOptions(uint16_t pid, const PidOptions& options)
{
    PidState& s = State(pid);
    s.options = options;
    s.options.adaptationLength = std::clamp(options.adaptationLength, 0, kMaxAdaptationLength);
    if (s.options.minStartBytes < 1)
        s.options.minStartBytes = 1;
}

TsMux::PidState& TsMux::State(uint16_t pid)
{
    return pids_[pid & kNullPid];
}

void TsMux::AddSection(uint16_t pid, const std::vector<uint8_t>& section)
{
    AddSection(pid, section.data(), section.size());
}

void TsMux::AddSection(uint16_t pid, const uint8_t* data, size_t size)
{
    if (size == 0)
        return;
    PidState& s = State(pid);
    if (s.open) {
        size_t need = (s.pointer < 0 ? 1 : 0) + std::min(s.options.minStartBytes, size);
        if (!s.options.packSections || Room(s) < need)
            Flush(pid);
    }
    if (!s.open)
        OpenPacket(s);
    if (s.pointer < 0)
        s.pointer = static_cast<int>(s.data.size());
    size_t pos = 0;
    while (pos < size) {
        if (!s.open)
            OpenPacket(s);
        size_t n = std::min(Room(s), size - pos);
        s.data.insert(s.data.end(), data + pos, data + pos + n);
        pos += n;
        if (Room(s) == 0)
            EmitPacket(pid, s);
    }
}

void TsMux::Flush(uint16_t pid)
{
    PidState& s = State(pid);
    if (s.open)
        EmitPacket(pid, s);
}

void TsMux::FlushAll()
{
    for (auto& [pid, s] : pids_)
        if (s.open)
            EmitPacket(pid, s);
}

void TsMux::AddNullPackets(int count)
{
    for (int i = 0; i < count; ++i) {
        PutHeader(kNullPid, false, kPayloadOnly, 0);
        out_.insert(out_.end(), kPayloadSize, 0xFF);
    }
}

void TsMux::AddForeignPacket(uint16_t pid, uint8_t fill)
{
    PidState& s = State(pid);
    PutHeader(pid, false, kPayloadOnly, s.counter);
    s.counter = (s.counter + 1) & 0x0F;
    out_.insert(out_.end(), kPayloadSize, fill);
}

void TsMux::AddAdaptationOnlyPacket(uint16_t pid)
{
    PidState& s = State(pid);
    // Without payload the counter keeps the value of the previous packet.
    PutHeader(pid, false, kAdaptationOnly, (s.counter + 15) & 0x0F);
    out_.push_back(static_cast<uint8_t>(kPayloadSize - 1));
    out_.push_back(0x00);
    out_.insert(out_.end(), kPayloadSize - 2, 0xFF);
}

void TsMux::SkipContinuity(uint16_t pid)
{
    PidState& s = State(pid);
    s.counter = (s.counter + 1) & 0x0F;
}

void TsMux::OpenPacket(PidState& s)
{
    s.open = true;
    s.pointer = -1;
    s.data.clear();
    int every = s.options.adaptationEvery;
    bool withAdaptation = every > 0 && s.packetsStarted % every == 0;
    s.adaptation = withAdaptation ? 1 + static_cast<size_t>(s.options.adaptationLength) : 0;
    ++s.packetsStarted;
}

size_t TsMux::Room(const PidState& s) const
{
    size_t used = s.adaptation + (s.pointer >= 0 ? 1 : 0) + s.data.size();
    return used >= kPayloadSize ? 0 : kPayloadSize - used;
}

void TsMux::EmitPacket(uint16_t pid, PidState& s)
{
    bool unitStart = s.pointer >= 0;
    PutHeader(pid, unitStart, s.adaptation ? kAdaptationAndPayload : kPayloadOnly, s.counter);
    s.counter = (s.counter + 1) & 0x0F;
    if (s.adaptation) {
        size_t length = s.adaptation - 1;
        out_.push_back(static_cast<uint8_t>(length));
        if (length > 0) {
            out_.push_back(0x00);  // no flags
            out_.insert(out_.end(), length - 1, 0xFF);
        }
    }
    if (unitStart)
        out_.push_back(static_cast<uint8_t>(s.pointer));
    out_.insert(out_.end(), s.data.begin(), s.data.end());
    out_.insert(out_.end(), Room(s), 0xFF);
    s.open = false;
    s.pointer = -1;
    s.data.clear();
}

void TsMux::PutHeader(uint16_t pid, bool unitStart, unsigned control, uint8_t counter)
{
    out_.push_back(kTsSyncByte);
    out_.push_back(static_cast<uint8_t>((unitStart ? 0x40 : 0x00) | ((pid >> 8) & 0x1F)));
    out_.push_back(static_cast<uint8_t>(pid & 0xFF));
    out_.push_back(static_cast<uint8_t>((control << 4) | (counter & 0x0F)));
}

}  // namespace streamgen
