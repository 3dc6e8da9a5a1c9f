// Where the FTP password is taken from and kept: the move into the secret store
// (only a value read back exactly as written), a store that takes the password
// and does not give it back, the unattended runs' credential and password_file=,
// and orvanet.ini saved so that its reader reads what was saved. A store in
// memory stands in for the desktop's. No password is printed.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <map>

#include "base/core/AtomicFile.h"
#include "server/core/PasswordStore.h"

namespace {

class MemoryStore : public orv::PasswordStore {
public:
    bool readFails = false;  // takes passwords, never gives one
    std::map<std::string, std::string> kept;
    int calls = 0;
    bool Available() override { return ++calls > 0; }
    orv::PasswordRead Read(const std::string& key) override {
        ++calls;
        if (readFails) return {};
        const auto found = kept.find(key);
        if (found == kept.end()) return {orv::PasswordRead::Missing, {}};
        return {orv::PasswordRead::Found, found->second};
    }
    bool Write(const std::string& key, const std::string& password) override {
        ++calls;
        kept[key] = password;
        return true;
    }
    bool Remove(const std::string& key) override {
        ++calls;
        return kept.erase(key) > 0;
    }
};

class PasswordPlaceTest : public testing::Test {
protected:
    void SetUp() override {
        root_ = dir_.path().toStdString() + "/";
        qputenv("XDG_CONFIG_DIRS", QByteArray(dir_.path().toUtf8() + "/system"));
        unsetenv("CREDENTIALS_DIRECTORY");
    }
    std::string Ini() const { return root_ + orv::kSettingsFileName; }
    std::string Text() const {
        std::string text;
        orv::ReadWholeFile(Ini(), text);
        return text;
    }
    void Write(const std::string& path, const std::string& text) { ASSERT_TRUE(orv::WriteFileAtomically(path, text)); }

    QTemporaryDir dir_;
    std::string root_;
};

TEST_F(PasswordPlaceTest, OnlyAPasswordReadBackAsWrittenMovesIntoTheStore) {
    struct Case {
        const char* line;
        const char* moved;  // nullptr: it stays in the file
    };
    const Case cases[] = {
        {"password=s3cret-of-lab", "s3cret-of-lab"},
        {"password=\"new;pass,word\"", "new;pass,word"},
        {"password=\"@@at\\\\home\"", "@at\\home"},
        {"password=back\\tslash", nullptr},  // the reader makes a tab of "\t" and refuses it
        {"password=\"unbalanced", nullptr},   // the reader runs on over the next lines
        {"password=@String(typed)", nullptr},  // the reader takes a typed value
    };
    for (const Case& c : cases) {
        const std::string text = std::string("; the account\n[ftp]\nhost=h\n") + c.line + "\nuser=lab12\n";
        Write(Ini(), text);
        MemoryStore store;
        const orv::StartSettings start = orv::LoadSettingsAtStart(root_, store);
        if (c.moved) {
            EXPECT_TRUE(store.kept[orv::PasswordKey(root_)] == c.moved) << c.line;
            EXPECT_TRUE(start.settings.ftpPassword == c.moved) << c.line;
            EXPECT_EQ(start.place, orv::PasswordPlace::Store) << c.line;
            EXPECT_FALSE(orv::FileHoldsPassword(Ini())) << c.line;
            EXPECT_TRUE(start.note.empty()) << c.line;
        } else {
            EXPECT_TRUE(store.kept.empty()) << c.line;
            EXPECT_EQ(Text(), text) << c.line;
            EXPECT_FALSE(start.note.empty()) << c.line;
        }
    }
}

TEST_F(PasswordPlaceTest, AStoreThatDoesNotGiveThePasswordBackNeverGetsAnother) {
    Write(Ini(), "[ftp]\nhost=h\npassword=s3cret\n");
    MemoryStore store;
    store.readFails = true;
    orv::StartSettings start = orv::LoadSettingsAtStart(root_, store);
    EXPECT_TRUE(start.settings.ftpPassword == "s3cret") << "the password read differs";
    EXPECT_TRUE(orv::SettingsWithStoredPassword(root_, start.storedPassword).ftpPassword == "s3cret")
        << "the program runs on another password than the one just stored";

    // The next start: the store holds it and does not give it; a save with none typed leaves it.
    start = orv::LoadSettingsAtStart(root_, store);
    EXPECT_FALSE(start.passwordKnown);
    EXPECT_FALSE(start.note.empty());
    orv::ServerSettings settings = start.settings;
    settings.ftpUser = "lab13";
    ASSERT_TRUE(orv::StorePassword(root_, settings, std::nullopt, &store));
    EXPECT_TRUE(store.kept[orv::PasswordKey(root_)] == "s3cret") << "the stored password was replaced";
    EXPECT_FALSE(orv::FileHoldsPassword(Ini()));
    EXPECT_EQ(orv::LoadServerSettings(Ini()).ftpUser, "lab13");
}

TEST_F(PasswordPlaceTest, UnattendedRunsReadTheCredentialThenPasswordFileFirst) {
    Write(Ini(), "[ftp]\nhost=h\npassword=in-the-file\npassword_file=secret.txt\n");
    Write(root_ + "secret.txt", "from-password-file\n");
    const std::string credentials = dir_.path().toStdString() + "/credentials";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(credentials)));
    Write(credentials + "/" + orv::kCredentialName, "from-credential\r\n");

    orv::ServerSettings settings = orv::LoadWorkspaceSettings(root_);
    orv::OutsidePassword got = orv::ReadOutsidePassword(settings, credentials);
    EXPECT_EQ(got.place, orv::PasswordPlace::Credential);
    EXPECT_TRUE(got.password == "from-credential");
    got = orv::ReadOutsidePassword(settings, "");
    EXPECT_EQ(got.place, orv::PasswordPlace::PasswordFile);
    EXPECT_TRUE(got.password == "from-password-file");

    // At start the store is not asked and the file keeps its password.
    qputenv("CREDENTIALS_DIRECTORY", QByteArray::fromStdString(credentials));
    MemoryStore store;
    const orv::StartSettings start = orv::LoadSettingsAtStart(root_, store);
    unsetenv("CREDENTIALS_DIRECTORY");
    EXPECT_EQ(start.place, orv::PasswordPlace::Credential);
    EXPECT_TRUE(start.settings.ftpPassword == "from-credential");
    EXPECT_EQ(store.calls, 0);
    EXPECT_TRUE(orv::FileHoldsPassword(Ini()));

    // A password file that cannot give one is named, and gives nothing.
    for (const char* content : {"", "two\nlines\n"}) {
        Write(root_ + "secret.txt", content);
        got = orv::ReadOutsidePassword(settings, "");
        EXPECT_EQ(got.place, orv::PasswordPlace::Nowhere) << content;
        EXPECT_NE(got.problem.find("secret.txt"), std::string::npos) << content;
    }
    settings.ftpPasswordFile = root_ + "missing.txt";
    EXPECT_NE(orv::ReadOutsidePassword(settings, "").problem.find("missing.txt"), std::string::npos);
}

// orvanet.ini as people write it: the reader's [ftp] is the one a save changes,
// once, and a save in the store's place leaves no password behind in the file.
TEST_F(PasswordPlaceTest, ASaveChangesWhatTheReaderReads) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string texts[] = {
        bom + "[ftp]\nhost=h\npassword=old\n",
        "[ftp] ; the central laboratory's account\nhost=h\npassword=old\n",
        "[ftp\nhost=h\npassword=old\n",
        "[ftp]\r\nhost=h\r\npassword=old\r\n[sntp]\r\nhost=t\r\n",
    };
    for (const std::string& text : texts) {
        Write(Ini(), text);
        orv::ServerSettings s = orv::LoadServerSettings(Ini());
        s.ftpPassword = "@new";
        ASSERT_TRUE(orv::SaveServerSettings(Ini(), s)) << text;
        const std::string saved = Text();
        EXPECT_TRUE(orv::LoadServerSettings(Ini()).ftpPassword == "@new") << text;
        EXPECT_EQ(saved.find("[ftp"), saved.rfind("[ftp")) << saved;
        EXPECT_EQ(saved.starts_with(bom), text.starts_with(bom)) << saved;
        const bool crlf = text.find("\r\n") != std::string::npos;
        EXPECT_EQ(saved.find("\r\n") != std::string::npos, crlf) << saved;
        if (crlf) {
            EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), std::count(saved.begin(), saved.end(), '\r'));
        }

        ASSERT_TRUE(orv::SaveServerSettingsWithoutPassword(Ini(), s)) << text;
        EXPECT_FALSE(orv::FileHoldsPassword(Ini())) << Text();
    }

    // A line break in any field is refused, and the file stays as it was.
    const orv::ServerSettings good = orv::LoadServerSettings(Ini());
    const std::string before = Text();
    for (std::string orv::ServerSettings::*field :
         {&orv::ServerSettings::ftpHost, &orv::ServerSettings::ftpUser, &orv::ServerSettings::ftpPassword,
          &orv::ServerSettings::ftpCaFile, &orv::ServerSettings::sntpHost, &orv::ServerSettings::paymentHost}) {
        orv::ServerSettings s = good;
        s.*field = "a\nb=c";
        std::string error;
        EXPECT_FALSE(orv::SaveServerSettings(Ini(), s, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(Text(), before);
    }
}

}  // namespace
