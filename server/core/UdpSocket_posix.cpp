#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "server/core/UdpSocket.h"

namespace orv {

UdpSocket::~UdpSocket() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

UdpSocket::OpenResult UdpSocket::Open(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found)
        return OpenResult::Unresolved;
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const bool connected = fd >= 0 && ::connect(fd, found->ai_addr, found->ai_addrlen) == 0;
    reason_ = connected ? std::string() : std::strerror(errno);
    ::freeaddrinfo(found);
    if (fd >= 0) handle_ = fd;
    return connected ? OpenResult::Open : OpenResult::Unreachable;
}

bool UdpSocket::Send(const void* data, size_t size) {
    if (::send(static_cast<int>(handle_), data, size, 0) == static_cast<ssize_t>(size)) return true;
    reason_ = std::strerror(errno);
    return false;
}

long UdpSocket::Receive(void* buffer, size_t size, int waitMs) {
    pollfd p{static_cast<int>(handle_), POLLIN, 0};
    if (::poll(&p, 1, waitMs) <= 0) return kNothing;
    const ssize_t n = ::recv(static_cast<int>(handle_), buffer, size, 0);
    if (n < 0) reason_ = std::strerror(errno);
    return static_cast<long>(n);
}

}  // namespace orv
