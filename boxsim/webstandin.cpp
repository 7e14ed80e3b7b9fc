#include "boxsim/webstandin.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "host/standin/runtime.h"

namespace boxsim {

namespace {

const size_t kMaxRequest = 64 * 1024;
// A client that sends part of a request and then nothing is cut off.
const long long kRequestTimeoutMs = 2000;
const char kAnswer[] = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 3\r\n\r\nOK\n";

struct Conn {
    int fd;
    std::string bytes;
    long long startMs;
};

bool requestComplete(const std::string& b)
{
    return b.find("\n\n") != std::string::npos || b.find("\r\n\r\n") != std::string::npos;
}

void answerAndClose(Conn& c)
{
    if (!c.bytes.empty()) {
        boxtk::Event e;
        e.ev = "http";
        e.request = c.bytes;
        boxtk::emit(e);
        // A short answer fits the socket buffer; a peer gone early is no
        // concern of ours.
        if (send(c.fd, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL | MSG_DONTWAIT) < 0) {
        }
    }
    shutdown(c.fd, SHUT_RDWR);
    close(c.fd);
    c.fd = -1;
}

}  // namespace

WebStandIn::~WebStandIn()
{
    stop();
}

long long WebStandIn::nowMs() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool WebStandIn::start(std::string& error)
{
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) {
        error = "cannot create the web interface's socket";
        return false;
    }
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (bind(listenFd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(listenFd_, 16) != 0 ||
        getsockname(listenFd_, reinterpret_cast<sockaddr*>(&a), &len) != 0 || pipe2(wakeFds_, O_CLOEXEC) != 0) {
        error = "cannot listen on 127.0.0.1 for the web interface";
        close(listenFd_);
        listenFd_ = -1;
        return false;
    }
    port_ = ntohs(a.sin_port);
    lastRequestMs_ = nowMs();
    thread_ = std::thread([this] { serve(); });
    return true;
}

void WebStandIn::serveUntilQuiet(int quietMs)
{
    if (!thread_.joinable())
        return;
    // Counted from now too: plugin_exec has just returned.
    const long long returned = nowMs();
    for (;;) {
        const long long since = nowMs() - std::max<long long>(returned, lastRequestMs_);
        if (since >= quietMs)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(quietMs - since));
    }
    stop();
}

void WebStandIn::stop()
{
    if (thread_.joinable()) {
        stop_ = true;
        char c = 0;
        if (write(wakeFds_[1], &c, 1) < 0) {
            // serve() also checks stop_ on every turn of its poll.
        }
        thread_.join();
    }
    for (int* fd : {&listenFd_, &wakeFds_[0], &wakeFds_[1]}) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
}

void WebStandIn::serve()
{
    std::vector<Conn> conns;
    while (!stop_) {
        std::vector<pollfd> fds;
        fds.push_back({wakeFds_[0], POLLIN, 0});
        fds.push_back({listenFd_, POLLIN, 0});
        for (const Conn& c : conns)
            fds.push_back({c.fd, POLLIN, 0});
        const int n = poll(fds.data(), fds.size(), 100);
        const long long now = nowMs();
        if (n > 0 && (fds[1].revents & POLLIN)) {
            const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0)
                conns.push_back(Conn{fd, std::string(), now});
        }
        for (size_t i = 0; n > 0 && i + 2 < fds.size(); ++i) {
            Conn& c = conns[i];
            if (!(fds[i + 2].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buf[4096];
            const ssize_t got = recv(c.fd, buf, sizeof buf, 0);
            if (got > 0)
                c.bytes.append(buf, static_cast<size_t>(got));
            if (got <= 0 || requestComplete(c.bytes) || c.bytes.size() >= kMaxRequest) {
                if (!c.bytes.empty())
                    lastRequestMs_ = now;
                answerAndClose(c);
            }
        }
        for (Conn& c : conns)
            if (c.fd >= 0 && now - c.startMs > kRequestTimeoutMs)
                answerAndClose(c);
        for (size_t i = conns.size(); i-- > 0;)
            if (conns[i].fd < 0)
                conns.erase(conns.begin() + static_cast<long>(i));
    }
    for (Conn& c : conns)
        answerAndClose(c);
}

}  // namespace boxsim
