// The stand-in toolkit's control surface: where keys come from, who is told
// of every toolkit event (trace writer, terminal screen, tests), and the
// windows on screen. Only boxsim, the terminal screen and tests use it; the
// plug-in never does.
#ifndef UDOVOR_HOST_STANDIN_RUNTIME_H
#define UDOVOR_HOST_STANDIN_RUNTIME_H

#include <functional>
#include <string>
#include <vector>

class eWindow;

namespace boxtk {

// A remote-control key. Named keys carry their name ("ok", "exit", "up",
// "down", "left", "right", "red", "green", "yellow", "blue"); digits and
// "code:N" are raw keys with a code ('0'..'9' for digits).
struct KeyPress {
    std::string name;       // as written in the trace: "ok", "7", "code:65"
    bool raw = false;       // digits and code:N
    int code = 0;           // the raw key code
    bool automatic = false; // an exit made because the keys ran out
};

// Parses one key name; false for an unknown name.
bool parseKey(const std::string& name, KeyPress& out);

class KeySource {
public:
    virtual ~KeySource() = default;
    // Blocks until a key is available; false when there will be no more.
    virtual bool next(KeyPress& key) = 0;
};

// A fixed list of keys.
class ScriptKeySource : public KeySource {
public:
    explicit ScriptKeySource(std::vector<KeyPress> keys) : keys_(std::move(keys)) {}
    bool next(KeyPress& key) override;

private:
    std::vector<KeyPress> keys_;
    size_t pos_ = 0;
};

// One toolkit event, as the trace reports it. Fields that an event does not
// carry keep their defaults.
struct Event {
    std::string ev;       // "key", "show", "widget", "entry", "current", "title",
                          // "text", "box", "exec", "close", "hide", "http", "return"
    int win = -1;
    std::string title;    // show, title
    std::string text;     // widget, entry, current, text, box
    std::string caption;  // box
    std::string type;     // widget: "list", "button", "label"
    std::string colour;   // widget: the button's colour key, empty for none
    std::string key;      // key: the key's name
    long entryKey = 0;    // entry, current
    int x = 0, y = 0, w = 0, h = 0;  // show, widget
    int flags = 0;        // box
    int result = 0;       // close
    int value = 0;        // return
    bool automatic = false;  // key
    std::string request;  // http
};

// JSON Lines form of an event (no trailing line feed). Bytes above 0x7F are
// written as the characters of the same code.
std::string toJson(const Event& e);

// Appends the UTF-8 form of one character.
void appendUtf8(std::string& out, char32_t c);

class Observer {
public:
    virtual ~Observer() = default;
    virtual void onEvent(const Event& e) = 0;
};

void setKeySource(KeySource* source);  // null: every modal run ends at once as by exit
void addObserver(Observer* o);
void removeObserver(Observer* o);
void emit(const Event& e);  // thread-safe; used by the web stand-in too

// Number of automatic exits made since the last reset(); boxsim gives up
// after 200.
int automaticExits();
void setAutomaticExitLimit(int limit, std::function<void()> onExceeded);

// Windows currently shown, bottom first (message boxes included).
const std::vector<eWindow*>& shownWindows();

// Forget keys, observers, counters and window numbering (tests).
void reset();

// Collects every event; handy in tests.
class EventLog : public Observer {
public:
    EventLog() { addObserver(this); }
    ~EventLog() override { removeObserver(this); }
    void onEvent(const Event& e) override { events.push_back(e); }
    std::vector<Event> events;
    std::vector<Event> of(const std::string& ev) const;
};

}  // namespace boxtk

#endif
