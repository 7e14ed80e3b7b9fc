// A scripted run through the stand-in toolkit: keys from a list of names,
// every event recorded, and lookups on what the run showed. When the keys
// run out every modal run ends as by exit; a run that needs more than the
// limit of such exits is stopped and reported as not ended.
#ifndef UDOVOR_TESTS_SUPPORT_SCRIPTEDRUN_H
#define UDOVOR_TESTS_SUPPORT_SCRIPTEDRUN_H

#include <functional>
#include <string>
#include <vector>

#include "host/standin/runtime.h"

struct BoxSeen {
    int win = -1;
    std::string caption;
    std::string text;
    int flags = 0;
};

struct EntrySeen {
    std::string text;
    long key = 0;
};

class ScriptedRun {
public:
    // Key names as boxsim takes them ("ok down red 7 code:65"), separated by
    // blanks or commas. An unknown name fails the current test.
    explicit ScriptedRun(const std::string& keys = "");

    // Resets the stand-in (window numbers start at 1), runs body with the
    // keys and returns every event of the run. Stops the run after more than
    // exitLimit automatic exits (see ended()).
    const std::vector<boxtk::Event>& run(const std::function<void()>& body, int exitLimit = 200);

    const std::vector<boxtk::Event>& events() const { return events_; }
    std::vector<boxtk::Event> of(const std::string& ev) const;
    // The JSON Lines of the run, as boxsim writes them.
    std::vector<std::string> trace() const;

    // Entries appended to the lists of window win, in order.
    std::vector<std::string> entries(int win) const;
    std::vector<EntrySeen> entryRecords(int win) const;
    // Every message box shown, in order.
    std::vector<BoxSeen> boxes() const;
    // The number of the first window shown with this title, or -1.
    int window(const std::string& title) const;
    // The numbers of the windows shown (not message boxes), in order of showing.
    std::vector<int> windowsShown() const;
    // The last title a window had in the run (shown or set), or "".
    std::string lastTitle(int win) const;
    // The last texts set on labels of window win.
    std::vector<std::string> texts(int win) const;

    // False when the run was stopped for needing too many automatic exits.
    bool ended() const { return ended_; }
    int automaticExits() const { return autoExits_; }
    // Scripted keys the run took (automatic exits not counted).
    int keysTaken() const;

private:
    std::vector<boxtk::KeyPress> keys_;
    std::vector<boxtk::Event> events_;
    bool ended_ = true;
    int autoExits_ = 0;
};

// Parses key names; false (and the first bad name in bad) for an unknown one.
bool parseKeyList(const std::string& text, std::vector<boxtk::KeyPress>& keys, std::string* bad = nullptr);

#endif
