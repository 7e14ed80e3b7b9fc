#include "plugin/hostcmd.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>

#include "plugin/boxenv.h"
#include "plugin/settings.h"

// Why the bounds: a host that takes the request and never answers, or never
// closes, would otherwise keep its worker (and its socket) until the box is
// switched off. An answer of the host's web interface takes well under a
// second on the box; these leave it ample room.
namespace {

std::atomic<int> g_connectMs{5000};
std::atomic<int> g_receiveMs{20000};

// Started commands are numbered; each is sent once the one before it has
// been written to the host or given up. The wait is bounded, so a stuck
// predecessor delays a command but never stops it.
std::mutex g_orderMutex;
std::condition_variable g_orderCond;
unsigned long g_lastOrder = 0;  // the number given to the last started command
unsigned long g_sentOrder = 0;  // every command up to this one was sent or given up

void WaitForPredecessor(unsigned long order)
{
    if (order == 0)
        return;
    std::unique_lock<std::mutex> lock(g_orderMutex);
    g_orderCond.wait_for(lock, std::chrono::milliseconds(g_connectMs.load() + 1000),
                         [order] { return g_sentOrder + 1 >= order; });
}

// Marks the record's command sent (or given up) once, at the latest when
// the worker ends.
class SentMark {
public:
    explicit SentMark(unsigned long order) : order_(order) {}
    ~SentMark() { mark(); }
    void mark()
    {
        if (order_ == 0)
            return;
        {
            std::lock_guard<std::mutex> lock(g_orderMutex);
            if (order_ > g_sentOrder)
                g_sentOrder = order_;
        }
        g_orderCond.notify_all();
        order_ = 0;
    }

private:
    unsigned long order_;
};

long long NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Waits until fd is ready for events or the deadline has passed.
bool WaitFor(int fd, short events, long long deadline)
{
    for (;;) {
        const long long left = deadline - NowMs();
        if (left <= 0)
            return false;
        pollfd p{fd, events, 0};
        const int r = poll(&p, 1, static_cast<int>(left));
        if (r > 0)
            return true;
        if (r == 0)
            return false;
        if (errno != EINTR)
            return false;
    }
}

// The first IPv4 address of the host name (thread-safe, unlike the old
// resolver: two workers may resolve at once).
bool Resolve(const char* host, in_addr* out)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* res = nullptr;
    if (getaddrinfo(host, nullptr, &hints, &res) != 0 || !res)
        return false;
    *out = reinterpret_cast<sockaddr_in*>(res->ai_addr)->sin_addr;
    freeaddrinfo(res);
    return true;
}

// A socket connected to addr:port within the connect bound, or -1 with the
// reason in errno.
int ConnectBounded(const in_addr& addr, int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    const int flags = fcntl(fd, F_GETFL, 0);
    fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr = addr;
    sa.sin_port = htons(static_cast<unsigned short>(port));
    if (connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        if (errno != EINPROGRESS) {
            const int e = errno;
            close(fd);
            errno = e;
            return -1;
        }
        if (!WaitFor(fd, POLLOUT, NowMs() + g_connectMs.load())) {
            close(fd);
            errno = ETIMEDOUT;
            return -1;
        }
        int err = 0;
        socklen_t len = sizeof err;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0 || err != 0) {
            close(fd);
            errno = err ? err : ECONNREFUSED;
            return -1;
        }
    }
    return fd;
}

bool WriteAll(int fd, const char* data, size_t len, long long deadline)
{
    while (len > 0) {
        const ssize_t n = write(fd, data, len);
        if (n > 0) {
            data += n;
            len -= static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFor(fd, POLLOUT, deadline))
                return false;
        } else {
            return false;
        }
    }
    return true;
}

// Echoes the answer byte by byte until the host closes, an error, or the
// receive bound. True when the host closed.
bool EchoAnswer(int fd, long long deadline)
{
    char c;
    for (;;) {
        const ssize_t n = read(fd, &c, 1);
        if (n == 1) {
            fputc(static_cast<unsigned char>(c), stdout);
        } else if (n == 0) {
            return true;
        } else if (errno == EINTR) {
            continue;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!WaitFor(fd, POLLIN, deadline))
                return false;
        } else {
            return false;
        }
    }
}

void* OwnedWorker(void* record)
{
    SendTCPCommand(record);
    delete static_cast<HostCommandRecord*>(record);
    return nullptr;
}

}  // namespace

size_t BuildHostRequest(const char* command, char* out, size_t size)
{
    if (!out || size == 0)
        return 0;
    const int n = snprintf(out, size, "GET /cgi-bin/%s HTTP/1.0\n\n", command ? command : "");
    if (n < 0) {
        out[0] = '\0';
        return 0;
    }
    return strlen(out);
}

void* SendTCPCommand(void* arg)
{
    HostCommandRecord* record = static_cast<HostCommandRecord*>(arg);
    if (!record)
        return nullptr;
    record->done = 0;
    char command[HOST_COMMAND_SIZE];
    CopyText(command, record->command, sizeof command);
    WaitForPredecessor(record->order);
    SentMark sent(record->order);

    char request[HOST_REQUEST_SIZE];
    const size_t length = BuildHostRequest(command, request, sizeof request);
    printf("created HTTP request:%s\n", request);

    in_addr addr{};
    if (!Resolve(HOST_NAME, &addr)) {
        printf("Cannot resolve %s: %s not sent\n", HOST_NAME, command);
        fflush(stdout);
        record->done = 1;
        return nullptr;
    }
    char addrText[INET_ADDRSTRLEN];
    if (!inet_ntop(AF_INET, &addr, addrText, sizeof addrText))
        CopyText(addrText, "?", sizeof addrText);

    const int port = record->port > 0 ? record->port : BoxWebPort();
    const int fd = ConnectBounded(addr, port);
    if (fd < 0) {
        printf("Cannot connect to %s (%s) port %d: %s; %s not sent\n", HOST_NAME, addrText, port,
               strerror(errno), command);
        fflush(stdout);
        record->done = 1;
        return nullptr;
    }

    printf("Sending request to server %s (%s)... ", HOST_NAME, addrText);
    const long long deadline = NowMs() + g_receiveMs.load();
    const bool written = WriteAll(fd, request, length, deadline);
    sent.mark();
    if (!written) {
        printf("failed: %s\n", strerror(errno));
    } else {
        printf("OK\n");
        printf("Receiving response...\n\n");
        if (!EchoAnswer(fd, deadline))
            printf("\nNo complete answer to %s: given up\n", command);
    }
    fflush(stdout);
    shutdown(fd, SHUT_RDWR);
    close(fd);
    record->done = 1;
    return nullptr;
}

bool StartHostCommand(const char* command)
{
    HostCommandRecord* record = new (std::nothrow) HostCommandRecord;
    if (!record) {
        printf("No memory for the host command %s\n", command ? command : "");
        return false;
    }
    CopyText(record->command, command, sizeof record->command);
    record->done = 0;
    record->port = BoxWebPort();
    {
        std::lock_guard<std::mutex> lock(g_orderMutex);
        record->order = ++g_lastOrder;
    }
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    pthread_t thread;
    const int err = pthread_create(&thread, &attr, OwnedWorker, record);
    pthread_attr_destroy(&attr);
    if (err != 0) {
        printf("Cannot start the worker for %s: %s\n", record->command, strerror(err));
        fflush(stdout);
        SentMark given_up(record->order);
        delete record;
        return false;
    }
    return true;
}

void SetHostCommandTimeouts(int connectMs, int receiveMs)
{
    g_connectMs = connectMs > 0 ? connectMs : 1;
    g_receiveMs = receiveMs > 0 ? receiveMs : 1;
}
