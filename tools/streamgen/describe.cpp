#include "tools/streamgen/describe.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <vector>

namespace streamgen {

namespace {

constexpr size_t kMaxChannels = (kMaxSectionSize - 8) / kChannelRecordSize;
constexpr size_t kMaxReplays = 255;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Walks the fields of one line: words, then the rest of the line as a text.
class Fields {
public:
    explicit Fields(const std::string& line) : line_(line) {}
    std::string Word()
    {
        SkipBlanks();
        size_t from = pos_;
        while (pos_ < line_.size() && !IsBlank(line_[pos_]))
            ++pos_;
        return line_.substr(from, pos_ - from);
    }
    std::string Rest()
    {
        SkipBlanks();
        size_t end = line_.size();
        while (end > pos_ && IsBlank(line_[end - 1]))
            --end;
        std::string r = line_.substr(pos_, end - pos_);
        pos_ = line_.size();
        return r;
    }

private:
    void SkipBlanks()
    {
        while (pos_ < line_.size() && IsBlank(line_[pos_]))
            ++pos_;
    }
    const std::string& line_;
    size_t pos_ = 0;
};

// Decimal, or hexadecimal after 0x; the whole word must be the number.
bool Number(const std::string& w, uint64_t max, uint64_t* out)
{
    if (w.empty() || w[0] == '-' || w[0] == '+')
        return false;
    char* end = nullptr;
    int base = (w.size() > 2 && w[0] == '0' && (w[1] == 'x' || w[1] == 'X')) ? 16 : 10;
    unsigned long long v = std::strtoull(w.c_str(), &end, base);
    if (*end != '\0' || v > max)
        return false;
    *out = v;
    return true;
}

bool TwoNumbers(const std::string& w, char sep, int* a, int* b)
{
    size_t at = w.find(sep);
    uint64_t x, y;
    if (at == std::string::npos || !Number(w.substr(0, at), 9999, &x) || !Number(w.substr(at + 1), 99, &y))
        return false;
    *a = static_cast<int>(x);
    *b = static_cast<int>(y);
    return true;
}

// YYYY-MM-DD and HH:MM:SS broken down as UTC.
bool DateTime(const std::string& date, const std::string& time, int64_t* out)
{
    int y, mo, d, h, mi, s;
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' || time.size() != 8 || time[2] != ':' ||
        time[5] != ':')
        return false;
    uint64_t v[6];
    const std::string parts[6] = {date.substr(0, 4), date.substr(5, 2), date.substr(8, 2),
                                  time.substr(0, 2), time.substr(3, 2), time.substr(6, 2)};
    for (int i = 0; i < 6; ++i)
        if (!Number(parts[i], 9999, &v[i]) || !std::isdigit(static_cast<unsigned char>(parts[i][0])))
            return false;
    y = static_cast<int>(v[0]), mo = static_cast<int>(v[1]), d = static_cast<int>(v[2]);
    h = static_cast<int>(v[3]), mi = static_cast<int>(v[4]), s = static_cast<int>(v[5]);
    if (mo < 1 || mo > 12 || d < 1 || h > 23 || mi > 59 || s > 59)
        return false;
    int64_t days = DaysFromCivil(y, mo, d);
    int cy, cm, cd;
    CivilFromDays(days, &cy, &cm, &cd);
    if (cy != y || cm != mo || cd != d)
        return false;  // 31 April and the like
    *out = days * kSecondsPerDay + h * 3600 + mi * 60 + s;
    return true;
}

// [+|-]HH:MM
bool Offset(const std::string& w, bool* negative, int* minutes)
{
    if (w.empty() || (w[0] != '+' && w[0] != '-'))
        return false;
    int h, m;
    if (!TwoNumbers(w.substr(1), ':', &h, &m) || h > 23 || m > 59)
        return false;
    *negative = w[0] == '-';
    *minutes = h * 60 + m;
    return true;
}

bool Weekday(const std::string& w, int* out)
{
    static const char* const names[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
    uint64_t v;
    if (Number(w, 6, &v)) {
        *out = static_cast<int>(v);
        return true;
    }
    for (int i = 0; i < 7; ++i)
        if (Lower(w) == names[i]) {
            *out = i;
            return true;
        }
    return false;
}

bool Flags(const std::string& w, uint8_t* out)
{
    uint64_t v;
    if (w == "-") {
        *out = 0;
        return true;
    }
    if (Number(w, 255, &v)) {
        *out = static_cast<uint8_t>(v);
        return true;
    }
    uint8_t flags = 0;
    size_t from = 0;
    while (from <= w.size()) {
        size_t to = w.find(',', from);
        std::string f = Lower(w.substr(from, to == std::string::npos ? std::string::npos : to - from));
        if (f == "st")
            flags |= kReplaySubtitles;
        else if (f == "vm")
            flags |= kReplayVM;
        else if (f == "vo")
            flags |= kReplayVO;
        else if (f == "last")
            flags |= kReplayLast;
        else
            return false;
        if (to == std::string::npos)
            break;
        from = to + 1;
    }
    *out = flags;
    return true;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// \n, \\ and \xHH; any other byte stands for itself.
bool Unescape(const std::string& in, std::string* out)
{
    out->clear();
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out->push_back(in[i]);
            continue;
        }
        if (i + 1 >= in.size())
            return false;
        char c = in[++i];
        if (c == 'n') {
            out->push_back('\n');
        } else if (c == '\\') {
            out->push_back('\\');
        } else if (c == 'x' && i + 2 < in.size() && HexDigit(in[i + 1]) >= 0 && HexDigit(in[i + 2]) >= 0) {
            out->push_back(static_cast<char>(HexDigit(in[i + 1]) * 16 + HexDigit(in[i + 2])));
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

struct PendingReplay {
    int line;
    uint32_t programmeId;
    ReplayEntry replay;
};

class Parser {
public:
    Parser(int64_t defaultTime, Guide* guide) : guide_(guide) { guide_->utc = defaultTime; }

    bool Line(const std::string& line)
    {
        Fields f(line);
        std::string keyword = f.Word();
        if (keyword.empty() || keyword[0] == '#')
            return true;
        if (keyword == "tot")
            return Tot(f);
        if (keyword == "offset")
            return OffsetLine(f);
        if (keyword == "start")
            return Start(f);
        if (keyword == "channel")
            return Channel(f);
        if (keyword == "theme")
            return Theme(f);
        if (keyword == "event")
            return Event(f);
        if (keyword == "summary")
            return Summary(f);
        if (keyword == "replay")
            return Replay(f);
        return Fail("unknown keyword \"" + keyword + "\"");
    }

    bool Finish()
    {
        if (guide_->offsets.empty())
            guide_->offsets.push_back(ItalianOffset(guide_->utc));
        if (!startGiven_)
            WeekStart(*guide_, &guide_->firstWeekday, &guide_->firstHour);
        for (size_t i = 0; i < guide_->events.size(); ++i) {
            line_ = eventLines_[i];
            if (guide_->events[i].channel > static_cast<int>(guide_->channels.size()))
                return Fail("event on channel " + std::to_string(guide_->events[i].channel) +
                            ", but only " + std::to_string(guide_->channels.size()) + " channels are given");
        }
        for (const PendingReplay& r : replays_) {
            line_ = r.line;
            auto it = summaryIndex_.find(r.programmeId);
            if (it == summaryIndex_.end())
                return Fail("replay of programme " + std::to_string(r.programmeId) + ", which has no summary");
            if (r.replay.channelId > guide_->channels.size())
                return Fail("replay on channel " + std::to_string(r.replay.channelId) + ", but only " +
                            std::to_string(guide_->channels.size()) + " channels are given");
            SummaryEntry& s = guide_->summaries[it->second];
            if (s.replays.size() >= kMaxReplays)
                return Fail("more than 255 replays for programme " + std::to_string(r.programmeId));
            s.replays.push_back(r.replay);
        }
        for (size_t i = 0; i < guide_->summaries.size(); ++i) {
            const SummaryEntry& s = guide_->summaries[i];
            line_ = summaryLines_[i];
            if (s.text.size() > SummaryTextRoom(s.replays.size()))
                return Fail("summary of programme " + std::to_string(s.programmeId) + " is " +
                            std::to_string(s.text.size()) + " bytes; with its replays at most " +
                            std::to_string(SummaryTextRoom(s.replays.size())) + " fit a section");
        }
        return true;
    }

    void SetLine(int n) { line_ = n; }
    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& what)
    {
        error_ = "line " + std::to_string(line_) + ": " + what;
        return false;
    }

    bool NoMore(Fields& f)
    {
        std::string extra = f.Rest();
        return extra.empty() || Fail("unexpected \"" + extra + "\" at the end of the line");
    }

    bool Text(const std::string& raw, const char* what, size_t max, std::string* out, bool mayBeEmpty)
    {
        if (!Unescape(raw, out))
            return Fail(std::string("bad escape in the ") + what + " (use \\n, \\\\ or \\xHH)");
        if (out->empty() && !mayBeEmpty)
            return Fail(std::string("missing ") + what);
        if (out->size() > max)
            return Fail(std::string(what) + " \"" + raw + "\" is longer than " + std::to_string(max) + " bytes");
        return true;
    }

    bool Tot(Fields& f)
    {
        std::string a = f.Word(), b = f.Word();
        uint64_t v;
        if (b.empty() && Number(a, 0x7FFFFFFF, &v))
            guide_->utc = static_cast<int64_t>(v);
        else if (!DateTime(a, b, &guide_->utc))
            return Fail("tot wants Unix seconds or YYYY-MM-DD HH:MM:SS");
        return NoMore(f);
    }

    bool OffsetLine(Fields& f)
    {
        LocalTimeOffset e;
        std::string country = f.Word(), region = f.Word(), current = f.Word();
        std::string date = f.Word(), time = f.Word(), next = f.Word();
        uint64_t r;
        bool nextNegative;
        if (country.size() != 3)
            return Fail("offset: country code of three letters expected, got \"" + country + "\"");
        if (!Number(region, 63, &r))
            return Fail("offset: region id 0..63 expected, got \"" + region + "\"");
        if (!Offset(current, &e.negative, &e.offsetMinutes))
            return Fail("offset: current offset as +HH:MM or -HH:MM expected, got \"" + current + "\"");
        if (!DateTime(date, time, &e.timeOfChange))
            return Fail("offset: time of change as YYYY-MM-DD HH:MM:SS expected");
        if (!Offset(next, &nextNegative, &e.nextOffsetMinutes))
            return Fail("offset: next offset as +HH:MM or -HH:MM expected, got \"" + next + "\"");
        if (nextNegative != e.negative && e.offsetMinutes != 0 && e.nextOffsetMinutes != 0)
            return Fail("offset: both offsets must have the same sign (one polarity bit)");
        if (e.offsetMinutes == 0)
            e.negative = nextNegative;
        e.country = country;
        e.region = static_cast<int>(r);
        guide_->offsets.push_back(e);
        return NoMore(f);
    }

    bool Start(Fields& f)
    {
        std::string day = f.Word(), hour = f.Word();
        uint64_t h;
        if (!Weekday(day, &guide_->firstWeekday) || !Number(hour, 23, &h))
            return Fail("start wants DAY HH (DAY 0..6 or sun..sat, HH 0..23)");
        guide_->firstHour = static_cast<int>(h);
        startGiven_ = true;
        return NoMore(f);
    }

    bool Channel(Fields& f)
    {
        std::string sid = f.Word();
        uint64_t v;
        GuideChannel c;
        if (!Number(sid, 0xFFFF, &v))
            return Fail("channel: service id 0..65535 expected, got \"" + sid + "\"");
        if (!Text(f.Rest(), "channel name", kChannelNameSize, &c.name, false))
            return false;
        if (guide_->channels.size() >= kMaxChannels)
            return Fail("more than " + std::to_string(kMaxChannels) + " channels do not fit one section");
        c.serviceId = static_cast<uint16_t>(v);
        guide_->channels.push_back(c);
        return true;
    }

    bool Theme(Fields& f)
    {
        std::string id = f.Word();
        uint64_t v;
        ThemeName t;
        if (!Number(id, 255, &v))
            return Fail("theme: id 0..255 expected, got \"" + id + "\"");
        if (!Text(f.Rest(), "theme name", kThemeNameSize, &t.name, false))
            return false;
        t.id = static_cast<uint8_t>(v);
        for (const ThemeName& other : guide_->themes)
            if (other.id == t.id)
                return Fail("theme " + id + " is given twice");
        guide_->themes.push_back(t);
        return true;
    }

    bool Event(Fields& f)
    {
        std::string ch = f.Word(), theme = f.Word(), day = f.Word(), time = f.Word();
        std::string dur = f.Word(), pid = f.Word();
        GuideEvent e;
        uint64_t v;
        if (!Number(ch, 254, &v) || v == 0)
            return Fail("event: channel number 1..254 expected, got \"" + ch + "\"");
        e.channel = static_cast<int>(v);
        if (!Number(theme, 255, &v))
            return Fail("event: theme id 0..255 expected, got \"" + theme + "\"");
        e.theme = static_cast<uint8_t>(v);
        if (!Weekday(day, &e.weekday))
            return Fail("event: day 0..6 or sun..sat expected, got \"" + day + "\"");
        if (!TwoNumbers(time, ':', &e.hour, &e.minute) || e.hour > 23 || e.minute > 59)
            return Fail("event: start as HH:MM expected, got \"" + time + "\"");
        if (!Number(dur, 0xFFFF, &v))
            return Fail("event: duration in minutes 0..65535 expected, got \"" + dur + "\"");
        e.durationMinutes = static_cast<uint16_t>(v);
        if (!Number(pid, 0xFFFFFFFF, &v))
            return Fail("event: programme id expected, got \"" + pid + "\"");
        e.programmeId = static_cast<uint32_t>(v);
        if (!Text(f.Rest(), "title", kTitleTextSize, &e.title, false))
            return false;
        guide_->events.push_back(e);
        eventLines_.push_back(line_);
        return true;
    }

    bool Summary(Fields& f)
    {
        std::string pid = f.Word();
        uint64_t v;
        SummaryEntry s;
        if (!Number(pid, 0xFFFFFFFF, &v))
            return Fail("summary: programme id expected, got \"" + pid + "\"");
        s.programmeId = static_cast<uint32_t>(v);
        if (summaryIndex_.count(s.programmeId))
            return Fail("a second summary for programme " + pid);
        if (!Text(f.Rest(), "summary text", kMaxSectionSize, &s.text, true))
            return false;
        summaryIndex_[s.programmeId] = guide_->summaries.size();
        guide_->summaries.push_back(s);
        summaryLines_.push_back(line_);
        return true;
    }

    bool Replay(Fields& f)
    {
        std::string pid = f.Word(), ch = f.Word(), date = f.Word(), time = f.Word(), flags = f.Word();
        PendingReplay r;
        uint64_t v;
        r.line = line_;
        if (!Number(pid, 0xFFFFFFFF, &v))
            return Fail("replay: programme id expected, got \"" + pid + "\"");
        r.programmeId = static_cast<uint32_t>(v);
        if (!Number(ch, 254, &v) || v == 0)
            return Fail("replay: channel number 1..254 expected, got \"" + ch + "\"");
        r.replay.channelId = static_cast<uint8_t>(v);
        if (!DateTime(date, time, &r.replay.localTime))
            return Fail("replay: provider-local YYYY-MM-DD HH:MM:SS expected");
        if (!Flags(flags, &r.replay.flags))
            return Fail("replay: flags expected: - or a list such as ST,VM,VO,LAST, got \"" + flags + "\"");
        replays_.push_back(r);
        return NoMore(f);
    }

    Guide* guide_;
    int line_ = 0;
    bool startGiven_ = false;
    std::string error_;
    std::vector<int> eventLines_, summaryLines_;
    std::map<uint32_t, size_t> summaryIndex_;
    std::vector<PendingReplay> replays_;
};

}  // namespace

bool ParseDescription(const std::string& text, int64_t defaultTime, Guide* guide, std::string* error)
{
    *guide = Guide();
    Parser p(defaultTime, guide);
    size_t from = 0;
    int n = 0;
    while (from < text.size()) {
        size_t to = text.find('\n', from);
        if (to == std::string::npos)
            to = text.size();
        p.SetLine(++n);
        if (!p.Line(text.substr(from, to - from))) {
            *error = p.Error();
            return false;
        }
        from = to + 1;
    }
    p.SetLine(n);
    if (!p.Finish()) {
        *error = p.Error();
        return false;
    }
    return true;
}

}  // namespace streamgen
