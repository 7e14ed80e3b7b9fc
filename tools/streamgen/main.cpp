// udovor-streamgen: writes a recorded broadcast (an MPEG transport stream
// file) that carries the guide tables the capture reads.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "tools/streamgen/describe.h"
#include "tools/streamgen/guide.h"
#include "tools/streamgen/sampleguides.h"
#include "tools/streamgen/tsmux.h"

namespace {

const char kUsage[] =
    "usage: udovor-streamgen --demo [--time T] -o FILE\n"
    "       udovor-streamgen --full [--seed N] [--time T] -o FILE\n"
    "       udovor-streamgen --describe DESCRIPTION.txt [--time T] -o FILE\n"
    "T: the broadcast's UTC time in Unix seconds (default: now)\n";

int Usage(const char* problem)
{
    std::fprintf(stderr, "udovor-streamgen: %s\n%s", problem, kUsage);
    return 2;
}

bool ParseNumber(const char* s, long long* out)
{
    char* end = nullptr;
    long long v = std::strtoll(s, &end, 10);
    if (end == s || *end != '\0')
        return false;
    *out = v;
    return true;
}

bool ReadFile(const std::string& path, std::string* out)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out->append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool WriteFile(const std::string& path, const streamgen::Bytes& data)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    enum { kNone, kDemo, kFull, kDescribe } mode = kNone;
    std::string output, description;
    long long seed = 1, when = static_cast<long long>(std::time(nullptr));
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == "--demo" || a == "--full") {
            if (mode != kNone)
                return Usage("give one of --demo, --full and --describe");
            mode = a == "--demo" ? kDemo : kFull;
        } else if (a == "--describe" && hasValue) {
            if (mode != kNone)
                return Usage("give one of --demo, --full and --describe");
            mode = kDescribe;
            description = argv[++i];
        } else if (a == "--seed" && hasValue) {
            if (!ParseNumber(argv[++i], &seed))
                return Usage("--seed wants a number");
        } else if (a == "--time" && hasValue) {
            if (!ParseNumber(argv[++i], &when) || when < 0 || when > 0x7FFFFFFF)
                return Usage("--time wants Unix seconds");
        } else if (a == "-o" && hasValue) {
            output = argv[++i];
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else {
            return Usage(("unknown or incomplete option " + a).c_str());
        }
    }
    if (mode == kNone)
        return Usage("give one of --demo, --full and --describe");
    if (output.empty())
        return Usage("no output file (-o FILE)");

    streamgen::Guide guide;
    if (mode == kDemo) {
        guide = streamgen::DemoGuide(when);
    } else if (mode == kFull) {
        guide = streamgen::FullGuide(static_cast<uint64_t>(seed), when);
    } else {
        std::string text, error;
        if (!ReadFile(description, &text)) {
            std::fprintf(stderr, "udovor-streamgen: cannot read %s: %s\n", description.c_str(), std::strerror(errno));
            return 1;
        }
        if (!streamgen::ParseDescription(text, when, &guide, &error)) {
            std::fprintf(stderr, "udovor-streamgen: %s: %s\n", description.c_str(), error.c_str());
            return 1;
        }
    }
    streamgen::Bytes stream = streamgen::BuildStream(guide);
    if (!WriteFile(output, stream)) {
        std::fprintf(stderr, "udovor-streamgen: cannot write %s: %s\n", output.c_str(), std::strerror(errno));
        return 1;
    }
    std::printf("%s: %zu packets, %zu channels, %zu titles, %zu summaries\n", output.c_str(),
                stream.size() / streamgen::kTsPacketSize, guide.channels.size(), guide.events.size(),
                guide.summaries.size());
    return 0;
}
