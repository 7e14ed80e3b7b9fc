#include "bench/benchdata.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "capture/epgreader.h"
#include "capture/epgwriter.h"
#include "plugin/boxenv.h"
#include "plugin/settings.h"
#include "viewer/epgfile.h"

namespace {

// A settings file as a user leaves it: a few comments and the keys most
// often changed, the listing's date format last.
const char kSettings[] =
    "# udovor settings\n"
    "epgFileName=/hdd/epg.dat\n"
    "multiEpg=0\n"
    "channelListPosX=75\n"
    "channelListPosY=100\n"
    "channelListSizeX=530\n"
    "channelListSizeY=376\n"
    "channelDetailPosX=75\n"
    "channelDetailPosY=100\n"
    "channelDetailSizeX=530\n"
    "channelDetailSizeY=376\n"
    "pleaseWaitPosX=75\n"
    "pleaseWaitPosY=100\n"
    "# times\n"
    "localOffset=0\n"
    "recordBefore=300\n"
    "recordAfter=600\n"
    "dvbDevice=/dev/dvb/card0/demux0\n"
    "daySeparator=1\n"
    "focusEpg=1\n"
    "dateDisplayFormat=0\n";

void MakeDirs(const std::string& path)
{
    for (size_t i = 1; i < path.size(); ++i)
        if (path[i] == '/')
            mkdir(path.substr(0, i).c_str(), 0755);
    mkdir(path.c_str(), 0755);
}

bool WriteFile(const std::string& path, const char* bytes)
{
    FILE* f = fopen(path.c_str(), "w");
    if (!f)
        return false;
    bool ok = fputs(bytes, f) >= 0;
    return fclose(f) == 0 && ok;
}

bool Capture(EPGReader& reader)
{
    reader.SetDevicePath(kBenchDemux);
    return reader.GetTimeOffset() == 0 && reader.GetTitles() == 0 && reader.GetThemes() == 0 &&
           reader.GetChannelNames() == 0 && reader.GetSummaries() == 0;
}

// One channel of kBigChannelEvents events with summaries, then a short one,
// so that the listing of the first ends at the second's C line.
bool WriteBigChannel(long clock, const char* boxPath)
{
    std::unique_ptr<CaptureData> cap(new CaptureData);
    cap->offsets.currentOffset = 7200;
    cap->offsets.nextOffset = 3600;
    cap->offsets.timeOfChange = static_cast<int32_t>(clock + 180 * 86400L);
    cap->hourMarkers[0][0] = 0;
    cap->channelCount = 2;
    snprintf(cap->channels[0].name, kChannelNameSize, "Canale Grande");
    snprintf(cap->channels[0].id, kChannelIdSize, "6001");
    snprintf(cap->channels[1].name, kChannelNameSize, "Canale Corto");
    snprintf(cap->channels[1].id, kChannelIdSize, "6002");
    for (int th = 0; th < 16; ++th)
        snprintf(cap->themes[th], kThemeNameSize, "Tema %d", th);

    const int events[2] = {kBigChannelEvents, 8};
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < events[c]; ++i) {
            const int n = cap->titleCount;
            std::unique_ptr<TitleRecord> t(new TitleRecord);
            t->channelIndex = static_cast<uint8_t>(c);
            t->themeId = static_cast<uint8_t>(i % 16);
            t->start = static_cast<int32_t>(clock + i * 1200L);
            t->duration = 1200;
            t->summaryFlag = 1;
            t->programId = static_cast<uint32_t>(n + 1);
            snprintf(t->title, kTitleTextSize, "Programma %05d        ", n);
            cap->titles[n] = std::move(t);
            ++cap->titleCount;

            std::unique_ptr<SummaryRecord> s(new SummaryRecord);
            s->programId = static_cast<uint32_t>(n + 1);
            const size_t len = 100 + static_cast<size_t>(n * 37 % 500);
            s->text.reset(new char[len + 1]);
            for (size_t k = 0; k < len; ++k)
                s->text[k] = k % 7 == 6 ? ' ' : static_cast<char>('a' + (k + n) % 26);
            s->text[len] = '\0';
            s->replayCount = 1;
            s->replayTime[0] = static_cast<int32_t>(clock + 86400);
            s->replayChannel[0] = 1;
            cap->summaries[cap->summaryCount++] = std::move(s);
        }
    }
    return WriteEpgFile(*cap, boxPath, clock, nullptr) == 0;
}

// The key of the last C line of the file (0 for none) and the channel count.
void FindLastChannel(const std::string& path, BenchData* d)
{
    FILE* f = fopen(path.c_str(), "r");
    if (!f)
        return;
    EpgLineReader reader(f);
    int events = 0;
    while (reader.next()) {
        if (reader.tag() == 'C') {
            d->lastKey = reader.count();
            ++d->channels;
            events = 0;
        } else if (reader.tag() == 'e') {
            ++events;
        }
    }
    d->lastReads = reader.count();
    d->lastEvents = events;
    fclose(f);
}

// The reads the listing of the file's first channel takes: up to and
// including the second C line.
void FindFirstChannel(const std::string& path, BenchData* d)
{
    FILE* f = fopen(path.c_str(), "r");
    if (!f)
        return;
    EpgLineReader reader(f);
    int seen = 0;
    while (reader.next()) {
        if (reader.tag() != 'C')
            continue;
        if (++seen == 1) {
            d->bigKey = reader.count();
        } else {
            d->bigReads = reader.count();
            break;
        }
    }
    fclose(f);
}

}  // namespace

std::string BenchPath(const std::string& root, const char* boxPath)
{
    return root + boxPath;
}

long FileSize(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

void UseBenchRoot(const std::string& root, long clock)
{
    udovor_sim_setup(root.c_str(), 0, clock);
}

bool PrepareBenchData(const std::string& root, long clock, BenchData* out)
{
    BenchData& d = *out;
    d.root = root;
    d.clock = clock;
    d.stream = BenchPath(root, kBenchDemux);
    d.epg = BenchPath(root, kBenchEpg);
    d.big = BenchPath(root, kBenchBigChannel);
    d.streamBytes = FileSize(d.stream);
    if (d.streamBytes <= 0) {
        fprintf(stderr, "udovor-bench: no stream at %s (make it with udovor-streamgen --full)\n",
                d.stream.c_str());
        return false;
    }
    MakeDirs(root + "/hdd");
    MakeDirs(root + "/var/korvadel");
    if (!WriteFile(BenchPath(root, SETTINGS_FILE), kSettings)) {
        fprintf(stderr, "udovor-bench: cannot write the settings file\n");
        return false;
    }
    UseBenchRoot(root, clock);

    {
        EPGReader reader;
        if (!Capture(reader) || reader.SaveEpgData(kBenchEpg) != 0) {
            fprintf(stderr, "udovor-bench: the capture of %s failed\n", d.stream.c_str());
            return false;
        }
        d.moment = ToProviderLocal(reader.capture().offsets, clock);
    }
    if (!WriteBigChannel(clock, kBenchBigChannel)) {
        fprintf(stderr, "udovor-bench: cannot write %s\n", d.big.c_str());
        return false;
    }
    d.epgBytes = FileSize(d.epg);
    FindLastChannel(d.epg, &d);
    FindFirstChannel(d.big, &d);
    if (d.channels == 0 || d.bigReads == 0) {
        fprintf(stderr, "udovor-bench: the files hold no channels\n");
        return false;
    }
    return true;
}
