#include "bench/bareio.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace {

const size_t kStreamBlock = 2048 * 188;

}  // namespace

long BareFgets(const std::string& path, long reads)
{
    FILE* f = fopen(path.c_str(), "r");
    if (!f)
        return -1;
    char line[1000];
    long bytes = 0;
    for (long n = 0; (reads < 0 || n < reads) && fgets(line, sizeof line, f); ++n)
        bytes += static_cast<long>(line[0]);  // touch what was read
    fclose(f);
    return bytes;
}

long BareRead(const std::string& path)
{
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return -1;
    std::vector<unsigned char> block(kStreamBlock);
    long total = 0;
    ssize_t n;
    while ((n = read(fd, block.data(), block.size())) > 0)
        total += n;
    close(fd);
    return total;
}

bool BareWrite(const std::string& path, const std::string& bytes, bool sync)
{
    const std::string temp = sync ? path + ".tmp" : path;
    FILE* f = fopen(temp.c_str(), "w");
    if (!f)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (sync)
        ok = fflush(f) == 0 && fsync(fileno(f)) == 0 && ok;
    ok = fclose(f) == 0 && ok;
    if (sync)
        ok = rename(temp.c_str(), path.c_str()) == 0 && ok;
    return ok;
}

std::string ReadWholeFile(const std::string& path)
{
    std::string out;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return out;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    fclose(f);
    return out;
}
