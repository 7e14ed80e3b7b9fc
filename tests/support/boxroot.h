// A fresh box root under /tmp for one test: the plug-in's absolute paths are
// taken inside it while it lives.
#ifndef UDOVOR_TESTS_SUPPORT_BOXROOT_H
#define UDOVOR_TESTS_SUPPORT_BOXROOT_H

#include <string>

class TempBoxRoot {
public:
    // Makes the directory and points the plug-in at it (web port 80, real
    // clock until told otherwise).
    TempBoxRoot();
    // Removes the whole tree and sets the plug-in back to no box root.
    ~TempBoxRoot();
    TempBoxRoot(const TempBoxRoot&) = delete;
    TempBoxRoot& operator=(const TempBoxRoot&) = delete;

    const std::string& root() const { return root_; }
    // The host path of a box path: path("/hdd/epg.dat") is root()+"/hdd/epg.dat".
    std::string path(const std::string& boxPath) const;

    // Writes the bytes to the box path, making the directories on the way.
    void write(const std::string& boxPath, const std::string& bytes) const;
    // The file's bytes, or the empty text when it cannot be read.
    std::string read(const std::string& boxPath) const;
    bool exists(const std::string& boxPath) const;
    void remove(const std::string& boxPath) const;
    void makeDir(const std::string& boxPath) const;

    // The box clock reads t (Unix seconds) now and runs on; negative: the
    // real clock.
    void setClock(long long t);
    // Port of the host's web interface; 0 for 80.
    void setWebPort(int port);

private:
    void apply() const;

    std::string root_;
    long long clock_ = -1;
    int webPort_ = 0;
};

#endif
