#pragma once
// Where the central laboratory is: read from "orvanet.ini" in the workspace root,
// with built-in defaults for every key that is missing.
//
//   [ftp]     host, port, user, password, tls (required, try, off), ca_file
//   [sntp]    host, port, timeout_ms
//   [payment] host, port
//
// The file holds the FTP password: it is written readable by its owner alone.
#include <string>

#include "server/core/FtpSession.h"

namespace orv {

struct ServerSettings {
    // The FTP defaults are placeholders: each installation writes its own
    // account into orvanet.ini.
    std::string ftpHost = "ftp.tarvina.invalid";
    int ftpPort = 21;
    std::string ftpUser = "laboratory";
    std::string ftpPassword = "00000000";
    FtpTls ftpTls = FtpTls::Try;
    std::string ftpCaFile;  // absolute; a relative ca_file is taken from the settings file's folder
    std::string sntpHost = "pool.ntp.org";
    int sntpPort = 123;
    int sntpTimeoutMs = 3000;
    std::string paymentHost;  // empty: the FTP host
    int paymentPort = 81;

    std::string PaymentHost() const { return paymentHost.empty() ? ftpHost : paymentHost; }
    // The FTP session's endpoint, with the built-in read and transfer limits.
    FtpEndpoint Ftp() const;
};

inline constexpr const char* kSettingsFileName = "orvanet.ini";

// Missing file or keys keep the defaults; a value that is not a number keeps the
// default. A tls= value other than required, try or off is taken as required:
// a mistyped setting never weakens the protection asked for.
ServerSettings LoadServerSettings(const std::string& iniPath);

// Writes every key, readable by the owner alone; false with `error` set on failure.
bool SaveServerSettings(const std::string& iniPath, const ServerSettings& settings, std::string* error = nullptr);

const char* TlsSettingName(FtpTls tls);

}  // namespace orv
