// Reading rules of the EPG data file, shared by every reader: reads of at
// most 999 bytes (a longer line is taken in several reads, each handled as a
// line of its own and each counted for the channel key), dispatch on the
// first byte, values from the third byte on.
#ifndef UDOVOR_VIEWER_EPGFILE_H
#define UDOVOR_VIEWER_EPGFILE_H

#include <cstddef>
#include <cstdio>
#include <memory>

#define EPG_LINE_SIZE 1000  // one read: at most 999 bytes and the terminator

// Takes the pieces exactly as fgets into a 1000-byte buffer would, but
// fetches the file in large blocks of its own: the readers go through
// megabytes a line at a time.
class EpgLineReader {
public:
    explicit EpgLineReader(FILE* f) : f_(f), block_(new char[kBlockSize]) { line_[0] = '\0'; }
    // Reads the next piece; false at the end of the file.
    bool next();
    const char* line() const { return line_; }
    char tag() const { return line_[0]; }
    // Reads taken so far: the number of the current line for the channel key.
    long count() const { return count_; }

private:
    static const size_t kBlockSize = 16 * 1024;
    bool Fill();

    FILE* f_;
    std::unique_ptr<char[]> block_;
    size_t pos_ = 0;  // next byte of the block to hand out
    size_t end_ = 0;  // bytes in the block
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
