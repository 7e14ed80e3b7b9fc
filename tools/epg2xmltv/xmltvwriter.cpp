#include "tools/epg2xmltv/xmltvwriter.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <utility>
#include <vector>

namespace xmltv {

namespace {

struct Programme {
    int channel = 0;  // index of the channel's first C line
    int64_t start = 0;
    int64_t duration = 0;
    const Event* event = nullptr;
    bool vm = false, vo = false, subtitles = false, lastChance = false;
};

// Titles and summaries of the broadcast are padded with blanks.
std::string TrimEnd(const std::string& s)
{
    size_t n = s.size();
    while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\t'))
        --n;
    return s.substr(0, n);
}

// The instant of a replay's local wall-clock time in the environment's zone.
bool ReplayInstant(const Replay& r, int64_t* out)
{
    struct tm lt = {};
    lt.tm_year = r.year - 1900;
    lt.tm_mon = r.month - 1;
    lt.tm_mday = r.day;
    lt.tm_hour = r.hour;
    lt.tm_min = r.minute;
    lt.tm_isdst = -1;
    time_t t = mktime(&lt);
    if (t == static_cast<time_t>(-1))
        return false;
    *out = static_cast<int64_t>(t);
    return true;
}

class Document {
public:
    Document(Utf8Converter& conv, FILE* out) : conv_(conv), out_(out) {}

    void Raw(const char* s) { buf_ += s; }
    void Text(const std::string& bytes) { AppendEscaped(&buf_, conv_.Convert(bytes)); }
    void Element(const char* indent, const char* name, const std::string& bytes)
    {
        buf_ += indent;
        buf_ += '<';
        buf_ += name;
        buf_ += '>';
        Text(bytes);
        buf_ += "</";
        buf_ += name;
        buf_ += ">\n";
    }
    bool Flush(bool always)
    {
        if (!always && buf_.size() < 65536)
            return ok_;
        if (ok_ && !buf_.empty() && fwrite(buf_.data(), 1, buf_.size(), out_) != buf_.size())
            ok_ = false;
        buf_.clear();
        return ok_;
    }

private:
    Utf8Converter& conv_;
    FILE* out_;
    std::string buf_;
    bool ok_ = true;
};

}  // namespace

std::string XmltvTime(const ProviderOffsets& o, int64_t t)
{
    int64_t offset = OffsetAt(o, t);
    if (offset % 60 != 0)
        offset = 0;
    time_t wall = static_cast<time_t>(t + offset);
    struct tm bd;
    gmtime_r(&wall, &bd);
    int64_t a = offset < 0 ? -offset : offset;
    char buf[64];
    snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d %c%02d%02d", bd.tm_year + 1900, bd.tm_mon + 1, bd.tm_mday,
             bd.tm_hour, bd.tm_min, bd.tm_sec, offset < 0 ? '-' : '+', static_cast<int>(a / 3600),
             static_cast<int>(a % 3600 / 60));
    return buf;
}

bool WriteXmltv(const EpgData& data, Utf8Converter& conv, FILE* out)
{
    // Channels by identifier and by name, the first C line of each.
    std::map<std::string, int> byId;
    std::map<std::string, int> byName;
    std::vector<int> firstOf(data.channels.size());
    for (size_t i = 0; i < data.channels.size(); ++i) {
        auto id = byId.emplace(data.channels[i].id, static_cast<int>(i));
        firstOf[i] = id.first->second;
        byName.emplace(data.channels[i].name, firstOf[i]);
    }

    // Per channel: programmes by start; a replay at the start of one that is
    // there already only adds its flags.
    std::map<int, std::multimap<int64_t, Programme>> programmes;
    for (const Event& e : data.events) {
        Programme p;
        p.channel = firstOf[static_cast<size_t>(e.channel)];
        p.start = e.start;
        p.duration = e.duration;
        p.event = &e;
        programmes[p.channel].emplace(p.start, p);
    }
    for (const Event& e : data.events) {
        for (const Replay& r : e.replays) {
            auto ch = byName.find(r.channelName);
            int64_t start;
            if (ch == byName.end() || !ReplayInstant(r, &start))
                continue;
            Programme fresh;
            fresh.channel = ch->second;
            fresh.start = start;
            fresh.duration = e.duration;
            fresh.event = &e;
            auto& list = programmes[fresh.channel];
            auto there = list.find(start);
            Programme& p = there != list.end() ? there->second : list.emplace(start, fresh)->second;
            p.vm |= r.vm;
            p.vo |= r.vo;
            p.subtitles |= r.subtitles;
            p.lastChance |= r.lastChance;
        }
    }

    Document doc(conv, out);
    doc.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n"
            "<tv generator-info-name=\"udovor epg2xmltv\">\n");
    for (size_t i = 0; i < data.channels.size(); ++i) {
        if (firstOf[i] != static_cast<int>(i))
            continue;
        const Channel& c = data.channels[i];
        doc.Raw("  <channel id=\"");
        doc.Text(c.id + kChannelIdSuffix);
        doc.Raw("\">\n");
        doc.Element("    ", "display-name", c.name.empty() ? c.id : c.name);
        doc.Raw("  </channel>\n");
    }
    for (const auto& channel : programmes) {
        std::string id = data.channels[static_cast<size_t>(channel.first)].id + kChannelIdSuffix;
        for (const auto& item : channel.second) {
            const Programme& p = item.second;
            const Event& e = *p.event;
            doc.Raw("  <programme start=\"");
            doc.Raw(XmltvTime(data.offsets, p.start).c_str());
            if (p.duration > 0) {
                doc.Raw("\" stop=\"");
                doc.Raw(XmltvTime(data.offsets, p.start + p.duration).c_str());
            }
            doc.Raw("\" channel=\"");
            doc.Text(id);
            doc.Raw("\">\n");
            doc.Element("    ", "title", TrimEnd(e.title));
            std::string summary = TrimEnd(e.summary);
            if (!summary.empty())
                doc.Element("    ", "desc", summary);
            std::string theme = TrimEnd(e.theme);
            if (!theme.empty())
                doc.Element("    ", "category", theme);
            if (p.vo)
                doc.Raw("    <keyword>original-version</keyword>\n");
            if (p.lastChance)
                doc.Raw("    <last-chance/>\n");
            if (p.subtitles)
                doc.Raw("    <subtitles/>\n");
            if (p.vm)
                doc.Raw("    <rating system=\"VM\"><value>VM</value></rating>\n");
            doc.Raw("  </programme>\n");
            if (!doc.Flush(false))
                return false;
        }
    }
    doc.Raw("</tv>\n");
    return doc.Flush(true);
}

bool ExportXmltv(const char* inPath, const char* outPath, const char* charset, std::string* error)
{
    std::string in = inPath ? inPath : "";
    std::ifstream file(in, std::ios::binary);
    if (!file) {
        *error = in + ": " + strerror(errno);
        return false;
    }
    EpgData data;
    std::string why;
    if (!ReadEpgData(file, &data, &why)) {
        *error = in + ": " + why;
        return false;
    }
    Utf8Converter conv(charset ? charset : kDefaultCharset);
    if (!conv.ok()) {
        *error = std::string("unknown character set: ") + (charset ? charset : kDefaultCharset);
        return false;
    }

    bool toStdout = !outPath || strcmp(outPath, "-") == 0;
    if (toStdout) {
        if (!WriteXmltv(data, conv, stdout) || fflush(stdout) != 0) {
            *error = std::string("standard output: ") + strerror(errno);
            return false;
        }
        return true;
    }
    std::string target = outPath;
    std::string temp = target + ".tmp";
    FILE* f = fopen(temp.c_str(), "w");
    if (!f) {
        *error = temp + ": " + strerror(errno);
        return false;
    }
    bool ok = WriteXmltv(data, conv, f);
    int saved = errno;
    if (fclose(f) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok && rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        remove(temp.c_str());
        *error = target + ": " + strerror(saved);
        return false;
    }
    return true;
}

}  // namespace xmltv
