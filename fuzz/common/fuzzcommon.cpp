#include "fuzz/common/fuzzcommon.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "capture/demux.h"
#include "host/standin/runtime.h"
#include "plugin/boxenv.h"

namespace fuzz {

namespace {

std::string g_root;

void RemoveRoot()
{
    if (g_root.empty())
        return;
    std::string cmd = "rm -rf '" + g_root + "'";
    if (system(cmd.c_str()) != 0)
        fprintf(stderr, "could not remove %s\n", g_root.c_str());
}

void MakeDirs(const std::string& path)
{
    for (size_t at = 1; at < path.size(); ++at) {
        if (path[at] == '/')
            mkdir(path.substr(0, at).c_str(), 0755);
    }
}

}  // namespace

void Begin()
{
    if (g_root.empty()) {
        char dir[] = "/tmp/udovor-fuzz-XXXXXX";
        if (!mkdtemp(dir)) {
            perror("mkdtemp");
            abort();
        }
        g_root = dir;
        atexit(RemoveRoot);
        udovor_sim_setup(g_root.c_str(), 0, kFuzzClock);
        // The progress lines of the plug-in would only slow the run.
        if (!freopen("/dev/null", "w", stdout))
            abort();
    }
    boxtk::reset();
    boxtk::setAutomaticExitLimit(INT_MAX, nullptr);
}

const std::string& Root()
{
    return g_root;
}

void WriteBoxFile(const char* boxPath, const uint8_t* data, size_t size)
{
    std::string path = g_root + boxPath;
    MakeDirs(path);
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) {
        perror(path.c_str());
        abort();
    }
    if (size && fwrite(data, 1, size, f) != size)
        abort();
    fclose(f);
}

void RemoveBoxFile(const char* boxPath)
{
    unlink((g_root + boxPath).c_str());
}

ReadSequence ParseReads(const uint8_t* data, size_t size, bool routed)
{
    ReadSequence seq;
    size_t at = 0;
    if (at < size)
        seq.flags = data[at++];
    const size_t header = routed ? 3 : 2;
    while (at + header <= size) {
        Read r;
        if (routed)
            r.route = data[at++];
        const uint16_t length = static_cast<uint16_t>(data[at] << 8 | data[at + 1]);
        at += 2;
        if (length == kTimedOut) {
            r.result = -1;
        } else if (length == kEmptyRead) {
            r.result = 0;
        } else {
            size_t n = length > kMaxSectionSize ? kMaxSectionSize : length;
            if (n > size - at)
                n = size - at;
            r.bytes.assign(data + at, data + at + n);
            at += n;
            r.result = static_cast<int>(n);
        }
        seq.reads.push_back(std::move(r));
    }
    return seq;
}

void QueueReads(FakeDemux& demux, uint16_t pid, uint8_t tableId, const std::vector<Read>& reads)
{
    for (const Read& r : reads) {
        if (r.bytes.empty()) {
            demux.AddReadResult(pid, tableId, r.result);
        } else {
            std::vector<uint8_t> bytes = r.bytes;
            bytes[0] = tableId;
            demux.AddSection(pid, std::move(bytes));
        }
    }
}

void Check(bool cond, const char* what)
{
    if (!cond) {
        fprintf(stderr, "fuzz check failed: %s\n", what);
        abort();
    }
}

}  // namespace fuzz
