#include "tests/support/httpserver.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace {

const size_t kMaxRequest = 64 * 1024;

bool requestComplete(const std::string& b)
{
    return b.find("\n\n") != std::string::npos || b.find("\r\n\r\n") != std::string::npos;
}

}  // namespace

const char* LoopbackHttpServer::shortAnswer()
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 3\r\n\r\nOK\n";
}

LoopbackHttpServer::LoopbackHttpServer(Mode mode, size_t largeBodyBytes) : mode_(mode), largeBody_(largeBodyBytes)
{
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0)
        throw std::runtime_error("socket failed");
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    if (bind(listenFd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(listenFd_, 16) != 0 ||
        getsockname(listenFd_, reinterpret_cast<sockaddr*>(&a), &len) != 0 || pipe2(wakeFds_, O_CLOEXEC) != 0) {
        close(listenFd_);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    stop_ = true;
    char c = 0;
    if (write(wakeFds_[1], &c, 1) < 0) {
        // The thread also looks at stop_ on every turn of its poll.
    }
    thread_.join();
    close(listenFd_);
    close(wakeFds_[0]);
    close(wakeFds_[1]);
}

std::vector<std::string> LoopbackHttpServer::requests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

bool LoopbackHttpServer::waitForRequests(size_t n, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return cond_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return requests_.size() >= n; });
}

bool LoopbackHttpServer::sendAll(int fd, const std::string& data)
{
    size_t off = 0;
    while (off < data.size() && !stop_) {
        pollfd p{fd, POLLOUT, 0};
        if (poll(&p, 1, 100) <= 0)
            continue;
        const ssize_t n = send(fd, data.data() + off, data.size() - off, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        off += static_cast<size_t>(n);
    }
    return off == data.size();
}

void LoopbackHttpServer::finishRequest(Conn& c)
{
    if (c.bytes.empty()) {
        close(c.fd);
        c.fd = -1;
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(c.bytes);
    }
    cond_.notify_all();
    c.done = true;
    if (mode_ == Mode::NeverAnswer)
        return;
    if (mode_ == Mode::AnswerAndClose) {
        sendAll(c.fd, shortAnswer());
    } else {
        std::string body(largeBody_, 'x');
        for (size_t i = 79; i < body.size(); i += 80)
            body[i] = '\n';
        sendAll(c.fd, "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
    }
    shutdown(c.fd, SHUT_RDWR);
    close(c.fd);
    c.fd = -1;
}

void LoopbackHttpServer::serve()
{
    std::vector<Conn> conns;
    while (!stop_) {
        std::vector<pollfd> fds;
        fds.push_back({wakeFds_[0], POLLIN, 0});
        fds.push_back({listenFd_, POLLIN, 0});
        for (const Conn& c : conns)
            fds.push_back({c.fd, static_cast<short>(c.done ? 0 : POLLIN), 0});
        if (poll(fds.data(), fds.size(), 200) <= 0)
            continue;
        if (fds[1].revents & POLLIN) {
            const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0)
                conns.push_back(Conn{fd, std::string(), false});
        }
        for (size_t i = 0; i + 2 < fds.size(); ++i) {
            Conn& c = conns[i];
            if (c.done || !(fds[i + 2].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buf[4096];
            const ssize_t n = recv(c.fd, buf, sizeof buf, 0);
            if (n > 0)
                c.bytes.append(buf, static_cast<size_t>(n));
            if (n <= 0 || requestComplete(c.bytes) || c.bytes.size() >= kMaxRequest)
                finishRequest(c);
        }
        for (size_t i = conns.size(); i-- > 0;)
            if (conns[i].fd < 0)
                conns.erase(conns.begin() + static_cast<long>(i));
    }
    for (Conn& c : conns) {
        if (c.fd >= 0) {
            shutdown(c.fd, SHUT_RDWR);
            close(c.fd);
        }
    }
}
