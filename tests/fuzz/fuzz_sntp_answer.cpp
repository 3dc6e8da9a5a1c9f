// Any datagram as a time server's answer: it is a valid time only when it has
// 48 bytes or more, a synchronised clock, stratum 1 to 15 and a transmit time;
// the time read is the transmit time's, within the 136-year era it falls in.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "server/core/SntpClient.h"
#include "tests/fuzz/FuzzCheck.h"

using orv::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const orv::SntpAnswer a = orv::ParseSntpAnswer(data, size);
    Check(a.received);
    Check(a.valid == a.error.empty());
    if (!a.valid) return 0;
    Check(size >= 48);
    Check((data[0] >> 6) != 3);
    Check(data[1] >= 1 && data[1] <= 15);
    Check(std::isfinite(a.unixSeconds));
    // Era 0 from 1970 (NTP second 2208988800) to 2036, then era 1 up to 2104.
    Check(a.unixSeconds >= 0 && a.unixSeconds < 4294967296.0);
    const uint32_t seconds = (uint32_t(data[40]) << 24) | (uint32_t(data[41]) << 16) | (uint32_t(data[42]) << 8) | data[43];
    const uint64_t whole = (uint64_t(seconds) + 4294967296ULL - 2208988800ULL) % 4294967296ULL;
    const double off = a.unixSeconds - static_cast<double>(whole);
    Check(off >= 0 && off <= 1.0);
    return 0;
}
