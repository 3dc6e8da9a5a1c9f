#include "tests/support/CentralLab.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <cstdlib>

namespace orv::test {

std::string SourceDir() {
    const char* dir = std::getenv("ORVANET_SOURCE_DIR");
    return dir ? dir : ORV_SOURCE_DIR_FALLBACK;
}

bool CentralLab::Start(const CentralLabOptions& options) {
    Stop();
    options_ = options;
    values_.clear();
    error_.clear();
    ftpSkip_ = requestsSkip_ = 0;
    QStringList args{QString::fromStdString(SourceDir() + "/tools/central-lab/central_lab.py"),
                     QStringLiteral("--http-port"),
                     QStringLiteral("0"),
                     QStringLiteral("--clock"),
                     QString::fromStdString(options.clock),
                     QStringLiteral("--folder"),
                     QString::fromStdString(options.folder),
                     QStringLiteral("--sntp-timeout-ms"),
                     QString::number(options.sntpTimeoutMs)};
    if (options.overdue) args << QStringLiteral("--overdue");
    if (options.tls == "on") args << QStringLiteral("--tls");
    if (options.tls == "required") args << QStringLiteral("--tls-required");
    if (options.unixNames) args << QStringLiteral("--unix");
    for (const auto& f : options.faults) args << QStringLiteral("--fault") << QString::fromStdString(f);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(QStringLiteral("/usr/bin/python3"), args);
    if (!process_.waitForStarted(10000)) {
        error_ = "cannot start the central laboratory: " + process_.errorString().toStdString();
        return false;
    }
    // Generous: a loaded machine may take seconds to start Python.
    QDeadlineTimer deadline(30000);
    QByteArray pending;
    while (!deadline.hasExpired()) {
        if (!process_.canReadLine() && !process_.waitForReadyRead(200)) {
            if (process_.state() != QProcess::Running) break;
            continue;
        }
        while (process_.canReadLine()) {
            const std::string line = process_.readLine().trimmed().toStdString();
            if (line == "ready") return true;
            const auto eq = line.find('=');
            if (eq != std::string::npos) values_[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    error_ = "the central laboratory did not get ready: " + process_.readAllStandardError().toStdString();
    Stop();
    return false;
}

void CentralLab::Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

std::string CentralLab::Value(const std::string& key) const {
    auto it = values_.find(key);
    return it == values_.end() ? std::string() : it->second;
}

int CentralLab::Port(const std::string& key) const { return std::atoi(Value(key).c_str()); }

int CentralLab::AccessCode() const { return 947 * (std::atoi(Folder().c_str()) + 1); }

ServerSettings CentralLab::Settings() const {
    ServerSettings s;
    s.ftpHost = s.sntpHost = s.paymentHost = Value("host");
    s.ftpPort = FtpPort();
    s.ftpUser = Value("user");
    s.ftpPassword = Value("password");
    s.sntpPort = SntpPort();
    s.paymentPort = HttpPort();
    s.sntpTimeoutMs = std::atoi(Value("sntp_timeout_ms").c_str());
    s.ftpCaFile = CaFile();
    if (options_.ftpReadTimeoutMs > 0) s.ftpReadTimeoutMs = options_.ftpReadTimeoutMs;
    if (options_.ftpTransferTimeoutMs > 0) s.ftpTransferTimeoutMs = options_.ftpTransferTimeoutMs;
    // A plain laboratory's sessions are plain by choice, so nothing notes it.
    s.ftpTls = CaFile().empty() ? FtpTls::Off : FtpTls::Try;
    return s;
}

bool CentralLab::WriteSettings(const std::string& workspaceDir) const {
    QDir().mkpath(QString::fromStdString(workspaceDir));
    return SaveServerSettings(workspaceDir + "/" + kSettingsFileName, Settings());
}

bool CentralLab::Control(const std::string& command) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(ControlPort()));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string reply;
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
        const std::string line = command + "\n";
        if (send(fd, line.data(), line.size(), 0) == static_cast<ssize_t>(line.size())) {
            char c;
            while (recv(fd, &c, 1, 0) == 1 && c != '\n') reply += c;
        }
    }
    close(fd);
    if (reply != "ok") error_ = "control \"" + command + "\": " + reply;
    return reply == "ok";
}

std::vector<std::string> CentralLab::ReadLog(const std::string& key, size_t skip) const {
    std::vector<std::string> lines;
    QFile f(QString::fromStdString(Value(key)));
    if (!f.open(QIODevice::ReadOnly)) return lines;
    size_t n = 0;
    while (!f.atEnd()) {
        QByteArray line = f.readLine();
        if (line.endsWith('\n')) line.chop(1);
        if (n++ >= skip) lines.push_back(line.toStdString());
    }
    return lines;
}

std::vector<std::string> CentralLab::FtpCommands() const {
    std::vector<std::string> commands;
    for (auto& line : ReadLog("ftp_log", ftpSkip_)) {
        const auto space = line.find(' ');
        commands.push_back(space == std::string::npos ? line : line.substr(space + 1));
    }
    return commands;
}

int CentralLab::CountFtpCommands(const std::string& prefix) const {
    int n = 0;
    for (const auto& c : FtpCommands()) n += c.rfind(prefix, 0) == 0;
    return n;
}

std::vector<std::string> CentralLab::Requests() const { return ReadLog("requests_log", requestsSkip_); }

void CentralLab::ClearLogs() {
    ftpSkip_ += FtpCommands().size();
    requestsSkip_ += Requests().size();
}

}  // namespace orv::test
