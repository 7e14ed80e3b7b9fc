// What the grabber tells on standard error: one line per stage, running
// counts (rewritten in place on a terminal, every kCountStep otherwise) and
// one line per error. The capture's Log and myerror end up here too.
#ifndef UDOVOR_GRAB_CONSOLE_H
#define UDOVOR_GRAB_CONSOLE_H

#include <cstdio>
#include <string>

const int kCountStep = 5000;

class Console {
public:
    explicit Console(FILE* out);
    // "udovor-grab: text"
    void Line(const std::string& text);
    // "  what: n", while a stage runs.
    void Count(const char* what, int n);
    // The final count of a stage, always shown.
    void Total(const char* what, int n);

private:
    void EndCount();

    FILE* out_;
    bool tty_;
    bool counting_ = false;  // a count stands on the terminal's last line
    int printed_ = -1;       // the count last printed as a line of its own
};

// The console that Log and myerror of the capture write to (standard error
// until a grab sets its own).
Console& GrabConsole();

// A broadcast or system text as one line: line feeds become blanks,
// control bytes are shown as '?', trailing blanks are cut.
std::string OneLine(const char* text);

#endif
