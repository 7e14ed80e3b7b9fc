// Basic value types of the GUI toolkit: points, sizes and strings.
#ifndef UDOVOR_HOST_EBASE_H
#define UDOVOR_HOST_EBASE_H

#include <string>

struct ePoint {
    int x = 0, y = 0;
    ePoint() = default;
    ePoint(int px, int py) : x(px), y(py) {}
};

struct eSize {
    int w = 0, h = 0;
    eSize() = default;
    eSize(int pw, int ph) : w(pw), h(ph) {}
    int width() const { return w; }
    int height() const { return h; }
};

// The toolkit's string: a std::string that windows build from char buffers.
class eString : public std::string {
public:
    eString() = default;
    eString(const char* s) : std::string(s ? s : "") {}
    eString(const std::string& s) : std::string(s) {}
};

#endif
