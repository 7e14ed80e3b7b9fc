// The host's timer list: one five-line entry appended per recording, and the
// (begin, length) pairs of every entry read back to find clashes.
#ifndef UDOVOR_TIMERS_TIMERLIST_H
#define UDOVOR_TIMERS_TIMERLIST_H

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "timers/servicelist.h"

#define TIMER_FILE_KEY "TimerFileName"
#define TIMER_FILE_DEFAULT "/var/tuxbox/config/enigma/timer.epl"

struct TimerPair {
    int begin;   // seconds, on the scale of the event start times
    int length;  // seconds
};

// The pairs of an open timer list, in file order: each "#DURATION" line with
// the "#TIME_BEGIN" value in force. A "#DURATION" before any "#TIME_BEGIN"
// has no begin to pair with and yields nothing.
std::vector<TimerPair> ReadTimerPairs(FILE* f);

// The named list's pairs into out: 0, or -1 after the error box when it
// cannot be opened (out is then empty).
int ScanTimerList(const char* fileName, std::vector<TimerPair>* out);

// The five lines of an entry, each ended by a line feed.
std::string FormatTimerEntry(const ServiceIdentity& id, const char* title, int begin, int length);

// Appends the entry in one write, on a line of its own when the list does not
// end with a line feed. 0 when written; -1 after the error box when the list
// cannot be opened or the entry not written whole (the list is then cut back
// to its former length).
int AppendTimerEntry(const char* fileName, const ServiceIdentity& id, const char* title, int begin, int length);

// The write of the append; returns the bytes written. Tests put a failing
// one in its place (null restores the real one).
using TimerWriteFn = size_t (*)(const void* data, size_t size, FILE* f);
void SetTimerWriteFn(TimerWriteFn fn);

#endif
