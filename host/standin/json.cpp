// The trace's JSON Lines form of an event. Texts are the plug-in's bytes;
// each byte above 0x7F is written as the character of the same code, so the
// JSON text is valid UTF-8 and nothing is lost.
#include <cstdio>
#include <string>

#include "host/standin/runtime.h"

namespace boxtk {

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

namespace {

void putString(std::string& out, const std::string& text)
{
    out += '"';
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char buf[8];
                snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else if (c > 0x7F) {
                appendUtf8(out, c);
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

class Writer {
public:
    explicit Writer(const std::string& ev)
    {
        out_ = "{\"ev\":";
        putString(out_, ev);
    }
    Writer& str(const char* name, const std::string& v)
    {
        field(name);
        putString(out_, v);
        return *this;
    }
    Writer& strOrNull(const char* name, const std::string& v)
    {
        if (v.empty()) {
            field(name);
            out_ += "null";
            return *this;
        }
        return str(name, v);
    }
    Writer& num(const char* name, long long v)
    {
        field(name);
        out_ += std::to_string(v);
        return *this;
    }
    Writer& boolean(const char* name, bool v)
    {
        field(name);
        out_ += v ? "true" : "false";
        return *this;
    }
    std::string done()
    {
        out_ += '}';
        return out_;
    }

private:
    void field(const char* name)
    {
        out_ += ',';
        putString(out_, name);
        out_ += ':';
    }
    std::string out_;
};

Writer& box(Writer& w, const Event& e)
{
    return w.num("x", e.x).num("y", e.y).num("w", e.w).num("h", e.h);
}

}  // namespace

std::string toJson(const Event& e)
{
    Writer w(e.ev);
    const std::string& ev = e.ev;
    if (ev == "key") {
        w.str("key", e.key).boolean("auto", e.automatic);
    } else if (ev == "show") {
        box(w.num("win", e.win).str("title", e.title), e);
    } else if (ev == "widget") {
        box(w.num("win", e.win).str("type", e.type).str("text", e.text).strOrNull("colour", e.colour), e);
    } else if (ev == "entry" || ev == "current") {
        w.num("win", e.win).str("text", e.text).num("key", e.entryKey);
    } else if (ev == "title") {
        w.num("win", e.win).str("title", e.title);
    } else if (ev == "text") {
        w.num("win", e.win).str("text", e.text);
    } else if (ev == "box") {
        w.num("win", e.win).str("caption", e.caption).str("text", e.text).num("flags", e.flags);
    } else if (ev == "exec" || ev == "hide") {
        w.num("win", e.win);
    } else if (ev == "close") {
        w.num("win", e.win).num("result", e.result);
    } else if (ev == "http") {
        w.str("request", e.request);
    } else if (ev == "return") {
        w.num("value", e.value);
    } else {
        w.num("win", e.win);
    }
    return w.done();
}

}  // namespace boxtk
