#include "boxsim/options.h"

#include <fstream>
#include <sstream>

namespace boxsim {

namespace {

bool isSeparator(char c)
{
    return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool parseClock(const std::string& text, long long& out)
{
    if (text.empty() || text.size() > 18)
        return false;
    long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

bool readFile(const std::string& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

}  // namespace

const char* usage()
{
    return "usage: boxsim [--root DIR] [--plugin FILE] [--keys \"KEY KEY ...\"] [--keys-file FILE]\n"
           "              [--trace FILE|-] [--clock T] [--no-web]\n"
           "keys: ok exit up down left right red green yellow blue 0..9 code:N\n";
}

std::string stripComments(const std::string& text)
{
    std::string out;
    bool comment = false;
    for (char c : text) {
        if (c == '\n')
            comment = false;
        else if (c == '#')
            comment = true;
        out += comment ? ' ' : c;
    }
    return out;
}

bool parseKeys(const std::string& text, std::vector<boxtk::KeyPress>& keys, std::string& error)
{
    std::string word;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isSeparator(text[i])) {
            word += text[i];
            continue;
        }
        if (word.empty())
            continue;
        boxtk::KeyPress k;
        if (!boxtk::parseKey(word, k)) {
            error = "unknown key name \"" + word + "\"";
            return false;
        }
        keys.push_back(k);
        word.clear();
    }
    return true;
}

bool parseOptions(const std::vector<std::string>& args, Options& out, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool inlineValue = false;
        const size_t eq = name.find('=');
        if (name.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            inlineValue = true;
        }
        const bool takesValue = name == "--root" || name == "--plugin" || name == "--keys" ||
                                name == "--keys-file" || name == "--trace" || name == "--clock";
        if (takesValue && !inlineValue) {
            if (i + 1 >= args.size()) {
                error = "option " + name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (!takesValue && inlineValue) {
            error = "option " + name + " takes no value";
            return false;
        }
        if (name == "--root") {
            out.root = value;
        } else if (name == "--plugin") {
            out.plugin = value;
        } else if (name == "--keys") {
            out.haveKeys = true;
            if (!parseKeys(value, out.keys, error))
                return false;
        } else if (name == "--keys-file") {
            std::string text;
            if (!readFile(value, text)) {
                error = "cannot read the keys file " + value;
                return false;
            }
            out.haveKeys = true;
            if (!parseKeys(stripComments(text), out.keys, error)) {
                error += " in " + value;
                return false;
            }
        } else if (name == "--trace") {
            if (value.empty()) {
                error = "option --trace needs a file name or -";
                return false;
            }
            out.trace = value;
        } else if (name == "--clock") {
            if (!parseClock(value, out.clock)) {
                error = "bad clock \"" + value + "\": give Unix seconds";
                return false;
            }
        } else if (name == "--no-web") {
            out.web = false;
        } else if (name == "--help" || name == "-h") {
            out.help = true;
        } else {
            error = "unknown option " + name;
            return false;
        }
    }
    return true;
}

}  // namespace boxsim
