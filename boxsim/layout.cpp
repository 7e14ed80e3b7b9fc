#include "boxsim/layout.h"

#include <algorithm>
#include <cmath>

namespace boxsim {

int Scale::col(int x) const
{
    return static_cast<int>(std::floor(x / cellWidth));
}

int Scale::row(int y) const
{
    return static_cast<int>(std::floor(y / cellHeight));
}

int Scale::cols(int x, int w) const
{
    if (w <= 0)
        return 0;
    return std::max(1, col(x + w) - col(x));
}

int Scale::rows(int y, int h) const
{
    if (h <= 0)
        return 0;
    return std::max(1, row(y + h) - row(y));
}

Scale fitScale(int termCols, int termRows)
{
    Scale s;
    const int tvRowsAvailable = termRows - 1;  // the last row is the key help
    s.tooSmall = termCols < kMinCols || termRows < kMinRows;
    if (termCols < kFullCols && termCols > 0)
        s.cellWidth = static_cast<double>(kTvWidth) / termCols;
    if (tvRowsAvailable < kFullRows - 1 && tvRowsAvailable > 0)
        s.cellHeight = static_cast<double>(kTvHeight) / tvRowsAvailable;
    s.tvCols = std::min(kFullCols, std::max(0, termCols));
    s.tvRows = std::min(kFullRows - 1, std::max(0, tvRowsAvailable));
    return s;
}

namespace {

void wrapLine(const std::string& line, int width, std::vector<std::string>& out)
{
    size_t pos = 0;
    const size_t w = static_cast<size_t>(width);
    while (line.size() - pos > w) {
        size_t cut = line.rfind(' ', pos + w);
        if (cut == std::string::npos || cut <= pos) {
            out.push_back(line.substr(pos, w));
            pos += w;
            continue;
        }
        out.push_back(line.substr(pos, cut - pos));
        pos = cut + 1;
    }
    out.push_back(line.substr(pos));
}

}  // namespace

std::vector<std::string> wrapText(const std::string& text, int width)
{
    std::vector<std::string> out;
    if (width <= 0)
        return out;
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            wrapLine(line, width, out);
            line.clear();
        } else {
            line += c == '\t' ? ' ' : c;
        }
    }
    wrapLine(line, width, out);
    return out;
}

std::string listRow(const std::string& text, int width)
{
    if (width <= 0)
        return std::string();
    std::string head = text, tail;
    const size_t tab = text.find('\t');
    const bool hasTab = tab != std::string::npos;
    if (hasTab) {
        head = text.substr(0, tab);
        tail = text.substr(tab + 1);
    }
    for (std::string* part : {&head, &tail})
        std::replace_if(part->begin(), part->end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    std::string row;
    if (!hasTab || width <= kTabTail + 1) {
        row = hasTab ? head + " " + tail : head;
    } else {
        const size_t stop = static_cast<size_t>(width - kTabTail);
        if (head.size() > stop - 1)
            head.resize(stop - 1);
        row = head + std::string(stop - head.size(), ' ') + tail;
    }
    if (row.size() > static_cast<size_t>(width))
        row.resize(width);
    return row;
}

}  // namespace boxsim
