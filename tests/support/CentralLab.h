#pragma once
// Test fixture: starts tools/central-lab on free loopback ports with its sample
// data, reads the ports it prints, switches its fault modes and reads its logs.
//
//   orv::test::CentralLab lab;
//   ASSERT_TRUE(lab.Start(CentralLabOptions::Fixed("2022-09-21T09:00:00"))) << lab.Error();
//   lab.WriteSettings(workspace);           // orvanet.ini for the client
//   lab.Control("drop 100 14010630");       // see tools/central-lab/README.md
//   lab.FtpCommands();                      // "RETR /Text Result\12\14010630.txt", ...
#include <QProcess>
#include <QString>
#include <QStringList>
#include <map>
#include <string>
#include <vector>

#include "server/core/ServerSettings.h"

namespace orv::test {

struct CentralLabOptions {
    // The responder's clock at a fixed local time, e.g. "2022-09-21T09:00:00".
    static CentralLabOptions Fixed(const std::string& localTime) {
        CentralLabOptions o;
        o.clock = "fixed:" + localTime;
        return o;
    }

    // The same clock, the laboratory's names as a Unix server takes them.
    static CentralLabOptions FixedUnix(const std::string& localTime) {
        CentralLabOptions o = Fixed(localTime);
        o.unixNames = true;
        return o;
    }

    std::string clock = "real";       // real, fixed:2022-09-21T09:00:00, offset:SECONDS
    std::string folder = "12";        // laboratory folder code of the sample data
    std::vector<std::string> faults;  // control commands applied before it starts
    int sntpTimeoutMs = 3000;
    // The client's FTP limits written into its settings (ms); 0 keeps the program's own.
    int ftpReadTimeoutMs = 0;
    int ftpTransferTimeoutMs = 0;
    bool overdue = false;  // a bill with an overdue month
    // FTP over TLS: "off" (plain FTP), "on" (offered, with a certificate made for
    // 127.0.0.1 by an authority of its own, see CaFile()) or "required".
    std::string tls = "off";
    // Names as a Unix server takes them: case-sensitive, "\\" a letter (553), LIST's argument split at spaces.
    bool unixNames = false;
};

class CentralLab {
public:
    CentralLab() = default;
    ~CentralLab() { Stop(); }
    CentralLab(const CentralLab&) = delete;
    CentralLab& operator=(const CentralLab&) = delete;

    bool Start(const CentralLabOptions& options = {});
    void Stop();
    bool Running() const { return process_.state() == QProcess::Running; }
    const std::string& Error() const { return error_; }

    int FtpPort() const { return Port("ftp_port"); }
    int SntpPort() const { return Port("sntp_port"); }
    int HttpPort() const { return Port("http_port"); }
    int ControlPort() const { return Port("control_port"); }
    std::string Value(const std::string& key) const;       // any "key=value" line it printed
    std::string DataDir() const { return Value("data"); }  // the FTP root
    std::string Folder() const { return Value("folder"); }
    int AccessCode() const;
    // The certificate authority of a TLS laboratory (empty for a plain one).
    std::string CaFile() const { return Value("ca_file"); }

    // Settings that point the client at this laboratory: for a TLS laboratory
    // tls=try with its certificate authority, for a plain one tls=off.
    ServerSettings Settings() const;
    // Writes them as orvanet.ini into `workspaceDir` (as the program writes it); false on failure.
    bool WriteSettings(const std::string& workspaceDir) const;

    // One control command ("login refuse", "stall RETR bill.txt", "sntp silent",
    // "reset", ...); true when the laboratory answered "ok".
    bool Control(const std::string& command);

    // Commands the FTP server received since the start (or the last ClearLogs),
    // without the session number, e.g. "PASS ******", "RETR /Text Result\12\x.txt".
    std::vector<std::string> FtpCommands() const;
    // Count of commands starting with `prefix` (e.g. "USER").
    int CountFtpCommands(const std::string& prefix) const;
    // Lines of the SNTP, payment-page and control log.
    std::vector<std::string> Requests() const;
    void ClearLogs();

    // The path of a file under the FTP root, e.g. "Text Result/12/bill.txt".
    std::string ServerFile(const std::string& relative) const { return DataDir() + "/" + relative; }

private:
    int Port(const std::string& key) const;
    std::vector<std::string> ReadLog(const std::string& key, size_t skip) const;

    QProcess process_;
    CentralLabOptions options_;
    std::map<std::string, std::string> values_;
    std::string error_;
    size_t ftpSkip_ = 0;
    size_t requestsSkip_ = 0;
};

// The source tree (ORVANET_SOURCE_DIR, set for every test).
std::string SourceDir();

}  // namespace orv::test
