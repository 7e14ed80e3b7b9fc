// The broadcast's bytes to UTF-8 that an XML document may hold. A byte
// sequence that is invalid in the source character set becomes U+FFFD, one
// per byte, so nothing disappears and nothing invalid passes through; so do
// the control characters that XML 1.0 forbids (all below U+0020 but tab,
// line feed and carriage return) and the non-characters U+FFFE and U+FFFF.
#ifndef UDOVOR_EPG2XMLTV_CHARSET_H
#define UDOVOR_EPG2XMLTV_CHARSET_H

#include <iconv.h>

#include <string>

namespace xmltv {

const char kDefaultCharset[] = "ISO-8859-15";

class Utf8Converter {
public:
    explicit Utf8Converter(const char* charset);
    ~Utf8Converter();
    Utf8Converter(const Utf8Converter&) = delete;
    Utf8Converter& operator=(const Utf8Converter&) = delete;

    // False when iconv does not know the character set.
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    std::string Convert(const std::string& text);

private:
    iconv_t cd_;
};

// Escapes the five XML special characters.
void AppendEscaped(std::string* out, const std::string& text);

}  // namespace xmltv

#endif
