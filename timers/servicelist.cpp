#include "timers/servicelist.h"

#include <cstring>

#include "plugin/boxenv.h"
#include "plugin/diagnostics.h"
#include "plugin/settings.h"

namespace {

const size_t kLineSize = 1000;

}  // namespace

void SplitIdentityLine(const char* line, ServiceIdentity* out)
{
    if (!out)
        return;
    if (!line)
        line = "";
    const char* p = line;
    int n = 0;
    while (n < 4) {
        const char* colon = strchr(p, ':');
        size_t len = colon ? static_cast<size_t>(colon - p) : strlen(p);
        if (len > SERVICE_FIELD_SIZE - 1)
            len = SERVICE_FIELD_SIZE - 1;
        memcpy(out->field[n], p, len);
        out->field[n][len] = '\0';
        ++n;
        if (!colon)
            break;
        p = colon + 1;
    }
    for (int i = n; i < 4; ++i)
        CopyText(out->field[i], out->field[n - 1], SERVICE_FIELD_SIZE);
}

bool FindServiceIdentity(FILE* f, const char* name, ServiceIdentity* out)
{
    if (!f || !name || name[0] == '\0')
        return false;
    char current[kLineSize] = "";
    char previous[kLineSize] = "";
    while (true) {
        memcpy(previous, current, sizeof previous);
        if (!fgets(current, sizeof current, f))
            return false;
        StripEndl(current);
        if (strcmp(current, name) == 0)
            break;
    }
    SplitIdentityLine(previous, out);
    return true;
}

int LookupService(const char* fileName, const char* name, ServiceIdentity* out)
{
    FILE* f = BoxFopen(fileName, "r");
    if (!f) {
        myerror("Cannot open services file:", fileName);
        return -1;
    }
    const bool found = FindServiceIdentity(f, name, out);
    fclose(f);
    if (!found) {
        myerror("Cannot find channel in service table: ", name);
        return 1;
    }
    return 0;
}
