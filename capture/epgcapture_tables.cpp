// The single-section table reads of a capture (time offset,
// channel names, themes) and what they share with the carousel reads.
#include <ctime>

#include "capture/demux.h"
#include "capture/epgcapture.h"
#include "capture/epgwriter.h"
#include "capture/mhw_channels.h"
#include "capture/tot.h"
#include "plugin/boxenv.h"
#include "plugin/diagnostics.h"

int EpgCapture::SetFiltSection(int handle, unsigned short pid, unsigned char tableId)
{
    SectionFilter f = MakeSectionFilter(pid, tableId);
    int r = DemuxSetFilter(handle, &f);
    if (r < 0) {
        // Ending the process here would end the host with it: the caller
        // gives up this table instead.
        myerror("DMX SET FILTER:");
        return -1;
    }
    return r;
}

int EpgCapture::OpenTable(const char* openFailText, uint16_t pid, uint8_t tableId)
{
    int handle = DemuxOpen(demuxDevice_);
    if (handle < 0) {
        myerror(openFailText);
        return -1;
    }
    if (SetFiltSection(handle, pid, tableId) < 0) {
        DemuxClose(handle);
        return -1;
    }
    return handle;
}

void EpgCapture::CloseTable(int handle)
{
    DemuxStop(handle);
    DemuxClose(handle);
}

int EpgCapture::ReadSection(int handle)
{
    return DemuxRead(handle, sectionBuffer_, kMaxSectionSize);
}

int EpgCapture::ParseTOT()
{
    int handle = OpenTable("Cannot open DEMUX DEVICE", kTotPid, kTotTableId);
    if (handle < 0)
        return -1;
    int n = ReadSection(handle);
    CloseTable(handle);
    if (n <= 0) {
        myerror("Error while reading Time Offset Table");
        return -1;
    }
    long now = static_cast<long>(BoxTime());
    TotInfo tot;
    int found = DecodeTot(sectionBuffer_, static_cast<size_t>(n), &tot);
    if (!tot.haveUtc)
        return -1;
    int correction = ClockCorrection(tot.utc, now);
    statusmsg("UTC Offset = ", correction);
    if (found != 0)
        return -1;
    cap_->offsets.currentOffset = EntryLocalOffset(&tot.entry) + correction;
    cap_->offsets.nextOffset = EntryNextOffset(&tot.entry) + correction;
    cap_->offsets.timeOfChange = tot.entry.time_of_change;
    return 0;
}

int EpgCapture::GetTimeOffset()
{
    if (ParseTOT() == -1)
        return -1;
    long t = static_cast<long>(BoxTime()) - 86400;
    UTC2ProviderLocalTime(&t);
    time_t tt = static_cast<time_t>(t);
    struct tm bd;
    gmtime_r(&tt, &bd);
    cap_->dayBaseWeekday = bd.tm_wday;
    bd.tm_hour = 0;
    bd.tm_min = 0;
    bd.tm_sec = 0;
    long midnight = static_cast<long>(timegm(&bd));
    ProviderLocalTime2UTC(&midnight);
    cap_->dayBase = static_cast<int32_t>(midnight);
    return 0;
}

void EpgCapture::ProviderLocalTime2UTC(long* t)
{
    if (t)
        *t = ToBoxTime(cap_->offsets, *t);
}

void EpgCapture::UTC2ProviderLocalTime(long* t)
{
    if (t)
        *t = ToProviderLocal(cap_->offsets, *t);
}

int EpgCapture::timezonecmp(const item_local_time_offset_struct* entry, const char* code, int region)
{
    return ::timezonecmp(entry, code, region);
}

void EpgCapture::strclean(char* text)
{
    StripTrailingSpace(text);
}

int EpgCapture::GetChannelNames()
{
    int handle = OpenTable("DEMUX DEVICE : ", kMhwTablePid, kChannelTableId);
    if (handle < 0)
        return -1;
    int n = ReadSection(handle);
    CloseTable(handle);
    if (n <= 0) {
        myerror("Error while reading channels names");
        return -1;
    }
    uint32_t count = 0;
    if (DecodeChannelSection(sectionBuffer_, static_cast<size_t>(n), cap_->channels, &count) != 0) {
        // The count stays within the slots, so nothing can index past them.
        cap_->channelCount = 0;
        myerror("Channels Table overflow (names needed)\n", static_cast<int>(count));
        return -1;
    }
    cap_->channelCount = static_cast<int>(count);
    return 0;
}

int EpgCapture::GetThemes()
{
    int handle = OpenTable("DEMUX DEVICE ", kMhwTablePid, kThemeTableId);
    if (handle < 0)
        return -1;
    int n = ReadSection(handle);
    CloseTable(handle);
    if (n <= 0) {
        myerror("Error while reading themes");
        return -1;
    }
    DecodeThemeSection(sectionBuffer_, static_cast<size_t>(n), cap_->themes);
    return 0;
}

int EpgCapture::SaveEpgData(const char* fileName)
{
    return WriteEpgFile(*cap_, fileName, static_cast<long>(BoxTime()),
                        [this](int c) { statusmsg("Writing Chan:", c); });
}
