// The interactive terminal session: a screen is told of every toolkit event
// (it may walk boxtk::shownWindows() and the widget trees to draw) and is
// the key source that reads the keyboard.
#ifndef UDOVOR_BOXSIM_SCREEN_H
#define UDOVOR_BOXSIM_SCREEN_H

#include <memory>

#include "host/standin/runtime.h"

namespace boxsim {

class Screen : public boxtk::Observer, public boxtk::KeySource {
public:
    ~Screen() override = default;
    // Takes over the terminal; false when it cannot.
    virtual bool start() = 0;
    // Gives the terminal back as it was.
    virtual void stop() = 0;
};

// The terminal screen, or null while none is built in.
std::unique_ptr<Screen> makeTerminalScreen();

}  // namespace boxsim

#endif
