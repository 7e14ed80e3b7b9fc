// The trace: every toolkit event as one JSON line, flushed line by line so
// that a session ended early still leaves a whole trace.
#ifndef UDOVOR_BOXSIM_TRACE_H
#define UDOVOR_BOXSIM_TRACE_H

#include <cstdio>

#include "host/standin/runtime.h"

namespace boxsim {

class TraceWriter : public boxtk::Observer {
public:
    explicit TraceWriter(FILE* out) : out_(out) {}
    void onEvent(const boxtk::Event& e) override;
    void flush();

private:
    FILE* out_;
};

}  // namespace boxsim

#endif
