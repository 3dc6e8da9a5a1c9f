#pragma once
// Where the central laboratory is: read from "orvanet.ini" in the workspace root,
// with built-in defaults for every key that is missing.
//
//   [ftp]     host, port, user, password
//   [sntp]    host, port, timeout_ms
//   [payment] host, port
#include <string>

namespace orv {

struct ServerSettings {
    // The FTP defaults are placeholders: each installation writes its own
    // account into orvanet.ini.
    std::string ftpHost = "ftp.tarvina.invalid";
    int ftpPort = 21;
    std::string ftpUser = "laboratory";
    std::string ftpPassword = "00000000";
    std::string sntpHost = "pool.ntp.org";
    int sntpPort = 123;
    int sntpTimeoutMs = 3000;
    std::string paymentHost;  // empty: the FTP host
    int paymentPort = 81;

    std::string PaymentHost() const { return paymentHost.empty() ? ftpHost : paymentHost; }
};

inline constexpr const char* kSettingsFileName = "orvanet.ini";

// Missing file or keys keep the defaults; a value that is not a number keeps the default.
ServerSettings LoadServerSettings(const std::string& iniPath);

}  // namespace orv
