#include "capture/mhw_channels.h"

#include <cstdio>
#include <cstring>

#include "capture/bytereader.h"

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

void StripTrailingSpace(char* text)
{
    if (!text)
        return;
    size_t n = strlen(text);
    while (n > 0 && IsSpace(text[n - 1]))
        --n;
    text[n] = '\0';
}

uint32_t ChannelRecordCount(int readLength)
{
    return (static_cast<uint32_t>(readLength) - static_cast<uint32_t>(kChannelHeaderSize)) /
           static_cast<uint32_t>(kChannelRecordSize);
}

int DecodeChannelSection(const uint8_t* section, size_t length, ChannelSlot slots[kChannelSlots],
                         uint32_t* count)
{
    uint32_t n = ChannelRecordCount(static_cast<int>(length));
    *count = n;
    if (n > static_cast<uint32_t>(kMaxChannels))
        return -1;
    ByteReader r(section, length);
    r.skip(kChannelHeaderSize);
    for (uint32_t i = 0; i < n; ++i) {
        ByteReader rec = r.sub(kChannelRecordSize);
        rec.skip(kChannelServiceIdOffset);
        uint16_t sid = rec.u16();
        uint8_t name[kChannelNameKept];
        rec.bytes(name, kChannelNameKept);
        if (!rec.ok())
            return -1;  // cannot happen: the count comes from the length
        memcpy(slots[i].name, name, kChannelNameKept);
        slots[i].name[kChannelNameKept] = '\0';
        StripTrailingSpace(slots[i].name);
        snprintf(slots[i].id, sizeof slots[i].id, "%d", sid);
    }
    return 0;
}

void DecodeThemeSection(const uint8_t* section, size_t length, char themes[kThemeSlots][kThemeNameSize])
{
    if (length < kThemeNamesOffset + kThemeNameBytes)
        return;
    size_t names = (length - kThemeNamesOffset) / kThemeNameBytes;
    int slot = 0;
    int group = 0;
    for (size_t j = 0; j < names; ++j) {
        if (group < kThemeGroups && section[kThemeGroupsOffset + group] == j) {
            // Up to the next multiple of 16; past the last group this
            // reaches the end of the table instead of wrapping round.
            slot = (slot + 15) & ~15;
            ++group;
        }
        if (slot >= kThemeSlots)
            break;
        const uint8_t* name = section + kThemeNamesOffset + j * kThemeNameBytes;
        memcpy(themes[slot], name, kThemeNameBytes);
        themes[slot][kThemeNameBytes] = '\0';
        StripTrailingSpace(themes[slot]);
        ++slot;
    }
}
