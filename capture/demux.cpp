#include "capture/demux.h"

#include <sys/stat.h>

#include "capture/demux_dvb.h"
#include "capture/demux_ts.h"
#include "plugin/boxenv.h"

namespace {

// Table reads never overlap; a few slots leave room for the transponder
// time read of a listing window.
const int kMaxHandles = 8;

std::unique_ptr<DemuxSource> g_open[kMaxHandles];
DemuxOpener g_opener;

DemuxSource* Source(int handle)
{
    if (handle < 0 || handle >= kMaxHandles)
        return nullptr;
    return g_open[handle].get();
}

std::unique_ptr<DemuxSource> OpenSource(const char* path)
{
    if (g_opener)
        return g_opener(path);
    struct stat st;
    if (stat(BoxPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return OpenRecordedStream(path);
    return OpenDvbDemux(path);
}

}  // namespace

int DemuxOpen(const char* path)
{
    if (!path || !*path)
        return -1;
    int handle = -1;
    for (int i = 0; i < kMaxHandles && handle < 0; ++i)
        if (!g_open[i])
            handle = i;
    if (handle < 0)
        return -1;
    std::unique_ptr<DemuxSource> source = OpenSource(path);
    if (!source)
        return -1;
    g_open[handle] = std::move(source);
    return handle;
}

int DemuxSetFilter(int handle, const SectionFilter* f)
{
    DemuxSource* s = Source(handle);
    return s && f ? s->SetFilter(*f) : -1;
}

int DemuxStop(int handle)
{
    DemuxSource* s = Source(handle);
    return s ? s->Stop() : -1;
}

int DemuxRead(int handle, uint8_t* buf, size_t size)
{
    DemuxSource* s = Source(handle);
    if (!s || !buf)
        return -1;
    if (size > kMaxSectionSize)
        size = kMaxSectionSize;
    return s->Read(buf, size);
}

int DemuxClose(int handle)
{
    if (!Source(handle))
        return -1;
    g_open[handle].reset();
    return 0;
}

void SetDemuxOpenerForTests(DemuxOpener opener)
{
    g_opener = std::move(opener);
}

int DemuxOpenHandles()
{
    int n = 0;
    for (const auto& s : g_open)
        n += s ? 1 : 0;
    return n;
}
