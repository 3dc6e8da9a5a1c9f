#include "server/core/ServerSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "base/core/AtomicFile.h"
#include "base/core/IniText.h"

namespace orv {
namespace {

std::optional<std::string> TextValue(const QSettings& ini, const char* key) {
    const QVariant v = ini.value(QString::fromUtf8(key));
    if (!v.isValid()) return std::nullopt;
    // An unquoted value with a comma reads as a list: the value is the whole of it.
    // The reader trims unquoted values; a quoted one keeps its spaces (a password may have them).
    const QString text = v.typeId() == QMetaType::QStringList ? v.toStringList().join(u',') : v.toString();
    // A quoted value may run over its line; a host, user or password with a line
    // break or another control character would reach the server as a command.
    for (const QChar ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7f) return std::nullopt;
    return text.toStdString();
}

void ReadText(const QSettings& ini, const char* key, std::string& value) {
    if (std::optional<std::string> text = TextValue(ini, key)) value = std::move(*text);
}

void ReadNumber(const QSettings& ini, const char* key, int& value, int low, int high) {
    const QVariant v = ini.value(QString::fromUtf8(key));
    if (!v.isValid()) return;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    if (ok && n >= low && n <= high) value = n;
}

void ReadTls(const QSettings& ini, FtpTls& value) {
    const QVariant v = ini.value(QStringLiteral("ftp/tls"));
    if (!v.isValid()) return;
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("off"))
        value = FtpTls::Off;
    else if (text == QLatin1String("try"))
        value = FtpTls::Try;
    else
        value = FtpTls::Required;
}

// A file named in the settings: a relative name is taken from the settings file's folder.
void ReadFileName(const QSettings& ini, const char* key, const std::string& iniPath, std::string& value) {
    const QString file = ini.value(QString::fromUtf8(key)).toString().trimmed();
    if (file.isEmpty()) return;
    const QDir folder = QFileInfo(QString::fromStdString(iniPath)).absoluteDir();
    value = QDir::cleanPath(folder.absoluteFilePath(file)).toStdString();
}

void ReadSwitch(const QSettings& ini, const char* key, bool& value) {
    const QVariant v = ini.value(QString::fromUtf8(key));
    if (!v.isValid()) return;
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("false") || text == QLatin1String("0") || text == QLatin1String("no") ||
        text == QLatin1String("off"))
        value = false;
    else if (text == QLatin1String("true") || text == QLatin1String("1") || text == QLatin1String("yes") ||
             text == QLatin1String("on"))
        value = true;
}

// The keys present in one file over what `s` holds.
void ReadFile(const std::string& iniPath, ServerSettings& s) {
    if (!FileExists(iniPath)) return;
    const QSettings ini(QString::fromStdString(iniPath), QSettings::IniFormat);
    ReadText(ini, "ftp/host", s.ftpHost);
    ReadNumber(ini, "ftp/port", s.ftpPort, 1, 65535);
    ReadText(ini, "ftp/user", s.ftpUser);
    ReadText(ini, "ftp/password", s.ftpPassword);
    ReadTls(ini, s.ftpTls);
    ReadFileName(ini, "ftp/ca_file", iniPath, s.ftpCaFile);
    ReadFileName(ini, "ftp/password_file", iniPath, s.ftpPasswordFile);
    ReadNumber(ini, "ftp/read_timeout_ms", s.ftpReadTimeoutMs, 100, 600000);
    ReadNumber(ini, "ftp/transfer_timeout_ms", s.ftpTransferTimeoutMs, 100, 600000);
    ReadText(ini, "sntp/host", s.sntpHost);
    ReadNumber(ini, "sntp/port", s.sntpPort, 1, 65535);
    ReadNumber(ini, "sntp/timeout_ms", s.sntpTimeoutMs, 100, 600000);
    ReadText(ini, "payment/host", s.paymentHost);
    ReadNumber(ini, "payment/port", s.paymentPort, 1, 65535);
    ReadSwitch(ini, "results/watch", s.resultsWatch);
}

}  // namespace

const char* TlsSettingName(FtpTls tls) {
    switch (tls) {
        case FtpTls::Off:
            return "off";
        case FtpTls::Try:
            return "try";
        case FtpTls::Required:
            return "required";
    }
    return "required";
}

FtpEndpoint ServerSettings::Ftp() const {
    FtpEndpoint e;
    e.host = ftpHost;
    e.port = ftpPort;
    e.user = ftpUser;
    e.password = ftpPassword;
    e.tls = ftpTls;
    e.caFile = ftpCaFile;
    e.readTimeoutMs = ftpReadTimeoutMs;
    e.transferTimeoutMs = ftpTransferTimeoutMs;
    return e;
}

ServerSettings LoadServerSettings(const std::string& iniPath) {
    ServerSettings s;
    ReadFile(iniPath, s);
    return s;
}

ServerSettings LoadServerSettings(const std::vector<std::string>& files) {
    ServerSettings s;
    for (auto f = files.rbegin(); f != files.rend(); ++f) ReadFile(*f, s);
    return s;
}

std::vector<std::string> SystemSettingsFiles(const std::string& xdgConfigDirs, const std::string& programDir) {
#ifdef _WIN32
    (void)xdgConfigDirs;
    if (programDir.empty()) return {};
    return {programDir + "/" + kSettingsFileName};
#else
    (void)programDir;
    std::vector<std::string> files;
    const std::string dirs = xdgConfigDirs.empty() ? std::string("/etc/xdg") : xdgConfigDirs;
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
        if (!dir.empty() && dir.front() == '/') files.push_back(dir + "/orvanet/" + kSettingsFileName);
        start = end + 1;
    }
    return files;
#endif
}

std::vector<std::string> SystemSettingsFiles() {
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    return SystemSettingsFiles(dirs ? dirs : "",
                               QCoreApplication::instance() ? QCoreApplication::applicationDirPath().toStdString()
                                                            : std::string());
}

std::vector<std::string> WorkspaceSettingsFiles(const std::string& workspaceRoot) {
    std::vector<std::string> files{WorkspaceSettingsFile(workspaceRoot)};
    for (std::string& f : SystemSettingsFiles()) files.push_back(std::move(f));
    return files;
}

ServerSettings LoadWorkspaceSettings(const std::string& workspaceRoot) {
    return LoadServerSettings(WorkspaceSettingsFiles(workspaceRoot));
}

bool FileHoldsPassword(const std::string& iniPath) {
    return FileExists(iniPath) &&
           QSettings(QString::fromStdString(iniPath), QSettings::IniFormat).contains(QStringLiteral("ftp/password"));
}

std::optional<std::string> FilePassword(const std::string& iniPath) {
    if (!FileExists(iniPath)) return std::nullopt;
    return TextValue(QSettings(QString::fromStdString(iniPath), QSettings::IniFormat), "ftp/password");
}

namespace {

bool HasControl(const std::string& text) {
    for (const unsigned char c : text)
        if (c < 0x20 || c == 0x7f) return true;
    return false;
}

// What the reader makes of the file's password now; nothing when the file has none.
std::optional<std::string> ReadBackPassword(const std::string& iniPath) {
    if (!FileHoldsPassword(iniPath)) return std::nullopt;
    return FilePassword(iniPath).value_or(std::string("\x7f"));  // one it refuses: not what was saved
}

bool SaveSettings(const std::string& iniPath, const ServerSettings& s, std::string* error,
                  const ServerSettings* inherited, PasswordKept password) {
    const auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    // A line break would end the value early and start a line of its own (another key, another section).
    const std::pair<const char*, const std::string*> texts[] = {
        {"[ftp] host", &s.ftpHost},     {"[ftp] user", &s.ftpUser},   {"[ftp] password", &s.ftpPassword},
        {"[ftp] ca_file", &s.ftpCaFile}, {"[sntp] host", &s.sntpHost}, {"[payment] host", &s.paymentHost}};
    for (const auto& [name, text] : texts) {
        if (name == std::string_view("[ftp] password") && password != PasswordKept::InFile) continue;
        if (HasControl(*text)) return fail(iniPath + ": " + name + " holds a line break or another control character");
    }
    std::string before;
    const bool existed = FileExists(iniPath);
    if (existed && !ReadWholeFile(iniPath, before, error)) return false;

    const ServerSettings fallback;
    const ServerSettings& base = inherited ? *inherited : fallback;
    const auto edit = [&](IniText& ini) {
        const auto put = [&](const char* section, const char* key, const std::string& value, const std::string& was) {
            if (!inherited || value != was || ini.Has(section, key)) ini.Set(section, key, value);
        };
        const auto number = [](int n) { return std::to_string(n); };
        put("ftp", "host", s.ftpHost, base.ftpHost);
        put("ftp", "port", number(s.ftpPort), number(base.ftpPort));
        put("ftp", "user", s.ftpUser, base.ftpUser);
        if (password == PasswordKept::InFile)
            put("ftp", "password", s.ftpPassword, base.ftpPassword);
        else if (password == PasswordKept::Elsewhere)
            ini.Remove("ftp", "password");
        put("ftp", "tls", TlsSettingName(s.ftpTls), TlsSettingName(base.ftpTls));
        if (!s.ftpCaFile.empty() || ini.Has("ftp", "ca_file")) put("ftp", "ca_file", s.ftpCaFile, base.ftpCaFile);
        // The limits are written where they differ from the built-in ones (or the file has them).
        const auto limit = [&](const char* key, int value, int builtIn, int was) {
            if (value != builtIn || ini.Has("ftp", key)) put("ftp", key, number(value), number(was));
        };
        limit("read_timeout_ms", s.ftpReadTimeoutMs, fallback.ftpReadTimeoutMs, base.ftpReadTimeoutMs);
        limit("transfer_timeout_ms", s.ftpTransferTimeoutMs, fallback.ftpTransferTimeoutMs, base.ftpTransferTimeoutMs);
        put("sntp", "host", s.sntpHost, base.sntpHost);
        put("sntp", "port", number(s.sntpPort), number(base.sntpPort));
        put("sntp", "timeout_ms", number(s.sntpTimeoutMs), number(base.sntpTimeoutMs));
        put("payment", "host", s.paymentHost, base.paymentHost);
        put("payment", "port", number(s.paymentPort), number(base.paymentPort));
        put("results", "watch", s.resultsWatch ? "true" : "false", base.resultsWatch ? "true" : "false");
    };
    const FileResult r = EditIniFile(iniPath, edit, kPrivateFileMode);
    if (!r) return fail(r.error);
    // The next log-in reads what was saved: a file the reader takes otherwise than it
    // was written (a second [ftp], a password line it does not see) is put back as it was.
    const std::optional<std::string> now = ReadBackPassword(iniPath);
    bool right = true;
    if (password == PasswordKept::InFile)  // written, or left to the deployment's file that gives the same
        right = now ? *now == s.ftpPassword : inherited && s.ftpPassword == base.ftpPassword;
    else if (password == PasswordKept::Elsewhere)
        right = !now;
    if (right) return true;
    if (existed)
        WriteFileAtomically(iniPath, before, kPrivateFileMode);
    else
        std::remove(iniPath.c_str());
    return fail(iniPath + ": the settings reader does not read the password back as saved; the file is left as it was");
}
}  // namespace

bool SaveServerSettings(const std::string& iniPath, const ServerSettings& s, std::string* error,
                        const ServerSettings* inherited, PasswordKept password) {
    return SaveSettings(iniPath, s, error, inherited, password);
}

bool SaveServerSettingsWithoutPassword(const std::string& iniPath, const ServerSettings& s, std::string* error,
                                       const ServerSettings* inherited) {
    return SaveSettings(iniPath, s, error, inherited, PasswordKept::Elsewhere);
}

}  // namespace orv
