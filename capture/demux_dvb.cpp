#include "capture/demux_dvb.h"

#include <fcntl.h>
#include <linux/dvb/dmx.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstring>

#include "plugin/boxenv.h"

namespace {

static_assert(DMX_FILTER_SIZE == kFilterSize, "filter sizes differ");

class DvbDemux : public DemuxSource {
public:
    explicit DvbDemux(int fd) : fd_(fd) {}
    ~DvbDemux() override { close(fd_); }

    int SetFilter(const SectionFilter& f) override
    {
        // The box's record carries no mode bytes: all zero, a plain match.
        struct dmx_sct_filter_params p;
        memset(&p, 0, sizeof p);
        p.pid = f.pid;
        memcpy(p.filter.filter, f.filter, kFilterSize);
        memcpy(p.filter.mask, f.mask, kFilterSize);
        p.timeout = f.timeout;
        p.flags = f.flags;
        return ioctl(fd_, DMX_SET_FILTER, &p);
    }

    int Stop() override { return ioctl(fd_, DMX_STOP); }

    int Read(uint8_t* buf, size_t size) override
    {
        ssize_t n = read(fd_, buf, size);
        return n < 0 ? -1 : static_cast<int>(n);
    }

private:
    int fd_;
};

}  // namespace

std::unique_ptr<DemuxSource> OpenDvbDemux(const char* path)
{
    int fd = BoxOpen(path, O_RDWR);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<DemuxSource>(new DvbDemux(fd));
}
