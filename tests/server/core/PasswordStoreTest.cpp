// The FTP password and the secret store: a real store (gnome-keyring in a D-Bus
// session of the test's own), no store at all, and a store that never answers.
// Each case is its own ctest entry (tests/server/core/CMakeLists.txt). No
// password is ever printed: comparisons say only that they differ.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "base/core/AtomicFile.h"
#include "server/core/PasswordStore.h"

namespace {

const std::string kIni =
    "; the laboratory's account\n"
    "[ftp]\n"
    "host=ftp.example.org\n"
    "user=lab12\n"
    "password=s3cret-of-lab\n"
    "passive_note=kept\n"
    "\n"
    "[sntp]\n"
    "host=127.0.0.1\n";

class PasswordStoreTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "password_store_test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);  // lives to the end of the run
    }
    void SetUp() override {
        root_ = dir_.path().toStdString() + "/";
        ASSERT_TRUE(orv::WriteFileAtomically(Ini(), kIni));
    }
    std::string Ini() const { return root_ + orv::kSettingsFileName; }
    std::string IniText() const {
        std::string text;
        orv::ReadWholeFile(Ini(), text);
        return text;
    }
    static unsigned Mode(const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 0777) : 0;
    }

    QTemporaryDir dir_;
    std::string root_;
};

// Run inside dbus-run-session with gnome-keyring-daemon unlocked.
TEST_F(PasswordStoreTest, KeyringTakesThePasswordOutOfTheFile) {
    orv::KeychainPasswordStore store(10000);
    ASSERT_TRUE(store.Available()) << "no secret store answers in this session";

    orv::StartSettings start = orv::LoadSettingsAtStart(root_, store);
    EXPECT_EQ(start.place, orv::PasswordPlace::Store);
    EXPECT_TRUE(start.settings.ftpPassword == "s3cret-of-lab") << "the password read differs";
    EXPECT_EQ(start.settings.ftpUser, "lab12");
    const std::string text = IniText();
    EXPECT_EQ(text.find("s3cret"), std::string::npos) << "the password is still in orvanet.ini";
    EXPECT_NE(text.find("; the laboratory's account"), std::string::npos) << "the comment is lost";
    EXPECT_NE(text.find("passive_note=kept"), std::string::npos) << "a key the program does not know is lost";
    EXPECT_EQ(Mode(Ini()), 0600u);
    const orv::PasswordRead kept = store.Read(orv::PasswordKey(root_));
    EXPECT_EQ(kept.status, orv::PasswordRead::Found);
    EXPECT_TRUE(kept.password == "s3cret-of-lab") << "the stored password differs";

    // The next start reads it from the store; the program's later reads of the file keep it.
    start = orv::LoadSettingsAtStart(root_, store);
    EXPECT_EQ(start.place, orv::PasswordPlace::Store);
    EXPECT_TRUE(start.settings.ftpPassword == "s3cret-of-lab") << "the password read differs";
    EXPECT_TRUE(orv::SettingsWithStoredPassword(root_, start.storedPassword).ftpPassword == "s3cret-of-lab")
        << "the password of the later reads differs";

    // A new password goes to the store, not to the file.
    ASSERT_TRUE(orv::StorePassword(root_, start.settings, "n3w-word", &store));
    EXPECT_EQ(IniText().find("n3w-word"), std::string::npos) << "the new password reached orvanet.ini";
    EXPECT_TRUE(store.Read(orv::PasswordKey(root_)).password == "n3w-word") << "the stored password differs";
    EXPECT_TRUE(store.Remove(orv::PasswordKey(root_)));
}

// Run with no D-Bus session at all.
TEST_F(PasswordStoreTest, WithoutAStoreThePrivateFileServes) {
    orv::KeychainPasswordStore store(10000);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(store.Available());
    const orv::StartSettings start = orv::LoadSettingsAtStart(root_, store);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(start.place, orv::PasswordPlace::File);
    EXPECT_TRUE(start.settings.ftpPassword == "s3cret-of-lab") << "the password read differs";
    EXPECT_TRUE(IniText() == kIni) << "orvanet.ini was rewritten";

    orv::ServerSettings settings = start.settings;
    ASSERT_TRUE(orv::StorePassword(root_, settings, "n3w-word", &store));
    EXPECT_TRUE(orv::LoadServerSettings(Ini()).ftpPassword == "n3w-word") << "the saved password differs";
    EXPECT_EQ(Mode(Ini()), 0600u);
}

// Run beside a secret service that takes every call and answers none.
TEST_F(PasswordStoreTest, AStoreThatNeverAnswersIsNone) {
    orv::KeychainPasswordStore store(1500);
    QElapsedTimer clock;
    clock.start();
    const orv::StartSettings start = orv::LoadSettingsAtStart(root_, store);
    EXPECT_LT(clock.elapsed(), 6000);
    EXPECT_EQ(start.place, orv::PasswordPlace::File);
    EXPECT_TRUE(start.settings.ftpPassword == "s3cret-of-lab") << "the password read differs";
    EXPECT_TRUE(IniText() == kIni) << "orvanet.ini was rewritten";
}

}  // namespace
