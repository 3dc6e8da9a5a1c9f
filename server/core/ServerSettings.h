#pragma once
// Where the central laboratory is: read from "orvanet.ini" in the workspace root,
// key by key over the system-wide "orvanet/orvanet.ini" of a deployment (in the
// folders of $XDG_CONFIG_DIRS, by default /etc/xdg; on Windows the program's
// folder), over built-in defaults.
//
//   [ftp]     host, port, user, password, tls (required, try, off), ca_file,
//             password_file (a file holding the password, for unattended runs)
//             read_timeout_ms, transfer_timeout_ms
//   [sntp]    host, port, timeout_ms
//   [payment] host, port
//   [results] watch
//
// The file holds the FTP password: it is written readable by its owner alone.
#include <optional>
#include <string>
#include <vector>

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
    std::string ftpPasswordFile;  // the same; the program never writes it
    // The session's limits: connecting and each answer of the server within
    // read_timeout_ms, a transfer that moves no byte for transfer_timeout_ms ends.
    int ftpReadTimeoutMs = FtpEndpoint{}.readTimeoutMs;
    int ftpTransferTimeoutMs = FtpEndpoint{}.transferTimeoutMs;
    std::string sntpHost = "pool.ntp.org";
    int sntpPort = 123;
    int sntpTimeoutMs = 3000;
    std::string paymentHost;  // empty: the FTP host
    int paymentPort = 81;
    bool resultsWatch = true;  // look for today's new results at every refresh

    std::string PaymentHost() const { return paymentHost.empty() ? ftpHost : paymentHost; }
    // The FTP session's endpoint, with its read and transfer limits.
    FtpEndpoint Ftp() const;
};

inline constexpr const char* kSettingsFileName = "orvanet.ini";
// The host of an installation nobody has configured yet.
inline constexpr const char* kPlaceholderHost = "ftp.tarvina.invalid";

// Missing file or keys keep the defaults; a value that is not a number keeps the
// default. A tls= value other than required, try or off is taken as required:
// a mistyped setting never weakens the protection asked for.
ServerSettings LoadServerSettings(const std::string& iniPath);
// The files in order of weight, the first winning key by key; missing ones are passed over.
ServerSettings LoadServerSettings(const std::vector<std::string>& files);

// The system-wide files of a deployment, most important first: "orvanet/orvanet.ini"
// in each folder of `xdgConfigDirs` (":"-separated, relative entries ignored; empty
// means /etc/xdg). On Windows: orvanet.ini in `programDir`.
std::vector<std::string> SystemSettingsFiles(const std::string& xdgConfigDirs, const std::string& programDir = {});
// The same, from this process's $XDG_CONFIG_DIRS.
std::vector<std::string> SystemSettingsFiles();
// The workspace's own orvanet.ini (`workspaceRoot` ends in its separator).
inline std::string WorkspaceSettingsFile(const std::string& workspaceRoot) { return workspaceRoot + kSettingsFileName; }
// The workspace's orvanet.ini, then the system-wide files.
std::vector<std::string> WorkspaceSettingsFiles(const std::string& workspaceRoot);
// What a workspace runs with: its own file over the system-wide ones.
ServerSettings LoadWorkspaceSettings(const std::string& workspaceRoot);

// Writes the settings into the file, readable by the owner alone, keeping its
// comments and the keys it does not know; false with `error` set on failure.
// With `inherited` (what the workspace would run with without its own file), a
// key whose value is the inherited one is written only where the file already has
// it, so the system-wide defaults keep reaching the workspace.
// A value with a line break or another control character is refused, as is a
// save the reader would not read the password back from as written (the file
// is then left as it was).
enum class PasswordKept {
    InFile,     // settings.ftpPassword is written into the file
    Elsewhere,  // the file's password= goes (the password is kept in the secret store)
    AsItIs,     // the file's password line is not touched (the user typed no new password)
};
bool SaveServerSettings(const std::string& iniPath, const ServerSettings& settings, std::string* error = nullptr,
                        const ServerSettings* inherited = nullptr, PasswordKept password = PasswordKept::InFile);
// The same for a password kept in the secret store: the file's password= goes.
bool SaveServerSettingsWithoutPassword(const std::string& iniPath, const ServerSettings& settings,
                                       std::string* error = nullptr, const ServerSettings* inherited = nullptr);

// Whether the reader finds [ftp] password= in this one file (whatever its value).
bool FileHoldsPassword(const std::string& iniPath);
// The password the settings reader takes from this one file; nothing when the
// file holds none or one it refuses (a line break or another control character).
std::optional<std::string> FilePassword(const std::string& iniPath);

const char* TlsSettingName(FtpTls tls);

}  // namespace orv
