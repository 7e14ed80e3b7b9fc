// A grid of character cells that the screen is drawn into before it goes to
// the terminal, so that drawing can be checked without a terminal.
#ifndef UDOVOR_BOXSIM_CANVAS_H
#define UDOVOR_BOXSIM_CANVAS_H

#include <string>
#include <vector>

namespace boxsim {

enum class Style {
    Blank,      // outside the TV picture
    Tv,         // the TV picture behind the windows
    Window,     // a window's client area
    Title,      // a window's title bar
    Border,
    Current,    // the list's current entry
    Red, Green, Yellow, Blue,  // buttons of the colour keys
    Button,     // a button without a colour key
    Focused,    // the focused button of a message box
    Help,       // the key help line
    HelpKey,    // a key name in the help line
    Warning,    // the too-small message
};

struct Cell {
    char32_t ch = U' ';
    Style style = Style::Blank;
};

// The character that a byte of the plug-in's texts stands for: bytes are
// Latin-1; control bytes (C0 and C1) show as '?'.
char32_t glyphOf(unsigned char byte);

class Canvas {
public:
    Canvas(int cols, int rows);
    int cols() const { return cols_; }
    int rows() const { return rows_; }

    // Cells outside the canvas, or outside the clip rectangle while one is
    // set, are ignored by every drawing call.
    void setClip(int col, int row, int width, int height);
    void clearClip();
    void put(int col, int row, char32_t ch, Style style);
    void fill(int col, int row, int width, int height, Style style);
    // The bytes of a Latin-1 text from (col, row), at most maxCols cells;
    // returns the number of cells drawn.
    int text(int col, int row, const std::string& bytes, int maxCols, Style style);
    // Characters of a UTF-8 text (for the screen's own texts).
    int utf8(int col, int row, const std::string& text, int maxCols, Style style);

    const Cell& at(int col, int row) const;
    // A row's characters as UTF-8 (tests, plain captures).
    std::string rowText(int row) const;

private:
    int cols_, rows_;
    std::vector<Cell> cells_;
    Cell outside_;
    bool clipped_ = false;
    int clipCol_ = 0, clipRow_ = 0, clipCols_ = 0, clipRows_ = 0;
};

std::string toUtf8(char32_t ch);

}  // namespace boxsim

#endif
