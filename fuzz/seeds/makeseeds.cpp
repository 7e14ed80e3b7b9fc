// Writes the seed corpora of the fuzz targets into <dir>/<target>/: the
// sections and streams come from the stream generator's builders and the
// tests' packetizer, the text files are small samples of each format.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/capture/tspack.h"
#include "tools/streamgen/guide.h"
#include "tools/streamgen/sampleguides.h"
#include "tools/streamgen/sections.h"

namespace {

using streamgen::Bytes;
const int64_t kUtc = 1715709600;  // the fuzz targets' box clock

std::string g_dir;

void Write(const std::string& target, const std::string& name, const Bytes& bytes)
{
    const std::string dir = g_dir + "/" + target;
    mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f || (!bytes.empty() && fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())) {
        perror(path.c_str());
        exit(1);
    }
    fclose(f);
}

void WriteText(const std::string& target, const std::string& name, const std::string& text)
{
    Write(target, name, Bytes(text.begin(), text.end()));
}

// The framing the section targets read: flags, then [route] length bytes.
Bytes Framed(uint8_t flags, const std::vector<Bytes>& reads, const std::vector<uint8_t>& routes = {})
{
    Bytes out{flags};
    for (size_t i = 0; i < reads.size(); ++i) {
        if (!routes.empty())
            out.push_back(routes[i]);
        const size_t n = reads[i].size();
        out.push_back(static_cast<uint8_t>(n >> 8));
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), reads[i].begin(), reads[i].end());
    }
    return out;
}

// A small guide: the demo channels' first events only, so that a whole
// title turn stays a few kilobytes.
streamgen::Guide SmallGuide()
{
    streamgen::Guide g = streamgen::DemoGuide(kUtc);
    g.channels.resize(2);
    std::vector<streamgen::GuideEvent> kept;
    for (const streamgen::GuideEvent& e : g.events)
        if (e.channel <= 2 && kept.size() < 12)
            kept.push_back(e);
    g.events = kept;
    std::vector<streamgen::SummaryEntry> summaries;
    for (const streamgen::SummaryEntry& s : g.summaries)
        for (const streamgen::GuideEvent& e : kept)
            if (e.programmeId == s.programmeId && summaries.size() < 4)
                summaries.push_back(s);
    g.summaries = summaries;
    return g;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
        return 2;
    }
    g_dir = argv[1];
    mkdir(g_dir.c_str(), 0755);
    const streamgen::Guide guide = SmallGuide();

    // Time offset: the generator's TOT, one with two entries, one with no
    // descriptor.
    const Bytes tot = streamgen::BuildTotSection(kUtc, guide.offsets);
    streamgen::LocalTimeOffset other;
    other.country = "FRA";
    other.offsetMinutes = 60;
    Write("fuzz_tot", "tot", Framed(0, {tot, tot, tot}));
    Write("fuzz_tot", "two-entries", Framed(0, {streamgen::BuildTotSection(kUtc, {other, guide.offsets[0]})}));
    Write("fuzz_tot", "no-descriptor", Framed(0, {streamgen::BuildTotSection(kUtc, Bytes())}));

    // Channels and themes.
    std::vector<streamgen::ChannelRecord> channels;
    for (const streamgen::GuideChannel& c : guide.channels)
        channels.push_back({1, 1, c.serviceId, c.name});
    const Bytes channelSection = streamgen::BuildChannelSection(channels);
    Write("fuzz_channels", "two", Framed(0, {channelSection}));
    Write("fuzz_channels", "none", Framed(0, {streamgen::BuildChannelSection({})}));
    const Bytes themeSection = streamgen::BuildThemeSection(guide.themes);
    Write("fuzz_themes", "themes", Framed(0, {themeSection}));

    // One title turn, looping; and its first few sections only.
    const std::vector<Bytes> titles = streamgen::TitleCarousel(guide);
    Write("fuzz_titles", "turn", Framed(1, titles));
    Bytes start = Framed(0, std::vector<Bytes>(titles.begin(), titles.begin() + 6));
    start.insert(start.end(), {0xFF, 0xFF, 0xFF, 0xFE});  // a timed-out read, an empty one
    Write("fuzz_titles", "start", start);

    // One summary turn, looping.
    const std::vector<Bytes> summaries = streamgen::SummaryCarousel(guide);
    Write("fuzz_summaries", "turn", Framed(1, summaries));

    // A whole capture: every table on its route (0 TOT, 1 titles, 2 themes,
    // 3 channels, 4 summaries), each queue looping.
    {
        std::vector<Bytes> reads{tot, themeSection, channelSection};
        std::vector<uint8_t> routes{0, 2, 3};
        for (const Bytes& t : titles) {
            reads.push_back(t);
            routes.push_back(1);
        }
        for (const Bytes& s : summaries) {
            reads.push_back(s);
            routes.push_back(4);
        }
        Write("fuzz_capture", "capture", Framed(0x1F, reads, routes));
        Write("fuzz_capture", "capture-twice", Framed(0x9F, reads, routes));
    }

    // A recorded stream: the tables packetized, with null packets between.
    {
        tspack::Stream ts;
        ts.Sections(streamgen::kTotPid, {tot});
        ts.Null(1);
        ts.Sections(streamgen::kGuidePid, {channelSection, themeSection}, 2);
        ts.Sections(streamgen::kTitlePid, std::vector<Bytes>(titles.begin(), titles.begin() + 8));
        ts.Sections(streamgen::kGuidePid, summaries);
        Bytes seed{0};
        seed.insert(seed.end(), ts.bytes.begin(), ts.bytes.end());
        Write("fuzz_tsdemux", "tables", seed);
        seed[0] = 3;
        seed.resize(seed.size() - 100);
        Write("fuzz_tsdemux", "cut", seed);
    }

    // Text files.
    WriteText("fuzz_settings", "settings",
              "# settings\nepgFileName=/hdd/epg.dat\nchannelListPosX=75\r\nmultiEpg=0\n"
              "dvbDevice=/dev/dvb/card0/demux0\nlbExit=Esci\nLbSun=Domenica\nlocalOffset=-3600\n"
              "a=1\na=2\n=empty key\nnoThemes\n");
    const std::string epg =
        "GC 7200\nGN 3600\nGT 1729990800\n"
        "C 4101 Canale Brezza\n"
        "E 1 1715709600 1800\nT Telegiornale\nX 1715716800\nS Notiziario\nL 30\n"
        "D Le notizie\nR Canale Brezza 15/05/2024 10:00 - VM\ne\n"
        "E 2 1715711400 7200\nT Film\nX 1715718600\nS Film\nL 120\ne\nc\n"
        "C 4102 TeleCorvino\n"
        "E 3 1715713200 3600\nT Calcio\nX 1715720400\nS Sport\nL 60\ne\nc\n";
    for (const char* target : {"fuzz_channellist", "fuzz_listing", "fuzz_grid"}) {
        WriteText(target, "guide", epg);
        WriteText(target, "no-name", "C 4101\nE 1 0 0\nT x\ne\nc\n");
    }
    WriteText("fuzz_servicelist", "services",
              "eDVB services /4/\nservices\n"
              "1a2b:00c0:0bb8:0071:1:0\nCanale Brezza\np:Provider\n"
              "1a2c:00c0:0bb8:0071:1:0\nTeleCorvino\np:Provider\nend\n");
    WriteText("fuzz_timerlist", "timers",
              "#SERVICE: 1:0:1:1a2b:bb8:71:c0:0:0:0:\n#DESCRIPTION: /News\n#TYPE 44\n"
              "#TIME_BEGIN 1709582400\n#DURATION 1800\n#DURATION 5\n#TIME_BEGIN x\n#DURATION 60");
    return 0;
}
