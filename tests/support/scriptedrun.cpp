#include "tests/support/scriptedrun.h"

#include <gtest/gtest.h>

namespace {

// Thrown out of the toolkit's modal loop to stop a run that does not end.
struct RunDidNotEnd {};

}  // namespace

bool parseKeyList(const std::string& text, std::vector<boxtk::KeyPress>& keys, std::string* bad)
{
    std::string word;
    auto flush = [&]() {
        if (word.empty())
            return true;
        boxtk::KeyPress k;
        if (!boxtk::parseKey(word, k)) {
            if (bad)
                *bad = word;
            return false;
        }
        keys.push_back(k);
        word.clear();
        return true;
    };
    for (char c : text) {
        if (c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r') {
            if (!flush())
                return false;
        } else {
            word += c;
        }
    }
    return flush();
}

ScriptedRun::ScriptedRun(const std::string& keys)
{
    std::string bad;
    if (!parseKeyList(keys, keys_, &bad))
        ADD_FAILURE() << "unknown key name \"" << bad << "\"";
}

const std::vector<boxtk::Event>& ScriptedRun::run(const std::function<void()>& body, int exitLimit)
{
    boxtk::reset();
    boxtk::ScriptKeySource source(keys_);
    boxtk::setKeySource(&source);
    boxtk::setAutomaticExitLimit(exitLimit, [] { throw RunDidNotEnd(); });
    ended_ = true;
    {
        boxtk::EventLog log;
        try {
            body();
        } catch (const RunDidNotEnd&) {
            ended_ = false;
        }
        events_ = log.events;
    }
    autoExits_ = boxtk::automaticExits();
    boxtk::reset();
    return events_;
}

std::vector<boxtk::Event> ScriptedRun::of(const std::string& ev) const
{
    std::vector<boxtk::Event> out;
    for (const auto& e : events_)
        if (e.ev == ev)
            out.push_back(e);
    return out;
}

std::vector<std::string> ScriptedRun::trace() const
{
    std::vector<std::string> out;
    for (const auto& e : events_)
        out.push_back(boxtk::toJson(e));
    return out;
}

std::vector<std::string> ScriptedRun::entries(int win) const
{
    std::vector<std::string> out;
    for (const auto& e : entryRecords(win))
        out.push_back(e.text);
    return out;
}

std::vector<EntrySeen> ScriptedRun::entryRecords(int win) const
{
    std::vector<EntrySeen> out;
    for (const auto& e : events_)
        if (e.ev == "entry" && e.win == win)
            out.push_back(EntrySeen{e.text, e.entryKey});
    return out;
}

std::vector<BoxSeen> ScriptedRun::boxes() const
{
    std::vector<BoxSeen> out;
    for (const auto& e : events_)
        if (e.ev == "box")
            out.push_back(BoxSeen{e.win, e.caption, e.text, e.flags});
    return out;
}

int ScriptedRun::window(const std::string& title) const
{
    for (const auto& e : events_)
        if (e.ev == "show" && e.title == title)
            return e.win;
    return -1;
}

std::vector<int> ScriptedRun::windowsShown() const
{
    std::vector<int> out;
    for (const auto& e : events_)
        if (e.ev == "show")
            out.push_back(e.win);
    return out;
}

std::string ScriptedRun::lastTitle(int win) const
{
    std::string title;
    for (const auto& e : events_)
        if ((e.ev == "show" || e.ev == "title") && e.win == win)
            title = e.title;
    return title;
}

std::vector<std::string> ScriptedRun::texts(int win) const
{
    std::vector<std::string> out;
    for (const auto& e : events_)
        if (e.ev == "text" && e.win == win)
            out.push_back(e.text);
    return out;
}

int ScriptedRun::keysTaken() const
{
    int n = 0;
    for (const auto& e : events_)
        if (e.ev == "key" && !e.automatic)
            ++n;
    return n;
}
