// Settings and label lookup: key=value lines in two small text files, read
// afresh on every lookup, each lookup naming its built-in default.
#ifndef UDOVOR_PLUGIN_SETTINGS_H
#define UDOVOR_PLUGIN_SETTINGS_H

#define SETTINGS_FILE "/var/korvadel/tivumo.conf"
#define LABEL_FILE "/var/korvadel/tivumo_lang.conf"

// The value of the key's last line, or the empty text. Keys beginning with
// "lb" are looked up in the label file (the settings file when there is no
// label file); all others in the settings file. Returns a shared area that
// the next lookup overwrites.
char* ReadINIValue(const char* key);

// As above, the default when the value is empty. Shared area too.
char* ReadINIValue(const char* key, const char* def);

// The lookup read as a base-10 integer: leading blanks skipped, an optional
// sign, digits up to the first non-digit; no digits give 0.
int ReadINIInt(const char* key, const char* def);

// A text read as the lookups read numbers.
int TextToInt(const char* text);

// Cut at the first carriage return or line feed.
char* StripEndl(char* text);
// Drop the leading '0' characters in place.
char* StripZero(char* text);

// Copy at most size-1 bytes and always terminate (size > 0).
void CopyText(char* dst, const char* src, unsigned long size);

#endif
