// A bounds-checked big-endian reader over broadcast bytes. A read past the
// end sets a sticky error and yields 0; every later read fails too, so a
// decoder reads its fields in order and checks ok() once.
#ifndef UDOVOR_CAPTURE_BYTEREADER_H
#define UDOVOR_CAPTURE_BYTEREADER_H

#include <cstddef>
#include <cstdint>

// Days from the Modified Julian Date epoch to 1970-01-01.
const int kMjdUnixEpoch = 40587;
const int kSecondsPerDay = 86400;

// A BCD byte: high nibble tens, low nibble units.
inline int BcdValue(uint8_t b)
{
    return (b >> 4) * 10 + (b & 0x0F);
}

// An MJD date and a BCD hh mm ss time as Unix seconds, in 32-bit signed
// arithmetic as the box computes it.
inline int32_t MjdBcdToUnix(uint16_t mjd, uint32_t bcdTime)
{
    int64_t t = (static_cast<int64_t>(mjd) - kMjdUnixEpoch) * kSecondsPerDay +
                BcdValue(static_cast<uint8_t>(bcdTime >> 16)) * 3600 +
                BcdValue(static_cast<uint8_t>(bcdTime >> 8)) * 60 + BcdValue(static_cast<uint8_t>(bcdTime));
    return static_cast<int32_t>(static_cast<uint32_t>(t));
}

// A BCD hh mm offset as seconds.
inline int BcdOffsetSeconds(uint16_t bcd)
{
    return (BcdValue(static_cast<uint8_t>(bcd >> 8)) * 60 + BcdValue(static_cast<uint8_t>(bcd))) * 60;
}

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}

    bool ok() const { return !error_; }
    size_t pos() const { return pos_; }
    size_t size() const { return size_; }
    size_t remaining() const { return error_ ? 0 : size_ - pos_; }
    const uint8_t* here() const { return data_ + pos_; }

    uint8_t u8() { return need(1) ? data_[pos_++] : 0; }
    uint16_t u16()
    {
        if (!need(2))
            return 0;
        uint16_t v = static_cast<uint16_t>(data_[pos_] << 8 | data_[pos_ + 1]);
        pos_ += 2;
        return v;
    }
    uint32_t u24()
    {
        if (!need(3))
            return 0;
        uint32_t v = static_cast<uint32_t>(data_[pos_]) << 16 | static_cast<uint32_t>(data_[pos_ + 1]) << 8 |
                     data_[pos_ + 2];
        pos_ += 3;
        return v;
    }
    uint32_t u32()
    {
        if (!need(4))
            return 0;
        uint32_t v = static_cast<uint32_t>(data_[pos_]) << 24 | static_cast<uint32_t>(data_[pos_ + 1]) << 16 |
                     static_cast<uint32_t>(data_[pos_ + 2]) << 8 | data_[pos_ + 3];
        pos_ += 4;
        return v;
    }
    // Copies n bytes (no terminator).
    void bytes(uint8_t* out, size_t n)
    {
        if (!need(n)) {
            for (size_t i = 0; i < n; ++i)
                out[i] = 0;
            return;
        }
        for (size_t i = 0; i < n; ++i)
            out[i] = data_[pos_ + i];
        pos_ += n;
    }
    void skip(size_t n)
    {
        if (need(n))
            pos_ += n;
    }
    // A reader over the next n bytes, which this one steps over.
    ByteReader sub(size_t n)
    {
        if (!need(n))
            return ByteReader(nullptr, 0).failed();
        ByteReader r(data_ + pos_, n);
        pos_ += n;
        return r;
    }

    // An MJD date then a BCD time, as Unix seconds.
    int32_t mjdTime()
    {
        uint16_t mjd = u16();
        uint32_t t = u24();
        return ok() ? MjdBcdToUnix(mjd, t) : 0;
    }

private:
    bool need(size_t n)
    {
        if (error_ || n > size_ - pos_) {
            error_ = true;
            return false;
        }
        return true;
    }
    ByteReader failed()
    {
        error_ = true;
        return *this;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool error_ = false;
};

// Bits hi..lo (7..0) of a byte.
inline int Bits(uint8_t b, int hi, int lo)
{
    return (b >> lo) & ((1 << (hi - lo + 1)) - 1);
}

#endif
