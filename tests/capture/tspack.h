// A tiny transport stream packetizer for the replay tests: sections packed
// back to back on a PID with pointer fields and stuffing, and raw packets
// for the cases a packetizer would never make.
#ifndef UDOVOR_TESTS_CAPTURE_TSPACK_H
#define UDOVOR_TESTS_CAPTURE_TSPACK_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace tspack {

using Bytes = std::vector<uint8_t>;

class Stream {
public:
    // One packet: header, an adaptation field of adaptLength bytes behind its
    // length byte when adaptLength >= 0, the payload, 0xFF to the end.
    // cc < 0: the PID's next counter.
    void Packet(uint16_t pid, bool unitStart, const Bytes& payload, int adaptLength = -1, int cc = -1)
    {
        Bytes p(188, 0xFF);
        p[0] = 0x47;
        p[1] = static_cast<uint8_t>((unitStart ? 0x40 : 0) | (pid >> 8 & 0x1F));
        p[2] = static_cast<uint8_t>(pid);
        int counter = cc >= 0 ? cc : next_[pid];
        next_[pid] = (counter + 1) & 0x0F;
        bool adapt = adaptLength >= 0;
        p[3] = static_cast<uint8_t>((adapt ? 0x30 : 0x10) | counter);
        size_t at = 4;
        if (adapt) {
            p[4] = static_cast<uint8_t>(adaptLength);
            if (adaptLength > 0)
                p[5] = 0;  // flags
            at = 5 + static_cast<size_t>(adaptLength);
        }
        for (size_t i = 0; i < payload.size() && at < 188; ++i)
            p[at++] = payload[i];
        bytes.insert(bytes.end(), p.begin(), p.end());
    }

    // The sections back to back, as many packets as they need.
    void Sections(uint16_t pid, const std::vector<Bytes>& sections, int adaptEvery = 0)
    {
        Bytes data;
        std::set<size_t> starts;
        for (const Bytes& s : sections) {
            starts.insert(data.size());
            data.insert(data.end(), s.begin(), s.end());
        }
        size_t pos = 0;
        int n = 0;
        while (pos < data.size()) {
            int adapt = adaptEvery > 0 && n % adaptEvery == 0 ? 1 : -1;
            size_t room = 184 - (adapt >= 0 ? 2 : 0);
            auto s = starts.lower_bound(pos);
            bool startHere = s != starts.end() && *s < pos + room - 1;
            Bytes payload;
            size_t take;
            if (startHere) {
                payload.push_back(static_cast<uint8_t>(*s - pos));
                take = std::min(room - 1, data.size() - pos);
            } else {
                size_t limit = s != starts.end() && *s < pos + room ? *s - pos : room;
                take = std::min(limit, data.size() - pos);
            }
            payload.insert(payload.end(), data.begin() + static_cast<long>(pos),
                           data.begin() + static_cast<long>(pos + take));
            Packet(pid, startHere, payload, adapt);
            pos += take;
            ++n;
        }
    }

    void Null(int count)
    {
        for (int i = 0; i < count; ++i)
            Packet(0x1FFF, false, Bytes(184, 0xFF));
    }

    Bytes bytes;

private:
    std::map<uint16_t, int> next_;
};

// A section of table id and total size n, its bytes numbered from seed.
inline Bytes Section(uint8_t tableId, size_t n, uint8_t seed = 0)
{
    Bytes s(n);
    s[0] = tableId;
    unsigned len = static_cast<unsigned>(n - 3);
    s[1] = static_cast<uint8_t>(0xB0 | (len >> 8));
    s[2] = static_cast<uint8_t>(len);
    for (size_t i = 3; i < n; ++i)
        s[i] = static_cast<uint8_t>(seed + i);
    return s;
}

}  // namespace tspack

#endif
