// An EPG data file as an XMLTV document.
//
//   - One <channel> per channel identifier, with the id "<identifier>.udovor"
//     and the C line's name as display name (a second C line with the same
//     identifier adds no second channel; its events join the first).
//   - One <programme> per event: start and stop from the E line, written as
//     the provider's wall clock with the offset in force at each instant
//     (GC before GT, GN from it on), so that they name the same UTC instant;
//     <title>, <desc> from the summary, <category> from the theme where it
//     is not empty.
//   - Every replay on a channel that a C line names becomes a programme of
//     that channel with the event's texts. Its date and time are wall clock
//     in the local zone of the machine that wrote the file: they are read
//     back in the zone of the environment (TZ), as the C library does. A
//     replay that falls on a programme already there (same channel, same
//     start) adds its flags to it instead of doubling it.
//   - Flags: " - ST" gives <subtitles/>, " - Ultima replica" <last-chance/>,
//     " - VM" (not for minors) <rating system="VM"><value>VM</value>
//     </rating>, " - VO" (original version) <keyword>original-version
//     </keyword>.
//   - Programmes come channel by channel, each channel's by start.
#ifndef UDOVOR_EPG2XMLTV_XMLTVWRITER_H
#define UDOVOR_EPG2XMLTV_XMLTVWRITER_H

#include <cstdint>
#include <cstdio>
#include <string>

#include "tools/epg2xmltv/charset.h"
#include "tools/epg2xmltv/epgdata.h"

namespace xmltv {

const char kChannelIdSuffix[] = ".udovor";

// "YYYYMMDDhhmmss +hhmm": the instant t as the provider's wall clock with
// the offset in force then (UTC when that offset is not whole minutes).
std::string XmltvTime(const ProviderOffsets& o, int64_t t);

// The whole document. False (with errno telling why) when a write failed.
bool WriteXmltv(const EpgData& data, Utf8Converter& conv, FILE* out);

// Reads the EPG data file `inPath` and writes its XMLTV to `outPath`
// (standard output when null or "-"). A file is written beside its target
// and renamed into place once complete. False with `error` set to one line
// ("FILE: what is wrong") on failure.
bool ExportXmltv(const char* inPath, const char* outPath, const char* charset, std::string* error);

}  // namespace xmltv

#endif
