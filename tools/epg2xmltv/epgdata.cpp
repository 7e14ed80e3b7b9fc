#include "tools/epg2xmltv/epgdata.h"

#include <climits>
#include <cstring>

namespace xmltv {

int32_t OffsetAt(const ProviderOffsets& o, int64_t t)
{
    return t < o.change ? o.current : o.next;
}

namespace {

// A signed decimal that fills the whole text and fits 32 bits.
bool ParseInt(const char* s, size_t n, int64_t* out)
{
    size_t i = 0;
    bool negative = false;
    if (i < n && s[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == n)
        return false;
    int64_t v = 0;
    for (; i < n; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<int64_t>(INT32_MAX) + 1)
            return false;
    }
    v = negative ? -v : v;
    if (v < INT32_MIN || v > INT32_MAX)
        return false;
    *out = v;
    return true;
}

// Blank-separated numbers filling the whole text.
bool ParseInts(const std::string& text, int64_t* out, int count)
{
    size_t pos = 0;
    for (int k = 0; k < count; ++k) {
        size_t end = text.find(' ', pos);
        if (end == std::string::npos)
            end = text.size();
        if ((k + 1 < count) != (end < text.size()))
            return false;
        if (!ParseInt(text.data() + pos, end - pos, &out[k]))
            return false;
        pos = end + 1;
    }
    return true;
}

// Unsigned digits at s[0..n), a leading blank allowed where the writer pads.
bool Digits(const char* s, size_t n, bool padded, int* out)
{
    int v = 0;
    bool any = false;
    for (size_t i = 0; i < n; ++i) {
        if (s[i] == ' ' && padded && !any && i + 1 < n)
            continue;
        if (s[i] < '0' || s[i] > '9')
            return false;
        v = v * 10 + (s[i] - '0');
        any = true;
    }
    *out = v;
    return any;
}

bool EndsWith(const std::string& s, size_t len, const char* tail)
{
    size_t n = strlen(tail);
    return len >= n && s.compare(len - n, n, tail) == 0;
}

struct Reader {
    Reader(EpgData* d, std::string* e) : data(d), error(e) {}

    EpgData* data;
    std::string* error;
    long lineNo = 0;
    int header = 0;  // GC, GN and GT seen so far, in order
    bool inBlock = false;
    bool inEvent = false;
    Event event;

    bool Fail(const std::string& what)
    {
        *error = "line " + std::to_string(lineNo) + ": " + what;
        return false;
    }

    bool Header(char second, const std::string& value)
    {
        static const char kOrder[] = {'C', 'N', 'T'};
        if (header >= 3 || second != kOrder[header])
            return Fail("the header must be one GC, GN and GT line, in this order");
        int64_t v;
        if (!ParseInts(value, &v, 1))
            return Fail("bad number in the header");
        int32_t* fields[] = {&data->offsets.current, &data->offsets.next, &data->offsets.change};
        *fields[header++] = static_cast<int32_t>(v);
        return true;
    }

    bool Line(const std::string& line)
    {
        char tag = line.empty() ? '\0' : line[0];
        // Values begin after the tag and its blank (third byte on), or after
        // a two-letter header tag and its blank.
        std::string value = line.size() > 2 ? line.substr(2) : std::string();
        if (tag == 'G') {
            if (line.size() < 3 || line[2] != ' ')
                return Fail("bad header line");
            return Header(line[1], line.substr(3));
        }
        if (tag != '\0' && strchr("CETXSLDRec", tag) && header < 3)
            return Fail("no GC, GN and GT header before the guide");
        if (tag != '\0' && strchr("CETXSLDR", tag) && line.size() > 1 && line[1] != ' ')
            return Fail("unknown line");
        if ((tag == 'e' || tag == 'c') && line.size() > 1)
            return Fail("unknown line");
        switch (tag) {
        case 'C': {
            if (inEvent)
                return Fail("channel opened inside an event");
            size_t blank = value.find(' ');
            Channel c;
            c.id = value.substr(0, blank);
            if (c.id.empty())
                return Fail("channel line without an identifier");
            if (blank != std::string::npos)
                c.name = value.substr(blank + 1);
            data->channels.push_back(c);
            inBlock = true;
            return true;
        }
        case 'c':
            if (inEvent)
                return Fail("channel closed inside an event");
            inBlock = false;
            return true;
        case 'E': {
            if (!inBlock)
                return Fail("event outside a channel block");
            if (inEvent)
                return Fail("event opened inside an event");
            int64_t v[3];
            if (!ParseInts(value, v, 3) || v[2] < 0 || v[2] > 65535)
                return Fail("bad event line");
            event = Event();
            event.channel = static_cast<int>(data->channels.size()) - 1;
            event.start = v[1];
            event.duration = v[2];
            inEvent = true;
            return true;
        }
        case 'e':
            if (!inEvent)
                return Fail("event closed that was not opened");
            data->events.push_back(std::move(event));
            event = Event();
            inEvent = false;
            return true;
        case 'T':
        case 'S':
        case 'D':
        case 'R':
        case 'X':
        case 'L':
            if (!inEvent)
                return Fail("event line outside an event");
            if (tag == 'T')
                event.title = value;
            else if (tag == 'S')
                event.theme = value;
            else if (tag == 'D')
                event.summary = value;
            else if (tag == 'R') {
                Replay r;
                if (!ParseReplay(value, &r))
                    return Fail("bad replay line");
                event.replays.push_back(r);
            }
            // X and L repeat what the E line says.
            return true;
        default:
            return true;  // other lines are passed over, as the box's readers do
        }
    }
};

}  // namespace

bool ParseReplay(const std::string& value, Replay* out)
{
    Replay r;
    size_t len = value.size();
    // The flags stand at the end, always in this order.
    struct Flag {
        const char* text;
        bool* field;
    } flags[] = {{" - Ultima replica", &r.lastChance}, {" - ST", &r.subtitles}, {" - VO", &r.vo}, {" - VM", &r.vm}};
    for (const Flag& f : flags) {
        if (EndsWith(value, len, f.text)) {
            *f.field = true;
            len -= strlen(f.text);
        }
    }
    // " dd/mm/yyyy HH:MM" after the name; the day may be padded with a blank.
    const size_t kDateTime = 16;
    if (len < kDateTime + 1 || value[len - kDateTime - 1] != ' ')
        return false;
    const char* p = value.data() + len - kDateTime;
    if (p[2] != '/' || p[5] != '/' || p[10] != ' ' || p[13] != ':')
        return false;
    if (!Digits(p, 2, true, &r.day) || !Digits(p + 3, 2, false, &r.month) || !Digits(p + 6, 4, true, &r.year) ||
        !Digits(p + 11, 2, false, &r.hour) || !Digits(p + 14, 2, false, &r.minute))
        return false;
    if (r.day < 1 || r.day > 31 || r.month < 1 || r.month > 12 || r.hour > 23 || r.minute > 59)
        return false;
    r.channelName = value.substr(0, len - kDateTime - 1);
    *out = r;
    return true;
}

bool ReadEpgData(std::istream& in, EpgData* data, std::string* error)
{
    *data = EpgData();
    Reader reader(data, error);
    std::string line;
    while (std::getline(in, line)) {
        ++reader.lineNo;
        // A file written with CR LF pairs reads the same.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!reader.Line(line))
            return false;
    }
    if (in.bad())
        return reader.Fail("read error");
    if (reader.header < 3)
        return reader.Fail("not an EPG data file: no GC, GN and GT header");
    if (reader.inEvent)
        return reader.Fail("the file ends inside an event");
    return true;
}

}  // namespace xmltv
