#include "plugin/diagnostics.h"

#include <cstdio>

#include "host/emessagebox.h"

namespace {
const int kBufferSize = 1000;
const int kErrorBoxFlags = eMessageBox::btOK | eMessageBox::iconWarning;  // 33
}  // namespace

void Log(const char* text)
{
    fputs(text ? text : "", stdout);
    fputc('\n', stdout);
    fflush(stdout);
}

void Log(const char* text, int number)
{
    char buf[kBufferSize];
    snprintf(buf, sizeof buf, "%s %d", text ? text : "", number);
    Log(buf);
}

void Log(const char* text, const char* text2)
{
    char buf[kBufferSize];
    snprintf(buf, sizeof buf, "%s %s", text ? text : "", text2 ? text2 : "");
    Log(buf);
}

void Log(const char* text, const char* text2, const char* text3)
{
    char buf[kBufferSize];
    snprintf(buf, sizeof buf, "%s %s %s", text ? text : "", text2 ? text2 : "", text3 ? text3 : "");
    Log(buf);
}

void myerror(const char* text)
{
    eMessageBox box(text ? text : "", ERROR_BOX_CAPTION, kErrorBoxFlags, 1, 0);
    box.show();
    box.exec();
    box.hide();
}

void myerror(const char* text, int number)
{
    char buf[kBufferSize];
    snprintf(buf, sizeof buf, "%s%d", text ? text : "", number);
    myerror(buf);
}

void myerror(const char* text, const char* text2)
{
    char buf[kBufferSize];
    snprintf(buf, sizeof buf, "%s%s", text ? text : "", text2 ? text2 : "");
    myerror(buf);
}
