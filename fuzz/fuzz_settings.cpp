// The settings and label lookup on a fuzzed settings file (labels fall back
// to it when there is no label file).
#include <cstring>
#include <string>

#include "fuzz/common/fuzzcommon.h"
#include "plugin/settings.h"

namespace {

const char* const kKeys[] = {"epgFileName", "channelListPosX", "dvbDevice", "localOffset", "multiEpg",
                             "lbExit",      "LbSun",           "a",         "",           "noThemes"};

// Whether the text holds a line "key=value" (ended by CR, LF or the end).
bool HasLine(const std::string& text, const std::string& key, const std::string& value)
{
    const std::string want = key + "=" + value;
    for (size_t at = text.find(want); at != std::string::npos; at = text.find(want, at + 1)) {
        const bool lineStart = at == 0 || text[at - 1] == '\n';
        const size_t end = at + want.size();
        const bool lineEnd = end == text.size() || text[end] == '\r' || text[end] == '\n' || text[end] == '\0';
        if (lineStart && lineEnd)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Begin();
    fuzz::WriteBoxFile(SETTINGS_FILE, data, size);
    fuzz::RemoveBoxFile(LABEL_FILE);
    const std::string text(reinterpret_cast<const char*>(data), size);

    for (const char* key : kKeys) {
        const std::string value = ReadINIValue(key);
        fuzz::Check(value.size() < 1000, "value fits the area");
        fuzz::Check(value.find_first_of("\r\n") == std::string::npos, "value cut at its line end");
        if (!value.empty())
            fuzz::Check(HasLine(text, key, value), "value comes from a line of its key");
        const std::string withDefault = ReadINIValue(key, "default");
        fuzz::Check(withDefault == (value.empty() ? "default" : value), "default only for an empty value");
        ReadINIInt(key, "7");

        char copy[1000];
        CopyText(copy, withDefault.c_str(), sizeof copy);
        StripEndl(copy);
        StripZero(copy);
    }
    return 0;
}
