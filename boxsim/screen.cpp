// The terminal screen: ncurses draws the canvas that the renderer fills from
// the shown windows, and the keyboard stands in for the remote control.
//
// The plug-in's console lines would scribble over the picture, so standard
// output goes to an unlinked temporary file while the screen is up and is replayed on
// the terminal when it is given back.
#include "boxsim/screen.h"

#ifdef BOXSIM_HAVE_CURSES

#define NCURSES_WIDECHAR 1
#include <curses.h>
#include <langinfo.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "boxsim/canvas.h"
#include "boxsim/keymap.h"
#include "boxsim/render.h"

namespace boxsim {
namespace {

// Fills while a list is loaded come in hundreds of events: draw them at
// most this often.
const auto kFillRedrawEvery = std::chrono::milliseconds(100);
const int kEscDelayMs = 50;

struct Look {
    short fg, bg;
    attr_t attr;
    attr_t mono;  // without colours
};

// Indexed by Style.
const Look kLooks[] = {
    {-1, -1, A_NORMAL, A_NORMAL},                   // Blank
    {-1, -1, A_NORMAL, A_NORMAL},                   // Tv
    {COLOR_BLACK, COLOR_WHITE, A_NORMAL, A_NORMAL}, // Window
    {COLOR_WHITE, COLOR_BLUE, A_BOLD, A_REVERSE},   // Title
    {COLOR_CYAN, -1, A_NORMAL, A_NORMAL},           // Border
    {COLOR_WHITE, COLOR_BLACK, A_BOLD, A_REVERSE},  // Current
    {COLOR_WHITE, COLOR_RED, A_BOLD, A_BOLD},       // Red
    {COLOR_BLACK, COLOR_GREEN, A_NORMAL, A_BOLD},   // Green
    {COLOR_BLACK, COLOR_YELLOW, A_NORMAL, A_BOLD},  // Yellow
    {COLOR_WHITE, COLOR_BLUE, A_BOLD, A_BOLD},      // Blue
    {COLOR_BLACK, COLOR_CYAN, A_NORMAL, A_NORMAL},  // Button
    {COLOR_WHITE, COLOR_BLACK, A_BOLD, A_REVERSE},  // Focused
    {COLOR_BLACK, COLOR_WHITE, A_NORMAL, A_REVERSE},// Help
    {COLOR_BLUE, COLOR_WHITE, A_BOLD, A_REVERSE},   // HelpKey
    {COLOR_YELLOW, -1, A_BOLD, A_BOLD},             // Warning
};

// What a cell shows where the terminal cannot show the character.
char asciiOf(char32_t c)
{
    switch (c) {
    case U'\u2502': return '|';
    case U'\u2500': return '-';
    case U'\u250c': case U'\u2510': case U'\u2514': case U'\u2518': return '+';
    case U'\u25b2': return '^';
    case U'\u25bc': return 'v';
    default: return c < 0x80 ? static_cast<char>(c) : '?';
    }
}

class TerminalScreen : public Screen {
public:
    ~TerminalScreen() override { stop(); }

    bool start() override
    {
        setlocale(LC_CTYPE, "");
        utf8_ = strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
        fflush(stdout);
        const int ttyFd = dup(STDOUT_FILENO);
        if (ttyFd < 0)
            return false;
        tty_ = fdopen(ttyFd, "w");
        if (!tty_) {
            close(ttyFd);
            return false;
        }
        screen_ = newterm(nullptr, tty_, stdin);
        if (!screen_) {
            fclose(tty_);
            tty_ = nullptr;
            return false;
        }
        set_term(screen_);
        cbreak();
        noecho();
        keypad(stdscr, TRUE);
        set_escdelay(kEscDelayMs);
        curs_set(0);
        colours_ = has_colors();
        if (colours_) {
            start_color();
            use_default_colors();
            for (size_t i = 0; i < sizeof kLooks / sizeof kLooks[0]; ++i)
                init_pair(static_cast<short>(i + 1), kLooks[i].fg, kLooks[i].bg);
        }
        redirectConsole();
        gui_ = std::this_thread::get_id();
        started_ = true;
        redraw();
        return true;
    }

    void stop() override
    {
        if (!started_)
            return;
        started_ = false;
        endwin();
        delscreen(screen_);
        screen_ = nullptr;
        fclose(tty_);
        tty_ = nullptr;
        restoreConsole();
    }

    bool next(boxtk::KeyPress& key) override
    {
        if (!started_)
            return false;
        redraw();
        int failures = 0;
        for (;;) {
            wint_t ch = 0;
            const int kind = get_wch(&ch);
            if (kind == ERR) {
                // A closed or broken terminal: no more keys.
                if (++failures > 3)
                    return false;
                continue;
            }
            failures = 0;
            const bool function = kind == KEY_CODE_YES;
            if (function && ch == KEY_RESIZE) {
                redraw();
                continue;
            }
            if (keyOfTerminal(static_cast<int>(ch), function, key))
                return true;
        }
    }

    void onEvent(const boxtk::Event& e) override
    {
        // The web stand-in reports from its own thread; only the GUI thread
        // may walk the windows and draw.
        if (!started_ || std::this_thread::get_id() != gui_)
            return;
        if (e.ev == "http" || e.ev == "key" || e.ev == "widget")
            return;
        if (e.ev == "entry" && std::chrono::steady_clock::now() - lastDraw_ < kFillRedrawEvery)
            return;
        redraw();
    }

private:
    void redraw()
    {
        int rows = 0, cols = 0;
        getmaxyx(stdscr, rows, cols);
        Canvas canvas(cols, rows);
        renderer_.draw(canvas, boxtk::shownWindows());
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                putCell(r, c, canvas.at(c, r));
        refresh();
        lastDraw_ = std::chrono::steady_clock::now();
    }

    void putCell(int row, int col, const Cell& cell)
    {
        const Look& look = kLooks[static_cast<int>(cell.style)];
        const attr_t attr = colours_ ? look.attr : look.mono;
        const short pair = colours_ ? static_cast<short>(static_cast<int>(cell.style) + 1) : 0;
        wchar_t text[2] = {static_cast<wchar_t>(cell.ch), L'\0'};
        if (!utf8_ || cell.ch < 0x20)
            text[0] = static_cast<wchar_t>(asciiOf(cell.ch));
        cchar_t cc;
        setcchar(&cc, text, attr, pair, nullptr);
        mvadd_wch(row, col, &cc);  // the bottom-right cell reports an error but is drawn
    }

    void redirectConsole()
    {
        const char* dir = getenv("TMPDIR");
        std::string path = std::string(dir && *dir ? dir : "/tmp") + "/boxsim-console-XXXXXX";
        std::vector<char> name(path.begin(), path.end());
        name.push_back('\0');
        const int fd = mkstemp(name.data());
        if (fd < 0)
            return;
        unlink(name.data());  // nothing is left behind, however boxsim ends
        fflush(stdout);
        savedStdout_ = dup(STDOUT_FILENO);
        if (savedStdout_ < 0 || dup2(fd, STDOUT_FILENO) < 0) {
            close(fd);
            return;
        }
        console_ = fd;
    }

    // Puts standard output back on the terminal and shows what was written
    // to it meanwhile.
    void restoreConsole()
    {
        if (console_ < 0)
            return;
        fflush(stdout);
        dup2(savedStdout_, STDOUT_FILENO);
        close(savedStdout_);
        savedStdout_ = -1;
        if (lseek(console_, 0, SEEK_SET) == 0) {
            char buf[4096];
            ssize_t n;
            while ((n = read(console_, buf, sizeof buf)) > 0)
                fwrite(buf, 1, static_cast<size_t>(n), stdout);
        }
        fflush(stdout);
        close(console_);
        console_ = -1;
    }

    SCREEN* screen_ = nullptr;
    FILE* tty_ = nullptr;
    std::atomic<bool> started_{false};
    bool colours_ = false;
    bool utf8_ = false;
    std::thread::id gui_;
    Renderer renderer_;
    std::chrono::steady_clock::time_point lastDraw_;
    int savedStdout_ = -1;
    int console_ = -1;  // the unlinked file that holds the console meanwhile
};

}  // namespace

std::unique_ptr<Screen> makeTerminalScreen()
{
    return std::unique_ptr<Screen>(new TerminalScreen());
}

}  // namespace boxsim

#else

namespace boxsim {

std::unique_ptr<Screen> makeTerminalScreen()
{
    return nullptr;
}

}  // namespace boxsim

#endif
