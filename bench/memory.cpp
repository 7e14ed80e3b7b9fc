#include "bench/memory.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/bareio.h"
#include "bench/benchdata.h"
#include "capture/epgreader.h"

extern char** environ;

namespace {

const char kTimeTool[] = "/usr/bin/time";

// Runs argv with standard output and error into the two files; true when it
// exited with 0.
bool Run(const std::vector<std::string>& args, const std::string& out, const std::string& err)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&fa, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    if (rc != 0)
        return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

long MaxResidentKb(const std::string& report)
{
    static const char kKey[] = "Maximum resident set size (kbytes):";
    const size_t at = report.find(kKey);
    if (at == std::string::npos)
        return -1;
    return strtol(report.c_str() + at + sizeof kKey - 1, nullptr, 10);
}

std::string SelfPath()
{
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return std::string();
    buf[n] = '\0';
    return buf;
}

}  // namespace

int CaptureOnly(const std::string& root, long clock)
{
    UseBenchRoot(root, clock);
    std::unique_ptr<EPGReader> reader(new EPGReader);
    reader->SetDevicePath(kBenchDemux);
    if (reader->GetTimeOffset() != 0 || reader->GetTitles() != 0 || reader->GetThemes() != 0 ||
        reader->GetChannelNames() != 0 || reader->GetSummaries() != 0)
        return 1;
    const CaptureData& cap = reader->capture();
    long long held = static_cast<long long>(cap.titleCount) * static_cast<long long>(sizeof(TitleRecord));
    for (int i = 0; i < cap.summaryCount; ++i)
        held += static_cast<long long>(sizeof(SummaryRecord) + strlen(cap.summaries[i]->text.get()) + 1);
    const long long fixed = static_cast<long long>(sizeof(EPGReader) + sizeof(CaptureData));
    printf("held %lld fixed %lld\n", held, fixed);
    return 0;
}

PeakMemory MeasurePeakMemory(const std::string& root, long clock)
{
    PeakMemory m;
    const std::string self = SelfPath();
    if (self.empty() || access(kTimeTool, X_OK) != 0)
        return m;
    const std::string out = root + "/memory.out", err = root + "/memory.err";
    if (!Run({kTimeTool, "-v", self, "--capture-only", "--root", root, "--clock", std::to_string(clock)}, out,
             err))
        return m;
    m.captureKb = MaxResidentKb(ReadWholeFile(err));
    if (sscanf(ReadWholeFile(out).c_str(), "held %lld fixed %lld", &m.heldBytes, &m.fixedBytes) != 2)
        return m;
    if (!Run({kTimeTool, "-v", self, "--idle"}, out, err))
        return m;
    m.idleKb = MaxResidentKb(ReadWholeFile(err));
    m.measured = m.captureKb > 0 && m.idleKb > 0;
    return m;
}
