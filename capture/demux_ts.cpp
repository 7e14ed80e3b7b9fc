#include "capture/demux_ts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin/boxenv.h"
#include "plugin/diagnostics.h"

namespace {

const char kNotTsText[] = "Not a transport stream: ";

// Large blocks: a full-size recording is tens of MB, read several times per
// capture.
const size_t kBlockPackets = 2048;

// The packets one section can span (a 4096-byte section and its pointer
// field): a pass may need these beyond the file's own packets to complete a
// section that began just before the read's start.
const long kSectionPackets = kMaxSectionSize / 184 + 2;

const size_t kTsHeaderSize = 4;
const uint8_t kStuffingByte = 0xFF;
const size_t kSectionHeaderSize = 3;

class TsReplay : public DemuxSource {
public:
    TsReplay(int fd, long packets, std::string path)
        : fd_(fd), packetCount_(packets), path_(std::move(path)), block_(kBlockPackets * kTsPacketSize)
    {
    }
    ~TsReplay() override { close(fd_); }

    int SetFilter(const SectionFilter& f) override
    {
        filter_ = f;
        active_ = true;
        assembling_ = false;
        lastCc_ = -1;
        pos_ = kTsPacketSize;  // the rest of the current packet was for the old filter
        return 0;
    }

    int Stop() override
    {
        active_ = false;
        return 0;
    }

    int Read(uint8_t* buf, size_t size) override;

private:
    bool NextPacket();
    void Discontinuity()
    {
        assembling_ = false;
        lastCc_ = -1;
    }
    bool StartPacket();
    // Takes bytes of the section being reassembled; returns how many.
    size_t Feed(const uint8_t* p, size_t n);
    void Broken()
    {
        if (!broken_)
            myerror(kNotTsText, path_.c_str());
        broken_ = true;
    }

    int fd_;
    long packetCount_;
    std::string path_;
    bool broken_ = false;
    bool active_ = false;
    SectionFilter filter_;

    std::vector<uint8_t> block_;
    size_t blockPackets_ = 0;
    size_t blockIdx_ = 0;
    off_t filePos_ = 0;
    const uint8_t* pkt_ = nullptr;  // current packet
    size_t pos_ = kTsPacketSize;    // next byte of it to handle
    size_t contEnd_ = 0;            // end of the bytes that continue a section
    bool newSections_ = false;      // sections may start from contEnd_ on

    int lastCc_ = -1;
    bool assembling_ = false;
    bool complete_ = false;
    uint8_t sec_[kMaxSectionSize];
    size_t have_ = 0;
    size_t need_ = 0;  // total length once known, else 0
};

bool TsReplay::NextPacket()
{
    if (blockIdx_ + 1 < blockPackets_) {
        ++blockIdx_;
    } else {
        struct stat st;
        if (fstat(fd_, &st) != 0 || filePos_ >= st.st_size) {
            filePos_ = 0;
            Discontinuity();
        }
        ssize_t n = pread(fd_, block_.data(), block_.size(), filePos_);
        if (n <= 0 || n % static_cast<ssize_t>(kTsPacketSize) != 0) {
            Broken();
            return false;
        }
        filePos_ += n;
        blockPackets_ = static_cast<size_t>(n) / kTsPacketSize;
        blockIdx_ = 0;
    }
    pkt_ = block_.data() + blockIdx_ * kTsPacketSize;
    if (pkt_[0] != kTsSyncByte) {
        Broken();
        return false;
    }
    return true;
}

// Sets pos_, contEnd_ and newSections_ for the packet just loaded; false
// when nothing in it concerns the filter.
bool TsReplay::StartPacket()
{
    const uint8_t* p = pkt_;
    unsigned pid = static_cast<unsigned>(p[1] & 0x1F) << 8 | p[2];
    if (pid != filter_.pid)
        return false;
    if (p[1] & 0x80) {  // transport error: the payload cannot be trusted
        Discontinuity();
        return false;
    }
    bool unitStart = (p[1] & 0x40) != 0;
    int control = (p[3] >> 4) & 0x3;
    int cc = p[3] & 0x0F;
    if (!(control & 0x1))  // no payload; the counter does not move
        return false;
    size_t start = kTsHeaderSize;
    if (control & 0x2)
        start += 1 + p[4];
    if (start >= kTsPacketSize) {
        Discontinuity();
        return false;
    }
    if (lastCc_ >= 0 && cc == lastCc_)  // a repeated packet
        return false;
    if (lastCc_ >= 0 && cc != ((lastCc_ + 1) & 0x0F))
        assembling_ = false;
    lastCc_ = cc;

    if (!unitStart) {
        if (!assembling_)
            return false;
        pos_ = start;
        contEnd_ = kTsPacketSize;
        newSections_ = false;
        return true;
    }
    size_t pointer = p[start];
    pos_ = start + 1;
    contEnd_ = pos_ + pointer;
    if (contEnd_ > kTsPacketSize) {
        Discontinuity();
        return false;
    }
    newSections_ = true;
    return true;
}

size_t TsReplay::Feed(const uint8_t* p, size_t n)
{
    size_t used = 0;
    while (used < n) {
        if (need_ == 0) {
            sec_[have_++] = p[used++];
            if (have_ == kSectionHeaderSize) {
                need_ = kSectionHeaderSize + ((static_cast<size_t>(sec_[1] & 0x0F) << 8) | sec_[2]);
                if (need_ > kMaxSectionSize) {
                    assembling_ = false;  // not a section: nothing more in this packet
                    return n;
                }
            }
        } else {
            size_t take = need_ - have_;
            if (take > n - used)
                take = n - used;
            memcpy(sec_ + have_, p + used, take);
            have_ += take;
            used += take;
        }
        if (need_ != 0 && have_ == need_) {
            assembling_ = false;
            complete_ = true;
            return used;
        }
    }
    return used;
}

int TsReplay::Read(uint8_t* buf, size_t size)
{
    if (broken_ || !active_)
        return -1;
    long packets = 0;
    for (;;) {
        while (pkt_ && pos_ < kTsPacketSize) {
            if (pos_ < contEnd_) {
                if (!assembling_) {
                    pos_ = contEnd_;
                    continue;
                }
                pos_ += Feed(pkt_ + pos_, contEnd_ - pos_);
                if (!complete_ && assembling_ && newSections_ && pos_ == contEnd_)
                    assembling_ = false;  // cut short by the next section's start
            } else if (!newSections_) {
                pos_ = kTsPacketSize;
                continue;
            } else {
                if (!assembling_) {
                    if (pkt_[pos_] == kStuffingByte) {
                        pos_ = kTsPacketSize;
                        continue;
                    }
                    assembling_ = true;
                    have_ = 0;
                    need_ = 0;
                }
                pos_ += Feed(pkt_ + pos_, kTsPacketSize - pos_);
            }
            if (complete_) {
                complete_ = false;
                if (SectionMatches(filter_, sec_, have_)) {
                    size_t n = have_ < size ? have_ : size;
                    memcpy(buf, sec_, n);
                    return static_cast<int>(n);
                }
            }
        }
        if (++packets > packetCount_ + kSectionPackets)
            return -1;
        if (!NextPacket())
            return -1;
        pos_ = kTsPacketSize;
        if (!StartPacket())
            pos_ = kTsPacketSize;
    }
}

}  // namespace

std::unique_ptr<DemuxSource> OpenRecordedStream(const char* path)
{
    int fd = BoxOpen(path, O_RDONLY);
    if (fd < 0)
        return nullptr;
    struct stat st;
    uint8_t first = 0;
    if (fstat(fd, &st) != 0 || st.st_size <= 0 || st.st_size % static_cast<off_t>(kTsPacketSize) != 0 ||
        pread(fd, &first, 1, 0) != 1 || first != kTsSyncByte) {
        close(fd);
        myerror(kNotTsText, path);
        return nullptr;
    }
    return std::unique_ptr<DemuxSource>(
        new TsReplay(fd, static_cast<long>(st.st_size / static_cast<off_t>(kTsPacketSize)), path));
}
