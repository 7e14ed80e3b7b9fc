#include "capture/epgwriter.h"

#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <unordered_map>

#include "plugin/boxenv.h"
#include "plugin/diagnostics.h"

namespace {

long g_failAfter = -1;

// Every byte of the file goes through here, so that one failed write fails
// the whole file.
class OutFile {
public:
    explicit OutFile(FILE* f) : f_(f) {}
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
        if (fwrite(s, 1, n, f_) != n) {
            Fail(errno ? errno : EIO);
            return;
        }
        written_ += static_cast<long>(n);
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
        char buf[512];
        size_t n = 0;
        for (; *s; ++s) {
            buf[n++] = (*s == '\r' || *s == '\n') ? ' ' : *s;
            if (n == sizeof buf) {
                Put(buf, n);
                n = 0;
            }
        }
        Put(buf, n);
    }

    void Fail(int e)
    {
        ok_ = false;
        errno_ = e;
    }

private:
    FILE* f_;
    bool ok_ = true;
    int errno_ = 0;
    long written_ = 0;
};

const char* ChannelName(const CaptureData& cap, int index)
{
    // A replay on a channel the table does not name gets an empty name.
    return index < cap.channelCount ? cap.channels[index].name : "";
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
        out.Printf("%2d/%02d/%4d ", lt.tm_mday, lt.tm_mon + 1, lt.tm_year + 1900);
        out.Printf("%02d:%02d", lt.tm_hour, lt.tm_min);
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

using SummaryIndex = std::unordered_map<uint32_t, const SummaryRecord*>;

void WriteChannel(OutFile& out, const CaptureData& cap, const SummaryIndex& summaries, int c, long now)
{
    int count = cap.titleCount;
    if (count <= 0)
        return;
    // The channel's earliest title; the first captured among equal starts.
    int first = -1;
    for (int i = 0; i < count; ++i) {
        const TitleRecord& t = *cap.titles[i];
        if (t.channelIndex == c && (first < 0 || t.start < cap.titles[first]->start))
            first = i;
    }
    if (first < 0)
        return;

    bool opened = false;
    for (int k = 0; k < count; ++k) {
        const TitleRecord& t = *cap.titles[(first + k) % count];
        if (t.channelIndex != c || static_cast<long>(t.start) + t.duration <= now)
            continue;
        if (!opened) {
            out.Put("C ", 2);
            out.Text(cap.channels[c].id);
            out.Put(" ", 1);
            out.Text(cap.channels[c].name);
            out.Put("\n", 1);
            opened = true;
        }
        out.Printf("E %d %d %d\n", k, t.start, t.duration);
        out.Put("T ", 2);
        out.Text(t.title);
        out.Put("\n", 1);
        out.Printf("X %d\n", static_cast<int>(ToProviderLocal(cap.offsets, t.start)));
        out.Put("S ", 2);
        out.Text(cap.themes[t.themeId]);
        out.Put("\n", 1);
        out.Printf("L %d\n", t.duration / 60);
        if (t.summaryFlag == 1) {
            auto it = summaries.find(t.programId);
            if (it != summaries.end()) {
                out.Put("D ", 2);
                out.Text(it->second->text.get());
                out.Put("\n", 1);
                WriteReplays(out, cap, *it->second);
            }
        }
        out.Put("e\n", 2);
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

    // Summaries by programme id, the first captured one for each.
    SummaryIndex summaries;
    for (int i = 0; i < cap.summaryCount; ++i)
        summaries.emplace(cap.summaries[i]->programId, cap.summaries[i].get());

    OutFile out(f);
    out.Printf("GC %d\n", cap.offsets.currentOffset);
    out.Printf("GN %d\n", cap.offsets.nextOffset);
    out.Printf("GT %d\n", cap.offsets.timeOfChange);
    int channels = cap.channelCount < kChannelSlots ? cap.channelCount : kChannelSlots;
    for (int c = 0; c < channels && out.ok(); ++c) {
        if (progress)
            progress(c);
        WriteChannel(out, cap, summaries, c, now);
    }

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
