// The stand-in's shared state: the key source, the observers, the windows on
// screen and the automatic-exit counter.
#include "host/standin/runtime.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "host/standin/internal.h"

namespace boxtk {

namespace {

const char* const kNamedKeys[] = {"ok",    "exit", "up",     "down", "left",
                                  "right", "red",  "green", "yellow", "blue"};

const int kDefaultExitLimit = 200;

struct State {
    KeySource* source = nullptr;
    bool keysOut = false;
    std::vector<Observer*> observers;
    std::vector<eWindow*> shown;
    int nextWin = 1;
    int autoExits = 0;
    int exitLimit = kDefaultExitLimit;
    std::function<void()> onExceeded;
};

State& state()
{
    static State s;
    return s;
}

std::recursive_mutex& emitLock()
{
    static std::recursive_mutex m;
    return m;
}

bool parseCode(const std::string& digits, int& out)
{
    if (digits.empty() || digits.size() > 9)
        return false;
    int v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

}  // namespace

bool parseKey(const std::string& name, KeyPress& out)
{
    KeyPress k;
    k.name = name;
    for (const char* n : kNamedKeys) {
        if (name == n) {
            out = k;
            return true;
        }
    }
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') {
        k.raw = true;
        k.code = name[0];
        out = k;
        return true;
    }
    const std::string prefix = "code:";
    if (name.compare(0, prefix.size(), prefix) == 0) {
        int code = 0;
        if (!parseCode(name.substr(prefix.size()), code))
            return false;
        k.raw = true;
        k.code = code;
        out = k;
        return true;
    }
    return false;
}

bool ScriptKeySource::next(KeyPress& key)
{
    if (pos_ >= keys_.size())
        return false;
    key = keys_[pos_++];
    return true;
}

void setKeySource(KeySource* source)
{
    state().source = source;
    state().keysOut = false;
}

void addObserver(Observer* o)
{
    std::lock_guard<std::recursive_mutex> lock(emitLock());
    if (o && std::find(state().observers.begin(), state().observers.end(), o) == state().observers.end())
        state().observers.push_back(o);
}

void removeObserver(Observer* o)
{
    std::lock_guard<std::recursive_mutex> lock(emitLock());
    auto& v = state().observers;
    v.erase(std::remove(v.begin(), v.end(), o), v.end());
}

void emit(const Event& e)
{
    std::lock_guard<std::recursive_mutex> lock(emitLock());
    // A copy: an observer may remove itself while it is told.
    std::vector<Observer*> observers = state().observers;
    for (Observer* o : observers)
        o->onEvent(e);
}

int automaticExits()
{
    return state().autoExits;
}

void setAutomaticExitLimit(int limit, std::function<void()> onExceeded)
{
    state().exitLimit = limit;
    state().onExceeded = std::move(onExceeded);
}

const std::vector<eWindow*>& shownWindows()
{
    return state().shown;
}

void reset()
{
    std::lock_guard<std::recursive_mutex> lock(emitLock());
    State& s = state();
    s.source = nullptr;
    s.keysOut = false;
    s.observers.clear();
    s.shown.clear();
    s.nextWin = 1;
    s.autoExits = 0;
    s.exitLimit = kDefaultExitLimit;
    s.onExceeded = nullptr;
}

std::vector<Event> EventLog::of(const std::string& ev) const
{
    std::vector<Event> out;
    for (const Event& e : events)
        if (e.ev == ev)
            out.push_back(e);
    return out;
}

namespace detail {

int nextWindowId()
{
    return state().nextWin++;
}

void addShown(eWindow* w)
{
    auto& v = state().shown;
    if (std::find(v.begin(), v.end(), w) == v.end())
        v.push_back(w);
}

void removeShown(eWindow* w)
{
    auto& v = state().shown;
    v.erase(std::remove(v.begin(), v.end(), w), v.end());
}

KeyPress nextKey()
{
    State& s = state();
    KeyPress key;
    if (!s.keysOut && s.source && s.source->next(key)) {
        key.automatic = false;
    } else {
        s.keysOut = true;
        key = KeyPress();
        key.name = "exit";
        key.automatic = true;
    }
    Event e;
    e.ev = "key";
    e.key = key.name;
    e.automatic = key.automatic;
    emit(e);
    if (key.automatic && ++s.autoExits > s.exitLimit) {
        if (s.onExceeded) {
            s.onExceeded();
        } else {
            fprintf(stderr, "boxtk: more than %d automatic exits: the session does not end\n", s.exitLimit);
            abort();
        }
    }
    return key;
}

}  // namespace detail
}  // namespace boxtk
