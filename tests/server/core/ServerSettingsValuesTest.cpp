// A value of orvanet.ini never carries a line break or another control
// character into the session: a quoted value that runs over its line (found by
// fuzz_settings_ini) keeps the built-in value instead.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "base/core/AtomicFile.h"
#include "server/core/ServerSettings.h"

TEST(ServerSettingsValues, ControlCharactersKeepTheDefault) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/orvanet.ini";
    ASSERT_TRUE(orv::WriteFileAtomically(path, std::string("[ftp]\nhost=\"ftp.example.org\nQUIT\"\nuser=lab\x01x\n"
                                                           "password=\"1234\"\n[sntp]\nhost=time.local\n",
                                                           84)));
    const orv::ServerSettings s = orv::LoadServerSettings(path);
    const orv::ServerSettings defaults;
    EXPECT_EQ(s.ftpHost, defaults.ftpHost);
    EXPECT_EQ(s.ftpUser, defaults.ftpUser);
    EXPECT_EQ(s.ftpPassword, "1234");  // quotes around a whole value are fine
    EXPECT_EQ(s.sntpHost, "time.local");
}
