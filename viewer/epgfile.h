// Reading rules of the EPG data file, shared by every reader: reads of at
// most 999 bytes (a longer line is taken in several reads, each handled as a
// line of its own and each counted for the channel key), dispatch on the
// first byte, values from the third byte on.
#ifndef UDOVOR_VIEWER_EPGFILE_H
#define UDOVOR_VIEWER_EPGFILE_H

#include <cstddef>
#include <cstdio>

#define EPG_LINE_SIZE 1000  // one read: at most 999 bytes and the terminator

class EpgLineReader {
public:
    explicit EpgLineReader(FILE* f) : f_(f) { line_[0] = '\0'; }
    // Reads the next piece; false at the end of the file.
    bool next();
    const char* line() const { return line_; }
    char tag() const { return line_[0]; }
    // Reads taken so far: the number of the current line for the channel key.
    long count() const { return count_; }

private:
    FILE* f_;
    char line_[EPG_LINE_SIZE];
    long count_ = 0;
};

// The text from the third byte up to the first CR or LF, cut to fit out.
void EpgTextValue(const char* line, char* out, size_t size);
// The decimal number from the third byte (blanks skipped, stops at the first
// non-digit, no digits give 0).
int EpgNumberValue(const char* line);
// The channel name of a C line: everything after the first blank found from
// the third byte on, up to the first CR or LF. False when there is no blank.
bool EpgChannelName(const char* line, char* out, size_t size);

#endif
