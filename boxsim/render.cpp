#include "boxsim/render.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "host/ebutton.h"
#include "host/elabel.h"
#include "host/elistbox.h"
#include "host/emessagebox.h"
#include "host/ewindow.h"

namespace boxsim {

const char kKeyHelp[] = "Arrows move  Enter OK  Esc/BS exit  F1/r red  F2/g green  F3/y yellow  F4/b blue  0-9";

namespace {

const int kBoxTextCols = 64;

Style colourStyle(const std::string& colour)
{
    if (colour == "red")
        return Style::Red;
    if (colour == "green")
        return Style::Green;
    if (colour == "yellow")
        return Style::Yellow;
    if (colour == "blue")
        return Style::Blue;
    return Style::Button;
}

// A frame: the title bar above the client area, sides and bottom around it.
void drawFrame(Canvas& c, int col, int row, int width, int height, const std::string& title)
{
    // The title bar is a line as well, so that it shows without colours.
    c.put(col - 1, row - 1, U'\u250c', Style::Title);
    for (int k = col; k < col + width; ++k)
        c.put(k, row - 1, U'\u2500', Style::Title);
    c.put(col + width, row - 1, U'\u2510', Style::Title);
    if (!title.empty() && width > 4) {
        c.put(col + 1, row - 1, U' ', Style::Title);
        const int n = c.text(col + 2, row - 1, title, width - 4, Style::Title);
        c.put(col + 2 + n, row - 1, U' ', Style::Title);
    }
    for (int r = row; r < row + height; ++r) {
        c.put(col - 1, r, U'\u2502', Style::Border);
        c.put(col + width, r, U'\u2502', Style::Border);
    }
    c.put(col - 1, row + height, U'\u2514', Style::Border);
    for (int k = col; k < col + width; ++k)
        c.put(k, row + height, U'\u2500', Style::Border);
    c.put(col + width, row + height, U'\u2518', Style::Border);
    c.fill(col, row, width, height, Style::Window);
}

void drawHelp(Canvas& c)
{
    const int row = c.rows() - 1;
    c.fill(0, row, c.cols(), 1, Style::Help);
    const std::string help = kKeyHelp;
    c.utf8(0, row, help, c.cols(), Style::Help);
    // The colour keys in their colours.
    const struct {
        const char* word;
        Style style;
    } colours[] = {{"red", Style::Red}, {"green", Style::Green}, {"yellow", Style::Yellow}, {"blue", Style::Blue}};
    for (const auto& k : colours) {
        const size_t at = help.find(k.word);
        if (at != std::string::npos)
            c.utf8(static_cast<int>(at), row, k.word, c.cols() - static_cast<int>(at), k.style);
    }
}

void drawTooSmall(Canvas& c)
{
    char text[200];
    snprintf(text, sizeof text,
             "The terminal is too small (%d x %d). Make it at least %d x %d; %d x %d shows the TV picture at full size.",
             c.cols(), c.rows(), kMinCols, kMinRows, kFullCols, kFullRows);
    const std::vector<std::string> lines = wrapText(text, std::max(1, c.cols() - 2));
    const int top = std::max(0, (c.rows() - 1 - static_cast<int>(lines.size())) / 2);
    for (size_t i = 0; i < lines.size(); ++i)
        c.text(1, top + static_cast<int>(i), lines[i], c.cols() - 1, Style::Warning);
}

}  // namespace

void Renderer::draw(Canvas& c, const std::vector<eWindow*>& windows)
{
    c.clearClip();
    c.fill(0, 0, c.cols(), c.rows(), Style::Blank);
    const Scale s = fitScale(c.cols(), c.rows());
    seen_.clear();
    if (s.tooSmall) {
        drawTooSmall(c);
    } else {
        c.fill(0, 0, s.tvCols, s.tvRows, Style::Tv);
        for (eWindow* w : windows) {
            if (w->isMessageBox())
                drawMessageBox(c, s, static_cast<const eMessageBox*>(w));
            else
                drawWindow(c, s, w);
        }
    }
    c.clearClip();
    drawHelp(c);
    // Forget the lists that are gone: a new list may come at the same address.
    for (auto it = tops_.begin(); it != tops_.end();)
        it = seen_.count(it->first) ? std::next(it) : tops_.erase(it);
}

void Renderer::drawWindow(Canvas& c, const Scale& s, eWindow* w)
{
    const ePoint p = w->getClientPosition();
    const eSize z = w->getClientSize();
    const int col = s.col(p.x), row = s.row(p.y);
    const int width = s.cols(p.x, z.w), height = s.rows(p.y, z.h);
    c.clearClip();
    drawFrame(c, col, row, width, height, w->getText());
    c.setClip(col, row, width, height);
    drawChildren(c, s, w, w, p.x, p.y);
    c.clearClip();
}

void Renderer::drawChildren(Canvas& c, const Scale& s, eWindow* w, const eWidget* parent, int px, int py)
{
    for (const eWidget* child : parent->getChildren()) {
        const int x = px + child->getPosition().x, y = py + child->getPosition().y;
        const eSize z = child->getSize();
        const int col = s.col(x), width = s.cols(x, z.w);
        if (const eListBoxBase* list = dynamic_cast<const eListBoxBase*>(child)) {
            drawList(c, s, list, x, y);
        } else if (const eButton* b = dynamic_cast<const eButton*>(child)) {
            const Style style = colourStyle(b->getShortcut());
            const int row = s.row(y + z.h / 2);
            c.fill(col, row, width, 1, style);
            std::string caption = b->getText();
            if (w->getFocus() == child)
                caption = ">" + caption + "<";
            const int len = std::min(static_cast<int>(caption.size()), width);
            c.text(col + (width - len) / 2, row, caption, len, style);
        } else if (dynamic_cast<const eLabel*>(child)) {
            const std::vector<std::string> lines = wrapText(child->getText(), width);
            const int rows = s.rows(y, z.h);
            for (int i = 0; i < rows && i < static_cast<int>(lines.size()); ++i)
                c.text(col, s.row(y) + i, lines[i], width, Style::Window);
        }
        drawChildren(c, s, w, child, x, y);
    }
}

void Renderer::drawList(Canvas& c, const Scale& s, const eListBoxBase* list, int x, int y)
{
    const int col = s.col(x), row = s.row(y);
    const int width = s.cols(x, list->getSize().w), rows = s.rows(y, list->getSize().h);
    if (rows <= 0 || width <= 0)
        return;
    const int count = list->getCount(), current = list->getCurrentIndex();
    int& top = tops_[list];
    seen_[list] = 1;
    if (current >= 0 && current < top)
        top = current;
    if (current >= top + rows)
        top = current - rows + 1;
    top = std::max(0, std::min(top, count - rows));
    for (int i = 0; i < rows && top + i < count; ++i) {
        const int index = top + i;
        const Style style = index == current ? Style::Current : Style::Window;
        c.fill(col, row + i, width, 1, style);
        if (index == current)
            c.put(col, row + i, U'>', style);  // seen without colours too
        c.text(col + 1, row + i, listRow(list->entryAt(index)->getText(), width - 2), width - 2, style);
    }
    // Marks on the right edge when there is more above or below.
    if (top > 0)
        c.put(col + width - 1, row, U'\u25b2', Style::Border);
    if (top + rows < count)
        c.put(col + width - 1, row + rows - 1, U'\u25bc', Style::Border);
}

void Renderer::drawMessageBox(Canvas& c, const Scale& s, const eMessageBox* box)
{
    const struct {
        int bit;
        const char* caption;
    } kinds[] = {{eMessageBox::btOK, "OK"}, {eMessageBox::btYes, "Yes"}, {eMessageBox::btNo, "No"}};
    std::vector<std::string> buttons;
    for (const auto& k : kinds)
        if (box->getFlags() & k.bit)
            buttons.push_back(k.caption);
    int buttonCols = 0;
    for (const std::string& b : buttons)
        buttonCols += static_cast<int>(b.size()) + 4 + 2;

    const int textCols = std::max(10, std::min(kBoxTextCols, s.tvCols - 8));
    std::vector<std::string> lines = wrapText(box->getMessage(), textCols);
    const int maxLines = std::max(1, s.tvRows - 6);
    if (static_cast<int>(lines.size()) > maxLines)
        lines.resize(maxLines);
    int inner = std::max({20, static_cast<int>(box->getCaption().size()) + 2, buttonCols});
    for (const std::string& l : lines)
        inner = std::max(inner, static_cast<int>(l.size()));
    inner = std::min(inner, s.tvCols - 4);
    const int width = inner + 2;  // a blank on either side
    const int height = static_cast<int>(lines.size()) + 4;  // blank, text, blank, buttons, blank
    const int col = std::max(1, (s.tvCols - width) / 2);
    const int row = std::max(1, (s.tvRows - height) / 2);

    c.clearClip();
    drawFrame(c, col, row, width, height - 1, box->getCaption());
    c.setClip(col, row, width, height - 1);
    for (size_t i = 0; i < lines.size(); ++i)
        c.text(col + 1, row + 1 + static_cast<int>(i), lines[i], inner, Style::Window);
    int bcol = col + (width - buttonCols + 2) / 2;
    const int brow = row + height - 2;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const bool focused = static_cast<int>(i) == box->focusedButton;
        const std::string label = (focused ? "> " : "[ ") + buttons[i] + (focused ? " <" : " ]");
        bcol += c.text(bcol, brow, label, static_cast<int>(label.size()), focused ? Style::Focused : Style::Button) + 2;
    }
    c.clearClip();
}

}  // namespace boxsim
