// The keyboard as the remote control: which terminal key stands for which
// key of the box.
#ifndef UDOVOR_BOXSIM_KEYMAP_H
#define UDOVOR_BOXSIM_KEYMAP_H

#include "host/standin/runtime.h"

namespace boxsim {

// A key read from the terminal: a character, or with `function` set an
// ncurses key code (KEY_UP, KEY_F(1), ...). False for keys that stand for
// nothing on the remote control.
bool keyOfTerminal(int ch, bool function, boxtk::KeyPress& out);

}  // namespace boxsim

#endif
