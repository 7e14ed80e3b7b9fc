// A guide from a small text description, one item per line (the format is
// documented in tools/README.md):
//   tot T | tot YYYY-MM-DD HH:MM:SS
//   offset CCC REGION +HH:MM YYYY-MM-DD HH:MM:SS +HH:MM
//   start DAY HH
//   channel SID NAME
//   theme ID NAME
//   event CH THEME DAY HH:MM DUR PID TITLE
//   summary PID TEXT
//   replay PID CH YYYY-MM-DD HH:MM:SS FLAGS
// Blank lines and lines whose first non-blank byte is '#' are skipped.
#ifndef UDOVOR_STREAMGEN_DESCRIBE_H
#define UDOVOR_STREAMGEN_DESCRIBE_H

#include <cstdint>
#include <string>

#include "tools/streamgen/guide.h"

namespace streamgen {

// Fills `guide` from the text. `defaultTime` is the TOT's time when no tot
// line is given. On a bad line returns false and sets `error` to
// "line N: what is wrong".
bool ParseDescription(const std::string& text, int64_t defaultTime, Guide* guide, std::string* error);

}  // namespace streamgen

#endif
