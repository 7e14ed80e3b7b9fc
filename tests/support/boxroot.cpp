#include "tests/support/boxroot.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "plugin/boxenv.h"

namespace {

int removeOne(const char* path, const struct stat*, int, struct FTW*)
{
    ::remove(path);
    return 0;
}

void makeDirs(const std::string& dir)
{
    for (size_t i = 1; i <= dir.size(); ++i)
        if (i == dir.size() || dir[i] == '/')
            ::mkdir(dir.substr(0, i).c_str(), 0755);
}

}  // namespace

TempBoxRoot::TempBoxRoot()
{
    std::string templ = "/tmp/udovor-box-XXXXXX";
    if (!mkdtemp(&templ[0]))
        throw std::runtime_error("mkdtemp failed");
    root_ = templ;
    apply();
}

TempBoxRoot::~TempBoxRoot()
{
    udovor_sim_setup(nullptr, 0, -1);
    nftw(root_.c_str(), removeOne, 16, FTW_DEPTH | FTW_PHYS);
}

std::string TempBoxRoot::path(const std::string& boxPath) const
{
    if (boxPath.empty() || boxPath[0] != '/')
        return root_ + "/" + boxPath;
    return root_ + boxPath;
}

void TempBoxRoot::write(const std::string& boxPath, const std::string& bytes) const
{
    const std::string p = path(boxPath);
    makeDirs(p.substr(0, p.rfind('/')));
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + p);
}

std::string TempBoxRoot::read(const std::string& boxPath) const
{
    std::ifstream in(path(boxPath), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TempBoxRoot::exists(const std::string& boxPath) const
{
    struct stat st;
    return ::stat(path(boxPath).c_str(), &st) == 0;
}

void TempBoxRoot::remove(const std::string& boxPath) const
{
    ::remove(path(boxPath).c_str());
}

void TempBoxRoot::makeDir(const std::string& boxPath) const
{
    makeDirs(path(boxPath));
}

void TempBoxRoot::setClock(long long t)
{
    clock_ = t;
    apply();
}

void TempBoxRoot::setWebPort(int port)
{
    webPort_ = port;
    apply();
}

void TempBoxRoot::apply() const
{
    udovor_sim_setup(root_.c_str(), webPort_, clock_);
}
