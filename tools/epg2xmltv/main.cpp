// epg2xmltv: an EPG data file of the plug-in as an XMLTV document.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/epg2xmltv/xmltvwriter.h"

namespace {

const char kUsage[] =
    "usage: epg2xmltv [--charset NAME] [--output FILE] EPGFILE\n"
    "Writes the guide of the EPG data file EPGFILE as XMLTV (UTF-8) to FILE,\n"
    "or to standard output without --output or with --output -.\n"
    "  --charset NAME  character set of the broadcast's texts, any name that\n"
    "                  iconv knows (default ISO-8859-15); bytes that are\n"
    "                  invalid in it become U+FFFD\n"
    "Times: event starts and stops are written as the provider's wall clock\n"
    "with the offset of the file's header. The dates and times of replays are\n"
    "in the local time of the machine that wrote the file: they are read in\n"
    "the time zone of the environment (TZ, as the C library takes it), so\n"
    "run epg2xmltv with the writer's zone, e.g. TZ=Europe/Rome.\n"
    "Replay flags: ST gives <subtitles/>, Ultima replica <last-chance/>,\n"
    "VM <rating system=\"VM\"><value>VM</value></rating>, VO\n"
    "<keyword>original-version</keyword>.\n"
    "Exit status: 0 written, 1 failure, 2 bad usage.\n";

int Usage(const char* problem)
{
    fprintf(stderr, "epg2xmltv: %s\n%s", problem, kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* charset = xmltv::kDefaultCharset;
    const char* output = nullptr;
    const char* input = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        bool hasValue = i + 1 < argc;
        if (strcmp(a, "--help") == 0 || strcmp(a, "-h") == 0) {
            fputs(kUsage, stdout);
            return 0;
        }
        if (strcmp(a, "--charset") == 0 && hasValue) {
            charset = argv[++i];
        } else if ((strcmp(a, "--output") == 0 || strcmp(a, "-o") == 0) && hasValue) {
            output = argv[++i];
        } else if (a[0] == '-' && a[1] != '\0') {
            return Usage((std::string("unknown option or missing value: ") + a).c_str());
        } else if (input) {
            return Usage("give one EPG data file");
        } else {
            input = a;
        }
    }
    if (!input)
        return Usage("no EPG data file given");

    std::string error;
    if (!xmltv::ExportXmltv(input, output, charset, &error)) {
        fprintf(stderr, "epg2xmltv: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
