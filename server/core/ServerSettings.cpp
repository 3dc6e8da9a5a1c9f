#include "server/core/ServerSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QString>

#include <chrono>
#include <filesystem>
#include <system_error>

#include "base/core/AtomicFile.h"

namespace orv {
namespace {

void ReadText(const QSettings& ini, const char* key, std::string& value) {
    const QVariant v = ini.value(QString::fromUtf8(key));
    if (!v.isValid()) return;
    const QString text = v.toString().trimmed();
    // A quoted value may run over its line; a host, user or password with a line
    // break or another control character would reach the server as a command.
    for (const QChar ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7f) return;
    value = text.toStdString();
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

void ReadCaFile(const QSettings& ini, const std::string& iniPath, std::string& value) {
    const QString file = ini.value(QStringLiteral("ftp/ca_file")).toString().trimmed();
    if (file.isEmpty()) return;
    const QDir folder = QFileInfo(QString::fromStdString(iniPath)).absoluteDir();
    value = QDir::cleanPath(folder.absoluteFilePath(file)).toStdString();
}

// The settings reader keeps a file it has read and reads it again only when its
// size or its time (to the millisecond) has changed, so a save of the same
// length within one tick of the file clock would go unseen until the program
// restarts: a saved file is dated at least a millisecond after the one it replaced.
void DateAfter(const std::string& iniPath, std::filesystem::file_time_type replaced) {
    std::error_code ec;
    const auto later = replaced + std::chrono::milliseconds(1);
    const auto now = std::filesystem::last_write_time(iniPath, ec);
    if (!ec && now < later) std::filesystem::last_write_time(iniPath, later, ec);
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
    return e;
}

ServerSettings LoadServerSettings(const std::string& iniPath) {
    ServerSettings s;
    const QSettings ini(QString::fromStdString(iniPath), QSettings::IniFormat);
    ReadText(ini, "ftp/host", s.ftpHost);
    ReadNumber(ini, "ftp/port", s.ftpPort, 1, 65535);
    ReadText(ini, "ftp/user", s.ftpUser);
    ReadText(ini, "ftp/password", s.ftpPassword);
    ReadTls(ini, s.ftpTls);
    ReadCaFile(ini, iniPath, s.ftpCaFile);
    ReadText(ini, "sntp/host", s.sntpHost);
    ReadNumber(ini, "sntp/port", s.sntpPort, 1, 65535);
    ReadNumber(ini, "sntp/timeout_ms", s.sntpTimeoutMs, 100, 600000);
    ReadText(ini, "payment/host", s.paymentHost);
    ReadNumber(ini, "payment/port", s.paymentPort, 1, 65535);
    return s;
}

bool SaveServerSettings(const std::string& iniPath, const ServerSettings& s, std::string* error) {
    std::string text = "[ftp]\nhost=" + s.ftpHost + "\nport=" + std::to_string(s.ftpPort) + "\nuser=" + s.ftpUser +
                       "\npassword=" + s.ftpPassword + "\ntls=" + TlsSettingName(s.ftpTls) + "\n";
    if (!s.ftpCaFile.empty()) text += "ca_file=" + s.ftpCaFile + "\n";
    text += "\n[sntp]\nhost=" + s.sntpHost + "\nport=" + std::to_string(s.sntpPort) +
            "\ntimeout_ms=" + std::to_string(s.sntpTimeoutMs) + "\n\n[payment]\nhost=" + s.paymentHost +
            "\nport=" + std::to_string(s.paymentPort) + "\n";
    std::error_code ec;
    const auto replaced = std::filesystem::last_write_time(iniPath, ec);
    const bool hadFile = !ec;
    const FileResult r = WriteFileAtomically(iniPath, text, kPrivateFileMode);
    if (!r && error) *error = r.error;
    if (r && hadFile) DateAfter(iniPath, replaced);
    return r.ok;
}

}  // namespace orv
