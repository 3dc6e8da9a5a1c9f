// SIZE and MDTM of one file through the libcurl session, against the local
// central laboratory: nothing is downloaded and a missing file is no failure.
#include <gtest/gtest.h>

#include <algorithm>

#include "server/core/CurlFtpSession.h"
#include "tests/support/CentralLab.h"

using orv::CurlFtpSession;
using orv::test::CentralLab;

namespace {

TEST(FtpFileInfo, SizeAndTimeWithoutADownload) {
    CentralLab lab;
    ASSERT_TRUE(lab.Start(orv::test::CentralLabOptions::Fixed("2022-09-21T09:00:00"))) << lab.Error();
    const auto s = lab.Settings();
    CurlFtpSession session;
    orv::FtpEndpoint endpoint = s.Ftp();
    endpoint.tls = orv::FtpTls::Try;  // TLS where offered (the plain laboratory offers none)
    session.Configure(endpoint);
    ASSERT_TRUE(session.Open());
    const std::string day = "/Text Result\\12\\14010630.txt";

    lab.ClearLogs();
    orv::FtpFileInfo info;
    auto r = session.FileInfo(day, info);
    ASSERT_TRUE(r) << r.error;
    EXPECT_TRUE(info.exists);
    EXPECT_GT(info.mtime, 1600000000);  // a time of this century, in seconds
    const auto commands = lab.FtpCommands();
    auto sent = [&](const std::string& prefix) {
        return std::any_of(commands.begin(), commands.end(), [&](const std::string& c) { return c.starts_with(prefix); });
    };
    EXPECT_TRUE(sent("SIZE " + day));
    EXPECT_TRUE(sent("MDTM " + day));
    EXPECT_FALSE(sent("RETR"));
    EXPECT_FALSE(sent("EPSV"));  // no data connection

    std::string bytes;
    ASSERT_TRUE(session.GetMemory(day, bytes));
    EXPECT_EQ(info.size, static_cast<int64_t>(bytes.size()));

    // A day not published yet: known absent, and the session goes on.
    r = session.FileInfo("/Text Result\\12\\14991229.txt", info);
    ASSERT_TRUE(r) << r.error;
    EXPECT_FALSE(info.exists);
    EXPECT_TRUE(session.GetMemory(day, bytes));
    session.Close();
    EXPECT_FALSE(session.FileInfo(day, info));  // not connected
}

}  // namespace
