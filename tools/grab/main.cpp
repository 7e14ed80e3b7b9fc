// udovor-grab: the plug-in's capture of the broadcaster's guide, without a
// screen, on a DVB adapter's demux device or a recorded transport stream.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plugin/boxenv.h"
#include "tools/grab/grab.h"

namespace {

const unsigned kDefaultBound = 600;

const char kUsage[] =
    "usage: udovor-grab [--device PATH] [--output FILE] [--xmltv FILE] [--no-themes]\n"
    "                   [--no-summaries] [--charset NAME] [--timeout SECONDS]\n"
    "Captures one turn of the guide carousels from the tuned transponder and\n"
    "writes the plug-in's EPG data file; progress and errors go to standard error.\n"
    "  --device PATH      demux device (default /dev/dvb/adapter0/demux0), or a\n"
    "                     recorded MPEG transport stream file, replayed in a loop\n"
    "  --output FILE      EPG data file (default epg.dat; with --xmltv alone none\n"
    "                     is kept)\n"
    "  --xmltv FILE       also write the guide as XMLTV (- for standard output),\n"
    "                     as epg2xmltv does; --charset as there (default ISO-8859-15)\n"
    "  --no-themes        do not read the theme table (no categories)\n"
    "  --no-summaries     do not read the summaries (no descriptions, no replays)\n"
    "  --timeout SECONDS  give up after this long (default 600)\n"
    "Replay times are written in the local time zone (TZ).\n"
    "Exit status: 0 done, 1 failed (nothing written), 2 bad usage,\n"
    "3 written without the themes or summaries asked for.\n";

int Usage(const std::string& problem)
{
    fprintf(stderr, "udovor-grab: %s\n%s", problem.c_str(), kUsage);
    return kGrabUsage;
}

bool ParseNumber(const char* s, long long min, long long* out)
{
    char* end = nullptr;
    errno = 0;
    long long v = strtoll(s, &end, 10);
    if (end == s || *end != '\0' || errno != 0 || v < min)
        return false;
    *out = v;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    GrabOptions o;
    long long bound = kDefaultBound;
    long long clock = -1;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (a == "--help" || a == "-h") {
            fputs(kUsage, stdout);
            return kGrabDone;
        } else if (a == "--no-themes") {
            o.noThemes = true;
        } else if (a == "--no-summaries") {
            o.noSummaries = true;
        } else if (!value) {
            return Usage("unknown option or missing value: " + a);
        } else if (a == "--device") {
            o.device = value;
            ++i;
        } else if (a == "--output" || a == "-o") {
            o.output = value;
            ++i;
        } else if (a == "--xmltv") {
            o.xmltv = value;
            ++i;
        } else if (a == "--charset") {
            o.charset = value;
            ++i;
        } else if (a == "--timeout") {
            if (!ParseNumber(value, 1, &bound) || bound > 86400)
                return Usage("--timeout takes seconds from 1 to 86400");
            ++i;
        } else if (a == "--clock") {
            // Not in the help: the box clock of a test, in Unix seconds, so
            // that a capture can be compared with the plug-in's.
            if (!ParseNumber(value, 0, &clock))
                return Usage("--clock takes Unix seconds");
            ++i;
        } else {
            return Usage("unknown option: " + a);
        }
    }
    if (o.output == "-")
        return Usage("the EPG data file cannot go to standard output");

    udovor_sim_setup(nullptr, 0, clock);
    BoundRun(static_cast<unsigned>(bound));
    return RunGrab(o, GrabConsole());
}
