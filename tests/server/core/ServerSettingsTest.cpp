#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QTemporaryDir>

#include "base/core/AtomicFile.h"
#include "server/core/ServerSettings.h"

TEST(ServerSettings, MissingFileGivesTheDefaults) {
    const auto s = orv::LoadServerSettings("/nonexistent/orvanet.ini");
    EXPECT_EQ(s.ftpPort, 21);
    EXPECT_EQ(s.sntpHost, "pool.ntp.org");
    EXPECT_EQ(s.sntpPort, 123);
    EXPECT_EQ(s.sntpTimeoutMs, 3000);
    EXPECT_EQ(s.paymentPort, 81);
    EXPECT_EQ(s.PaymentHost(), s.ftpHost);
}

TEST(ServerSettings, ReadsEachKeyAndKeepsDefaultsForBadNumbers) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/orvanet.ini";
    ASSERT_TRUE(orv::WriteFileAtomically(path,
                                         "[ftp]\nhost = 10.0.0.5\nport=2121\nuser=lab12\npassword=01234567\n"
                                         "[sntp]\nhost=time.local\nport=abc\ntimeout_ms=1500\n"
                                         "[payment]\nport=8081\n"));
    const auto s = orv::LoadServerSettings(path);
    EXPECT_EQ(s.ftpHost, "10.0.0.5");
    EXPECT_EQ(s.ftpPort, 2121);
    EXPECT_EQ(s.ftpUser, "lab12");
    EXPECT_EQ(s.ftpPassword, "01234567");  // leading zero kept: the password is text
    EXPECT_EQ(s.sntpHost, "time.local");
    EXPECT_EQ(s.sntpPort, 123);
    EXPECT_EQ(s.sntpTimeoutMs, 1500);
    EXPECT_EQ(s.PaymentHost(), "10.0.0.5");
    EXPECT_EQ(s.paymentPort, 8081);
}

TEST(ServerSettings, TlsModesAndTheAuthorityFile) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/orvanet.ini";
    EXPECT_EQ(orv::LoadServerSettings(path).ftpTls, orv::FtpTls::Try);  // the default
    const struct {
        const char* text;
        orv::FtpTls tls;
    } cases[] = {
        {"required", orv::FtpTls::Required}, {" Try ", orv::FtpTls::Try},   {"OFF", orv::FtpTls::Off},
        {"yes", orv::FtpTls::Required},      {"", orv::FtpTls::Required},  // a mistyped mode never weakens it
    };
    // A file of its own for each case: the settings reader caches a file it saw with the same size and time.
    int n = 0;
    for (const auto& c : cases) {
        const std::string casePath = dir.path().toStdString() + "/case" + std::to_string(++n) + ".ini";
        ASSERT_TRUE(orv::WriteFileAtomically(casePath, std::string("[ftp]\ntls=") + c.text + "\n"));
        EXPECT_EQ(orv::LoadServerSettings(casePath).ftpTls, c.tls) << c.text;
    }
    ASSERT_TRUE(orv::WriteFileAtomically(path, "[ftp]\nca_file=certs/../lab-ca.pem\n"));
    EXPECT_EQ(orv::LoadServerSettings(path).ftpCaFile, dir.path().toStdString() + "/lab-ca.pem");
    ASSERT_TRUE(orv::WriteFileAtomically(path, "[ftp]\nca_file=/etc/lab/ca.pem\n"));
    EXPECT_EQ(orv::LoadServerSettings(path).ftpCaFile, "/etc/lab/ca.pem");
}

TEST(ServerSettings, SavedReadableByTheOwnerAloneAndReadBackTheSame) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/orvanet.ini";
    orv::ServerSettings s;
    s.ftpHost = "10.1.2.3";
    s.ftpPort = 2121;
    s.ftpUser = "lab12";
    s.ftpPassword = "01234567";
    s.ftpTls = orv::FtpTls::Required;
    s.ftpCaFile = "/etc/lab/ca.pem";
    s.sntpHost = "time.lab";
    s.sntpPort = 1123;
    s.sntpTimeoutMs = 1500;
    s.paymentHost = "pay.lab";
    s.paymentPort = 8081;
    // An earlier copy readable by all is replaced by a private one.
    ASSERT_TRUE(orv::WriteFileAtomically(path, "[ftp]\npassword=old\n"));
    ::chmod(path.c_str(), 0644);
    EXPECT_TRUE(orv::ReadableByOthers(path));
    std::string error;
    ASSERT_TRUE(orv::SaveServerSettings(path, s, &error)) << error;
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(orv::ReadableByOthers(path));

    const orv::ServerSettings back = orv::LoadServerSettings(path);
    EXPECT_EQ(back.ftpHost, s.ftpHost);
    EXPECT_EQ(back.ftpPort, s.ftpPort);
    EXPECT_EQ(back.ftpUser, s.ftpUser);
    EXPECT_EQ(back.ftpPassword, s.ftpPassword);
    EXPECT_EQ(back.ftpTls, s.ftpTls);
    EXPECT_EQ(back.ftpCaFile, s.ftpCaFile);
    EXPECT_EQ(back.sntpHost, s.sntpHost);
    EXPECT_EQ(back.sntpPort, s.sntpPort);
    EXPECT_EQ(back.sntpTimeoutMs, s.sntpTimeoutMs);
    EXPECT_EQ(back.paymentHost, s.paymentHost);
    EXPECT_EQ(back.paymentPort, s.paymentPort);

    const orv::FtpEndpoint e = back.Ftp();
    EXPECT_EQ(e.tls, orv::FtpTls::Required);
    EXPECT_EQ(e.caFile, "/etc/lab/ca.pem");
    EXPECT_EQ(e.transferTimeoutMs, 15000);
    EXPECT_EQ(e.readTimeoutMs, 5500);

    EXPECT_FALSE(orv::SaveServerSettings(dir.path().toStdString() + "/no/such/folder/orvanet.ini", s, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(orv::ReadableByOthers(dir.path().toStdString() + "/missing.ini"));
}

TEST(ServerSettings, ASaveIsReadBackAtOnceEvenAtTheSameSize) {
    // Saved twice within one tick of the file clock with the same length: the
    // second load must still give the second save's values.
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/orvanet.ini";
    orv::ServerSettings s;
    s.ftpHost = "10.1.2.3";
    for (int port = 2121; port < 2141; ++port) {
        s.ftpPort = port;
        ASSERT_TRUE(orv::SaveServerSettings(path, s, nullptr));
        ASSERT_EQ(orv::LoadServerSettings(path).ftpPort, port);
    }
}

TEST(ServerSettings, ASaveKeepsCommentsAndUnknownKeysAndEveryPasswordCharacter) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/orvanet.ini";
    ASSERT_TRUE(orv::WriteFileAtomically(path,
                                         "; set up by the laboratory's technician\n[ftp]\nhost=old.example\n"
                                         "tls=try            ; required, try or off\nproxy_note=keep me\n"
                                         "[other]\nanswer=42\n"));
    for (const std::string password : {"plain01", "p;a,s\"s\\w=rd#1 ", " spaced", "a,b", "رمز۱۲"}) {
        orv::ServerSettings s = orv::LoadServerSettings(path);
        s.ftpHost = "ftp.lab.example";
        s.ftpPassword = password;
        s.ftpTls = orv::FtpTls::Required;
        s.resultsWatch = false;
        ASSERT_TRUE(orv::SaveServerSettings(path, s));
        const orv::ServerSettings back = orv::LoadServerSettings(path);
        EXPECT_TRUE(back.ftpPassword == password) << "a password came back changed";
        EXPECT_EQ(back.ftpHost, "ftp.lab.example");
        EXPECT_EQ(back.ftpTls, orv::FtpTls::Required);
        EXPECT_FALSE(back.resultsWatch);
    }
    std::string text;
    ASSERT_TRUE(orv::ReadWholeFile(path, text));
    for (const char* kept : {"; set up by the laboratory's technician\n", "tls=required            ; required, try or off\n",
                             "proxy_note=keep me\n", "[other]\nanswer=42\n"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
}

TEST(ServerSettings, SystemWideFilesConfigureWhatTheWorkspaceLeavesOut) {
    EXPECT_EQ(orv::SystemSettingsFiles(""), std::vector<std::string>{"/etc/xdg/orvanet/orvanet.ini"});
    EXPECT_EQ(orv::SystemSettingsFiles("/opt/lab/:relative:/etc/xdg"),
              (std::vector<std::string>{"/opt/lab/orvanet/orvanet.ini", "/etc/xdg/orvanet/orvanet.ini"}));

    QTemporaryDir dir;
    const std::string root = dir.path().toStdString() + "/";
    const std::string first = root + "first.ini", second = root + "second.ini", own = root + "orvanet.ini";
    ASSERT_TRUE(orv::WriteFileAtomically(first, "[ftp]\nhost=ftp.tarvina.example\nca_file=tarvina-ca.pem\n"));
    ASSERT_TRUE(orv::WriteFileAtomically(second, "[ftp]\nhost=ignored.example\nport=2121\n[sntp]\nhost=time.example\n"));
    const std::vector<std::string> files{own, first, second};
    orv::ServerSettings s = orv::LoadServerSettings(files);
    EXPECT_EQ(s.ftpHost, "ftp.tarvina.example");  // the more important system file wins
    EXPECT_EQ(s.ftpPort, 2121);
    EXPECT_EQ(s.sntpHost, "time.example");
    EXPECT_EQ(s.ftpCaFile, root + "tarvina-ca.pem");  // beside the file that names it

    // The workspace's own file wins key by key, and a save from the window writes
    // only what differs from what the deployment gives.
    const orv::ServerSettings inherited = orv::LoadServerSettings(std::vector<std::string>{first, second});
    s.ftpUser = "lab12";
    ASSERT_TRUE(orv::SaveServerSettings(own, s, nullptr, &inherited));
    std::string text;
    ASSERT_TRUE(orv::ReadWholeFile(own, text));
    EXPECT_NE(text.find("user=lab12"), std::string::npos);
    EXPECT_EQ(text.find("host="), std::string::npos) << text;
    ASSERT_TRUE(orv::WriteFileAtomically(first, "[ftp]\nhost=moved.example\n"));
    s = orv::LoadServerSettings(files);
    EXPECT_EQ(s.ftpHost, "moved.example");
    EXPECT_EQ(s.ftpUser, "lab12");
}

TEST(ServerSettings, TheSessionLimitsAreWrittenOnlyWhenChangedAndReachTheSession) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/orvanet.ini";
    orv::ServerSettings s;
    ASSERT_TRUE(orv::SaveServerSettings(path, s));
    std::string text;
    ASSERT_TRUE(orv::ReadWholeFile(path, text));
    EXPECT_EQ(text.find("read_timeout_ms"), std::string::npos) << text;
    EXPECT_EQ(text.find("transfer_timeout_ms"), std::string::npos) << text;

    s.ftpReadTimeoutMs = 800;
    s.ftpTransferTimeoutMs = 900;
    ASSERT_TRUE(orv::SaveServerSettings(path, s));
    const orv::FtpEndpoint e = orv::LoadServerSettings(path).Ftp();
    EXPECT_EQ(e.readTimeoutMs, 800);
    EXPECT_EQ(e.transferTimeoutMs, 900);

    // Out of range or no number: the built-in limits.
    const std::string bad = dir.path().toStdString() + "/bad.ini";
    ASSERT_TRUE(orv::WriteFileAtomically(bad, "[ftp]\nread_timeout_ms=5\ntransfer_timeout_ms=soon\n"));
    const orv::FtpEndpoint d = orv::LoadServerSettings(bad).Ftp();
    EXPECT_EQ(d.readTimeoutMs, 5500);
    EXPECT_EQ(d.transferTimeoutMs, 15000);
}
