#include "tests/support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

ProcessResult runProcess(const std::vector<std::string>& argv, int timeoutMs, const std::string& workDir)
{
    ProcessResult r;
    int outPipe[2], errPipe[2];
    if (argv.empty() || pipe2(outPipe, O_CLOEXEC) != 0)
        return r;
    if (pipe2(errPipe, O_CLOEXEC) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return r;
    }
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // A program built for another machine (the cross builds' tests run under
    // qemu-user, without binfmt_misc) starts through the emulator that
    // UDOVOR_TEST_EMULATOR names. Prepared before fork: the child only execs.
    std::vector<char*> emulated;
    const char* emulator = getenv("UDOVOR_TEST_EMULATOR");
    if (emulator && *emulator) {
        emulated.push_back(const_cast<char*>(emulator));
        emulated.insert(emulated.end(), args.begin(), args.end());
    }

    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        if (!workDir.empty() && chdir(workDir.c_str()) != 0)
            _exit(127);
        execv(args[0], args.data());
        if (errno == ENOEXEC && !emulated.empty())
            execv(emulated[0], emulated.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    if (pid < 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return r;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&r.out, &r.err};
    int open_ = 2;
    while (open_ > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            r.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        if (poll(fds, 2, static_cast<int>(left.count())) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buf[4096];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open_;
            }
        }
    }
    for (auto& f : fds)
        if (f.fd >= 0)
            close(f.fd);
    int st = 0;
    waitpid(pid, &st, 0);
    r.status = (!r.timedOut && WIFEXITED(st)) ? WEXITSTATUS(st) : -1;
    return r;
}
