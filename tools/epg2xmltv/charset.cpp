#include "tools/epg2xmltv/charset.h"

#include <cerrno>

namespace xmltv {

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// Replaces what XML 1.0 does not allow in the valid UTF-8 that iconv gave.
std::string ForXml(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            out += kReplacement;
        } else if (c == 0xEF && i + 2 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0xBF &&
                   (static_cast<unsigned char>(utf8[i + 2]) & 0xFE) == 0xBE) {
            out += kReplacement;
            i += 2;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace

Utf8Converter::Utf8Converter(const char* charset) : cd_(iconv_open("UTF-8", charset ? charset : kDefaultCharset)) {}

Utf8Converter::~Utf8Converter()
{
    if (ok())
        iconv_close(cd_);
}

std::string Utf8Converter::Convert(const std::string& text)
{
    std::string out;
    if (!ok() || text.empty())
        return out;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char buf[4096];
    while (inLeft > 0) {
        char* o = buf;
        size_t oLeft = sizeof buf;
        size_t r = iconv(cd_, &in, &inLeft, &o, &oLeft);
        out.append(buf, static_cast<size_t>(o - buf));
        if (r != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ, or EINVAL for a sequence cut off at the end: one byte is
        // replaced and the conversion goes on after it.
        out += kReplacement;
        ++in;
        --inLeft;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    // A stateful character set may still owe its return to the initial state.
    char* o = buf;
    size_t oLeft = sizeof buf;
    iconv(cd_, nullptr, nullptr, &o, &oLeft);
    out.append(buf, static_cast<size_t>(o - buf));
    return ForXml(out);
}

void AppendEscaped(std::string* out, const std::string& text)
{
    for (char c : text) {
        switch (c) {
        case '&': *out += "&amp;"; break;
        case '<': *out += "&lt;"; break;
        case '>': *out += "&gt;"; break;
        case '"': *out += "&quot;"; break;
        case '\'': *out += "&apos;"; break;
        default: *out += c; break;
        }
    }
}

}  // namespace xmltv
