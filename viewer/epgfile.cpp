#include "viewer/epgfile.h"

#include <cstring>

#include "plugin/settings.h"

bool EpgLineReader::Fill()
{
    pos_ = 0;
    end_ = f_ ? fread(block_.get(), 1, kBlockSize, f_) : 0;
    return end_ > 0;
}

// At most 999 bytes, up to and including a line feed; zero bytes are taken
// like any other.
bool EpgLineReader::next()
{
    size_t n = 0;
    while (n < sizeof line_ - 1) {
        if (pos_ == end_ && !Fill())
            break;
        size_t want = sizeof line_ - 1 - n;
        if (want > end_ - pos_)
            want = end_ - pos_;
        const char* from = block_.get() + pos_;
        const char* lf = static_cast<const char*>(memchr(from, '\n', want));
        const size_t take = lf ? static_cast<size_t>(lf - from) + 1 : want;
        memcpy(line_ + n, from, take);
        n += take;
        pos_ += take;
        if (lf)
            break;
    }
    line_[n] = '\0';
    if (n == 0)
        return false;
    ++count_;
    return true;
}

namespace {

// The line from its third byte, or the empty text for a line shorter than two.
const char* FromThird(const char* line)
{
    if (!line || line[0] == '\0' || line[1] == '\0')
        return "";
    return line + 2;
}

void CopyUntilEol(const char* from, char* out, size_t size)
{
    if (!out || size == 0)
        return;
    size_t n = strcspn(from, "\r\n");
    if (n > size - 1)
        n = size - 1;
    memcpy(out, from, n);
    out[n] = '\0';
}

}  // namespace

void EpgTextValue(const char* line, char* out, size_t size)
{
    CopyUntilEol(FromThird(line), out, size);
}

int EpgNumberValue(const char* line)
{
    return TextToInt(FromThird(line));
}

bool EpgChannelName(const char* line, char* out, size_t size)
{
    const char* blank = strchr(FromThird(line), ' ');
    if (!blank) {
        if (out && size)
            out[0] = '\0';
        return false;
    }
    CopyUntilEol(blank + 1, out, size);
    return true;
}
