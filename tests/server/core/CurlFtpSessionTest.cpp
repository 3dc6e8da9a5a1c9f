// The libcurl session against the local central laboratory.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <thread>

#include "base/core/AtomicFile.h"
#include "server/core/CurlFtpSession.h"
#include "tests/support/LabSuite.h"

using orv::CurlFtpSession;

namespace {

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class CurlFtpSessionTest : public orv::test::LabSuite<> {
protected:
    void SetUp() override {
        ASSERT_TRUE(lab_->Control("reset"));
        lab_->ClearLogs();
        session_.Configure(lab_->Settings().Ftp());
        ASSERT_TRUE(dir_.isValid());
    }
    std::string Local(const std::string& name) const { return dir_.path().toStdString() + "/" + name; }

    CurlFtpSession session_;
    QTemporaryDir dir_;
};

TEST(CurlFtpSessionUrl, EveryByteButUnreservedIsEncoded) {
    EXPECT_EQ(CurlFtpSession::UrlFor("h", 21, "/Text Result\\12\\1.txt"), "ftp://h:21/%2FText%20Result%5C12%5C1.txt");
    EXPECT_EQ(CurlFtpSession::UrlFor("h", 2121, "pay/may/a#b..c"), "ftp://h:2121/pay%2Fmay%2Fa%23b..c");
    EXPECT_EQ(CurlFtpSession::UrlFor("h", 21, "A-z_0.9~"), "ftp://h:21/A-z_0.9~");
    EXPECT_EQ(CurlFtpSession::UrlFor("h", 21, "\xd9\xbe"), "ftp://h:21/%D9%BE");
}

TEST_F(CurlFtpSessionTest, PathsReachTheServerAsWrittenInOneLogIn) {
    ASSERT_TRUE(session_.Open());
    std::string bill;
    auto r = session_.GetMemory("/Text Result\\12\\bill.txt", bill);
    ASSERT_TRUE(r) << r.error;
    EXPECT_NE(bill.find("22.00\r\n"), std::string::npos);
    r = session_.GetFile("/help files\\LastRecommendation.rtf", Local("LastRecommendation.rtf"));
    ASSERT_TRUE(r) << r.error;
    EXPECT_TRUE(orv::FileExists(Local("LastRecommendation.rtf")));
    r = session_.PutMemory("", "pay/may/1401-05x1401h05x120x347x2x16");
    ASSERT_TRUE(r) << r.error;
    r = session_.ChangeDir("/Help Files");
    ASSERT_TRUE(r) << r.error;
    std::vector<std::string> listing;
    r = session_.List(listing);
    ASSERT_TRUE(r) << r.error;
    // A folder named relative to the log-in folder lists the same files.
    std::vector<std::string> relative;
    r = session_.ChangeDir("/");
    ASSERT_TRUE(r) << r.error;
    r = session_.ChangeDir("Help Files");
    ASSERT_TRUE(r) << r.error;
    r = session_.List(relative);
    ASSERT_TRUE(r) << r.error;
    EXPECT_EQ(relative, listing);
    session_.Close();
    EXPECT_FALSE(session_.IsOpen());

    EXPECT_TRUE(std::any_of(listing.begin(), listing.end(),
                            [](const std::string& l) { return l.find("LastNormalValue.rtf") != std::string::npos; }));
    const auto commands = lab_->FtpCommands();
    EXPECT_EQ(lab_->CountFtpCommands("USER "), 1);
    EXPECT_TRUE(Has(commands, "PASS ******"));
    EXPECT_TRUE(Has(commands, "RETR /Text Result\\12\\bill.txt"));
    EXPECT_TRUE(Has(commands, "RETR /help files\\LastRecommendation.rtf"));
    EXPECT_TRUE(Has(commands, "STOR pay/may/1401-05x1401h05x120x347x2x16"));
    EXPECT_TRUE(Has(commands, "CWD /Help Files"));
    // Listed with no argument: a server may split one at its spaces.
    EXPECT_TRUE(Has(commands, "LIST"));
    EXPECT_EQ(lab_->CountFtpCommands("FEAT"), 0);
    EXPECT_GE(lab_->CountFtpCommands("EPSV"), 3);
    EXPECT_EQ(lab_->CountFtpCommands("PASV"), 0);
    EXPECT_TRUE(orv::FileExists(lab_->ServerFile("pay/may/1401-05x1401h05x120x347x2x16")));
}

TEST_F(CurlFtpSessionTest, UploadsFromAFileReplaceTheRemoteFile) {
    ASSERT_TRUE(orv::WriteFileAtomically(Local("w.txt"), "first"));
    ASSERT_TRUE(session_.Open());
    ASSERT_TRUE(session_.PutFile(Local("w.txt"), "/Text Result\\12\\Res\\14010630.txt"));
    ASSERT_TRUE(orv::WriteFileAtomically(Local("w.txt"), "second"));
    ASSERT_TRUE(session_.PutFile(Local("w.txt"), "/Text Result\\12\\Res\\14010630.txt"));
    session_.Close();
    std::string stored;
    ASSERT_TRUE(orv::ReadWholeFile(lab_->ServerFile("Text Result/12/Res/14010630.txt"), stored));
    EXPECT_EQ(stored, "second");
    EXPECT_TRUE(Has(lab_->FtpCommands(), "STOR /Text Result\\12\\Res\\14010630.txt"));
}

TEST_F(CurlFtpSessionTest, OpeningAnOpenSessionFailsAndKeepsIt) {
    ASSERT_TRUE(session_.Open());
    EXPECT_FALSE(session_.Open());
    EXPECT_TRUE(session_.IsOpen());
    std::string bill;
    EXPECT_TRUE(session_.GetMemory("/Text Result\\12\\bill.txt", bill));
    session_.Close();
    session_.Close();  // harmless
    EXPECT_TRUE(session_.Open());
}

TEST_F(CurlFtpSessionTest, RefusedLogInFailsTheOpen) {
    ASSERT_TRUE(lab_->Control("login refuse"));
    EXPECT_FALSE(session_.Open());
    EXPECT_FALSE(session_.IsOpen());
    ASSERT_TRUE(lab_->Control("login ok"));
    EXPECT_TRUE(session_.Open());
}

TEST_F(CurlFtpSessionTest, FailedDownloadsKeepTheEarlierCopyAndLeaveNoPartialFile) {
    const std::string local = Local("14010630.txt");
    ASSERT_TRUE(orv::WriteFileAtomically(local, "earlier copy"));
    ASSERT_TRUE(session_.Open());

    ASSERT_TRUE(lab_->Control("drop 100 14010630"));
    auto r = session_.GetFile("/Text Result\\12\\14010630.txt", local);
    EXPECT_FALSE(r);
    ASSERT_TRUE(lab_->Control("reset"));
    session_.Close();
    ASSERT_TRUE(session_.Open());
    r = session_.GetFile("/Text Result\\12\\14000101.txt", local);  // no such day: 550
    EXPECT_FALSE(r);
    session_.Close();

    std::string kept;
    ASSERT_TRUE(orv::ReadWholeFile(local, kept));
    EXPECT_EQ(kept, "earlier copy");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 1) << "a temporary file was left behind";

    const std::string fresh = Local("fresh.txt");
    ASSERT_TRUE(lab_->Control("drop 50 *"));
    ASSERT_TRUE(session_.Open());
    EXPECT_FALSE(session_.GetFile("/Text Result\\12\\14010630.txt", fresh));
    EXPECT_FALSE(orv::FileExists(fresh));
}

TEST_F(CurlFtpSessionTest, ProgressReportsTheBytesSoFar) {
    int64_t last = 0;
    int reports = 0;
    session_.SetProgress([&](int64_t done) {
        EXPECT_GE(done, last);
        last = done;
        ++reports;
    });
    ASSERT_TRUE(lab_->Control("slow 60000"));
    ASSERT_TRUE(session_.Open());
    ASSERT_TRUE(session_.GetFile("\\Orvanet.exe", Local("Orvanet.exe")));
    std::string body;
    ASSERT_TRUE(orv::ReadWholeFile(Local("Orvanet.exe"), body));
    EXPECT_EQ(last, static_cast<int64_t>(body.size()));
    EXPECT_GE(reports, 2);
}

TEST_F(CurlFtpSessionTest, StalledServerEndsTheOperationWithinTheLimits) {
    orv::FtpEndpoint e = lab_->Settings().Ftp();
    e.readTimeoutMs = 1500;
    e.transferTimeoutMs = 4000;
    session_.Configure(e);
    ASSERT_TRUE(session_.Open());
    ASSERT_TRUE(lab_->Control("stall-data 10 bill.txt"));
    auto start = std::chrono::steady_clock::now();
    std::string bytes;
    auto r = session_.GetMemory("/Text Result\\12\\bill.txt", bytes);
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(r);
    EXPECT_LT(took, std::chrono::seconds(12));
    session_.Close();

    ASSERT_TRUE(lab_->Control("reset"));
    ASSERT_TRUE(lab_->Control("stall RETR"));
    ASSERT_TRUE(session_.Open());
    start = std::chrono::steady_clock::now();
    r = session_.GetMemory("/Text Result\\12\\bill.txt", bytes);
    took = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(r);
    EXPECT_LT(took, std::chrono::seconds(12));
    session_.Close();

    // A server that never answers the log-in: the open fails.
    ASSERT_TRUE(lab_->Control("stall USER"));
    start = std::chrono::steady_clock::now();
    EXPECT_FALSE(session_.Open());
    EXPECT_FALSE(session_.IsOpen());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(12));
}

// The read timeout limits each answer, not the log-in as a whole: a server
// answering every command late, or a wrong password late, is told as it is.
// A server that takes no log-in without TLS says so.
TEST_F(CurlFtpSessionTest, EachAnswerHasTheReadTimeoutAndRefusalsSayWhy) {
    orv::FtpEndpoint e = lab_->Settings().Ftp();
    e.readTimeoutMs = 1500;
    session_.Configure(e);
    ASSERT_TRUE(lab_->Control("delay * 0.7"));  // USER, PASS, PWD, NOOP: 2.8 s in all
    auto r = session_.Open();
    EXPECT_TRUE(r) << r.error;
    std::string bytes;
    r = session_.GetMemory("/Text Result\\12\\bill.txt", bytes);
    EXPECT_TRUE(r) << r.error;
    session_.Close();
    ASSERT_TRUE(lab_->Control("reset"));
    ASSERT_TRUE(lab_->Control("login refuse"));
    ASSERT_TRUE(lab_->Control("delay PASS 2"));  // a wrong password's 530 held back on purpose
    r = session_.Open();
    EXPECT_EQ(r.failure, orv::FtpFailure::LogIn) << r.error;
    ASSERT_TRUE(lab_->Control("reset"));
    ASSERT_TRUE(lab_->Control("cleartext refuse"));
    r = session_.Open();
    EXPECT_EQ(r.failure, orv::FtpFailure::CleartextRefused) << r.error;
    EXPECT_NE(r.error.find("cleartext"), std::string::npos) << r.error;
}

// The transfer limit is a limit on the data connection making no progress, not
// on the whole transfer: a file that takes longer than the limit on a slow line
// arrives, and a stalled one ends about the limit after its last byte. (Scaled
// down: a 1.5 s limit, a 200 KB file at 64 KB/s; in use 15 s and 2 MB.)
TEST_F(CurlFtpSessionTest, SlowTransferOutlastsTheLimitWhileBytesFlowStalledOneEndsAtIt) {
    std::string big(200 * 1024, 'x');
    for (size_t i = 0; i < big.size(); i += 97) big[i] = static_cast<char>('a' + i % 26);
    ASSERT_TRUE(orv::WriteFileAtomically(lab_->ServerFile("PCR/slow.pdf"), big));
    orv::FtpEndpoint e = lab_->Settings().Ftp();
    e.transferTimeoutMs = 1500;
    session_.Configure(e);
    ASSERT_TRUE(lab_->Control("slow 65536"));
    ASSERT_TRUE(session_.Open());
    auto start = std::chrono::steady_clock::now();
    auto r = session_.GetFile("\\PCR\\slow.pdf", Local("slow.pdf"));
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(r) << r.error;
    EXPECT_GT(took, std::chrono::milliseconds(2500)) << "the line was not slow: the case proves nothing";
    std::string got;
    ASSERT_TRUE(orv::ReadWholeFile(Local("slow.pdf"), got));
    EXPECT_EQ(got, big);
    session_.Close();

    ASSERT_TRUE(lab_->Control("reset"));
    ASSERT_TRUE(lab_->Control("stall-data 20000 slow.pdf"));
    ASSERT_TRUE(session_.Open());
    start = std::chrono::steady_clock::now();
    r = session_.GetFile("\\PCR\\slow.pdf", Local("stalled.pdf"));
    const auto stalled = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("no data for 1500 ms"), std::string::npos) << r.error;
    EXPECT_GE(stalled, std::chrono::milliseconds(1400));
    EXPECT_LT(stalled, std::chrono::milliseconds(4000));
    EXPECT_FALSE(orv::FileExists(Local("stalled.pdf")));
}

TEST_F(CurlFtpSessionTest, AbortEndsTheRunningOperationOnly) {
    ASSERT_TRUE(lab_->Control("stall RETR"));
    ASSERT_TRUE(session_.Open());
    std::thread stopper([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        session_.Abort();
    });
    std::string bytes;
    const auto start = std::chrono::steady_clock::now();
    auto r = session_.GetMemory("/Text Result\\12\\bill.txt", bytes);
    stopper.join();
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("cancelled"), std::string::npos) << r.error;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    session_.Close();
    ASSERT_TRUE(lab_->Control("reset"));
    ASSERT_TRUE(session_.Open());
    EXPECT_TRUE(session_.GetMemory("/Text Result\\12\\bill.txt", bytes));
}

}  // namespace
