// The host's service list: the lookup of a channel's identification, for a
// few names and for the text of the file's own second and third lines.
#include <string>
#include <vector>

#include "fuzz/common/fuzzcommon.h"
#include "plugin/boxenv.h"
#include "timers/servicelist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Begin();
    fuzz::WriteBoxFile(SERVICE_FILE_DEFAULT, data, size);

    std::vector<std::string> names{"Canale Brezza", "%s%n%x", ""};
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t at = text.find('\n');
    for (int i = 0; i < 2 && at != std::string::npos; ++i) {
        const size_t end = text.find_first_of("\r\n", at + 1);
        names.push_back(text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1)
                            .substr(0, 999));
        at = text.find('\n', at + 1);
    }
    for (const std::string& name : names) {
        ServiceIdentity id;
        const int r = LookupService(SERVICE_FILE_DEFAULT, name.c_str(), &id);
        fuzz::Check(r == 0 || r == 1, "the list was read");
        if (r == 0)
            for (const char* field : {id.field[0], id.field[1], id.field[2], id.field[3]})
                fuzz::Check(std::string(field).size() < SERVICE_FIELD_SIZE, "field fits");
    }
    return 0;
}
