// Any bytes as "pro.txt": the four values are the trimmed first lines, a port is
// taken only when line 4 is a whole number, and a file with fewer lines says
// which line is missing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/core/ProxyFile.h"
#include "base/core/TextFile.h"
#include "base/core/Trim.h"
#include "tests/fuzz/FuzzCheck.h"

using orv::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orv::TextContent file = orv::DecodeText(bytes);
    const orv::ProxyReadResult r = orv::ReadProxyLines(file.lines);
    const auto& lines = file.lines;
    auto trimmed = [&](size_t i) { return i < lines.size() ? std::string(orv::Trim(lines[i])) : std::string(); };
    Check(r.settings.host == trimmed(0));
    Check(r.settings.user == trimmed(1));
    Check(r.settings.password == trimmed(2));
    if (lines.size() < 4) {
        Check(!r.error.empty() && r.settings.port == 0);
        Check(r.error.find("line " + std::to_string(lines.size() + 1)) != std::string::npos);
        return 0;
    }
    if (r.error.empty()) {
        // Written back as a number, the port reads the same.
        Check(std::stoll(trimmed(3)) == r.settings.port);
    } else {
        Check(r.settings.port == 0);
    }
    return 0;
}
