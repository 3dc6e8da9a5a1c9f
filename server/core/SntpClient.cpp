#include "server/core/SntpClient.h"

#include <algorithm>
#include <chrono>

#include "server/core/UdpSocket.h"

namespace orv {
namespace {

constexpr uint32_t kNtpToUnix = 2208988800u;  // seconds from 1900-01-01 to 1970-01-01
constexpr size_t kPacketSize = 48;

uint32_t Be32(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

}  // namespace

SntpAnswer ParseSntpAnswer(const unsigned char* packet, size_t size) {
    SntpAnswer a;
    a.received = true;
    if (size < kPacketSize) {
        a.error = "answer of " + std::to_string(size) + " bytes";
        return a;
    }
    const int leap = packet[0] >> 6;
    const int stratum = packet[1];
    const uint32_t seconds = Be32(packet + 40);
    const uint32_t fraction = Be32(packet + 44);
    if (leap == 3) {
        a.error = "server clock not synchronised";
    } else if (stratum < 1 || stratum > 15) {
        a.error = "stratum " + std::to_string(stratum);
    } else if (seconds == 0 && fraction == 0) {
        a.error = "zero transmit time";
    } else {
        a.valid = true;
        // Era 0 ends in 2036; a time below 1970 in era 0 belongs to era 1.
        const double s =
            seconds >= kNtpToUnix ? double(seconds - kNtpToUnix) : double(seconds) + 4294967296.0 - kNtpToUnix;
        a.unixSeconds = s + fraction / 4294967296.0;
    }
    return a;
}

SntpAnswer SntpClient::Request(const std::atomic<bool>* abort) const {
    SntpAnswer a;
    UdpSocket s;
    switch (s.Open(host, port)) {
        case UdpSocket::OpenResult::Unresolved:
            a.error = "cannot resolve " + host;
            return a;
        case UdpSocket::OpenResult::Unreachable:
            a.error = "cannot reach the time server: " + s.Reason();
            return a;
        case UdpSocket::OpenResult::Open:
            break;
    }
    unsigned char request[kPacketSize] = {};
    request[0] = 0x23;  // leap indicator 0, version 4, mode 3 (client)
    if (!s.Send(request, sizeof request)) {
        a.error = "cannot send to the time server: " + s.Reason();
        return a;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (abort && abort->load()) {
            a.error = "cancelled";
            return a;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            a.error = "no answer within " + std::to_string(timeoutMs) + " ms";
            return a;
        }
        unsigned char answer[512];
        const long n = s.Receive(answer, sizeof answer, static_cast<int>(std::min<long long>(left.count(), 100)));
        if (n == UdpSocket::kNothing) continue;
        if (n < 0) {
            // A refused port (ICMP) is as good as silence: no answer.
            a.error = "time server: " + s.Reason();
            return a;
        }
        return ParseSntpAnswer(answer, static_cast<size_t>(n));
    }
}

}  // namespace orv
