#include "viewer/detailstext.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

const char* OrEmpty(const char* s)
{
    return s ? s : "";
}

}  // namespace

int FormatText(char* out, size_t size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int n = vsnprintf(out, size, format, args);
    va_end(args);
    return n;
}

void MakeDetailsText(char* out, size_t size, const char* themeLabel, const char* theme,
                     const char* durationLabel, int duration, const char* summary, const char* last)
{
    if (!out || size == 0)
        return;
    themeLabel = OrEmpty(themeLabel);
    theme = OrEmpty(theme);
    durationLabel = OrEmpty(durationLabel);
    summary = OrEmpty(summary);
    last = OrEmpty(last);

    char minutes[16];
    snprintf(minutes, sizeof minutes, "%d", duration);
    // Everything but the theme and the summary: the two colons, the line
    // feeds, the minutes mark.
    const size_t fixed = strlen(themeLabel) + 1 + 1 + strlen(durationLabel) + 1 + strlen(minutes) + 1 + 2 + 2 +
                         strlen(last);
    const size_t room = size - 1;
    size_t themeLen = strlen(theme);
    size_t summaryLen = strlen(summary);
    if (fixed <= room) {
        const size_t free = room - fixed;
        if (themeLen > free)
            themeLen = free;
        if (summaryLen > free - themeLen)
            summaryLen = free - themeLen;
    } else {
        // Labels and last paragraph too long by themselves: snprintf cuts the end.
        themeLen = 0;
        summaryLen = 0;
    }
    snprintf(out, size, "%s:%.*s\n%s:%s'\n\n%.*s\n\n%s", themeLabel, static_cast<int>(themeLen), theme, durationLabel,
             minutes, static_cast<int>(summaryLen), summary, last);
}
