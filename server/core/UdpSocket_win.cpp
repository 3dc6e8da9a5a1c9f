#include <winsock2.h>
#include <ws2tcpip.h>

#include <system_error>

#include "server/core/UdpSocket.h"

namespace orv {
namespace {

std::string WsaReason() { return std::system_category().message(WSAGetLastError()); }

// Winsock is started once for the program and stays up until it ends.
bool WinsockReady() {
    static const bool ready = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready;
}

SOCKET Handle(std::intptr_t h) { return static_cast<SOCKET>(h); }

}  // namespace

UdpSocket::~UdpSocket() {
    if (handle_ != -1) closesocket(Handle(handle_));
}

UdpSocket::OpenResult UdpSocket::Open(const std::string& host, int port) {
    if (!WinsockReady()) {
        reason_ = "Winsock is not available";
        return OpenResult::Unreachable;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found)
        return OpenResult::Unresolved;
    const SOCKET s = WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    const bool connected =
        s != INVALID_SOCKET && connect(s, found->ai_addr, static_cast<int>(found->ai_addrlen)) == 0;
    reason_ = connected ? std::string() : WsaReason();
    freeaddrinfo(found);
    if (s != INVALID_SOCKET) handle_ = static_cast<std::intptr_t>(s);
    return connected ? OpenResult::Open : OpenResult::Unreachable;
}

bool UdpSocket::Send(const void* data, size_t size) {
    if (send(Handle(handle_), static_cast<const char*>(data), static_cast<int>(size), 0) == static_cast<int>(size))
        return true;
    reason_ = WsaReason();
    return false;
}

long UdpSocket::Receive(void* buffer, size_t size, int waitMs) {
    WSAPOLLFD p{Handle(handle_), POLLRDNORM, 0};
    if (WSAPoll(&p, 1, waitMs) <= 0) return kNothing;
    const int n = recv(Handle(handle_), static_cast<char*>(buffer), static_cast<int>(size), 0);
    if (n == SOCKET_ERROR) {
        reason_ = WsaReason();
        return -1;
    }
    return n;
}

}  // namespace orv
