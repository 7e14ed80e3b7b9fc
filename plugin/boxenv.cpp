#include "plugin/boxenv.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

std::string g_root;
int g_webPort = 80;
long long g_clockDelta = 0;

}  // namespace

extern "C" void udovor_sim_setup(const char* root, int webPort, long long clock)
{
    g_root = root ? root : "";
    while (g_root.size() > 1 && g_root.back() == '/')
        g_root.pop_back();
    g_webPort = webPort > 0 ? webPort : 80;
    g_clockDelta = clock >= 0 ? clock - static_cast<long long>(time(nullptr)) : 0;
}

std::string BoxPath(const char* path)
{
    if (!path)
        return std::string();
    if (path[0] == '/' && !g_root.empty())
        return g_root + path;
    return path;
}

FILE* BoxFopen(const char* path, const char* mode)
{
    if (!path)
        return nullptr;
    return fopen(BoxPath(path).c_str(), mode);
}

int BoxOpen(const char* path, int flags, int mode)
{
    if (!path)
        return -1;
    return open(BoxPath(path).c_str(), flags, mode);
}

int BoxRename(const char* from, const char* to)
{
    return rename(BoxPath(from).c_str(), BoxPath(to).c_str());
}

int BoxUnlink(const char* path)
{
    return unlink(BoxPath(path).c_str());
}

time_t BoxTime()
{
    return static_cast<time_t>(static_cast<long long>(time(nullptr)) + g_clockDelta);
}

int BoxWebPort()
{
    return g_webPort;
}
