// The texts of the listing window: rows, titles and the details box.
#ifndef UDOVOR_VIEWER_DETAILSTEXT_H
#define UDOVOR_VIEWER_DETAILSTEXT_H

#include <cstddef>

// snprintf into a buffer of the window, cut to fit: the cut is intended.
int FormatText(char* out, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));

// "%s:%s\n%s:%d'\n\n%s\n\n%s" from the theme label, the theme, the duration
// label, the minutes, the summary and the last paragraph, in out (size
// bytes). When it would not fit, the summary is cut first and then the
// theme, so that the labels, the duration and the last paragraph stay whole.
void MakeDetailsText(char* out, size_t size, const char* themeLabel, const char* theme,
                     const char* durationLabel, int duration, const char* summary, const char* last);

#endif
