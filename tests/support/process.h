// Runs a program to its end with its output captured (for tests of boxsim
// and of whole sessions).
#ifndef UDOVOR_TESTS_SUPPORT_PROCESS_H
#define UDOVOR_TESTS_SUPPORT_PROCESS_H

#include <string>
#include <vector>

struct ProcessResult {
    int status = -1;        // exit status; -1 when killed by a signal or the time-out
    bool timedOut = false;
    std::string out;        // standard output
    std::string err;        // standard error
};

// argv[0] is the program's path. Standard input reads from /dev/null (so the
// program sees no terminal). The program is killed after timeoutMs.
ProcessResult runProcess(const std::vector<std::string>& argv, int timeoutMs = 20000,
                         const std::string& workDir = "");

#endif
