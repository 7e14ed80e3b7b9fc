// boxsim: runs the plug-in on a PC. Loads the plug-in's shared object,
// provides the toolkit it was built against, stands in for the host's web
// interface, calls plugin_exec once and writes what happened to the trace.
//
// Exit status: 0 when plugin_exec returned; 2 for bad usage or a plug-in
// that cannot be loaded; 3 when a scripted session did not end.
#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "boxsim/options.h"
#include "boxsim/screen.h"
#include "boxsim/trace.h"
#include "boxsim/webstandin.h"
#include "host/standin/runtime.h"

namespace {

const int kExitUsage = 2;
const int kExitDidNotEnd = 3;
const int kAutomaticExitLimit = 200;
const int kWebQuietMs = 500;

using PluginExec = int (*)(void*);
using SimSetup = void (*)(const char*, int, long long);

boxsim::TraceWriter* g_trace = nullptr;

int fail(const std::string& reason)
{
    fprintf(stderr, "boxsim: %s\n", reason.c_str());
    return kExitUsage;
}

std::string dirOfExecutable()
{
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    buf[n] = '\0';
    std::string p(buf);
    const size_t slash = p.rfind('/');
    return slash == std::string::npos ? "." : p.substr(0, slash);
}

// The plug-in built with boxsim: beside it, in the build directory above it
// (where the build puts it), else where the build put it.
std::string defaultPlugin()
{
    const std::string dir = dirOfExecutable();
    const std::string candidates[] = {dir + "/udovor.so", dir + "/../udovor.so"};
    for (const std::string& c : candidates)
        if (access(c.c_str(), R_OK) == 0)
            return c;
#ifdef BOXSIM_BUILT_PLUGIN
    return BOXSIM_BUILT_PLUGIN;
#else
    return candidates[0];
#endif
}

std::string absoluteRoot(const std::string& root)
{
    if (root.empty())
        return root;
    char buf[PATH_MAX];
    if (realpath(root.c_str(), buf))
        return buf;
    if (root[0] == '/')
        return root;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
        return root;
    return std::string(cwd) + "/" + root;
}

// With the trace on standard output the plug-in's own console lines go to
// standard error, so that standard output holds nothing but the trace.
FILE* openTrace(const std::string& name)
{
    if (name != "-")
        return fopen(name.c_str(), "w");
    fflush(stdout);
    const int fd = dup(STDOUT_FILENO);
    if (fd < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return nullptr;
    return fdopen(fd, "w");
}

[[noreturn]] void sessionDidNotEnd()
{
    if (g_trace)
        g_trace->flush();
    fflush(stdout);
    fprintf(stderr, "boxsim: the session did not end: more than %d automatic exits\n", kAutomaticExitLimit);
    _exit(kExitDidNotEnd);
}

}  // namespace

int main(int argc, char** argv)
{
    boxsim::Options opt;
    std::string error;
    if (!boxsim::parseOptions(std::vector<std::string>(argv + 1, argv + argc), opt, error)) {
        fprintf(stderr, "boxsim: %s\n%s", error.c_str(), boxsim::usage());
        return kExitUsage;
    }
    if (opt.help) {
        fputs(boxsim::usage(), stdout);
        return 0;
    }

    std::unique_ptr<boxsim::Screen> screen;
    if (!opt.haveKeys) {
        if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))
            return fail("no keys given and no terminal to run in: give --keys or --keys-file");
        screen = boxsim::makeTerminalScreen();
        if (!screen)
            return fail("boxsim was built without its terminal screen (ncursesw): give --keys or --keys-file");
    }

    FILE* traceFile = nullptr;
    if (!opt.trace.empty()) {
        traceFile = openTrace(opt.trace);
        if (!traceFile)
            return fail("cannot write the trace " + opt.trace);
    }

    const std::string pluginPath = opt.plugin.empty() ? defaultPlugin() : opt.plugin;
    void* handle = dlopen(pluginPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        return fail("cannot load the plug-in " + pluginPath + ": " + (why ? why : "unknown reason"));
    }
    auto exec = reinterpret_cast<PluginExec>(dlsym(handle, "plugin_exec"));
    auto setup = reinterpret_cast<SimSetup>(dlsym(handle, "udovor_sim_setup"));
    if (!exec || !setup)
        return fail("the plug-in " + pluginPath + " has no " + (exec ? "udovor_sim_setup" : "plugin_exec"));

    boxsim::WebStandIn web;
    if (opt.web && !web.start(error))
        return fail(error);

    std::unique_ptr<boxsim::TraceWriter> trace;
    if (traceFile) {
        trace.reset(new boxsim::TraceWriter(traceFile));
        g_trace = trace.get();
        boxtk::addObserver(trace.get());
    }
    boxtk::ScriptKeySource script(opt.keys);
    if (screen) {
        if (!screen->start())
            return fail("cannot take over the terminal");
        boxtk::addObserver(screen.get());
        boxtk::setKeySource(screen.get());
    } else {
        boxtk::setKeySource(&script);
    }
    boxtk::setAutomaticExitLimit(kAutomaticExitLimit, sessionDidNotEnd);

    const std::string root = absoluteRoot(opt.root);
    setup(root.empty() ? nullptr : root.c_str(), opt.web ? web.port() : 0, opt.clock);
    const int value = exec(nullptr);
    fflush(stdout);

    boxtk::Event ret;
    ret.ev = "return";
    ret.value = value;
    boxtk::emit(ret);

    if (screen)
        screen->stop();
    web.serveUntilQuiet(kWebQuietMs);
    if (traceFile)
        fclose(traceFile);
    fflush(stdout);
    fflush(stderr);
    // Workers of the plug-in may still be running (a host command that was
    // never answered): leave without tearing the process down under them.
    _exit(0);
}
