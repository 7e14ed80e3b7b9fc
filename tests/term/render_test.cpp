// Drawing the shown windows into a canvas of terminal cells: geometry and
// title bars, lists with their cursor in view, buttons in their colours,
// labels, message boxes, Latin-1 texts and the too-small terminal.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "boxsim/canvas.h"
#include "boxsim/render.h"
#include "host/gui.h"
#include "host/standin/runtime.h"

namespace {

using boxsim::Canvas;
using boxsim::Renderer;
using boxsim::Style;

// The channel list's geometry: client area at (75, 100), 530 x 376 pixels;
// at 8 x 16 pixels a cell that is column 9, row 6, 66 x 23 cells.
class Win : public eWindow {
public:
    explicit Win(int entries) : eWindow(1)
    {
        cmove(ePoint(75, 100));
        cresize(eSize(530, 376));
        setText("Channels");
        list = new eListBox<eListBoxEntryText>(this, nullptr, 1, eListBoxEntryText::getEntryHeight(), "eListBox");
        list->move(ePoint(10, 10));
        list->resize(eSize(510, 160));  // 10 rows of cells
        setFocus(list);
        for (int i = 0; i < entries; ++i)
            new eListBoxEntryText(list, ("row " + std::to_string(i)).c_str(), i);
        red = new eButton(this, nullptr, 1, "eButton");
        red->setShortcut("red");
        red->setText("Exit");
        red->move(ePoint(5, 336));
        red->resize(eSize(120, 30));
        label = new eLabel(this, 0, 0, "eLabel");
        label->move(ePoint(10, 240));
        label->resize(eSize(510, 32));
    }
    eListBox<eListBoxEntryText>* list;
    eButton* red;
    eLabel* label;
};

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override { boxtk::reset(); }
    void TearDown() override { boxtk::reset(); }

    // Draws what is shown on a full-size terminal.
    Canvas draw(int cols = boxsim::kFullCols, int rows = boxsim::kFullRows)
    {
        Canvas c(cols, rows);
        renderer.draw(c, boxtk::shownWindows());
        return c;
    }
    // The column of the first cell of a row that holds `text`, -1 if none.
    static int find(const Canvas& c, int row, const std::string& text)
    {
        const std::string line = c.rowText(row);
        const size_t at = line.find(text);
        if (at == std::string::npos)
            return -1;
        int col = 0;  // count characters, not bytes
        for (size_t i = 0; i < at; ++i)
            if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80)
                ++col;
        return col;
    }
    static int rowOf(const Canvas& c, const std::string& text)
    {
        for (int r = 0; r < c.rows(); ++r)
            if (find(c, r, text) >= 0)
                return r;
        return -1;
    }

    Renderer renderer;
};

TEST_F(RenderTest, WindowAtItsPlaceWithTitleBarButtonsAndLabel)
{
    Win w(3);
    w.label->setText("Reading titles...");
    w.show();
    const Canvas c = draw();
    EXPECT_EQ(find(c, 5, "Channels"), 11) << c.rowText(5);
    EXPECT_EQ(c.at(8, 5).ch, U'\u250c');
    EXPECT_EQ(c.at(8, 6).ch, U'\u2502');
    // The list starts at pixel (85, 110): column 10, row 6; the text after
    // a one-cell margin.
    EXPECT_EQ(find(c, 6, "row 0"), 11);
    // The button's caption centred on its row, in its colour.
    const int row = rowOf(c, "Exit");
    ASSERT_EQ(row, (100 + 336 + 15) / 16);
    const int col = find(c, row, "Exit");
    EXPECT_EQ(c.at(col, row).style, Style::Red);
    EXPECT_EQ(c.at(10, row).style, Style::Red);  // the whole button, not only its caption
    EXPECT_EQ(rowOf(c, "Reading titles..."), (100 + 240) / 16);
    EXPECT_EQ(find(c, c.rows() - 1, "F1/r red"), static_cast<int>(std::string(boxsim::kKeyHelp).find("F1/r")));
}

TEST_F(RenderTest, HiddenWindowsAreNotDrawn)
{
    Win w(1);
    w.show();
    w.hide();
    EXPECT_EQ(rowOf(draw(), "Channels"), -1);
}

TEST_F(RenderTest, CurrentEntryIsHighlightedAndScrolledIntoView)
{
    Win w(40);
    w.show();
    Canvas c = draw();
    EXPECT_EQ(c.at(10, 6).style, Style::Current);
    EXPECT_EQ(c.at(10, 7).style, Style::Window);

    // Down to row 25: the list scrolls just far enough to show it on its
    // last visible row, and marks that there is more above and below.
    for (int i = 0; i < 25; ++i)
        w.list->moveCursor(1);
    c = draw();
    const int last = 6 + 9;
    EXPECT_EQ(find(c, last, "row 25"), 11) << c.rowText(last);
    EXPECT_EQ(c.at(10, last).style, Style::Current);
    EXPECT_EQ(find(c, 6, "row 16"), 11);
    EXPECT_NE(find(c, 6, "\u25b2"), -1);
    EXPECT_NE(find(c, last, "\u25bc"), -1);

    // Back up by three: no scrolling while the cursor stays in view.
    for (int i = 0; i < 3; ++i)
        w.list->moveCursor(-1);
    c = draw();
    EXPECT_EQ(find(c, 6, "row 16"), 11);
    EXPECT_EQ(c.at(10, last - 3).style, Style::Current);

    // Jump to the first entry: it comes back to the top.
    w.list->setCurrent(static_cast<eListBoxEntryText*>(w.list->entryAt(0)));
    c = draw();
    EXPECT_EQ(find(c, 6, "row 0"), 11);
    EXPECT_EQ(find(c, 6, "\u25b2"), -1);
}

TEST_F(RenderTest, PartAfterTheTabStartsAtTheSameColumn)
{
    Win w(0);
    new eListBoxEntryText(w.list, "20:00 | A \t| 30'", 0);
    new eListBoxEntryText(w.list, "20:30 | A much longer title \t| 120'", 1);
    w.show();
    const Canvas c = draw();
    const int a = find(c, 6, "| 30'"), b = find(c, 7, "| 120'");
    EXPECT_GT(a, find(c, 6, "A"));
    EXPECT_EQ(a, b);
}

TEST_F(RenderTest, Latin1BytesShowAsTheirCharacters)
{
    Win w(0);
    new eListBoxEntryText(w.list, "Perch\xE9 no? 5 \xA4", 0);
    w.show();
    const Canvas c = draw();
    EXPECT_NE(c.rowText(6).find("Perch\u00e9 no? 5 \u00a4"), std::string::npos) << c.rowText(6);
}

TEST_F(RenderTest, MessageBoxCentredWithWrappedTextAndFocusedButton)
{
    Win w(2);
    w.show();
    const std::string longLine =
        "Registrazione non possibile a causa di altri eventi gia' programmati da tempo, purtroppo!";
    eMessageBox box("First line\n" + longLine, "quindomar", 28, 1, 0);
    box.show();
    box.focusedButton = 1;  // No
    const Canvas c = draw();

    const int title = rowOf(c, "quindomar");
    ASSERT_GE(title, 0);
    const int first = rowOf(c, "First line");
    EXPECT_EQ(first, title + 2);  // a blank row, then the text
    // The long line is broken at a blank and goes on on the next row.
    EXPECT_EQ(find(c, first + 1, "Registrazione"), find(c, first, "First line"));
    EXPECT_NE(find(c, first + 2, "purtroppo!"), -1);
    // Centred: as many cells left of the frame as right of it.
    const std::string top = c.rowText(title);
    const int left = find(c, title, "\u250c");
    const int right = find(c, title, "\u2510");
    EXPECT_LE(std::abs(left - (boxsim::kFullCols - 1 - right)), 1) << top;

    const int buttons = rowOf(c, "Yes");
    EXPECT_GT(buttons, first + 2);
    EXPECT_NE(find(c, buttons, "[ Yes ]"), -1) << c.rowText(buttons);
    const int no = find(c, buttons, "> No <");
    ASSERT_NE(no, -1) << c.rowText(buttons);
    EXPECT_EQ(c.at(no + 2, buttons).style, Style::Focused);
    EXPECT_EQ(find(c, buttons, "OK"), -1);  // flags 28 have no OK button
    box.hide();
}

TEST_F(RenderTest, SmallerTerminalScalesTheWindowsDown)
{
    Win w(3);
    w.show();
    const Canvas c = draw(80, 24);  // 9 x 25 pixels a cell
    // Pixel (75, 100) is in column 8, row 3; the title bar above it.
    EXPECT_EQ(find(c, 2, "Channels"), 10) << c.rowText(2);
    EXPECT_NE(rowOf(c, "Exit"), -1);
    EXPECT_NE(find(c, 23, "Enter OK"), -1);
}

TEST_F(RenderTest, FarTooSmallTerminalSaysSo)
{
    Win w(3);
    w.show();
    const Canvas c = draw(40, 12);
    EXPECT_EQ(rowOf(c, "Channels"), -1);
    std::string all;
    for (int r = 0; r < c.rows(); ++r)
        all += c.rowText(r) + " ";
    EXPECT_NE(all.find("too small (40 x 12)"), std::string::npos) << all;
    EXPECT_NE(all.find("at least 60 x 20"), std::string::npos) << all;
}

}  // namespace
