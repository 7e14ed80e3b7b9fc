#include "capture/epgwriter.h"

#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <memory>
#include <vector>

#include "plugin/boxenv.h"
#include "plugin/diagnostics.h"

namespace {

long g_failAfter = -1;

// Every value a title's channel index can take.
const int kChannelIndexes = 256;

// Every byte of the file goes through here, so that one failed write fails
// the whole file. Bytes are gathered in a large buffer of its own: the file
// is made of a few hundred thousand short pieces, and the kernel takes a
// few large writes much faster than many small ones.
class OutFile {
public:
    explicit OutFile(FILE* f) : f_(f), buf_(new char[kBufferSize]) {}
    bool ok() const { return ok_; }
    int error() const { return errno_; }

    void Put(const char* s, size_t n)
    {
        if (!ok_ || n == 0)
            return;
        if (g_failAfter >= 0 && written_ + static_cast<long>(n) > g_failAfter) {
            Fail(ENOSPC);
            return;
        }
        written_ += static_cast<long>(n);
        if (n > kBufferSize - used_) {
            Flush();
            if (n >= kBufferSize) {
                Write(s, n);
                return;
            }
        }
        memcpy(buf_.get() + used_, s, n);
        used_ += n;
    }

    // Hands the gathered bytes to the file.
    void Flush()
    {
        if (used_ > 0)
            Write(buf_.get(), used_);
        used_ = 0;
    }

    // fmt is always one of this file's literals; texts go through Text.
    void Printf(const char* fmt, ...) __attribute__((format(printf, 2, 3)))
    {
        char buf[200];
        va_list ap;
        va_start(ap, fmt);
        int n = vsnprintf(buf, sizeof buf, fmt, ap);
        va_end(ap);
        if (n > 0)
            Put(buf, static_cast<size_t>(n) < sizeof buf ? static_cast<size_t>(n) : sizeof buf - 1);
    }

    // A text of the broadcast: a CR or LF would break the line structure,
    // so each becomes a blank.
    void Text(const char* s)
    {
        if (!s)
            return;
        for (;;) {
            const size_t n = strcspn(s, "\r\n");
            Put(s, n);
            if (s[n] == '\0')
                return;
            Put(" ", 1);
            s += n + 1;
        }
    }

    void Fail(int e)
    {
        ok_ = false;
        errno_ = e;
    }

private:
    static const size_t kBufferSize = 1024 * 1024;

    void Write(const char* s, size_t n)
    {
        if (ok_ && fwrite(s, 1, n, f_) != n)
            Fail(errno ? errno : EIO);
    }

    FILE* f_;
    std::unique_ptr<char[]> buf_;
    size_t used_ = 0;
    bool ok_ = true;
    int errno_ = 0;
    long written_ = 0;
};

// Appends v in decimal as "%d" prints it; returns the end.
char* AppendInt(char* p, int v)
{
    unsigned long u = static_cast<unsigned long>(static_cast<long>(v));
    if (v < 0)
        u = 0UL - u;
    char digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0)
        *p++ = '-';
    while (n)
        *p++ = digits[--n];
    return p;
}

// v (0..9999) right-aligned in width places, filled with fill: "%2d" with
// a blank, "%02d" with '0'.
char* AppendPadded(char* p, int v, int width, char fill)
{
    int digits = v >= 1000 ? 4 : v >= 100 ? 3 : v >= 10 ? 2 : 1;
    for (int i = digits; i < width; ++i)
        *p++ = fill;
    return AppendInt(p, v);
}

// "TAG %d\n" and "E %d %d %d\n".
void NumberLine(OutFile& out, const char* tag, int v)
{
    char buf[32];
    char* p = buf;
    while (*tag)
        *p++ = *tag++;
    p = AppendInt(p, v);
    *p++ = '\n';
    out.Put(buf, static_cast<size_t>(p - buf));
}

void EventLine(OutFile& out, int k, int start, int duration)
{
    char buf[48];
    char* p = buf;
    *p++ = 'E';
    *p++ = ' ';
    p = AppendInt(p, k);
    *p++ = ' ';
    p = AppendInt(p, start);
    *p++ = ' ';
    p = AppendInt(p, duration);
    *p++ = '\n';
    out.Put(buf, static_cast<size_t>(p - buf));
}

const char* ChannelName(const CaptureData& cap, int index)
{
    // A replay on a channel the table does not name gets an empty name.
    return index < cap.channelCount ? cap.channels[index].name : "";
}

// "%2d/%02d/%4d " and "%02d:%02d" of the broken-down time.
void ReplayDate(OutFile& out, const struct tm& lt)
{
    const int year = lt.tm_year + 1900;
    if (year < 0 || year > 9999) {
        out.Printf("%2d/%02d/%4d ", lt.tm_mday, lt.tm_mon + 1, year);
        out.Printf("%02d:%02d", lt.tm_hour, lt.tm_min);
        return;
    }
    char buf[32];
    char* p = buf;
    p = AppendPadded(p, lt.tm_mday, 2, ' ');
    *p++ = '/';
    p = AppendPadded(p, lt.tm_mon + 1, 2, '0');
    *p++ = '/';
    p = AppendPadded(p, year, 4, ' ');
    *p++ = ' ';
    p = AppendPadded(p, lt.tm_hour, 2, '0');
    *p++ = ':';
    p = AppendPadded(p, lt.tm_min, 2, '0');
    out.Put(buf, static_cast<size_t>(p - buf));
}

void WriteReplays(OutFile& out, const CaptureData& cap, const SummaryRecord& s)
{
    int n = s.replayCount < kMaxReplays ? s.replayCount : kMaxReplays;
    for (int r = 0; r < n; ++r) {
        out.Put("R ", 2);
        out.Text(ChannelName(cap, s.replayChannel[r]));
        out.Put(" ", 1);
        time_t t = static_cast<time_t>(s.replayTime[r]);
        struct tm lt;
        localtime_r(&t, &lt);
        ReplayDate(out, lt);
        if (s.vm[r])
            out.Put(" - VM", 5);
        if (s.vo[r])
            out.Put(" - VO", 5);
        if (s.subtitles[r])
            out.Put(" - ST", 5);
        if (s.lastReplay[r])
            out.Text(" - Ultima replica");
        out.Put("\n", 1);
    }
}

// Summaries by programme id, the first captured one for each: an open
// addressing table of at least twice as many slots as summaries, filled
// without an allocation per summary.
class SummaryIndex {
public:
    explicit SummaryIndex(const CaptureData& cap)
    {
        size_t slots = 16;
        while (slots < 2 * static_cast<size_t>(cap.summaryCount > 0 ? cap.summaryCount : 0))
            slots *= 2;
        slots_.assign(slots, Slot());
        mask_ = slots - 1;
        for (int i = 0; i < cap.summaryCount; ++i) {
            const SummaryRecord* s = cap.summaries[i].get();
            Slot& slot = slots_[Probe(s->programId)];
            if (!slot.summary) {
                slot.programId = s->programId;
                slot.summary = s;
            }
        }
    }
    // The summary of the programme, or null.
    const SummaryRecord* Find(uint32_t programId) const
    {
        return slots_[Probe(programId)].summary;
    }

private:
    struct Slot {
        uint32_t programId = 0;
        const SummaryRecord* summary = nullptr;
    };
    // The programme's slot, or the empty slot where it would go.
    size_t Probe(uint32_t programId) const
    {
        // Programme ids often run in sequence: neighbours stay neighbours.
        size_t at = (programId ^ (programId >> 16)) & mask_;
        while (slots_[at].summary && slots_[at].programId != programId)
            at = (at + 1) & mask_;
        return at;
    }

    std::vector<Slot> slots_;
    size_t mask_ = 0;
};

// The positions of every channel's titles in the title list, in capture
// order: the titles of channel c are order[begin[c]] .. order[begin[c + 1] - 1].
struct TitlesByChannel {
    std::vector<int> order;
    int begin[kChannelIndexes + 1] = {};
};

void GroupTitles(const CaptureData& cap, TitlesByChannel* g)
{
    const int count = cap.titleCount > 0 ? cap.titleCount : 0;
    int next[kChannelIndexes + 1] = {};
    for (int i = 0; i < count; ++i)
        ++next[cap.titles[i]->channelIndex + 1];
    for (int c = 0; c < kChannelIndexes; ++c)
        next[c + 1] += next[c];
    for (int c = 0; c <= kChannelIndexes; ++c)
        g->begin[c] = next[c];
    g->order.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        g->order[static_cast<size_t>(next[cap.titles[i]->channelIndex]++)] = i;
}

void WriteTitle(OutFile& out, const CaptureData& cap, const SummaryIndex& summaries, const TitleRecord& t, int k)
{
    EventLine(out, k, t.start, t.duration);
    out.Put("T ", 2);
    out.Text(t.title);
    out.Put("\n", 1);
    NumberLine(out, "X ", static_cast<int>(ToProviderLocal(cap.offsets, t.start)));
    out.Put("S ", 2);
    out.Text(cap.themes[t.themeId]);
    out.Put("\n", 1);
    NumberLine(out, "L ", t.duration / 60);
    if (t.summaryFlag == 1) {
        if (const SummaryRecord* s = summaries.Find(t.programId)) {
            out.Put("D ", 2);
            out.Text(s->text.get());
            out.Put("\n", 1);
            WriteReplays(out, cap, *s);
        }
    }
    out.Put("e\n", 2);
}

// The pass of channel c: a walk of the title list as a ring from the
// channel's earliest title, k counting every position of the ring. Only the
// channel's own titles are visited; their ring positions are the same.
void WriteChannel(OutFile& out, const CaptureData& cap, const SummaryIndex& summaries,
                  const TitlesByChannel& byChannel, int c, long now)
{
    const int count = cap.titleCount;
    const int* own = byChannel.order.data() + byChannel.begin[c];
    const int n = byChannel.begin[c + 1] - byChannel.begin[c];
    if (count <= 0 || n == 0)
        return;
    // The channel's earliest title; the first captured among equal starts.
    int firstAt = 0;
    for (int j = 1; j < n; ++j)
        if (cap.titles[own[j]]->start < cap.titles[own[firstAt]]->start)
            firstAt = j;
    const int first = own[firstAt];

    bool opened = false;
    for (int step = 0; step < n; ++step) {
        const int i = own[(firstAt + step) % n];
        const TitleRecord& t = *cap.titles[i];
        if (static_cast<long>(t.start) + t.duration <= now)
            continue;
        if (!opened) {
            out.Put("C ", 2);
            out.Text(cap.channels[c].id);
            out.Put(" ", 1);
            out.Text(cap.channels[c].name);
            out.Put("\n", 1);
            opened = true;
        }
        WriteTitle(out, cap, summaries, t, i >= first ? i - first : i - first + count);
    }
    if (opened)
        out.Put("c\n", 2);
}

}  // namespace

void SetEpgWriteFailureForTests(long afterBytes)
{
    g_failAfter = afterBytes;
}

int WriteEpgFile(const CaptureData& cap, const char* fileName, long now,
                 const std::function<void(int)>& progress)
{
    if (!cap.AnyMarker())
        return -1;
    if (!fileName || !*fileName) {
        myerror("Warning! No filename specified!");
        return -1;
    }
    std::string temp = std::string(fileName) + EPG_TEMP_SUFFIX;
    FILE* f = BoxFopen(temp.c_str(), "w");
    if (!f) {
        myerror("Error! Cannot open output file, error:", errno);
        return -1;
    }

    const SummaryIndex summaries(cap);
    TitlesByChannel byChannel;
    GroupTitles(cap, &byChannel);

    OutFile out(f);
    NumberLine(out, "GC ", cap.offsets.currentOffset);
    NumberLine(out, "GN ", cap.offsets.nextOffset);
    NumberLine(out, "GT ", cap.offsets.timeOfChange);
    int channels = cap.channelCount < kChannelSlots ? cap.channelCount : kChannelSlots;
    for (int c = 0; c < channels && out.ok(); ++c) {
        if (progress)
            progress(c);
        WriteChannel(out, cap, summaries, byChannel, c, now);
    }
    out.Flush();

    if (out.ok() && (fflush(f) != 0 || fsync(fileno(f)) != 0))
        out.Fail(errno);
    if (fclose(f) != 0 && out.ok())
        out.Fail(errno);
    if (out.ok() && BoxRename(temp.c_str(), fileName) != 0)
        out.Fail(errno);
    if (!out.ok()) {
        Log("EPG data not saved, error:", out.error());
        BoxUnlink(temp.c_str());
        return -1;
    }
    return 0;
}
