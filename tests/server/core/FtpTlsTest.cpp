// FTP over TLS against the local central laboratory: each tls= mode against a
// plain server, a server that offers TLS and one that requires it; certificates
// that fail verification; the data connection really encrypted.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <memory>

#include "base/core/AtomicFile.h"
#include "server/core/CurlFtpSession.h"
#include "server/core/ServerMessages.h"
#include "tests/support/CentralLab.h"

using orv::CurlFtpSession;
using orv::FtpFailure;
using orv::FtpSecurity;
using orv::FtpTls;
using orv::test::CentralLab;

namespace {

const char* kBill = "/Text Result\\12\\bill.txt";

class FtpTlsTest : public ::testing::Test {
protected:
    // One laboratory of each kind for the whole suite: "off", "on", "required".
    static void SetUpTestSuite() {
        for (const char* kind : {"off", "on", "required"}) {
            auto lab = std::make_unique<CentralLab>();
            orv::test::CentralLabOptions options;
            options.tls = kind;
            ASSERT_TRUE(lab->Start(options)) << lab->Error();
            labs_[kind] = std::move(lab);
        }
    }
    static void TearDownTestSuite() { labs_.clear(); }

    static CentralLab& Lab(const std::string& kind) { return *labs_.at(kind); }

    // A session for `lab` in `mode`, trusting the laboratory's authority when it has one.
    static orv::FtpEndpoint Endpoint(CentralLab& lab, FtpTls mode) {
        orv::FtpEndpoint e = lab.Settings().Ftp();
        e.tls = mode;
        return e;
    }

    static int Count(CentralLab& lab, const std::string& line) {
        const auto c = lab.FtpCommands();
        return static_cast<int>(std::count(c.begin(), c.end(), line));
    }

    static std::map<std::string, std::unique_ptr<CentralLab>> labs_;
};
std::map<std::string, std::unique_ptr<CentralLab>> FtpTlsTest::labs_;

struct Case {
    FtpTls mode;
    const char* server;
    bool opens;
    FtpSecurity security;  // when it opens
    FtpFailure failure;    // when it does not
};

TEST_F(FtpTlsTest, EachModeAgainstEachServer) {
    const Case cases[] = {
        {FtpTls::Off, "off", true, FtpSecurity::Plain, FtpFailure::None},
        {FtpTls::Off, "on", true, FtpSecurity::Plain, FtpFailure::None},
        {FtpTls::Off, "required", false, FtpSecurity::Closed, FtpFailure::CleartextRefused},
        {FtpTls::Try, "off", true, FtpSecurity::Plain, FtpFailure::None},
        {FtpTls::Try, "on", true, FtpSecurity::Tls, FtpFailure::None},
        {FtpTls::Try, "required", true, FtpSecurity::Tls, FtpFailure::None},
        {FtpTls::Required, "off", false, FtpSecurity::Closed, FtpFailure::TlsUnavailable},
        {FtpTls::Required, "on", true, FtpSecurity::Tls, FtpFailure::None},
        {FtpTls::Required, "required", true, FtpSecurity::Tls, FtpFailure::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("tls=") + orv::TlsSettingName(c.mode) + " against server " + c.server);
        CentralLab& lab = Lab(c.server);
        lab.ClearLogs();
        CurlFtpSession session;
        session.Configure(Endpoint(lab, c.mode));
        const orv::FtpResult opened = session.Open();
        ASSERT_EQ(bool(opened), c.opens) << opened.error;
        if (!c.opens) {
            EXPECT_EQ(opened.failure, c.failure) << opened.error;
            EXPECT_FALSE(session.IsOpen());
            EXPECT_EQ(session.Security(), FtpSecurity::Closed);
            continue;
        }
        EXPECT_EQ(session.Security(), c.security);
        // Two transfers on the one log-in: the second reuses the protected connection.
        for (int i = 0; i < 2; ++i) {
            std::string bill;
            const auto got = session.GetMemory(kBill, bill);
            ASSERT_TRUE(got) << got.error;
            EXPECT_NE(bill.find("\r\n"), std::string::npos);
        }
        session.Close();
        EXPECT_EQ(session.Security(), FtpSecurity::Closed);
        EXPECT_EQ(lab.CountFtpCommands("USER "), 1);
        if (std::string(c.server) == "off") continue;  // a plain server keeps no record of its data channels
        const bool tls = c.security == FtpSecurity::Tls;
        EXPECT_EQ(Count(lab, "(data channel protected)"), tls ? 2 : 0);
        EXPECT_EQ(Count(lab, "(data channel clear)"), tls ? 0 : 2);
        EXPECT_EQ(lab.CountFtpCommands("PROT P"), tls ? 1 : 0);
        EXPECT_EQ(lab.CountFtpCommands("AUTH SSL"), 0);  // "AUTH TLS" asked first
    }
}

TEST_F(FtpTlsTest, UnknownAuthorityIsRefusedBeforeTheLogInInEveryModeButOff) {
    for (FtpTls mode : {FtpTls::Try, FtpTls::Required}) {
        SCOPED_TRACE(orv::TlsSettingName(mode));
        CentralLab& lab = Lab("on");
        lab.ClearLogs();
        orv::FtpEndpoint e = Endpoint(lab, mode);
        e.caFile.clear();  // the system's store alone does not know the laboratory's authority
        CurlFtpSession session;
        session.Configure(e);
        const orv::FtpResult opened = session.Open();
        EXPECT_FALSE(opened);
        EXPECT_EQ(opened.failure, FtpFailure::Certificate) << opened.error;
        EXPECT_FALSE(session.IsOpen());
        // Never a fall back to plain text: neither the user name nor the password went out.
        EXPECT_EQ(lab.CountFtpCommands("USER"), 0);
        EXPECT_EQ(lab.CountFtpCommands("PASS"), 0);
        EXPECT_STREQ(orv::msg::OpenFailure(opened), orv::msg::kCertificate);
    }
}

TEST_F(FtpTlsTest, CertificateForAnotherNameOrAMissingAuthorityFileFailsTheOpen) {
    CentralLab& lab = Lab("on");
    orv::FtpEndpoint e = Endpoint(lab, FtpTls::Try);
    e.host = "localhost";  // the certificate names 127.0.0.1 only
    CurlFtpSession session;
    session.Configure(e);
    orv::FtpResult opened = session.Open();
    EXPECT_FALSE(opened);
    EXPECT_EQ(opened.failure, FtpFailure::Certificate) << opened.error;

    e = Endpoint(lab, FtpTls::Try);
    e.caFile = lab.CaFile() + ".missing";
    session.Configure(e);
    opened = session.Open();
    EXPECT_FALSE(opened);
    EXPECT_EQ(opened.failure, FtpFailure::Certificate) << opened.error;
    EXPECT_NE(opened.error.find(".missing"), std::string::npos) << opened.error;

    // The same session opens once the settings are right.
    session.Configure(Endpoint(lab, FtpTls::Required));
    opened = session.Open();
    EXPECT_TRUE(opened) << opened.error;
    EXPECT_EQ(session.Security(), FtpSecurity::Tls);
}

TEST_F(FtpTlsTest, UploadsAndListingsGoEncrypted) {
    CentralLab& lab = Lab("required");
    lab.ClearLogs();
    QTemporaryDir dir;
    const std::string local = dir.path().toStdString() + "/w.txt";
    ASSERT_TRUE(orv::WriteFileAtomically(local, "worklist line\r\n"));
    CurlFtpSession session;
    session.Configure(Endpoint(lab, FtpTls::Required));
    ASSERT_TRUE(session.Open());
    auto r = session.PutFile(local, "/Text Result\\12\\Res\\14010630.txt");
    ASSERT_TRUE(r) << r.error;
    r = session.ChangeDir("/Help Files");
    ASSERT_TRUE(r) << r.error;
    std::vector<std::string> listing;
    r = session.List(listing);
    ASSERT_TRUE(r) << r.error;
    session.Close();
    EXPECT_FALSE(listing.empty());
    std::string stored;
    ASSERT_TRUE(orv::ReadWholeFile(lab.ServerFile("Text Result/12/Res/14010630.txt"), stored));
    EXPECT_EQ(stored, "worklist line\r\n");
    EXPECT_EQ(Count(lab, "(data channel protected)"), 2);
    EXPECT_EQ(Count(lab, "(data channel clear)"), 0);
}

TEST_F(FtpTlsTest, FaultsOverTlsEndAsOverPlainFtp) {
    CentralLab& lab = Lab("on");
    QTemporaryDir dir;
    const std::string local = dir.path().toStdString() + "/14010630.txt";
    ASSERT_TRUE(orv::WriteFileAtomically(local, "earlier copy"));
    orv::FtpEndpoint e = Endpoint(lab, FtpTls::Required);
    e.readTimeoutMs = 1500;
    e.transferTimeoutMs = 1500;
    CurlFtpSession session;
    session.Configure(e);
    const struct {
        const char* fault;
        const char* remote;
    } faults[] = {
        {"drop 100 *", "/Text Result\\12\\bill.txt"},
        {"stall-data 10 *", "/Text Result\\12\\bill.txt"},
        {"stall RETR", "/Text Result\\12\\bill.txt"},
        {"missing bill.txt", "/Text Result\\12\\bill.txt"},
    };
    for (const auto& f : faults) {
        SCOPED_TRACE(f.fault);
        ASSERT_TRUE(lab.Control("reset"));
        ASSERT_TRUE(session.Open());
        ASSERT_TRUE(lab.Control(f.fault));
        EXPECT_FALSE(session.GetFile(f.remote, local));
        session.Close();
        ASSERT_TRUE(lab.Control("reset"));
        std::string kept;
        ASSERT_TRUE(orv::ReadWholeFile(local, kept));
        EXPECT_EQ(kept, "earlier copy");
    }
    ASSERT_TRUE(lab.Control("login refuse"));
    EXPECT_FALSE(session.Open());
    ASSERT_TRUE(lab.Control("reset"));
    // Cleared faults: the next session works.
    ASSERT_TRUE(session.Open());
    EXPECT_TRUE(session.GetFile("/Text Result\\12\\bill.txt", local));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "a temporary file was left behind";
}

}  // namespace
