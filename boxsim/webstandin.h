// Stands in for the host's web interface: listens on a free port of
// 127.0.0.1, traces every request as received, answers each with a short
// HTTP/1.0 200 and closes the connection.
#ifndef UDOVOR_BOXSIM_WEBSTANDIN_H
#define UDOVOR_BOXSIM_WEBSTANDIN_H

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace boxsim {

class WebStandIn {
public:
    WebStandIn() = default;
    ~WebStandIn();
    WebStandIn(const WebStandIn&) = delete;
    WebStandIn& operator=(const WebStandIn&) = delete;

    // Starts listening and serving; false with the reason in error.
    bool start(std::string& error);
    int port() const { return port_; }
    // Goes on serving until no request has come for quietMs, then stops.
    void serveUntilQuiet(int quietMs);
    void stop();

private:
    void serve();
    long long nowMs() const;

    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<long long> lastRequestMs_{0};
    std::thread thread_;
};

}  // namespace boxsim

#endif
