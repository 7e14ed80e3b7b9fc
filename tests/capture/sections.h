// Sections of the broadcast built byte by byte from their documented
// layouts, for the capture's tests.
#ifndef UDOVOR_TESTS_CAPTURE_SECTIONS_H
#define UDOVOR_TESTS_CAPTURE_SECTIONS_H

#include <cstdint>
#include <string>
#include <vector>

namespace sect {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, unsigned v)
{
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
}
inline void Put24(Bytes& b, unsigned v)
{
    b.push_back(static_cast<uint8_t>(v >> 16));
    Put16(b, v & 0xFFFF);
}
inline void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v >> 16);
    Put16(b, v & 0xFFFF);
}
inline uint8_t Bcd(int v)
{
    return static_cast<uint8_t>((v / 10) << 4 | (v % 10));
}
inline unsigned BcdTime(int h, int m, int s)
{
    return static_cast<unsigned>(Bcd(h)) << 16 | static_cast<unsigned>(Bcd(m)) << 8 | Bcd(s);
}
// The MJD of a Unix day number.
inline unsigned Mjd(long unixSeconds)
{
    return static_cast<unsigned>(unixSeconds / 86400 + 40587);
}
// Sets the section length bits (bytes 1 and 2) from the size.
inline void FixLength(Bytes& b)
{
    unsigned len = static_cast<unsigned>(b.size() - 3);
    b[1] = static_cast<uint8_t>(0xF0 | ((len >> 8) & 0x0F));
    b[2] = static_cast<uint8_t>(len);
}
inline void PutText(Bytes& b, const std::string& text, size_t width, uint8_t pad = ' ')
{
    for (size_t i = 0; i < width; ++i)
        b.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : pad);
}

// One 13-byte local time offset entry.
struct Lto {
    std::string country = "ITA";
    int region = 0;
    int polarity = 0;
    int offH = 1, offM = 0;
    long change = 0;  // Unix seconds of the time of change
    int nextH = 2, nextM = 0;
};

inline Bytes LtoEntry(const Lto& e)
{
    Bytes b;
    PutText(b, e.country, 3);
    b.push_back(static_cast<uint8_t>(e.region << 2 | 0x02 | (e.polarity & 1)));
    b.push_back(Bcd(e.offH));
    b.push_back(Bcd(e.offM));
    Put16(b, Mjd(e.change));
    long s = e.change % 86400;
    Put24(b, BcdTime(static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)));
    b.push_back(Bcd(e.nextH));
    b.push_back(Bcd(e.nextM));
    return b;
}

inline Bytes Descriptor(uint8_t tag, const Bytes& payload)
{
    Bytes b{tag, static_cast<uint8_t>(payload.size())};
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

inline Bytes LtoDescriptor(const std::vector<Lto>& entries)
{
    Bytes p;
    for (const Lto& e : entries) {
        Bytes x = LtoEntry(e);
        p.insert(p.end(), x.begin(), x.end());
    }
    return Descriptor(0x58, p);
}

// A TOT whose UTC is utc, with the descriptors given and a CRC of zeros.
inline Bytes Tot(long utc, const Bytes& descriptors)
{
    Bytes b{0x73, 0, 0};
    Put16(b, Mjd(utc));
    long s = utc % 86400;
    Put24(b, BcdTime(static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)));
    Put16(b, 0xF000 | static_cast<unsigned>(descriptors.size()));
    b.insert(b.end(), descriptors.begin(), descriptors.end());
    Put32(b, 0);
    FixLength(b);
    return b;
}

struct Channel {
    unsigned sid;
    std::string name;  // padded with blanks to 16 bytes
};

inline Bytes ChannelSection(const std::vector<Channel>& channels, size_t trailing = 4)
{
    Bytes b{0x91, 0, 0, 0};
    for (const Channel& c : channels) {
        Put16(b, 1);
        Put16(b, 2);
        Put16(b, c.sid);
        PutText(b, c.name, 16);
    }
    for (size_t i = 0; i < trailing; ++i)
        b.push_back(0xAA);
    FixLength(b);
    return b;
}

inline Bytes ThemeSection(const std::vector<int>& groupStarts, const std::vector<std::string>& names)
{
    Bytes b{0x92, 0, 0};
    for (int g = 0; g < 16; ++g)
        b.push_back(static_cast<uint8_t>(g < static_cast<int>(groupStarts.size()) ? groupStarts[g] : 255));
    for (const std::string& n : names)
        PutText(b, n, 15);
    FixLength(b);
    return b;
}

struct Title {
    int channelId = 1;
    int theme = 0;
    uint8_t dayHour = 0x30;  // day 1, coded hour 16
    int minute = 0;
    int summary = 0;
    unsigned duration = 30;  // minutes
    std::string text = "Title";
    uint32_t secondId = 0;
    uint32_t programId = 0;
};

inline Bytes TitleSection(const Title& t)
{
    Bytes b{0x90, 0, 0};
    b.push_back(static_cast<uint8_t>(t.channelId));
    b.push_back(static_cast<uint8_t>(t.theme));
    b.push_back(t.dayHour);
    b.push_back(static_cast<uint8_t>(t.minute << 2 | (t.summary & 1)));
    Put16(b, 0);
    Put16(b, t.duration);
    PutText(b, t.text, 23);
    Put32(b, t.secondId);
    Put32(b, t.programId);
    Put32(b, 0);
    FixLength(b);
    return b;
}

// A marker section for a coded day-and-hour byte.
inline Bytes MarkerSection(uint8_t dayHour)
{
    Title t;
    t.channelId = 0xFF;
    t.dayHour = dayHour;
    t.text = "";
    return TitleSection(t);
}

struct Replay {
    int channelId = 1;
    long time = 0;  // provider-local Unix seconds
    uint8_t flags = 0;
};

inline Bytes SummarySection(uint32_t programId, const std::vector<Replay>& replays, const std::string& text,
                            int replayCount = -1)
{
    Bytes b{0x90, 0, 0};
    Put32(b, programId);
    b.push_back(0xFF);
    b.push_back(0xFF);
    b.push_back(0xFF);
    b.push_back(static_cast<uint8_t>(replayCount >= 0 ? replayCount : static_cast<int>(replays.size())));
    for (const Replay& r : replays) {
        b.push_back(static_cast<uint8_t>(r.channelId));
        Put16(b, Mjd(r.time));
        long s = r.time % 86400;
        Put24(b, BcdTime(static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)));
        b.push_back(r.flags);
    }
    b.insert(b.end(), text.begin(), text.end());
    FixLength(b);
    return b;
}

}  // namespace sect

#endif
