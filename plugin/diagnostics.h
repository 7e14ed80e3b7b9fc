// Progress lines on the console (Log) and the modal error box (myerror).
// Every formatted form builds its text in a 1000-byte buffer of its own; a
// longer text is cut. Texts are never used as format strings.
#ifndef UDOVOR_PLUGIN_DIAGNOSTICS_H
#define UDOVOR_PLUGIN_DIAGNOSTICS_H

#define ERROR_BOX_CAPTION "quindomar"

void Log(const char* text);
void Log(const char* text, int number);                          // "%s %d"
void Log(const char* text, const char* text2);                   // "%s %s"
void Log(const char* text, const char* text2, const char* text3);  // "%s %s %s"

void myerror(const char* text = nullptr);
void myerror(const char* text, int number);         // "%s%d"
void myerror(const char* text, const char* text2);  // "%s%s"

#endif
