// The example settings and label files against the code: every key that
// the plug-in looks up is in the right example with the code's own
// default, the examples hold no key the code does not know, and the
// English label file gives every label.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kSource = UDOVOR_SOURCE_DIR;

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The code without its comments (string literals kept as they are).
std::string withoutComments(const std::string& code)
{
    std::string out;
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"' || c == '\'') {
            const size_t start = i;
            for (++i; i < code.size() && code[i] != c; ++i)
                if (code[i] == '\\')
                    ++i;
            out.append(code, start, i - start + 1);
        } else if (code.compare(i, 2, "//") == 0) {
            i = code.find('\n', i);
            if (i == std::string::npos)
                break;
            out += '\n';
        } else if (code.compare(i, 2, "/*") == 0) {
            i = code.find("*/", i + 2);
            if (i == std::string::npos)
                break;
            ++i;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string plugInCode()
{
    std::string all;
    for (const char* dir : {"plugin", "viewer", "capture", "timers"}) {
        const std::string path = kSource + "/" + dir;
        DIR* d = opendir(path.c_str());
        if (!d)
            continue;
        while (dirent* e = readdir(d)) {
            const std::string name = e->d_name;
            if (name.size() > 4 && (name.rfind(".cpp") == name.size() - 4 || name.rfind(".h") == name.size() - 2))
                all += withoutComments(readFile(path + "/" + name)) + "\n";
        }
        closedir(d);
    }
    return all;
}

std::string unescape(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char n = s[++i];
            out += n == 'n' ? '\n' : n == 't' ? '\t' : n;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Every key the code looks up with a literal (or named constant) key and
// default: direct lookups, and key/default pairs handed on to a helper or
// held in a table (label and weekday keys).
std::map<std::string, std::set<std::string>> lookedUp(const std::string& code)
{
    const std::string lit = R"re("((?:[^"\\]|\\.)*)")re";
    std::map<std::string, std::string> names;  // #define X "..." and const char X[] = "..."
    const std::regex define("#define\\s+(\\w+)\\s+" + lit);
    const std::regex constant("(\\w+)\\s*\\[\\s*\\]\\s*=\\s*" + lit);
    for (const std::regex& r : {define, constant})
        for (std::sregex_iterator it(code.begin(), code.end(), r), end; it != end; ++it)
            names[(*it)[1]] = unescape((*it)[2]);

    std::map<std::string, std::set<std::string>> keys;
    const std::string arg = "(" + lit + "|\\w+)";
    const std::regex call("ReadINI(?:Value|Int)\\s*\\(\\s*" + arg + "\\s*,\\s*" + arg + "\\s*\\)");
    for (std::sregex_iterator it(code.begin(), code.end(), call), end; it != end; ++it) {
        std::string value[2];
        bool known = true;
        for (int k = 0; k < 2; ++k) {
            const std::string a = (*it)[1 + 2 * k];
            if (a[0] == '"')
                value[k] = unescape((*it)[2 + 2 * k]);
            else if (names.count(a))
                value[k] = names[a];
            else
                known = false;  // a key made at run time
        }
        if (known)
            keys[value[0]].insert(value[1]);
    }
    const std::regex pair("\"((?:lb|Lb)[A-Za-z0-9]+)\"\\s*,\\s*" + lit);
    for (std::sregex_iterator it(code.begin(), code.end(), pair), end; it != end; ++it)
        keys[(*it)[1]].insert(unescape((*it)[2]));
    return keys;
}

// The key=value lines of an example; with `commented`, the "#key=value"
// lines instead.
std::map<std::string, std::string> exampleLines(const std::string& file, bool commented = false)
{
    std::map<std::string, std::string> out;
    std::stringstream in(readFile(kSource + "/examples/" + file));
    std::string line;
    while (std::getline(in, line)) {
        const bool comment = !line.empty() && line[0] == '#';
        if (comment != commented)
            continue;
        const std::string body = comment ? line.substr(1) : line;
        const size_t eq = body.find('=');
        if (eq != std::string::npos && eq > 0 && body.find(' ') > eq)
            out[body.substr(0, eq)] = body.substr(eq + 1);
        else if (eq != std::string::npos && !comment)
            out[body.substr(0, eq)] = body.substr(eq + 1);
    }
    return out;
}

bool isLabel(const std::string& key)
{
    return key.compare(0, 2, "lb") == 0;
}

class Examples : public ::testing::Test {
protected:
    void SetUp() override
    {
        // One scan of the code for all the cases.
        static const std::string scanned = plugInCode();
        static const std::map<std::string, std::set<std::string>> found = lookedUp(scanned);
        code = scanned;
        keys = found;
        // Keys built at run time, listed with N = 1; their prefixes must
        // still be in the code.
        for (const char* prefix : {"multiEpgLabel", "multiEpgFile"}) {
            ASSERT_NE(code.find(std::string("\"") + prefix + "\""), std::string::npos) << prefix;
            keys[std::string(prefix) + "1"].insert("NULL");
        }
        settings = exampleLines("tivumo.conf.example");
        labels = exampleLines("tivumo_lang.conf.example");
    }

    std::string code;
    std::map<std::string, std::set<std::string>> keys;
    std::map<std::string, std::string> settings, labels;
};

TEST_F(Examples, ScanFindsEveryKindOfLookup)
{
    // A direct lookup, a constant from a header, a label handed to a
    // helper, a weekday table: if one of these is missed the scan is broken.
    for (const char* k : {"channelListPosX", "TimerFileName", "lbUtils", "LbSat", "lbReadingSummaries"})
        EXPECT_EQ(keys.count(k), 1u) << k;
}

TEST_F(Examples, EveryKeyWithTheCodesDefaultInTheRightFile)
{
    for (const auto& k : keys) {
        EXPECT_EQ(k.second.size(), 1u) << k.first << " has different defaults in the code";
        const std::string& def = *k.second.begin();
        const auto& example = isLabel(k.first) ? labels : settings;
        const char* file = isLabel(k.first) ? "tivumo_lang.conf.example" : "tivumo.conf.example";
        auto it = example.find(k.first);
        if (it == example.end())
            ADD_FAILURE() << k.first << " is missing from " << file;
        else
            EXPECT_EQ(it->second, def) << k.first << " in " << file;
    }
}

TEST_F(Examples, NoKeyTheCodeDoesNotKnow)
{
    for (const auto* example : {&settings, &labels})
        for (const auto& line : *example)
            EXPECT_EQ(keys.count(line.first), 1u) << line.first << " is not looked up by the code";
    for (const auto& line : settings)
        EXPECT_FALSE(isLabel(line.first)) << line.first << " is a label: it belongs in the label file";
    for (const auto& line : labels)
        EXPECT_TRUE(isLabel(line.first)) << line.first << " is read from the settings file, not the label file";
}

TEST_F(Examples, EnglishLabelsAndWeekdays)
{
    const auto english = exampleLines("tivumo_lang.conf.en");
    for (const auto& k : keys) {
        if (!isLabel(k.first))
            continue;
        auto it = english.find(k.first);
        if (it == english.end())
            ADD_FAILURE() << k.first << " is missing from tivumo_lang.conf.en";
        else
            EXPECT_FALSE(it->second.empty()) << k.first;
    }
    for (const auto& line : english)
        EXPECT_EQ(keys.count(line.first), 1u) << line.first << " is not looked up by the code";
    // The Italian defaults are gone from the English file.
    EXPECT_EQ(english.at("lbTimerProgrammed").find("Programmazione"), std::string::npos);

    const auto alternatives = exampleLines("tivumo.conf.example", true);
    const std::map<std::string, std::string> days = {{"LbSun", "Sun"}, {"LbMon", "Mon"}, {"LbTue", "Tue"},
                                                     {"LbWed", "Wed"}, {"LbThu", "Thu"}, {"LbFri", "Fri"},
                                                     {"LbSat", "Sat"}};
    for (const auto& d : days) {
        auto it = alternatives.find(d.first);
        ASSERT_NE(it, alternatives.end()) << "#" << d.first << "=" << d.second;
        EXPECT_EQ(it->second, d.second);
    }
}

}  // namespace
