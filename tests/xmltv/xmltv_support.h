// Shared pieces of the export tests: a temporary directory, the time zone
// of one test, and an XML parser (xmllint) to read the documents back.
#ifndef UDOVOR_TESTS_XMLTV_XMLTV_SUPPORT_H
#define UDOVOR_TESTS_XMLTV_XMLTV_SUPPORT_H

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/process.h"

const char kXmltvDtd[] = "/usr/share/xmltv/xmltv.dtd";  // from xmltv-util
const char kXmllint[] = "/usr/bin/xmllint";              // from libxml2-utils
const char kTvValidate[] = "/usr/bin/tv_validate_file";  // from xmltv-util

inline std::string FixturePath(const std::string& name)
{
    return std::string(UDOVOR_FIXTURES) + "/xmltv/" + name;
}

inline std::string ReadAll(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}

class TempDir {
public:
    TempDir()
    {
        char name[] = "/tmp/udovor-xmltv-XXXXXX";
        path_ = mkdtemp(name) ? name : "";
    }
    ~TempDir()
    {
        if (!path_.empty())
            runProcess({"/bin/rm", "-rf", path_});
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The process's TZ for one scope (children started meanwhile inherit it).
class TzScope {
public:
    explicit TzScope(const char* tz)
    {
        const char* old = getenv("TZ");
        had_ = old != nullptr;
        old_ = old ? old : "";
        setenv("TZ", tz, 1);
        tzset();
    }
    ~TzScope()
    {
        if (had_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    TzScope(const TzScope&) = delete;
    TzScope& operator=(const TzScope&) = delete;

private:
    bool had_;
    std::string old_;
};

inline bool HaveXmlTools()
{
    return access(kXmllint, X_OK) == 0 && access(kXmltvDtd, R_OK) == 0;
}

#define REQUIRE_XML_TOOLS()                                                                  \
    do {                                                                                     \
        if (!HaveXmlTools())                                                                 \
            GTEST_SKIP() << "xmllint or the XMLTV DTD is missing (make deps installs them)"; \
    } while (0)

// The value of an XPath expression on the document, as xmllint prints it
// (string() and count() results end with a line feed, which is cut).
inline std::string XPath(const std::string& file, const std::string& expr)
{
    ProcessResult r = runProcess({kXmllint, "--nonet", "--xpath", expr, file});
    std::string out = r.out;
    if (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

// xmllint's verdict against the XMLTV DTD: empty when valid.
inline std::string DtdProblems(const std::string& file)
{
    ProcessResult r = runProcess({kXmllint, "--noout", "--nonet", "--dtdvalid", kXmltvDtd, file});
    if (r.status == 0)
        return std::string();
    return "xmllint status " + std::to_string(r.status) + ": " + r.err;
}

#endif
