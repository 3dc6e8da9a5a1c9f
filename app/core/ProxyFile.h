#pragma once
// "pro.txt": optional proxy settings, four lines: host, user name, password, port.
#include <string>
#include <vector>

namespace orv {

struct ProxySettings {
    std::string host;
    std::string user;
    std::string password;
    int port = 0;
};

struct ProxyReadResult {
    ProxySettings settings;  // the values read before any failure stay
    std::string error;       // empty when all four lines were read
};

ProxyReadResult ReadProxyLines(const std::vector<std::string>& lines);

}  // namespace orv
