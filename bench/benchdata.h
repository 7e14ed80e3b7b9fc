// The data every benchmark runs on, made once per run in a box root: the
// recorded full-size broadcast (made beforehand by udovor-streamgen), the
// EPG data file captured from it, a file with one channel of 512 events,
// and a settings file of the usual size.
#ifndef UDOVOR_BENCH_BENCHDATA_H
#define UDOVOR_BENCH_BENCHDATA_H

#include <string>

const char kBenchDemux[] = "/dev/dvb/card0/demux0";
const char kBenchEpg[] = "/hdd/epg.dat";
const char kBenchBigChannel[] = "/hdd/big.dat";
const int kBigChannelEvents = 512;

struct BenchData {
    std::string root;      // host path of the box root
    long clock = 0;        // the box's time at the start of the run
    long moment = 0;       // provider-local time value of clock, for the grid

    std::string stream;    // host paths
    std::string epg;
    std::string big;
    long streamBytes = 0;
    long epgBytes = 0;

    // Channel keys, and how many reads the listing of each takes (the skip,
    // the block and the next block's C line).
    long lastKey = 0;
    long lastReads = 0;
    int lastEvents = 0;
    long bigKey = 0;
    long bigReads = 0;
    int channels = 0;
};

// Points the plug-in at root with the box clock at clock, writes the
// settings file, captures the stream into the EPG data file and writes the
// big channel's file. False, with the reason on standard error, when the
// stream is missing or the capture fails.
bool PrepareBenchData(const std::string& root, long clock, BenchData* out);

// Points the plug-in at root only (for a child process of the run).
void UseBenchRoot(const std::string& root, long clock);

// The host path of a box path.
std::string BenchPath(const std::string& root, const char* boxPath);

long FileSize(const std::string& path);

#endif
