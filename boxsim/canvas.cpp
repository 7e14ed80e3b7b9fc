#include "boxsim/canvas.h"

#include "host/standin/runtime.h"

namespace boxsim {

char32_t glyphOf(unsigned char byte)
{
    if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0))
        return U'?';
    return static_cast<char32_t>(byte);
}

std::string toUtf8(char32_t c)
{
    std::string out;
    boxtk::appendUtf8(out, c);
    return out;
}

Canvas::Canvas(int cols, int rows)
    : cols_(cols > 0 ? cols : 0), rows_(rows > 0 ? rows : 0), cells_(static_cast<size_t>(cols_) * rows_)
{
}

void Canvas::setClip(int col, int row, int width, int height)
{
    clipped_ = true;
    clipCol_ = col;
    clipRow_ = row;
    clipCols_ = width;
    clipRows_ = height;
}

void Canvas::clearClip()
{
    clipped_ = false;
}

void Canvas::put(int col, int row, char32_t ch, Style style)
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        return;
    if (clipped_ && (col < clipCol_ || row < clipRow_ || col >= clipCol_ + clipCols_ || row >= clipRow_ + clipRows_))
        return;
    Cell& c = cells_[static_cast<size_t>(row) * cols_ + col];
    c.ch = ch;
    c.style = style;
}

void Canvas::fill(int col, int row, int width, int height, Style style)
{
    for (int r = row; r < row + height; ++r)
        for (int c = col; c < col + width; ++c)
            put(c, r, U' ', style);
}

int Canvas::text(int col, int row, const std::string& bytes, int maxCols, Style style)
{
    int n = 0;
    for (unsigned char b : bytes) {
        if (n >= maxCols)
            break;
        put(col + n++, row, glyphOf(b), style);
    }
    return n;
}

int Canvas::utf8(int col, int row, const std::string& text, int maxCols, Style style)
{
    int n = 0;
    for (size_t i = 0; i < text.size() && n < maxCols;) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        int len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k < len && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += len;
        put(col + n++, row, c, style);
    }
    return n;
}

const Cell& Canvas::at(int col, int row) const
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        return outside_;
    return cells_[static_cast<size_t>(row) * cols_ + col];
}

std::string Canvas::rowText(int row) const
{
    std::string out;
    for (int c = 0; c < cols_; ++c)
        out += toUtf8(at(c, row).ch);
    return out;
}

}  // namespace boxsim
