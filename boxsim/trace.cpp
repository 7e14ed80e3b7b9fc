#include "boxsim/trace.h"

#include <string>

namespace boxsim {

void TraceWriter::onEvent(const boxtk::Event& e)
{
    // boxtk::emit serializes observers, so lines never interleave.
    const std::string line = boxtk::toJson(e) + "\n";
    fwrite(line.data(), 1, line.size(), out_);
    fflush(out_);
}

void TraceWriter::flush()
{
    fflush(out_);
}

}  // namespace boxsim
