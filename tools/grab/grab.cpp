#include "tools/grab/grab.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "capture/demux.h"
#include "capture/epgwriter.h"
#include "tools/epg2xmltv/charset.h"
#include "tools/epg2xmltv/xmltvwriter.h"

void GrabCapture::statusmsg(const char* text)
{
    console_.Line(OneLine(text));
}

void GrabCapture::statusmsg(const char* text, int number)
{
    // The writer's pass over each channel slot is a running count.
    if (text && strcmp(text, "Writing Chan:") == 0)
        console_.Count("channel", number + 1);
    else if (text && strcmp(text, "UTC Offset = ") == 0)
        console_.Line("clock correction: " + std::to_string(number) + " s");
    else
        EpgCapture::statusmsg(text, number);
}

void GrabCapture::TitleCounted(int count)
{
    console_.Count("titles", count);
}

void GrabCapture::SummaryCounted(int count)
{
    console_.Count("summaries", count);
}

namespace {

// What a run that ran out of time leaves behind: unlinked by the handler,
// so fixed buffers filled before the alarm can ring.
const int kCleanupSlots = 3;
const size_t kCleanupSize = 4096;
char g_cleanup[kCleanupSlots][kCleanupSize];
char g_timeoutText[128];

void Leave(int slot, const std::string& path)
{
    if (path.size() < kCleanupSize)
        memcpy(g_cleanup[slot], path.c_str(), path.size() + 1);
}

extern "C" void OnTimeout(int)
{
    for (int i = 0; i < kCleanupSlots; ++i)
        if (g_cleanup[i][0])
            unlink(g_cleanup[i]);
    ssize_t ignored = write(STDERR_FILENO, g_timeoutText, strlen(g_timeoutText));
    (void)ignored;
    _exit(kGrabFailed);
}

// A temporary EPG data file when only the XMLTV is wanted.
std::string TemporaryEpgFile()
{
    const char* dir = getenv("TMPDIR");
    std::string name = std::string(dir && *dir ? dir : "/tmp") + "/udovor-grab-XXXXXX";
    int fd = mkstemp(&name[0]);
    if (fd < 0)
        return std::string();
    close(fd);
    return name;
}

}  // namespace

void BoundRun(unsigned seconds)
{
    snprintf(g_timeoutText, sizeof g_timeoutText, "\nudovor-grab: error: gave up after %u s\n", seconds);
    struct sigaction sa;
    memset(&sa, 0, sizeof sa);
    sa.sa_handler = OnTimeout;
    sigaction(SIGALRM, &sa, nullptr);
    alarm(seconds);
}

int RunGrab(const GrabOptions& o, Console& console)
{
    if (o.device.empty() || o.device.size() >= static_cast<size_t>(kDemuxPathSize)) {
        console.Line("error: the device path is empty or too long");
        return kGrabUsage;
    }
    if (!o.xmltv.empty()) {
        xmltv::Utf8Converter conv(o.charset.empty() ? xmltv::kDefaultCharset : o.charset.c_str());
        if (!conv.ok()) {
            console.Line("error: unknown character set: " + o.charset);
            return kGrabUsage;
        }
    }

    // A device that cannot be opened at all is told with the system's reason
    // before the capture's own texts.
    errno = 0;
    int probe = DemuxOpen(o.device.c_str());
    if (probe < 0) {
        console.Line("error: cannot open " + o.device + (errno ? std::string(": ") + strerror(errno) : std::string()));
        return kGrabFailed;
    }
    DemuxClose(probe);

    GrabCapture cap(console);
    cap.SetDevicePath(o.device.c_str());
    console.Line("reading " + o.device);

    console.Line("reading time offset...");
    if (cap.GetTimeOffset() == -1) {
        console.Line("error: no usable time offset table: not a DVB stream of a known provider?");
        return kGrabFailed;
    }

    console.Line("reading titles...");
    if (cap.GetTitles() != 0) {
        console.Line("error: no guide titles captured: tune to the broadcaster's EPG transponder");
        return kGrabFailed;
    }
    console.Total("titles", cap.capture().titleCount);

    bool incomplete = false;
    if (!o.noThemes) {
        console.Line("reading themes...");
        if (cap.GetThemes() != 0) {
            console.Line("warning: themes not captured, categories left empty");
            incomplete = true;
        }
    }

    console.Line("reading channel names...");
    if (cap.GetChannelNames() != 0) {
        console.Line("error: channel names not captured");
        return kGrabFailed;
    }
    console.Total("channels", cap.capture().channelCount);

    if (!o.noSummaries) {
        console.Line("reading summaries...");
        if (cap.GetSummaries() != 0) {
            console.Line("warning: summaries incomplete, writing what was captured");
            incomplete = true;
        }
        console.Total("summaries", cap.capture().summaryCount);
    }

    bool temporary = o.output.empty() && !o.xmltv.empty();
    std::string epg = !o.output.empty() ? o.output : temporary ? TemporaryEpgFile() : kDefaultGrabOutput;
    if (epg.empty()) {
        console.Line(std::string("error: cannot create a temporary file: ") + strerror(errno));
        return kGrabFailed;
    }
    Leave(0, epg + EPG_TEMP_SUFFIX);
    if (temporary)
        Leave(1, epg);
    if (!o.xmltv.empty() && o.xmltv != "-")
        Leave(2, o.xmltv + ".tmp");
    console.Line("writing " + (temporary ? std::string("the guide") : epg) + "...");
    if (cap.SaveEpgData(epg.c_str()) != 0) {
        console.Line("error: cannot save the guide to " + epg);
        if (temporary)
            unlink(epg.c_str());
        return kGrabFailed;
    }

    if (!o.xmltv.empty()) {
        console.Line("writing XMLTV " + (o.xmltv == "-" ? std::string("to standard output") : o.xmltv) + "...");
        std::string error;
        bool ok = xmltv::ExportXmltv(epg.c_str(), o.xmltv.c_str(), o.charset.empty() ? nullptr : o.charset.c_str(),
                                     &error);
        if (temporary)
            unlink(epg.c_str());
        if (!ok) {
            console.Line("error: " + error);
            return kGrabFailed;
        }
    }
    console.Line(incomplete ? "done, with parts missing" : "done");
    return incomplete ? kGrabIncomplete : kGrabDone;
}
