#include "plugin/settings.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plugin/boxenv.h"

namespace {

const size_t kValueArea = 256;   // at most 255 characters and the terminator
const size_t kResultArea = 1000;
const size_t kLineBuffer = 1000;  // reads of at most 999 characters

char g_value[kValueArea];
char g_result[kResultArea];

bool IsLabelKey(const char* key)
{
    return key[0] == 'l' && key[1] == 'b';
}

// Reads the next piece of a line: at most size - 1 bytes, up to and
// including a line feed. Counts the bytes itself, so that a zero byte in a
// line cannot hide where it ends. False at the end of the file.
bool ReadPiece(FILE* f, char* line, size_t size, size_t* len, bool* complete)
{
    size_t n = 0;
    int c = 0;
    while (n < size - 1 && (c = getc(f)) != EOF) {
        line[n++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    line[n] = '\0';
    if (n == 0)
        return false;
    *len = n;
    *complete = line[n - 1] == '\n';
    if (!*complete) {
        c = getc(f);
        if (c == EOF)
            *complete = true;
        else
            ungetc(c, f);
    }
    return true;
}

// Scans one open file for the key. A line longer than one read is skipped
// whole, so that no piece of it can be taken for a line of its own and match
// wrongly; so is a line whose value would not fit the value area.
void ScanFile(FILE* f, const char* key)
{
    char line[kLineBuffer];
    const size_t keyLen = strlen(key);
    bool continuation = false;
    size_t len = 0;
    bool complete = false;
    while (ReadPiece(f, line, sizeof line, &len, &complete)) {
        const bool piece = continuation;
        continuation = !complete;
        if (piece || !complete)
            continue;
        if (line[0] == '#')
            continue;
        const char* eq = static_cast<const char*>(memchr(line, '=', len));
        if (!eq)
            continue;
        if (static_cast<size_t>(eq - line) != keyLen || memcmp(line, key, keyLen) != 0)
            continue;
        const char* value = eq + 1;
        const char* end = line + len;
        size_t valueLen = 0;
        while (value + valueLen < end && value[valueLen] != '\r' && value[valueLen] != '\n')
            ++valueLen;
        if (valueLen >= kValueArea)
            continue;
        memcpy(g_value, value, valueLen);
        g_value[valueLen] = '\0';
    }
}

}  // namespace

char* ReadINIValue(const char* key)
{
    g_value[0] = '\0';
    if (!key)
        return g_value;
    FILE* f = nullptr;
    if (IsLabelKey(key))
        f = BoxFopen(LABEL_FILE, "r");
    if (!f)
        f = BoxFopen(SETTINGS_FILE, "r");
    if (!f)
        return g_value;
    ScanFile(f, key);
    fclose(f);
    return g_value;
}

char* ReadINIValue(const char* key, const char* def)
{
    const char* value = ReadINIValue(key);
    CopyText(g_result, value[0] ? value : (def ? def : ""), sizeof g_result);
    return g_result;
}

int TextToInt(const char* text)
{
    if (!text)
        return 0;
    errno = 0;
    long v = strtol(text, nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

int ReadINIInt(const char* key, const char* def)
{
    return TextToInt(ReadINIValue(key, def));
}

char* StripEndl(char* text)
{
    if (!text)
        return text;
    for (char* p = text; *p; ++p) {
        if (*p == '\r' || *p == '\n') {
            *p = '\0';
            break;
        }
    }
    return text;
}

char* StripZero(char* text)
{
    if (!text)
        return text;
    size_t n = 0;
    while (text[n] == '0')
        ++n;
    if (n > 0)
        memmove(text, text + n, strlen(text + n) + 1);
    return text;
}

void CopyText(char* dst, const char* src, unsigned long size)
{
    if (!dst || size == 0)
        return;
    if (!src)
        src = "";
    size_t n = strnlen(src, size - 1);
    memcpy(dst, src, n);
    dst[n] = '\0';
}
