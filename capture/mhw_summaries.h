// The broadcaster's summary carousel: one section per programme, with up to
// a few further showings (replays) and the text. Sections on the same PID
// and table id without the three 0xFF bytes are something else and skipped.
#ifndef UDOVOR_CAPTURE_MHW_SUMMARIES_H
#define UDOVOR_CAPTURE_MHW_SUMMARIES_H

#include <cstddef>
#include <cstdint>

#include "capture/capture_data.h"

const uint16_t kSummaryPid = 0x00D3;
const uint8_t kSummaryTableId = 0x90;
const size_t kSummaryProgramIdOffset = 3;
const size_t kSummaryMarkOffset = 7;
const size_t kSummaryMarkSize = 3;
const uint8_t kSummaryMarkByte = 0xFF;
const size_t kSummaryReplayCountOffset = 10;
const size_t kSummaryHeaderSize = 11;  // also the length of the end mark
const size_t kReplaySize = 7;

const uint8_t kReplaySubtitlesBit = 0x01;
const uint8_t kReplayVmBit = 0x10;
const uint8_t kReplayVoBit = 0x20;
const uint8_t kReplayLastBit = 0x80;

// Longer than the header and carrying the three 0xFF bytes.
bool IsSummarySection(const uint8_t* section, size_t length);

// Fills a record from a summary section: programme id, replays (at most
// kMaxReplays, and only those wholly inside the section; times converted to
// the box's time base) and the text from behind the replay list up to the
// first zero byte or the section's end, each line feed a blank. The text
// is allocated here; -1 when that fails, 0 otherwise.
int DecodeSummarySection(const uint8_t* section, size_t length, const TimeOffsets& offsets,
                         SummaryRecord* out);

#endif
