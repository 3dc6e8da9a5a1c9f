#pragma once
// A connected IPv4 UDP socket with a bounded wait for each answer: POSIX
// sockets and poll on Linux (UdpSocket_posix.cpp), Winsock on Windows.
#include <cstddef>
#include <cstdint>
#include <string>

namespace orv {

class UdpSocket {
public:
    enum class OpenResult { Open, Unresolved, Unreachable };
    UdpSocket() = default;
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    // Resolves `host` (IPv4) and connects to its `port`.
    OpenResult Open(const std::string& host, int port);
    bool Send(const void* data, size_t size);
    // The size of the datagram received within `waitMs` (an empty one is 0),
    // kNothing when none came, -1 on an error.
    static constexpr long kNothing = -2;
    long Receive(void* buffer, size_t size, int waitMs);
    // Why the last call failed, in the system's words.
    const std::string& Reason() const { return reason_; }

private:
    std::intptr_t handle_ = -1;
    std::string reason_;
};

}  // namespace orv
