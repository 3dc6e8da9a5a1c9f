#include <gtest/gtest.h>

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
