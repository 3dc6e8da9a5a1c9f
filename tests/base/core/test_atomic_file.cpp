// Atomic saves: the permission bits asked for, large files written in pieces
// arrive whole (the writer hands them to the disk as they grow), and the
// rename itself reaches the disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/core/AtomicFile.h"

namespace {

unsigned Mode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 0777) : 0;
}

TEST(AtomicFile, FilesAndTheFolderAreTheOwnersAlone) {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString() + "/home/TarvinaLabData/";
    ASSERT_TRUE(orv::CreatePrivateFolder(root));
    EXPECT_EQ(Mode(dir.path().toStdString() + "/home/TarvinaLabData"), 0700u);
    EXPECT_FALSE(orv::ReadableByOthers(root));
    const std::string day = root + "14050915.txt";
    const std::string secret = root + "orvanet.ini";
    ASSERT_TRUE(orv::WriteFileAtomically(day, "1   A1\r\n"));
    ASSERT_TRUE(orv::WriteFileAtomically(secret, "password=1", orv::kPrivateFileMode));
    EXPECT_EQ(Mode(day), 0600u);
    EXPECT_EQ(Mode(secret), 0600u);
    EXPECT_FALSE(orv::ReadableByOthers(day));
    // A save over a file others could read leaves no reader behind; a streamed one too.
    ::chmod(day.c_str(), 0644);
    EXPECT_TRUE(orv::ReadableByOthers(day));
    ASSERT_TRUE(orv::WriteFileAtomically(day, "x"));
    EXPECT_EQ(Mode(day), 0600u);
    {
        orv::AtomicFileWriter writer(root + "bill.txt");
        ASSERT_TRUE(writer.Write("1", 1));
        ASSERT_TRUE(writer.Commit());
    }
    EXPECT_EQ(Mode(root + "bill.txt"), 0600u);
    // A folder that exists is left as it is, and one others may pass through is said.
    ::chmod(root.c_str(), 0711);
    ASSERT_TRUE(orv::CreatePrivateFolder(root));
    EXPECT_EQ(Mode(root), 0711u);
    EXPECT_TRUE(orv::ReadableByOthers(root));
    std::string error;
    EXPECT_FALSE(orv::CreatePrivateFolder(day + "/sub", &error));
    EXPECT_FALSE(error.empty());
}

TEST(AtomicFile, LargeFileWrittenInPiecesArrivesWhole) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/big.bin";
    std::string expected;
    {
        orv::AtomicFileWriter writer(path);
        ASSERT_TRUE(writer.IsOpen()) << writer.Error();
        std::string piece(100 * 1024 + 7, '\0');  // not a divisor of the flush step
        for (int i = 0; i < 200; ++i) {           // about 20 MB
            for (size_t j = 0; j < piece.size(); j += 4096) piece[j] = static_cast<char>(i + j);
            ASSERT_TRUE(writer.Write(piece.data(), piece.size()));
            expected += piece;
        }
        EXPECT_FALSE(orv::FileExists(path)) << "visible before Commit()";
        ASSERT_TRUE(writer.Commit());
    }
    std::string got;
    ASSERT_TRUE(orv::ReadWholeFile(path, got));
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A power cut after the save must not bring the old file back: the folder is
// synced after the rename. Watched with strace, the save run in a child.
TEST(AtomicFile, RenameIsMadeDurable) {
    if (const char* target = std::getenv("ORV_TRACED_SAVE")) {
        ASSERT_TRUE(orv::WriteFileAtomically(target, "x"));
        return;
    }
    QTemporaryDir dir;
    const std::string folder = QDir(dir.path()).canonicalPath().toStdString();
    const std::string log = folder + "/trace";
    const std::string command = "command -v strace >/dev/null && ORV_TRACED_SAVE='" + folder +
                                "/today.txt' strace -f -y -e trace=fsync,rename,renameat,renameat2 -o '" + log + "' '" +
                                std::filesystem::read_symlink("/proc/self/exe").string() +
                                "' --gtest_filter=AtomicFile.RenameIsMadeDurable >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) GTEST_SKIP() << "strace cannot trace here";
    std::ifstream trace(log);
    bool renamed = false, synced = false;
    for (std::string line; std::getline(trace, line);) {
        if (line.find("rename") != std::string::npos && line.find(folder + "/today.txt") != std::string::npos)
            renamed = true;
        else if (renamed && line.find("fsync(") != std::string::npos && line.find("<" + folder + ">") != std::string::npos)
            synced = true;
    }
    EXPECT_TRUE(renamed);
    EXPECT_TRUE(synced);
}

}  // namespace
