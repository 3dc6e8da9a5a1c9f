#include "server/core/ServerSettings.h"

#include <QSettings>
#include <QString>

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

}  // namespace

ServerSettings LoadServerSettings(const std::string& iniPath) {
    ServerSettings s;
    const QSettings ini(QString::fromStdString(iniPath), QSettings::IniFormat);
    ReadText(ini, "ftp/host", s.ftpHost);
    ReadNumber(ini, "ftp/port", s.ftpPort, 1, 65535);
    ReadText(ini, "ftp/user", s.ftpUser);
    ReadText(ini, "ftp/password", s.ftpPassword);
    ReadText(ini, "sntp/host", s.sntpHost);
    ReadNumber(ini, "sntp/port", s.sntpPort, 1, 65535);
    ReadNumber(ini, "sntp/timeout_ms", s.sntpTimeoutMs, 100, 600000);
    ReadText(ini, "payment/host", s.paymentHost);
    ReadNumber(ini, "payment/port", s.paymentPort, 1, 65535);
    return s;
}

}  // namespace orv
