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

// A fresh file for every input, in memory where the system has a memory folder:
// the settings reader keeps a file it saw with the same size and time, and
// rewriting one file on disk waits for the disk each time.
std::string InputPath() {
    static const std::string folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    static unsigned long count = 0;
    return folder + "/orv-fuzz-settings-" + std::to_string(::getpid()) + "-" + std::to_string(++count) + ".ini";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = InputPath();
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    const orv::ServerSettings s = orv::LoadServerSettings(path);
    std::remove(path.c_str());
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
