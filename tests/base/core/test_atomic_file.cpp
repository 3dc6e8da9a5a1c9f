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

TEST(AtomicFile, SharedByDefaultPrivateWhenAsked) {
    QTemporaryDir dir;
    const std::string shared = dir.path().toStdString() + "/check.txt";
    const std::string secret = dir.path().toStdString() + "/orvanet.ini";
    ASSERT_TRUE(orv::WriteFileAtomically(shared, "17\r\n"));
    ASSERT_TRUE(orv::WriteFileAtomically(secret, "password=1", orv::kPrivateFileMode));
    EXPECT_EQ(Mode(shared), 0644u);
    EXPECT_EQ(Mode(secret), 0600u);
    EXPECT_TRUE(orv::ReadableByOthers(shared));
    EXPECT_FALSE(orv::ReadableByOthers(secret));
    // Replacing a shared file with a private one leaves no reader behind.
    ASSERT_TRUE(orv::WriteFileAtomically(shared, "x", orv::kPrivateFileMode));
    EXPECT_EQ(Mode(shared), 0600u);
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
