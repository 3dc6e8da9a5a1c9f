// orvanet-tool server run unattended (no desktop session, so no secret store):
// the password from a systemd credential or from password_file=, read before
// orvanet.ini's; without any, where the password is and how to give it; and a
// folder code typed in Persian digits.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "base/core/AtomicFile.h"
#include "server/core/PasswordStore.h"
#include "tests/support/LabSuite.h"
#include "tests/support/ToolRun.h"

namespace {

class UnattendedPasswordTest : public orv::test::LabSuite<orv::test::Names::Unix> {
protected:
    void SetUp() override {
        ASSERT_TRUE(lab_->Control("reset"));
        lab_->ClearLogs();
        workspace_ = home_.path().toStdString() + "/ws/";
        orv::ServerSettings s = lab_->Settings();
        s.ftpPassword = "not-the-password";
        QDir().mkpath(QString::fromStdString(workspace_));
        ASSERT_TRUE(orv::SaveServerSettings(Ini(), s));
    }
    std::string Ini() const { return workspace_ + orv::kSettingsFileName; }
    // No D-Bus session: the store cannot answer, as under cron.
    orv::test::ToolRun Tool(const std::string& args, const std::string& env = {}) const {
        return orv::test::RunTool("env -u DBUS_SESSION_BUS_ADDRESS -u CREDENTIALS_DIRECTORY HOME='" +
                                      home_.path().toStdString() + "' ORVANET_WORKSPACE='" + workspace_ + "' " + env +
                                      " " ORV_TOOL,
                                  "server " + args);
    }
    // orvanet.ini without its password= (as after the program moved it into the store), plus `extra` in [ftp].
    void WithoutFilePassword(const std::string& extra = {}) {
        orv::ServerSettings s = lab_->Settings();
        ASSERT_TRUE(orv::SaveServerSettingsWithoutPassword(Ini(), s));
        std::string text;
        ASSERT_TRUE(orv::ReadWholeFile(Ini(), text));
        if (!extra.empty()) text.replace(text.find("[ftp]\n"), 6, "[ftp]\n" + extra + "\n");
        ASSERT_TRUE(orv::WriteFileAtomically(Ini(), text));
    }

    QTemporaryDir home_;
    std::string workspace_;
};

TEST_F(UnattendedPasswordTest, CredentialAndPasswordFileComeBeforeTheFile) {
    const std::string ok = "network\tok\nserver\tok\nsecurity\tplain\ntoday\t1401/06/30\nfolder\tok\n";
    const std::string credentials = home_.path().toStdString() + "/credentials";
    QDir().mkpath(QString::fromStdString(credentials));
    ASSERT_TRUE(orv::WriteFileAtomically(credentials + "/" + orv::kCredentialName, lab_->Value("password") + "\n"));
    orv::test::ToolRun run = Tool("check --code 12", "CREDENTIALS_DIRECTORY='" + credentials + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, ok);

    ASSERT_TRUE(orv::WriteFileAtomically(home_.path().toStdString() + "/ftp-password", lab_->Value("password")));
    WithoutFilePassword("password_file=" + home_.path().toStdString() + "/ftp-password");
    run = Tool("check --code ۱۲");  // the folder code as a Persian keyboard types it
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, ok);
}

TEST_F(UnattendedPasswordTest, WithoutAPasswordItSaysWhereItIsAndHowToGiveIt) {
    WithoutFilePassword();
    const orv::test::ToolRun run = Tool("results --code 12");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty());
    for (const char* said : {"secret store", "LoadCredential=orvanet-ftp-password", "password_file="})
        EXPECT_NE(run.err.find(said), std::string::npos) << run.err;
    EXPECT_EQ(lab_->CountFtpCommands("USER"), 0);
}

}  // namespace
