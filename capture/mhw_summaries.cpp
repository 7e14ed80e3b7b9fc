#include "capture/mhw_summaries.h"

#include <new>

#include "capture/bytereader.h"

bool IsSummarySection(const uint8_t* section, size_t length)
{
    if (!section || length <= kSummaryHeaderSize)
        return false;
    for (size_t i = 0; i < kSummaryMarkSize; ++i)
        if (section[kSummaryMarkOffset + i] != kSummaryMarkByte)
            return false;
    return true;
}

int DecodeSummarySection(const uint8_t* section, size_t length, const TimeOffsets& offsets,
                         SummaryRecord* out)
{
    if (!IsSummarySection(section, length))
        return 0;
    ByteReader r(section, length);
    r.skip(kSummaryProgramIdOffset);
    out->programId = r.u32();
    r.skip(kSummaryMarkSize);
    int n = r.u8();

    int kept = 0;
    for (int i = 0; i < n && kept < kMaxReplays; ++i) {
        ByteReader e = r.sub(kReplaySize);
        uint8_t channel = e.u8();
        int32_t t = e.mjdTime();
        uint8_t flags = e.u8();
        if (!e.ok())
            break;
        out->replayChannel[kept] = static_cast<uint8_t>(channel - 1);
        out->replayTime[kept] = static_cast<int32_t>(ToBoxTime(offsets, t));
        out->subtitles[kept] = (flags & kReplaySubtitlesBit) ? 1 : 0;
        out->vm[kept] = (flags & kReplayVmBit) ? 1 : 0;
        out->vo[kept] = (flags & kReplayVoBit) ? 1 : 0;
        out->lastReplay[kept] = (flags & kReplayLastBit) ? 1 : 0;
        ++kept;
    }
    out->replayCount = static_cast<uint8_t>(kept);

    size_t t = kSummaryHeaderSize + kReplaySize * static_cast<size_t>(n);
    size_t end = t;
    while (end < length && section[end] != 0)
        ++end;
    size_t textLength = end > t ? end - t : 0;
    out->text.reset(new (std::nothrow) char[textLength + 1]);
    if (!out->text)
        return -1;
    for (size_t i = 0; i < textLength; ++i) {
        char c = static_cast<char>(section[t + i]);
        out->text[i] = c == '\n' ? ' ' : c;
    }
    out->text[textLength] = '\0';
    return 0;
}
