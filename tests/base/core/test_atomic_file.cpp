// Atomic saves: the permission bits asked for, and large files written in
// pieces arrive whole (the writer hands them to the disk as they grow).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
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

}  // namespace
