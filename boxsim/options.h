// boxsim's command line.
#ifndef UDOVOR_BOXSIM_OPTIONS_H
#define UDOVOR_BOXSIM_OPTIONS_H

#include <string>
#include <vector>

#include "host/standin/runtime.h"

namespace boxsim {

struct Options {
    std::string root;        // empty: paths as they stand
    std::string plugin;      // empty: the one built beside boxsim
    bool haveKeys = false;   // --keys or --keys-file given (even with no key)
    std::vector<boxtk::KeyPress> keys;
    std::string trace;       // empty: none; "-": standard output
    long long clock = -1;    // negative: the real clock
    bool web = true;
    bool help = false;
};

// Parses the arguments after the program name; false with the reason in
// error for bad usage (unknown option, missing value, unknown key name,
// unreadable keys file, bad clock).
bool parseOptions(const std::vector<std::string>& args, Options& out, std::string& error);

// Splits key names at blanks and commas; false with the reason for an
// unknown name.
bool parseKeys(const std::string& text, std::vector<boxtk::KeyPress>& keys, std::string& error);

// A keys file: '#' starts a comment to the end of the line.
std::string stripComments(const std::string& text);

const char* usage();

}  // namespace boxsim

#endif
