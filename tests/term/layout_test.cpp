// The pixel-to-cell scale, text wrapping, list rows with a tab, and the
// keyboard's keys.
#include <gtest/gtest.h>

#define NCURSES_WIDECHAR 1
#include <curses.h>

#include <string>
#include <vector>

#include "boxsim/keymap.h"
#include "boxsim/layout.h"

namespace {

using boxsim::fitScale;
using boxsim::listRow;
using boxsim::wrapText;

TEST(Scale, FullSizeAndShrunk)
{
    struct Case {
        int cols, rows;
        double cellWidth, cellHeight;
        int tvCols, tvRows;
        bool tooSmall;
    } cases[] = {
        {90, 37, 8, 16, 90, 36, false},
        {200, 60, 8, 16, 90, 36, false},  // larger: never blown up
        {80, 24, 9, 576.0 / 23, 80, 23, false},
        {60, 20, 12, 576.0 / 19, 60, 19, false},
        {59, 40, 720.0 / 59, 16, 59, 36, true},
        {90, 19, 8, 32, 90, 18, true},
    };
    for (const Case& c : cases) {
        const boxsim::Scale s = fitScale(c.cols, c.rows);
        EXPECT_DOUBLE_EQ(s.cellWidth, c.cellWidth) << c.cols << "x" << c.rows;
        EXPECT_DOUBLE_EQ(s.cellHeight, c.cellHeight) << c.cols << "x" << c.rows;
        EXPECT_EQ(s.tvCols, c.tvCols) << c.cols << "x" << c.rows;
        EXPECT_EQ(s.tvRows, c.tvRows) << c.cols << "x" << c.rows;
        EXPECT_EQ(s.tooSmall, c.tooSmall) << c.cols << "x" << c.rows;
    }
}

TEST(Scale, CellsCoveredByAnArea)
{
    const boxsim::Scale s = fitScale(90, 37);
    EXPECT_EQ(s.col(719), 89);
    EXPECT_EQ(s.row(575), 35);
    EXPECT_EQ(s.cols(75, 530), 66);   // 9 .. 75
    EXPECT_EQ(s.rows(336, 30), 1);    // a button is one row
    EXPECT_EQ(s.rows(20, 30), 2);
    EXPECT_EQ(s.cols(0, 3), 1);       // a sliver still takes a cell
    EXPECT_EQ(s.cols(0, 0), 0);
    EXPECT_EQ(s.rows(0, -40), 0);
}

TEST(Wrap, LinesAndWords)
{
    struct Case {
        const char* text;
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        {"short", 10, {"short"}},
        {"one two three", 7, {"one two", "three"}},
        {"a\nb\r\n\nc", 10, {"a", "b", "", "c"}},
        {"abcdefghij klm", 4, {"abcd", "efgh", "ij", "klm"}},  // a long word is cut
        {"ends in a blank ", 16, {"ends in a blank "}},
        {"", 5, {""}},
        {"x", 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrapText(c.text, c.width), c.lines) << '"' << c.text << "\" in " << c.width;
}

TEST(ListRow, TabStopNearTheRightEdge)
{
    struct Case {
        const char* text;
        int width;
        const char* row;
    } cases[] = {
        {"plain", 20, "plain"},
        {"20:00 | Film \t| 90'", 24, "20:00 | Film    | 90'"},
        {"20:00 | A very long title\t| 90'", 24, "20:00 | A very  | 90'"},
        {"a\tb\tc", 20, "a           b c"},
        {"two\nlines", 20, "two lines"},
        {"narrow\tx", 8, "narrow x"},
        {"cut at the width", 6, "cut at"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(listRow(c.text, c.width), c.row) << '"' << c.text << "\" in " << c.width;
}

TEST(KeyMap, TerminalKeysAsTheRemoteControl)
{
    struct Case {
        int ch;
        bool function;
        const char* name;  // null: not a key of the remote control
    } cases[] = {
        {KEY_UP, true, "up"},       {KEY_DOWN, true, "down"},   {KEY_LEFT, true, "left"},
        {KEY_RIGHT, true, "right"}, {'\n', false, "ok"},        {'\r', false, "ok"},
        {KEY_ENTER, true, "ok"},    {27, false, "exit"},        {KEY_BACKSPACE, true, "exit"},
        {127, false, "exit"},       {KEY_F(1), true, "red"},    {KEY_F(2), true, "green"},
        {KEY_F(3), true, "yellow"}, {KEY_F(4), true, "blue"},   {'r', false, "red"},
        {'g', false, "green"},      {'y', false, "yellow"},     {'b', false, "blue"},
        {'0', false, "0"},          {'9', false, "9"},          {'x', false, nullptr},
        {KEY_F(5), true, nullptr},  {'1', true, nullptr},
    };
    for (const Case& c : cases) {
        boxtk::KeyPress k;
        const bool known = boxsim::keyOfTerminal(c.ch, c.function, k);
        EXPECT_EQ(known, c.name != nullptr) << "key " << c.ch;
        if (known && c.name) {
            EXPECT_EQ(k.name, c.name) << "key " << c.ch;
            const bool digit = c.name[0] >= '0' && c.name[0] <= '9';
            EXPECT_EQ(k.raw, digit) << "key " << c.ch;
            if (digit) {
                EXPECT_EQ(k.code, c.name[0]);
            }
        }
    }
}

}  // namespace
