// An EPG data file taken apart for export: the header's offsets, the
// channels of the C lines and every event with its replays. Unlike the
// box's viewers this reader takes each line whole (a summary may be longer
// than their 999-byte reads) and checks the numbers it uses, so that a
// damaged file is reported instead of converted into wrong times.
#ifndef UDOVOR_EPG2XMLTV_EPGDATA_H
#define UDOVOR_EPG2XMLTV_EPGDATA_H

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace xmltv {

// The provider's offsets: current before the time of change, next from it on.
struct ProviderOffsets {
    int32_t current = 0;
    int32_t next = 0;
    int32_t change = 0;
};

// The offset in force at Unix time t.
int32_t OffsetAt(const ProviderOffsets& o, int64_t t);

struct Replay {
    std::string channelName;  // as the R line names it, bytes as captured
    // Wall-clock date and time in the local zone of the machine that wrote
    // the file.
    int day = 0, month = 0, year = 0, hour = 0, minute = 0;
    bool vm = false, vo = false, subtitles = false, lastChance = false;
};

struct Event {
    int channel = 0;       // index into EpgData::channels
    int64_t start = 0;     // Unix time
    int64_t duration = 0;  // seconds
    std::string title, theme, summary;
    std::vector<Replay> replays;
};

struct Channel {
    std::string id;    // the channel identifier (service id)
    std::string name;
};

struct EpgData {
    ProviderOffsets offsets;
    std::vector<Channel> channels;
    std::vector<Event> events;
};

// Reads a whole file. False with `error` set to "line N: what is wrong" for
// a file that is not an EPG data file or whose structure or numbers are
// damaged.
bool ReadEpgData(std::istream& in, EpgData* data, std::string* error);

// Takes apart the value of an R line (everything after "R "): channel name,
// date, time and the flag texts at its end. False when it does not have
// that form.
bool ParseReplay(const std::string& value, Replay* out);

}  // namespace xmltv

#endif
