// Any bytes as "orvanet.ini": loading never fails, ports and the time limit stay
// usable numbers, and no value carries a line break (a value never spans lines).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "server/core/ServerSettings.h"
#include "tests/fuzz/FuzzCheck.h"

using orv::fuzz::Check;

namespace {
bool OneLine(const std::string& s) { return s.find_first_of("\r\n") == std::string::npos; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/orv-fuzz-settings-" + std::to_string(::getpid()) + ".ini";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    const orv::ServerSettings s = orv::LoadServerSettings(path);
    const orv::ServerSettings defaults;
    Check(s.ftpPort >= 1 && s.ftpPort <= 65535);
    Check(s.sntpPort >= 1 && s.sntpPort <= 65535);
    Check(s.paymentPort >= 1 && s.paymentPort <= 65535);
    Check(s.sntpTimeoutMs > 0);
    for (const std::string* v : {&s.ftpHost, &s.ftpUser, &s.ftpPassword, &s.sntpHost, &s.paymentHost}) Check(OneLine(*v));
    Check(!s.PaymentHost().empty() || s.ftpHost.empty());
    (void)defaults;
    return 0;
}
