// The rules of programming a recording: its interval, the clash with the
// timers already in the host's list, and the channel name searched for in
// the host's service list.
#ifndef UDOVOR_TIMERS_RECORDING_H
#define UDOVOR_TIMERS_RECORDING_H

#include <cstddef>
#include <vector>

#include "timers/timerlist.h"

struct RecordingInterval {
    int begin;   // seconds
    int length;  // seconds
};

// The value wrapped to signed 32 bits, as the box's int arithmetic gives it.
int Wrap32(long long value);

// begin = start + startOffset + localOffset; length = minutes * 60 +
// endOffset - startOffset; each wrapped to 32 bits.
RecordingInterval MakeRecordingInterval(int start, int minutes, int startOffset, int endOffset, int localOffset);
// The same with "startOffsetTmr", "endOffsetTmr" and "localOffset" read now.
RecordingInterval ReadRecordingInterval(int start, int minutes);

// Whether the interval clashes with the timer (b, d): it starts or ends
// strictly inside the timer, or covers it. Ends are wrapped to 32 bits.
bool TimerClashes(int begin, int length, int b, int d);
bool AnyTimerClashes(const std::vector<TimerPair>& timers, int begin, int length);

// The channel name of a channel title "N. name": the text after the first
// '.', less the character that follows it. A title without '.' is the name
// as a whole; one that ends at the '.' gives the empty name.
void ChannelNameFromTitle(const char* title, char* out, size_t size);

// The name as the settings map it: the value of the setting whose key is the
// name, or the name itself.
void MapChannelName(const char* name, char* out, size_t size);

#endif
