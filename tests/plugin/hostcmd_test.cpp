// Host commands against a loopback web server.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "plugin/hostcmd.h"
#include "tests/support/boxroot.h"
#include "tests/support/httpserver.h"

namespace {

using Clock = std::chrono::steady_clock;

HostCommandRecord MakeRecord(const char* command, int port)
{
    HostCommandRecord r;
    memset(&r, 0, sizeof r);
    strcpy(r.command, command);
    r.done = 7;  // the worker must clear it
    r.port = port;
    return r;
}

// A port of 127.0.0.1 on which nobody listens.
int ClosedPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    close(fd);
    return ntohs(a.sin_port);
}

struct Bounds {
    Bounds(int connectMs, int receiveMs) { SetHostCommandTimeouts(connectMs, receiveMs); }
    ~Bounds() { SetHostCommandTimeouts(5000, 20000); }
};

TEST(HostRequestTest, IsOneGetLineEndedByTwoLineFeeds)
{
    char buf[HOST_REQUEST_SIZE];
    EXPECT_EQ(BuildHostRequest("saveTimerList", buf, sizeof buf), 37u);
    EXPECT_STREQ(buf, "GET /cgi-bin/saveTimerList HTTP/1.0\n\n");
    BuildHostRequest("reloadTimerList", buf, sizeof buf);
    EXPECT_STREQ(buf, "GET /cgi-bin/reloadTimerList HTTP/1.0\n\n");

    const std::string big(HOST_COMMAND_SIZE - 1, 'c');
    EXPECT_EQ(BuildHostRequest(big.c_str(), buf, sizeof buf), sizeof buf - 1);
    EXPECT_EQ(std::string(buf, 13), "GET /cgi-bin/");
}

TEST(SendTCPCommandTest, SendsTheRequestAndEchoesTheAnswer)
{
    LoopbackHttpServer server;
    HostCommandRecord r = MakeRecord("saveTimerList", server.port());
    testing::internal::CaptureStdout();
    EXPECT_EQ(SendTCPCommand(&r), nullptr);
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(r.done, 1);
    ASSERT_TRUE(server.waitForRequests(1, 2000));
    EXPECT_EQ(server.requests()[0], "GET /cgi-bin/saveTimerList HTTP/1.0\n\n");
    const std::string expected = std::string("created HTTP request:GET /cgi-bin/saveTimerList HTTP/1.0\n\n\n") +
                                 "Sending request to server localhost (127.0.0.1)... OK\n" +
                                 "Receiving response...\n\n" + LoopbackHttpServer::shortAnswer();
    EXPECT_EQ(out, expected);
}

TEST(SendTCPCommandTest, EchoesALargeAnswerWhole)
{
    const size_t body = 200000;
    LoopbackHttpServer server(LoopbackHttpServer::Mode::LargeBody, body);
    HostCommandRecord r = MakeRecord("reloadTimerList", server.port());
    testing::internal::CaptureStdout();
    SendTCPCommand(&r);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(r.done, 1);
    const size_t answerAt = out.find("Receiving response...\n\n");
    ASSERT_NE(answerAt, std::string::npos);
    const std::string answer = out.substr(answerAt + 23);
    EXPECT_EQ(answer.compare(0, 8, "HTTP/1.0"), 0);
    EXPECT_GE(answer.size(), body);
}

TEST(SendTCPCommandTest, HostThatNeverAnswersIsGivenUp)
{
    Bounds bounds(1000, 300);
    LoopbackHttpServer server(LoopbackHttpServer::Mode::NeverAnswer);
    HostCommandRecord r = MakeRecord("saveTimerList", server.port());
    testing::internal::CaptureStdout();
    const auto t0 = Clock::now();
    SendTCPCommand(&r);
    const auto took = Clock::now() - t0;
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(r.done, 1);
    EXPECT_LT(took, std::chrono::seconds(3));
    EXPECT_NE(out.find("No complete answer to saveTimerList: given up"), std::string::npos) << out;
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(SendTCPCommandTest, RefusedConnectionGivesOneLine)
{
    const int port = ClosedPort();
    HostCommandRecord r = MakeRecord("saveTimerList", port);
    testing::internal::CaptureStdout();
    SendTCPCommand(&r);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(r.done, 1);
    const std::string line = "Cannot connect to localhost (127.0.0.1) port " + std::to_string(port) +
                             ": Connection refused; saveTimerList not sent\n";
    EXPECT_EQ(out, "created HTTP request:GET /cgi-bin/saveTimerList HTTP/1.0\n\n\n" + line);
}

// The caller never waits, even for a host that keeps the connection open;
// each worker sends its own copy of the text, so the caller may reuse its
// buffer at once; and the second command never overtakes the first.
TEST(StartHostCommandTest, ReturnsAtOnceAndSendsOwnCopiesInOrder)
{
    TempBoxRoot box;
    LoopbackHttpServer server(LoopbackHttpServer::Mode::NeverAnswer);
    box.setWebPort(server.port());
    char text[HOST_COMMAND_SIZE] = "saveTimerList";
    const auto t0 = Clock::now();
    EXPECT_TRUE(StartHostCommand(text));
    strcpy(text, "reloadTimerList");
    EXPECT_TRUE(StartHostCommand(text));
    strcpy(text, "garbage");
    EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(200));

    ASSERT_TRUE(server.waitForRequests(2, 3000));
    EXPECT_EQ(server.requests(), std::vector<std::string>({"GET /cgi-bin/saveTimerList HTTP/1.0\n\n",
                                                            "GET /cgi-bin/reloadTimerList HTTP/1.0\n\n"}));
}

}  // namespace
