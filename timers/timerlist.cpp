#include "timers/timerlist.h"

#include <cstring>
#include <unistd.h>

#include "plugin/boxenv.h"
#include "plugin/diagnostics.h"
#include "plugin/settings.h"

namespace {

const size_t kLineSize = 1000;
const char kBeginTag[] = "#TIME_BEGIN";  // value from the 13th character
const char kDurationTag[] = "#DURATION";  // value from the 11th character

size_t RealWrite(const void* data, size_t size, FILE* f)
{
    return fwrite(data, 1, size, f);
}

TimerWriteFn g_write = RealWrite;

bool HasTag(const char* line, const char* tag, size_t tagLen)
{
    return strncmp(line, tag, tagLen) == 0;
}

// The number from the given offset, or 0 when the line is shorter.
int ValueAt(const char* line, size_t offset)
{
    return strlen(line) >= offset ? TextToInt(line + offset) : 0;
}

// Whether the list ends with a line feed; an empty or unreadable list
// counts as ending with one.
bool EndsWithNewline(const char* fileName)
{
    FILE* f = BoxFopen(fileName, "rb");
    if (!f)
        return true;
    bool result = true;
    if (fseek(f, -1, SEEK_END) == 0)
        result = fgetc(f) == '\n';
    fclose(f);
    return result;
}

}  // namespace

std::vector<TimerPair> ReadTimerPairs(FILE* f)
{
    std::vector<TimerPair> pairs;
    if (!f)
        return pairs;
    char line[kLineSize];
    bool haveBegin = false;
    int begin = 0;
    while (fgets(line, sizeof line, f)) {
        if (HasTag(line, kBeginTag, sizeof kBeginTag - 1)) {
            begin = ValueAt(line, 12);
            haveBegin = true;
        } else if (HasTag(line, kDurationTag, sizeof kDurationTag - 1)) {
            const int length = ValueAt(line, 10);
            if (haveBegin)
                pairs.push_back(TimerPair{begin, length});
        }
    }
    return pairs;
}

int ScanTimerList(const char* fileName, std::vector<TimerPair>* out)
{
    out->clear();
    FILE* f = BoxFopen(fileName, "rb");
    if (!f) {
        myerror("Cannot open timer file:", fileName);
        return -1;
    }
    *out = ReadTimerPairs(f);
    fclose(f);
    return 0;
}

std::string FormatTimerEntry(const ServiceIdentity& id, const char* title, int begin, int length)
{
    // Fields 1, 3, 4, 2 without their leading zeros; a field of zeros only
    // stays "0" rather than vanishing from the reference.
    std::string fields[4];
    const int order[4] = {0, 2, 3, 1};
    for (int i = 0; i < 4; ++i) {
        char f[SERVICE_FIELD_SIZE];
        CopyText(f, id.field[order[i]], sizeof f);
        const bool hadDigits = f[0] != '\0';
        StripZero(f);
        fields[i] = (f[0] == '\0' && hadDigits) ? "0" : f;
    }
    char numbers[2][16];
    snprintf(numbers[0], sizeof numbers[0], "%d", begin);
    snprintf(numbers[1], sizeof numbers[1], "%d", length);

    std::string e = "#SERVICE: 1:0:1:";
    for (const std::string& field : fields)
        e += field + ":";
    e += "0:0:0:\n#DESCRIPTION: /";
    e += title ? title : "";
    e += "\n#TYPE 44\n#TIME_BEGIN ";
    e += numbers[0];
    e += "\n#DURATION ";
    e += numbers[1];
    e += "\n";
    return e;
}

int AppendTimerEntry(const char* fileName, const ServiceIdentity& id, const char* title, int begin, int length)
{
    const bool endsWithNewline = EndsWithNewline(fileName);
    FILE* f = BoxFopen(fileName, "ab");
    if (!f) {
        myerror("Cannot open timer file:", fileName);
        return -1;
    }
    long formerSize = -1;
    if (fseek(f, 0, SEEK_END) == 0)
        formerSize = ftell(f);
    std::string data = FormatTimerEntry(id, title, begin, length);
    if (!endsWithNewline)
        data.insert(0, "\n");
    const bool written = g_write(data.data(), data.size(), f) == data.size();
    const bool flushed = fflush(f) == 0;
    const bool closed = fclose(f) == 0;
    if (written && flushed && closed)
        return 0;

    // Leave no half entry behind for the host to read.
    if (formerSize >= 0 && truncate(BoxPath(fileName).c_str(), formerSize) != 0)
        Log("Cannot restore timer file:", fileName);
    myerror("Cannot write timer file:", fileName);
    return -1;
}

void SetTimerWriteFn(TimerWriteFn fn)
{
    g_write = fn ? fn : RealWrite;
}
