// A small HTTP/1.0 server on 127.0.0.1, on a free port, in a thread of its
// own, recording the bytes of every request it receives.
#ifndef UDOVOR_TESTS_SUPPORT_HTTPSERVER_H
#define UDOVOR_TESTS_SUPPORT_HTTPSERVER_H

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
    enum class Mode {
        AnswerAndClose,  // a short 200 answer, then close
        NeverAnswer,     // take the request and keep the connection open
        LargeBody,       // a 200 answer with a large body, then close
    };

    explicit LoopbackHttpServer(Mode mode = Mode::AnswerAndClose, size_t largeBodyBytes = 1 << 20);
    // Stops the thread and closes every connection still open.
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int port() const { return port_; }
    // The requests received so far, each as its bytes up to and including
    // the empty line that ends it (or all that came before the peer closed).
    std::vector<std::string> requests() const;
    // Waits until at least n requests came; false after timeoutMs.
    bool waitForRequests(size_t n, int timeoutMs) const;
    // The answer sent in AnswerAndClose mode.
    static const char* shortAnswer();

private:
    struct Conn {
        int fd;
        std::string bytes;
        bool done;
    };
    void serve();
    void finishRequest(Conn& c);
    bool sendAll(int fd, const std::string& data);

    Mode mode_;
    size_t largeBody_;
    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable cond_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

#endif
