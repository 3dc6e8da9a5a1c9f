#pragma once
// One SNTP request (RFC 4330) over UDP, IPv4, with a time limit.
#include <atomic>
#include <cstdint>
#include <string>

namespace orv {

struct SntpAnswer {
    bool received = false;   // an answer came back in time
    bool valid = false;      // ...and it carries a usable time
    double unixSeconds = 0;  // the server's transmit time, when valid
    std::string error;       // why there is no valid time
};

// The answer's validity tests: at least 48 bytes, leap indicator not 3 (clock
// not synchronised), stratum 1 to 15 and a transmit time that is not zero.
SntpAnswer ParseSntpAnswer(const unsigned char* packet, size_t size);

class SntpClient {
public:
    std::string host;
    int port = 123;
    int timeoutMs = 3000;

    // Blocks for at most timeoutMs (plus name resolution); `abort` ends it early.
    SntpAnswer Request(const std::atomic<bool>* abort = nullptr) const;
};

}  // namespace orv
