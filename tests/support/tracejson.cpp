#include "tests/support/tracejson.h"

#include <gtest/gtest.h>

#include "host/standin/runtime.h"

#include <cstdlib>

namespace {

class Parser {
public:
    explicit Parser(const std::string& s) : s_(s) {}

    bool object(TraceLine& out)
    {
        space();
        if (!take('{'))
            return false;
        space();
        if (take('}'))
            return end();
        for (;;) {
            std::string name;
            TraceValue v;
            space();
            if (!string(name))
                return false;
            space();
            if (!take(':'))
                return false;
            space();
            if (!value(v))
                return false;
            out.fields[name] = v;
            space();
            if (take('}'))
                return end();
            if (!take(','))
                return false;
        }
    }

private:
    bool end()
    {
        space();
        return i_ == s_.size();
    }
    void space()
    {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r'))
            ++i_;
    }
    bool take(char c)
    {
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool word(const char* w)
    {
        const std::string ww(w);
        if (s_.compare(i_, ww.size(), ww) != 0)
            return false;
        i_ += ww.size();
        return true;
    }
    static void putCode(std::string& out, unsigned long c)
    {
        // Characters up to U+00FF are the plug-in's bytes.
        if (c <= 0xFF)
            out += static_cast<char>(c);
        else
            boxtk::appendUtf8(out, static_cast<char32_t>(c));
    }
    bool string(std::string& out)
    {
        if (!take('"'))
            return false;
        while (i_ < s_.size()) {
            const unsigned char c = static_cast<unsigned char>(s_[i_++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return false;
            if (c == '\\') {
                if (i_ >= s_.size())
                    return false;
                const char e = s_[i_++];
                switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'u': {
                    if (i_ + 4 > s_.size())
                        return false;
                    const std::string hex = s_.substr(i_, 4);
                    char* endp = nullptr;
                    const unsigned long code = strtoul(hex.c_str(), &endp, 16);
                    if (*endp)
                        return false;
                    i_ += 4;
                    putCode(out, code);
                    break;
                }
                default:
                    return false;
                }
            } else if (c < 0x80) {
                out += static_cast<char>(c);
            } else {
                int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
                if (more < 0 || i_ + more > s_.size())
                    return false;
                unsigned long code = c & (0x3F >> more);
                for (int k = 0; k < more; ++k) {
                    const unsigned char cc = static_cast<unsigned char>(s_[i_++]);
                    if ((cc & 0xC0) != 0x80)
                        return false;
                    code = (code << 6) | (cc & 0x3F);
                }
                putCode(out, code);
            }
        }
        return false;
    }
    bool value(TraceValue& v)
    {
        if (i_ >= s_.size())
            return false;
        const char c = s_[i_];
        if (c == '"') {
            v.kind = TraceValue::String;
            return string(v.text);
        }
        if (word("true")) {
            v.kind = TraceValue::Bool;
            v.boolean = true;
            return true;
        }
        if (word("false")) {
            v.kind = TraceValue::Bool;
            return true;
        }
        if (word("null")) {
            v.kind = TraceValue::Null;
            return true;
        }
        const size_t start = i_;
        if (c == '-')
            ++i_;
        while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9')
            ++i_;
        if (i_ == start || (i_ == start + 1 && c == '-'))
            return false;
        v.kind = TraceValue::Number;
        v.text = s_.substr(start, i_ - start);
        v.number = strtoll(v.text.c_str(), nullptr, 10);
        return true;
    }

    const std::string& s_;
    size_t i_ = 0;
};

}  // namespace

std::string TraceLine::str(const std::string& name) const
{
    auto it = fields.find(name);
    return it == fields.end() ? std::string() : it->second.text;
}

long long TraceLine::num(const std::string& name) const
{
    auto it = fields.find(name);
    return it == fields.end() ? 0 : it->second.number;
}

bool TraceLine::flag(const std::string& name) const
{
    auto it = fields.find(name);
    return it != fields.end() && it->second.kind == TraceValue::Bool && it->second.boolean;
}

bool TraceLine::isNull(const std::string& name) const
{
    auto it = fields.find(name);
    return it != fields.end() && it->second.kind == TraceValue::Null;
}

bool parseTraceLine(const std::string& line, TraceLine& out)
{
    out = TraceLine();
    Parser p(line);
    return p.object(out);
}

std::vector<TraceLine> parseTrace(const std::string& text)
{
    std::vector<TraceLine> out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        if (nl == std::string::npos)
            nl = text.size();
        const std::string line = text.substr(pos, nl - pos);
        pos = nl + 1;
        if (line.empty())
            continue;
        TraceLine t;
        if (parseTraceLine(line, t))
            out.push_back(t);
        else
            ADD_FAILURE() << "not a trace line: " << line;
    }
    return out;
}
