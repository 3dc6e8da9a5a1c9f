#include "app/core/ProxyFile.h"

#include <charconv>

#include "base/core/Trim.h"

namespace orv {

ProxyReadResult ReadProxyLines(const std::vector<std::string>& lines) {
    ProxyReadResult r;
    auto missing = [&](int n) {
        r.error =
            "\"pro.txt\" has no line " + std::to_string(n) + " (it needs four: proxy host, user name, password, port).";
        return r;
    };
    if (lines.size() < 1) return missing(1);
    r.settings.host = std::string(Trim(lines[0]));
    if (lines.size() < 2) return missing(2);
    r.settings.user = std::string(Trim(lines[1]));
    if (lines.size() < 3) return missing(3);
    r.settings.password = std::string(Trim(lines[2]));
    if (lines.size() < 4) return missing(4);
    const std::string_view p = Trim(lines[3]);
    int port = 0;
    const auto [end, ec] = std::from_chars(p.data(), p.data() + p.size(), port);
    if (p.empty() || ec != std::errc() || end != p.data() + p.size()) {
        r.error = "'" + std::string(p) + "' is not a valid integer value (line 4 of \"pro.txt\", the proxy port).";
        return r;
    }
    r.settings.port = port;
    return r;
}

}  // namespace orv
