#include "timers/recording.h"

#include <cstring>

#include "plugin/settings.h"

int Wrap32(long long value)
{
    const unsigned long long low = static_cast<unsigned long long>(value) & 0xFFFFFFFFull;
    return low >= 0x80000000ull ? static_cast<int>(static_cast<long long>(low) - 0x100000000ll)
                                : static_cast<int>(low);
}

RecordingInterval MakeRecordingInterval(int start, int minutes, int startOffset, int endOffset, int localOffset)
{
    RecordingInterval r;
    r.begin = Wrap32(static_cast<long long>(start) + startOffset + localOffset);
    r.length = Wrap32(static_cast<long long>(Wrap32(static_cast<long long>(minutes) * 60)) + endOffset - startOffset);
    return r;
}

RecordingInterval ReadRecordingInterval(int start, int minutes)
{
    const int startOffset = ReadINIInt("startOffsetTmr", "0");
    const int endOffset = ReadINIInt("endOffsetTmr", "0");
    const int localOffset = ReadINIInt("localOffset", "0");
    return MakeRecordingInterval(start, minutes, startOffset, endOffset, localOffset);
}

bool TimerClashes(int begin, int length, int b, int d)
{
    const int end = Wrap32(static_cast<long long>(begin) + length);
    const int timerEnd = Wrap32(static_cast<long long>(b) + d);
    return (b < begin && begin < timerEnd) || (b < end && end < timerEnd) || (begin <= b && end >= timerEnd);
}

bool AnyTimerClashes(const std::vector<TimerPair>& timers, int begin, int length)
{
    bool clash = false;
    for (const TimerPair& t : timers)
        clash = TimerClashes(begin, length, t.begin, t.length) || clash;
    return clash;
}

void ChannelNameFromTitle(const char* title, char* out, size_t size)
{
    if (!title)
        title = "";
    const char* name = title;
    if (const char* dot = strchr(title, '.'))
        name = dot[1] ? dot + 2 : dot + 1;
    CopyText(out, name, size);
}

void MapChannelName(const char* name, char* out, size_t size)
{
    if (!name || name[0] == '\0') {
        CopyText(out, "", size);
        return;
    }
    CopyText(out, ReadINIValue(name, name), size);
}
