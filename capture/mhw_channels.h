// The broadcaster's channel name table (one section) and theme table (one
// section), both on the summary PID.
#ifndef UDOVOR_CAPTURE_MHW_CHANNELS_H
#define UDOVOR_CAPTURE_MHW_CHANNELS_H

#include <cstddef>
#include <cstdint>

#include "capture/capture_data.h"

const uint16_t kMhwTablePid = 0x00D3;
const uint8_t kChannelTableId = 0x91;
const uint8_t kThemeTableId = 0x92;

const size_t kChannelHeaderSize = 4;
const size_t kChannelRecordSize = 22;
const size_t kChannelServiceIdOffset = 4;  // within a record
const size_t kChannelNameOffset = 6;
const size_t kChannelNameKept = 15;

const size_t kThemeGroupsOffset = 3;
const int kThemeGroups = 16;
const size_t kThemeNamesOffset = kThemeGroupsOffset + kThemeGroups;  // 19
const size_t kThemeNameBytes = 15;

// Cuts trailing white space (blank, tab, LF, VT, FF, CR) in place.
void StripTrailingSpace(char* text);

// The record count a channel section of this read length claims, computed
// as the box does: an unsigned 32-bit division, so a read shorter than the
// header gives a huge count.
uint32_t ChannelRecordCount(int readLength);

// Fills slots 0.. from a channel section. -1 (nothing filled) when the
// section claims more than kMaxChannels records; *count gets the claimed
// count either way.
int DecodeChannelSection(const uint8_t* section, size_t length, ChannelSlot slots[kChannelSlots],
                         uint32_t* count);

// Puts the names of a theme section at their theme ids. Names that would
// land beyond the last slot are dropped; slots it does not reach keep what
// they hold.
void DecodeThemeSection(const uint8_t* section, size_t length, char themes[kThemeSlots][kThemeNameSize]);

#endif
