// orvanet-tool server: the program's server actions without a window, against
// the local laboratory in its Unix mode, reading orvanet.ini from the workspace.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "base/core/AtomicFile.h"
#include "server/core/ServerMessages.h"
#include "tests/support/LabSuite.h"
#include "tests/support/ToolRun.h"

namespace {

class ServerCommandTest : public orv::test::LabSuite<orv::test::Names::Unix> {
protected:
    void SetUp() override {
        ASSERT_TRUE(lab_->Control("reset"));
        ASSERT_TRUE(home_.isValid());
        workspace_ = home_.path().toStdString() + "/ws/";
        ASSERT_TRUE(lab_->WriteSettings(workspace_));
    }
    orv::test::ToolRun Tool(const std::string& args) const {
        return orv::test::RunTool("HOME='" + home_.path().toStdString() + "' ORVANET_WORKSPACE='" + workspace_ +
                                      "' " ORV_TOOL,
                                  "server " + args);
    }

    QTemporaryDir home_;
    std::string workspace_;
};

TEST_F(ServerCommandTest, EachCommandDoesWhatTheWindowDoes) {
    orv::test::ToolRun run = Tool("check --code 12");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "network\tok\nserver\tok\nsecurity\tplain\ntoday\t1401/06/30\nfolder\tok\n");

    run = Tool("results --code 12");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "saved\t" + workspace_ + "14010630.txt\nrows\t5\n");  // five patients that day
    std::string archived, served;
    ASSERT_TRUE(orv::ReadWholeFile(workspace_ + "14010630.txt", archived));
    ASSERT_TRUE(orv::ReadWholeFile(lab_->ServerFile("Text Result/12/14010630.txt"), served));
    EXPECT_EQ(archived, served);

    run = Tool("documents --code 12");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nWorking hours.txt\n"), std::string::npos) << run.out;

    ASSERT_TRUE(orv::WriteFileAtomically(workspace_ + "today.txt", "1;x;y;30;0;;1[Hb;\r\n"));
    run = Tool("export --code 12 --day 1401/06/29");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "sent\t/Text Result/12/Res/14010629.txt\n");
    EXPECT_TRUE(orv::FileExists(lab_->ServerFile("Text Result/12/Res/14010629.txt")));
}

TEST_F(ServerCommandTest, FailuresSayTheStatusLineOnStderr) {
    // A day with no file: the earlier copy stays, the program's message.
    ASSERT_TRUE(orv::WriteFileAtomically(workspace_ + "14010101.txt", "earlier"));
    orv::test::ToolRun run = Tool("results --code 12 --day 1401/01/01");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, ". در اين تاريخ نمونه اي از آزمايشگاه شما هنوز ارسال نگرديده\n");
    std::string kept;
    EXPECT_TRUE(orv::ReadWholeFile(workspace_ + "14010101.txt", kept));
    EXPECT_EQ(kept, "earlier");

    ASSERT_TRUE(lab_->Control("login refuse"));
    run = Tool("check --code 12");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "network\tok\nserver\tfailed\nsecurity\t\ntoday\t1401/06/30\nfolder\tskipped\n");
    EXPECT_EQ(run.err, std::string(orv::msg::kLogInRefused) + "\n");
    EXPECT_EQ(run.err.find(lab_->Value("password")), std::string::npos);

    // A folder code the server has no folder for, as the settings window's test finds it.
    ASSERT_TRUE(lab_->Control("reset"));
    run = Tool("check --code 99");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "network\tok\nserver\tok\nsecurity\tplain\ntoday\t1401/06/30\nfolder\tfailed\n");
    EXPECT_EQ(run.err, "پوشه /Text Result/99/ روی سرور تاروینا نیست\n");

    // A mistyped workspace is named, not taken for a network failure.
    run = orv::test::RunTool("HOME='" + home_.path().toStdString() + "' ORVANET_WORKSPACE='" + workspace_ +
                                 "typo' " ORV_TOOL,
                             "server check --code 12");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "orvanet-tool server: ORVANET_WORKSPACE=\"" + workspace_ + "typo\" is not a folder\n");
}

TEST_F(ServerCommandTest, MalformedArgumentsEndWithStatus2) {
    for (const char* args : {"", "fetch --code 12", "check", "check --code 1x", "results --code 12 --day 1401/13/01",
                             "documents --code 12 --day 1401/06/30", "export --code"}) {
        const orv::test::ToolRun run = Tool(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << args << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << args;
    }
}

}  // namespace
