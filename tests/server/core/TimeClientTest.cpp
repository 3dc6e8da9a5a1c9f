// The time client's own socket on either platform (POSIX sockets on Linux,
// Winsock on Windows): an answer from a responder on a loopback port, and
// silence from a port where nobody answers.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using Socket = SOCKET;
void CloseSocket(Socket s) { closesocket(s); }
#else
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
using Socket = int;
void CloseSocket(Socket s) { close(s); }
#endif

#include <thread>

#include "server/core/SntpClient.h"

namespace {

// A UDP socket bound to a free loopback port.
struct Responder {
    Socket s;
    int port = 0;
    Responder() {
#ifdef _WIN32
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
#endif
        s = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
        port = ntohs(addr.sin_port);
    }
    ~Responder() { CloseSocket(s); }
    // Answers one request with a stratum-2 time of 2022-09-21 09:00 UTC.
    void AnswerOne() {
        char request[48];
        sockaddr_in from{};
        socklen_t len = sizeof from;
        if (recvfrom(s, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&from), &len) != 48) return;
        char answer[48] = {};
        answer[0] = 0x24;
        answer[1] = 2;
        const uint32_t seconds = 1663750800u + 2208988800u;
        for (int i = 0; i < 4; ++i) answer[40 + i] = static_cast<char>(seconds >> (24 - 8 * i));
        sendto(s, answer, sizeof answer, 0, reinterpret_cast<sockaddr*>(&from), len);
    }
};

TEST(TimeClient, AnswerFromALoopbackResponder) {
    Responder responder;
    std::thread answering([&] { responder.AnswerOne(); });
    const orv::SntpAnswer a = orv::SntpClient{"127.0.0.1", responder.port, 5000}.Request();
    answering.join();
    ASSERT_TRUE(a.valid) << a.error;
    EXPECT_DOUBLE_EQ(a.unixSeconds, 1663750800.0);
}

TEST(TimeClient, SilenceIsNoAnswer) {
    Responder silent;  // bound, so the port is taken, but never answers
    const orv::SntpAnswer a = orv::SntpClient{"127.0.0.1", silent.port, 300}.Request();
    EXPECT_FALSE(a.received);
    EXPECT_EQ(a.error, "no answer within 300 ms");
    const orv::SntpClient unknown{"no-such-host.invalid", 123, 300};
    EXPECT_EQ(unknown.Request().error, "cannot resolve no-such-host.invalid");
}

}  // namespace
