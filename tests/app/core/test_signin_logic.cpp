// Workspace paths, the access-code scheme and the proxy file.
#include <gtest/gtest.h>

#include "app/core/AccessCode.h"
#include "app/core/KeptFiles.h"
#include "app/core/ProxyFile.h"
#include "app/core/Workspace.h"

namespace {

using orv::Drive;
using orv::DriveType;

TEST(Workspace, DesktopFollowsTheDocumentsPath) {
    EXPECT_EQ(orv::DesktopFromDocuments("C:\\Users\\clerk\\Documents"), "C:\\Users\\clerk\\Desktop");
    EXPECT_EQ(orv::DesktopFromDocuments("/home/clerk/Documents"), "/home/clerk/Desktop");
    EXPECT_EQ(orv::DesktopFromDocuments("D:\\Documents\\x\\Documents"), "D:\\Desktop");
    EXPECT_EQ(orv::DesktopFromDocuments("C:\\Users\\clerk\\documents"), "Desktop");  // case-sensitive
    EXPECT_EQ(orv::DesktopFromDocuments(""), "Desktop");
}

TEST(Workspace, FirstFixedDriveThatIsNotTheDesktops) {
    const std::string docs = "C:\\Users\\clerk\\Documents";
    EXPECT_EQ(orv::SettleWindowsWorkspace(docs, {{"A:\\", DriveType::Removable}, {"C:\\", DriveType::Fixed}}).root,
              "C:\\TarvinaLabData\\");
    EXPECT_EQ(orv::SettleWindowsWorkspace(docs, {{"C:\\", DriveType::Fixed}, {"D:\\", DriveType::Fixed}}).root,
              "D:\\TarvinaLabData\\");
    EXPECT_EQ(orv::SettleWindowsWorkspace(docs, {{"C:\\", DriveType::Fixed},
                                                 {"D:\\", DriveType::CdRom},
                                                 {"E:\\", DriveType::Fixed, false},
                                                 {"F:\\", DriveType::Fixed}})
                  .root,
              "F:\\TarvinaLabData\\");
    EXPECT_EQ(orv::SettleWindowsWorkspace(docs, {}).root, "C:\\TarvinaLabData\\");
    // A relative Desktop ("Desktop") has the drive "Des", so even C: qualifies.
    EXPECT_EQ(orv::SettleWindowsWorkspace("", {{"C:\\", DriveType::Fixed}}).root, "C:\\TarvinaLabData\\");
    EXPECT_EQ(orv::SettleWindowsWorkspace("E:\\Documents", {{"C:\\", DriveType::Fixed}}).desk, "E:\\Desktop");
}

TEST(Workspace, LinuxHomeOrTheOverride) {
    EXPECT_EQ(orv::SettleLinuxWorkspace("/home/u/Documents", "/home/u", "").root, "/home/u/TarvinaLabData/");
    EXPECT_EQ(orv::SettleLinuxWorkspace("/home/u/Documents", "/home/u/", "").desk, "/home/u/Desktop");
    EXPECT_EQ(orv::SettleLinuxWorkspace("", "/home/u", "/tmp/demo").root, "/tmp/demo/");
    EXPECT_EQ(orv::SettleLinuxWorkspace("", "/home/u", "/tmp/demo/").root, "/tmp/demo/");
}

TEST(AccessCode, MultiplesOf947GiveTheFolderCode) {
    EXPECT_EQ(orv::FolderCodeOf("947"), "0");
    EXPECT_EQ(orv::FolderCodeOf("1894"), "1");
    EXPECT_EQ(orv::FolderCodeOf("0"), "-1");
    EXPECT_EQ(orv::FolderCodeOf("  1894  "), "1");
    EXPECT_EQ(orv::FolderCodeOf("12311"), "12");
    EXPECT_EQ(orv::FolderCodeOf("-947"), "-2");
    EXPECT_EQ(orv::FolderCodeOf("2147483490"), "2267669");  // the largest multiple in 32 bits
    for (const char* refused : {"948", "abc", "", "   ", "94 7", "1894.0", "2147484000", "0x3b3", "947abc"})
        EXPECT_FALSE(orv::FolderCodeOf(refused)) << refused;
}

TEST(ProxyFile, FourLinesOrAClearMessageKeepingWhatWasRead) {
    auto r = orv::ReadProxyLines({" proxy.lab ", "user", "secret", " 8080 "});
    EXPECT_TRUE(r.error.empty());
    EXPECT_EQ(r.settings.host, "proxy.lab");
    EXPECT_EQ(r.settings.port, 8080);
    r = orv::ReadProxyLines({"proxy.lab", "user"});
    EXPECT_NE(r.error.find("line 3"), std::string::npos);
    EXPECT_EQ(r.settings.user, "user");
    EXPECT_EQ(r.settings.port, 0);
    r = orv::ReadProxyLines({"h", "u", "p", "80a"});
    EXPECT_NE(r.error.find("80a"), std::string::npos);
    EXPECT_EQ(r.settings.password, "p");
    EXPECT_FALSE(orv::ReadProxyLines({}).error.empty());
}

}  // namespace

// A listed help file never replaces a file the program keeps.
TEST(KeptFiles, TheProgramsOwnFilesAndDayArchives) {
    for (const char* kept : {"today.txt", "TODAY.TXT", "customcode.txt", "tests.txt", "check.txt", "Pro.txt",
                             "orvanet.ini", "14050917.txt", "today.txt.", "check.txt ", ".orvanet.lock",
                             ".orvanet-archive.sqlite", ".Orvanet-Archive.sqlite-wal"})
        EXPECT_TRUE(orv::IsKeptFileName(kept)) << kept;
    for (const char* other : {"Working hours.txt", "LastNormalValue.rtf", "today.txt.bak", "1405091.txt",
                              "14050917.pdf", "my today.txt"})
        EXPECT_FALSE(orv::IsKeptFileName(other)) << other;
}
