#include "viewer/epgfile.h"

#include <cstring>

#include "plugin/settings.h"

bool EpgLineReader::next()
{
    if (!f_ || !fgets(line_, sizeof line_, f_)) {
        line_[0] = '\0';
        return false;
    }
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
