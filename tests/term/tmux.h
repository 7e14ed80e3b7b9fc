// boxsim in a pseudo-terminal: a tmux server on a private socket runs one
// command in a window of a given size; the test sends keys and reads the
// screen as text.
#ifndef UDOVOR_TESTS_TERM_TMUX_H
#define UDOVOR_TESTS_TERM_TMUX_H

#include <string>
#include <vector>

class TmuxTerminal {
public:
    // The tmux program, or the empty text when there is none.
    static std::string program();

    TmuxTerminal();
    // Stops the server and with it whatever still runs in it.
    ~TmuxTerminal();
    TmuxTerminal(const TmuxTerminal&) = delete;
    TmuxTerminal& operator=(const TmuxTerminal&) = delete;

    // Runs a shell command in a cols x rows terminal (UTF-8 locale).
    bool start(const std::string& command, int cols, int rows);
    // Keys in tmux's names: "Down", "Enter", "Escape", "F1", "g", ...
    void send(const std::vector<std::string>& keys);
    void resize(int cols, int rows);
    // The screen as text, one line per row.
    std::string screen();
    // Waits until the screen holds the text; false after timeoutMs. The
    // last screen read is kept in last().
    bool waitFor(const std::string& text, int timeoutMs = 8000);
    const std::string& last() const { return last_; }

private:
    std::vector<std::string> command(const std::vector<std::string>& args) const;

    std::string socket_;
    bool started_ = false;
    std::string last_;
};

// The rows of a screen text.
std::vector<std::string> screenRows(const std::string& screen);

#endif
