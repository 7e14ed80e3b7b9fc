#include "tests/term/tmux.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "tests/support/process.h"

namespace {

int g_sessions = 0;

}  // namespace

std::string TmuxTerminal::program()
{
    const char* path = getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string p = (dir.empty() ? "." : dir) + "/tmux";
        if (access(p.c_str(), X_OK) == 0)
            return p;
    }
    return std::string();
}

TmuxTerminal::TmuxTerminal()
    : socket_("udovor-test-" + std::to_string(getpid()) + "-" + std::to_string(++g_sessions))
{
}

TmuxTerminal::~TmuxTerminal()
{
    if (started_)
        runProcess(command({"kill-server"}), 5000);
}

std::vector<std::string> TmuxTerminal::command(const std::vector<std::string>& args) const
{
    // -u: UTF-8 whatever the test's own locale; -f /dev/null: no user
    // configuration.
    std::vector<std::string> argv = {program(), "-u", "-f", "/dev/null", "-L", socket_};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
}

bool TmuxTerminal::start(const std::string& shellCommand, int cols, int rows)
{
    unsetenv("TMUX");  // a test run from inside tmux starts a server of its own all the same
    const std::string wrapped = "env LANG=C.UTF-8 LC_ALL=C.UTF-8 " + shellCommand;
    const ProcessResult r = runProcess(command({"new-session", "-d", "-x", std::to_string(cols), "-y",
                                                std::to_string(rows), "sh", "-c", wrapped}),
                                       10000);
    started_ = true;
    return r.status == 0;
}

void TmuxTerminal::send(const std::vector<std::string>& keys)
{
    for (const std::string& k : keys) {
        runProcess(command({"send-keys", "-t", "0", k}), 5000);
        // One key at a time, as a person types: an Escape followed at once
        // by another key would read as an Alt combination.
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
    }
}

void TmuxTerminal::resize(int cols, int rows)
{
    runProcess(command({"resize-window", "-t", "0", "-x", std::to_string(cols), "-y", std::to_string(rows)}), 5000);
}

std::string TmuxTerminal::screen()
{
    last_ = runProcess(command({"capture-pane", "-p", "-t", "0"}), 5000).out;
    return last_;
}

bool TmuxTerminal::waitFor(const std::string& text, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (screen().find(text) != std::string::npos)
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::vector<std::string> screenRows(const std::string& screen)
{
    std::vector<std::string> rows;
    std::stringstream in(screen);
    std::string line;
    while (std::getline(in, line))
        rows.push_back(line);
    return rows;
}
