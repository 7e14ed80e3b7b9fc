// Reads the trace's JSON Lines back: one flat object per line, strings
// turned back into the plug-in's bytes (characters up to U+00FF become one
// byte each).
#ifndef UDOVOR_TESTS_SUPPORT_TRACEJSON_H
#define UDOVOR_TESTS_SUPPORT_TRACEJSON_H

#include <map>
#include <string>
#include <vector>

struct TraceValue {
    enum Kind { String, Number, Bool, Null } kind = Null;
    std::string text;   // String: the bytes; Number: the digits as written
    long long number = 0;
    bool boolean = false;
};

struct TraceLine {
    std::map<std::string, TraceValue> fields;
    bool has(const std::string& name) const { return fields.count(name) != 0; }
    // The field as text ("" when absent) or as a number (0 when absent).
    std::string str(const std::string& name) const;
    long long num(const std::string& name) const;
    bool flag(const std::string& name) const;  // a true Bool
    bool isNull(const std::string& name) const;
    std::string ev() const { return str("ev"); }
};

// False when the line is not one flat JSON object.
bool parseTraceLine(const std::string& line, TraceLine& out);
// Every line of a trace text; a line that does not parse fails the test.
std::vector<TraceLine> parseTrace(const std::string& text);

#endif
