// A small reference demultiplexer for the tests: takes a transport stream
// apart into the sections of each PID as a receiver would (pointer field,
// sections spanning packets, several per packet, stuffing, adaptation
// fields, null packets, continuity counters) and notes every irregularity.
#ifndef UDOVOR_TESTS_TS_REFERENCE_H
#define UDOVOR_TESTS_TS_REFERENCE_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tsref {

struct Section {
    uint16_t pid;
    std::vector<uint8_t> bytes;
};

class Demux {
public:
    void Feed(const std::vector<uint8_t>& stream)
    {
        if (stream.size() % 188 != 0)
            errors.push_back("stream is not a whole number of packets");
        for (size_t at = 0; at + 188 <= stream.size(); at += 188)
            Packet(&stream[at], at / 188);
        for (auto& [pid, s] : pids_)
            if (s.active)
                errors.push_back("section unfinished at the end on PID " + std::to_string(pid));
    }

    // Sections of one PID (and table id, when given), in stream order.
    std::vector<std::vector<uint8_t>> Of(uint16_t pid, int tableId = -1) const
    {
        std::vector<std::vector<uint8_t>> out;
        for (const Section& s : sections)
            if (s.pid == pid && (tableId < 0 || s.bytes[0] == tableId))
                out.push_back(s.bytes);
        return out;
    }

    std::vector<Section> sections;
    std::vector<size_t> sectionPackets;  // packet index where each section ended
    std::vector<std::string> errors;
    int discontinuities = 0;
    int nullPackets = 0;

private:
    struct PidState {
        int lastCc = -1;
        bool active = false;
        std::vector<uint8_t> cur;
    };

    void Packet(const uint8_t* p, size_t index)
    {
        std::string where = "packet " + std::to_string(index);
        if (p[0] != 0x47) {
            errors.push_back(where + ": no sync byte");
            return;
        }
        uint16_t pid = static_cast<uint16_t>(((p[1] & 0x1F) << 8) | p[2]);
        bool unitStart = p[1] & 0x40;
        unsigned control = (p[3] >> 4) & 3;
        int cc = p[3] & 0x0F;
        if (pid == 0x1FFF) {
            ++nullPackets;
            return;
        }
        PidState& s = pids_[pid];
        if (!(control & 1)) {
            if (s.lastCc >= 0 && cc != s.lastCc)
                errors.push_back(where + ": counter moved without payload");
            return;
        }
        if (s.lastCc >= 0 && cc != ((s.lastCc + 1) & 0x0F)) {
            ++discontinuities;
            s.active = false;
            s.cur.clear();
        }
        s.lastCc = cc;
        size_t off = 4;
        if (control & 2)
            off += 1 + p[4];
        if (off >= 188) {
            errors.push_back(where + ": adaptation field too long");
            return;
        }
        const uint8_t* data = p + off;
        size_t n = 188 - off;
        size_t pos = 0;
        if (unitStart) {
            size_t pointer = data[0];
            pos = 1;
            if (pos + pointer > n) {
                errors.push_back(where + ": pointer field beyond the packet");
                return;
            }
            if (s.active) {
                size_t used = Take(s, pid, data + pos, pointer, index);
                if (used != pointer || s.active)
                    errors.push_back(where + ": pointer field does not end the previous section");
                s.active = false;
                s.cur.clear();
            }
            pos += pointer;
            while (pos < n && data[pos] != 0xFF) {
                s.active = true;
                s.cur.clear();
                pos += Take(s, pid, data + pos, n - pos, index);
                if (s.active)
                    return;  // runs on in the next packet
            }
        } else if (s.active) {
            pos += Take(s, pid, data, n, index);
            if (s.active)
                return;
        } else {
            return;  // no section under way: passed over
        }
        for (; pos < n; ++pos)
            if (data[pos] != 0xFF) {
                errors.push_back(where + ": bytes after the sections are not stuffing");
                return;
            }
    }

    // Adds bytes to the section being built; returns how many it took.
    size_t Take(PidState& s, uint16_t pid, const uint8_t* d, size_t n, size_t index)
    {
        size_t used = 0;
        while (used < n) {
            if (s.cur.size() < 3) {
                s.cur.push_back(d[used++]);
                if (s.cur.size() < 3)
                    continue;
            } else {
                size_t want = Total(s) - s.cur.size();
                size_t k = want < n - used ? want : n - used;
                s.cur.insert(s.cur.end(), d + used, d + used + k);
                used += k;
            }
            if (s.cur.size() == Total(s)) {
                sections.push_back({pid, s.cur});
                sectionPackets.push_back(index);
                s.active = false;
                s.cur.clear();
                return used;
            }
        }
        return used;
    }

    static size_t Total(const PidState& s) { return 3 + (((s.cur[1] & 0x0F) << 8) | s.cur[2]); }

    std::map<uint16_t, PidState> pids_;
};

}  // namespace tsref

#endif
