// The host's service list, read only to find a channel's identification:
// the line directly above the line that holds the channel's name.
#ifndef UDOVOR_TIMERS_SERVICELIST_H
#define UDOVOR_TIMERS_SERVICELIST_H

#include <cstdio>

#define SERVICE_FILE_KEY "ServiceFileName"
#define SERVICE_FILE_DEFAULT "/var/tuxbox/config/enigma/services"
#define SERVICE_FIELD_SIZE 1000

// The first four ':'-separated fields of an identification line.
struct ServiceIdentity {
    char field[4][SERVICE_FIELD_SIZE];
};

// Splits an identification line (already cut at its line end). A field that
// the line lacks repeats the line's last field.
void SplitIdentityLine(const char* line, ServiceIdentity* out);

// Scans an open service list for a line equal to name, byte for byte (line
// ends cut). On a match, fills out from the line before it and returns true.
// Lines longer than 999 characters are taken in pieces, each a line of its
// own. An empty name never matches.
bool FindServiceIdentity(FILE* f, const char* name, ServiceIdentity* out);

// The lookup in the named service list, with the error boxes of its
// failures: 0 found, 1 no such name, -1 the list cannot be opened.
int LookupService(const char* fileName, const char* name, ServiceIdentity* out);

#endif
