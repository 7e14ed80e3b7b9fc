#include "tools/grab/console.h"

#include <unistd.h>

#include "plugin/diagnostics.h"

Console::Console(FILE* out) : out_(out), tty_(isatty(fileno(out)) == 1) {}

void Console::EndCount()
{
    if (counting_ && tty_)
        fputc('\n', out_);
    counting_ = false;
}

void Console::Line(const std::string& text)
{
    EndCount();
    printed_ = -1;
    fprintf(out_, "udovor-grab: %s\n", text.c_str());
    fflush(out_);
}

void Console::Count(const char* what, int n)
{
    if (tty_) {
        fprintf(out_, "\r  %s: %d", what, n);
        fflush(out_);
        counting_ = true;
    } else if (n % kCountStep == 0) {
        fprintf(out_, "  %s: %d\n", what, n);
        fflush(out_);
        printed_ = n;
    }
}

void Console::Total(const char* what, int n)
{
    if (tty_) {
        fprintf(out_, "\r  %s: %d\n", what, n);
    } else if (n != printed_) {
        fprintf(out_, "  %s: %d\n", what, n);
    }
    counting_ = false;
    printed_ = -1;
    fflush(out_);
}

Console& GrabConsole()
{
    static Console console(stderr);
    return console;
}

std::string OneLine(const char* text)
{
    std::string s;
    for (const char* p = text ? text : ""; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\n' || c == '\r' || c == '\t')
            s += ' ';
        else
            s += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// The capture's diagnostics in a program without a screen: a console line
// for each, nothing modal.
void Log(const char* text)
{
    GrabConsole().Line(OneLine(text));
}

void Log(const char* text, int number)
{
    GrabConsole().Line(OneLine(text) + " " + std::to_string(number));
}

void Log(const char* text, const char* text2)
{
    GrabConsole().Line(OneLine(text) + " " + OneLine(text2));
}

void Log(const char* text, const char* text2, const char* text3)
{
    GrabConsole().Line(OneLine(text) + " " + OneLine(text2) + " " + OneLine(text3));
}

void myerror(const char* text)
{
    GrabConsole().Line("error: " + OneLine(text));
}

void myerror(const char* text, int number)
{
    GrabConsole().Line("error: " + OneLine(text) + " " + std::to_string(number));
}

void myerror(const char* text, const char* text2)
{
    GrabConsole().Line("error: " + OneLine(text) + " " + OneLine(text2));
}
