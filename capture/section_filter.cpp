#include "capture/section_filter.h"

SectionFilter MakeSectionFilter(uint16_t pid, uint8_t tableId)
{
    SectionFilter f;
    f.pid = pid;
    f.filter[0] = tableId;
    f.mask[0] = 0xFF;
    f.timeout = kFilterTimeoutMs;
    f.flags = kFilterImmediateStart;
    return f;
}

namespace {

void PutU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v);
}

void PutU32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

}  // namespace

void EncodeBoxFilterRecord(const SectionFilter& f, uint8_t out[kBoxFilterRecordSize])
{
    for (size_t i = 0; i < kBoxFilterRecordSize; ++i)
        out[i] = 0;
    PutU16(out + kBoxFilterPidOffset, f.pid);
    for (int i = 0; i < kFilterSize; ++i) {
        out[kBoxFilterFilterOffset + i] = f.filter[i];
        out[kBoxFilterMaskOffset + i] = f.mask[i];
    }
    PutU32(out + kBoxFilterTimeoutOffset, f.timeout);
    PutU32(out + kBoxFilterFlagsOffset, f.flags);
}

bool SectionMatches(const SectionFilter& f, const uint8_t* section, size_t length)
{
    for (int i = 0; i < kFilterSize; ++i) {
        if (!f.mask[i])
            continue;
        size_t at = i == 0 ? 0 : static_cast<size_t>(i) + 2;
        if (at >= length)
            return false;
        if ((section[at] ^ f.filter[i]) & f.mask[i])
            return false;
    }
    return true;
}
