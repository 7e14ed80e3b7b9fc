#include "boxsim/screen.h"

namespace boxsim {

std::unique_ptr<Screen> makeTerminalScreen()
{
    return nullptr;
}

}  // namespace boxsim
