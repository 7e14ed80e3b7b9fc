#include "boxsim/keymap.h"

#define NCURSES_WIDECHAR 1
#include <curses.h>

namespace boxsim {

namespace {

const char* nameOfFunctionKey(int ch)
{
    switch (ch) {
    case KEY_UP: return "up";
    case KEY_DOWN: return "down";
    case KEY_LEFT: return "left";
    case KEY_RIGHT: return "right";
    case KEY_PPAGE: return "left";   // page keys page as left and right do
    case KEY_NPAGE: return "right";
    case KEY_ENTER: return "ok";
    case KEY_BACKSPACE: return "exit";
    case KEY_F(1): return "red";
    case KEY_F(2): return "green";
    case KEY_F(3): return "yellow";
    case KEY_F(4): return "blue";
    default: return nullptr;
    }
}

const char* nameOfCharacter(int ch)
{
    switch (ch) {
    case '\n': case '\r': return "ok";
    case 27: case 127: case 8: return "exit";  // Escape, Delete, Ctrl-H
    case 'r': case 'R': return "red";
    case 'g': case 'G': return "green";
    case 'y': case 'Y': return "yellow";
    case 'b': case 'B': return "blue";
    default: return nullptr;
    }
}

}  // namespace

bool keyOfTerminal(int ch, bool function, boxtk::KeyPress& out)
{
    if (!function && ch >= '0' && ch <= '9')
        return boxtk::parseKey(std::string(1, static_cast<char>(ch)), out);
    const char* name = function ? nameOfFunctionKey(ch) : nameOfCharacter(ch);
    return name && boxtk::parseKey(name, out);
}

}  // namespace boxsim
