// How the TV picture of 720 x 576 pixels maps onto the terminal's cells, and
// how texts are laid out in them: wrapped message texts and list rows with a
// tab stop.
#ifndef UDOVOR_BOXSIM_LAYOUT_H
#define UDOVOR_BOXSIM_LAYOUT_H

#include <string>
#include <vector>

namespace boxsim {

constexpr int kTvWidth = 720;
constexpr int kTvHeight = 576;
// At full size a cell stands for 8 x 16 pixels: 90 x 36 cells, and one more
// row for the key help.
constexpr int kCellWidth = 8;
constexpr int kCellHeight = 16;
constexpr int kFullCols = kTvWidth / kCellWidth;
constexpr int kFullRows = kTvHeight / kCellHeight + 1;
// Below this the windows cannot be read any more.
constexpr int kMinCols = 60;
constexpr int kMinRows = 20;

struct Scale {
    double cellWidth = kCellWidth;    // pixels per cell
    double cellHeight = kCellHeight;
    int tvCols = kFullCols;           // cells of the TV picture
    int tvRows = kFullRows - 1;
    bool tooSmall = false;

    int col(int x) const;  // the cell that holds the pixel
    int row(int y) const;
    // Cells covered from x to x + w (at least one when w > 0).
    int cols(int x, int w) const;
    int rows(int y, int h) const;
};

// The scale for a terminal of the given size: full size when it fits,
// shrunk evenly along each axis when it does not.
Scale fitScale(int termCols, int termRows);

// The text's lines cut to at most width bytes: line feeds honoured,
// carriage returns dropped, long lines broken at the last blank that fits
// (a word longer than the width is cut).
std::vector<std::string> wrapText(const std::string& text, int width);

// A list row of at most width bytes: the part after a tab starts at the
// tab stop near the right edge (the part before it cut to leave a blank);
// line feeds and further tabs show as blanks.
std::string listRow(const std::string& text, int width);

// Columns kept for the part of a list row after its tab.
constexpr int kTabTail = 8;

}  // namespace boxsim

#endif
