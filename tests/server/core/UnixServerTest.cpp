// The libcurl session against the laboratory in its Unix mode (names
// case-sensitive, "\" a letter, LIST's argument split at spaces): the
// program's own paths find every file, and each kind of failure is told apart.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "accounting/core/AccountFiles.h"
#include "base/core/AtomicFile.h"
#include "reception/core/WorklistFiles.h"
#include "results/core/ResultPaths.h"
#include "results/core/TestDocuments.h"
#include "server/core/CurlFtpSession.h"
#include "server/core/ReferenceDocuments.h"
#include "tests/support/LabSuite.h"

using orv::CurlFtpSession;
using orv::FtpFailure;

namespace {

class UnixServerTest : public orv::test::LabSuite<orv::test::Names::Unix> {
protected:
    void SetUp() override {
        ASSERT_TRUE(lab_->Control("reset"));
        ASSERT_TRUE(dir_.isValid());
        session_.Configure(lab_->Settings().Ftp());
        ASSERT_TRUE(session_.Open());
    }
    std::string Local(const std::string& name) const { return dir_.path().toStdString() + "/" + name; }

    CurlFtpSession session_;
    QTemporaryDir dir_;
};

TEST_F(UnixServerTest, TheProgramsPathsFindEveryFile) {
    namespace acc = orv::accounting;
    const std::string downloads[] = {
        orv::results::RemoteResultPath("12", "14010630"),
        acc::BillPath("12"),
        acc::MonthBillPath("12", "1401-05"),
        orv::results::DocumentFor(5, "2045", "1", 1401, 6, "12", "/").source,
        orv::docs::kRecommendation.remote,
        orv::docs::kPaymentRules.remote,
        orv::docs::kNormalValues.remote,
        orv::docs::kTestPrices.remote,
        acc::kProgramPath,
    };
    for (const std::string& remote : downloads) {
        std::string bytes;
        const orv::FtpResult got = session_.GetMemory(remote, bytes);
        EXPECT_TRUE(got) << remote << ": " << got.error;
        EXPECT_FALSE(bytes.empty()) << remote;
    }
    const std::string uploads[] = {
        orv::reception::ExportRemotePath("12", "14010630"),
        acc::MessagePath("12", acc::MessageName("12", "1401", "06", "30", 7)),
        acc::PaymentMarkerPath("1401-05x1401h05x12x347x2x16"),
    };
    for (const std::string& remote : uploads) {
        const orv::FtpResult sent = session_.PutMemory("1;x;y;30;0;;1[Hb;\r\n", remote);
        EXPECT_TRUE(sent) << remote << ": " << sent.error;
        EXPECT_TRUE(orv::FileExists(lab_->ServerFile(remote.substr(1)))) << remote;
    }
}

TEST_F(UnixServerTest, FailuresAreToldByKind) {
    std::string bytes;
    // A name the server will never take.
    orv::FtpResult r = session_.GetMemory("/Text Result\\12\\bill.txt", bytes);
    EXPECT_EQ(r.failure, FtpFailure::Refused) << r.error;
    EXPECT_NE(r.error.find("553"), std::string::npos) << r.error;
    r = session_.PutMemory("x", "/Text Result/12/Res\\a.txt");
    EXPECT_EQ(r.failure, FtpFailure::Refused) << r.error;
    // A file that is not there (yet).
    r = session_.GetMemory(orv::results::RemoteResultPath("12", "13990101"), bytes);
    EXPECT_EQ(r.failure, FtpFailure::RemoteMissing) << r.error;
    // An upload the server answered "226" but kept only in part.
    ASSERT_TRUE(lab_->Control("keep 3 res/14010701"));
    r = session_.PutMemory("1;x;y;30;0;;1[Hb;\r\n", orv::reception::ExportRemotePath("12", "14010701"));
    EXPECT_EQ(r.failure, FtpFailure::Unconfirmed) << r.error;
    // A log-in the server refuses.
    session_.Close();
    ASSERT_TRUE(lab_->Control("login refuse"));
    r = session_.Open();
    EXPECT_EQ(r.failure, FtpFailure::LogIn) << r.error;
}

// A file the server has but will not let us read is a refusal in its words, not
// "not there yet"; the earlier local copy stays; the next transfer, on a new
// log-in, works. An upload-only folder (proftpd's <Limit READ> DenyAll) takes
// the upload, and its refused SIZE does not undo the 226.
TEST_F(UnixServerTest, AFileThereButUnreadableIsARefusal) {
    namespace acc = orv::accounting;
    ASSERT_TRUE(lab_->Control("unreadable bill.txt"));
    ASSERT_TRUE(lab_->Control("deny READ /comments"));
    const std::string local = Local("bill.txt");
    ASSERT_TRUE(orv::WriteFileAtomically(local, "earlier").ok);
    lab_->ClearLogs();
    orv::FtpResult r = session_.GetFile(acc::BillPath("12"), local);
    EXPECT_EQ(r.failure, FtpFailure::Refused) << r.error;
    EXPECT_NE(r.error.find("Permission denied"), std::string::npos) << r.error;
    std::string bytes;
    EXPECT_TRUE(orv::ReadWholeFile(local, bytes));
    EXPECT_EQ(bytes, "earlier");
    r = session_.GetMemory(orv::results::RemoteResultPath("12", "14010630"), bytes);
    EXPECT_TRUE(r) << r.error;
    EXPECT_EQ(lab_->CountFtpCommands("USER "), 1);  // the refused transfer's connection was left

    const std::string message = acc::MessagePath("12", acc::MessageName("12", "1401", "06", "30", 7));
    r = session_.PutMemory("x\r\n", message);
    EXPECT_TRUE(r) << r.error;
    EXPECT_TRUE(orv::FileExists(lab_->ServerFile(message.substr(1))));
    orv::FtpFileInfo info;
    ASSERT_TRUE(session_.FileInfo(message, info));
    EXPECT_TRUE(info.exists);  // its time is told, its size is not
    r = session_.GetMemory(message, bytes);
    EXPECT_EQ(r.failure, FtpFailure::Refused) << r.error;
    r = session_.GetMemory(acc::MessagePath("12", "no-such-message"), bytes);
    EXPECT_EQ(r.failure, FtpFailure::RemoteMissing) << r.error;
}

}  // namespace
