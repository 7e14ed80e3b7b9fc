// A web interface that holds the plug-in's workers: the session never waits
// for them, and each worker ends within its bound.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "plugin/hostcmd.h"
#include "plugin/session.h"
#include "tests/support/harness.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Case {
    const char* name;
    LoopbackHttpServer::Mode mode;
    const char* workerEnd;  // what the worker prints when it is done
    size_t minOutput;       // bytes it prints at least
};

// Standard output into a file that can be read while the workers write.
class StdoutToFile {
public:
    explicit StdoutToFile(const std::string& path) : path_(path)
    {
        fflush(stdout);
        saved_ = dup(1);
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fd, 1);
        close(fd);
    }
    ~StdoutToFile()
    {
        fflush(stdout);
        dup2(saved_, 1);
        close(saved_);
    }
    std::string read() const
    {
        fflush(stdout);
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string path_;
    int saved_;
};

class HostileWeb : public testing::TestWithParam<Case> {
protected:
    HostileWeb() { SetHostCommandTimeouts(1000, 3000); }
    ~HostileWeb() override { SetHostCommandTimeouts(5000, 20000); }
};

TEST_P(HostileWeb, SessionIsNeverHeldUpAndTheWorkerEnds)
{
    const Case& c = GetParam();
    LoopbackHttpServer server(c.mode, 1 << 20);
    TempBoxRoot box;
    box.setWebPort(server.port());
    box.write("/hdd/epg.dat", "C 101 Canale Uno\nc\n");

    StdoutToFile console(box.root() + "/console.txt");
    ScriptedRun run("exit ok");
    const auto t0 = Clock::now();
    int value = -1;
    run.run([&] { value = plugin_exec(nullptr); });
    const auto took = Clock::now() - t0;
    EXPECT_TRUE(server.waitForRequests(1, 3000));
    // The worker's bound is 3 s for the whole answer: within this wait.
    std::string out;
    for (int i = 0; i < 50 && (out.find(c.workerEnd) == std::string::npos || out.size() < c.minOutput); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        out = console.read();
    }

    EXPECT_EQ(value, 0);
    EXPECT_LT(took, std::chrono::milliseconds(400)) << "the session waited for its worker";
    EXPECT_NE(out.find(c.workerEnd), std::string::npos) << out.substr(0, 300);
    EXPECT_GE(out.size(), c.minOutput) << out.substr(out.size() > 300 ? out.size() - 300 : 0);
}

const Case kCases[] = {
    {"NeverAnswers", LoopbackHttpServer::Mode::NeverAnswer, "No complete answer to saveTimerList: given up", 0},
    {"AnswersAMegabyte", LoopbackHttpServer::Mode::LargeBody, "HTTP/1.0 200", 1u << 20},
};
INSTANTIATE_TEST_SUITE_P(Hostile, HostileWeb, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

}  // namespace
