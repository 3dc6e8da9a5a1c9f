#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "base/core/AtomicFile.h"
#include "reception/core/WorklistFiles.h"

namespace orv::reception {
namespace {

class WorklistFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }
    std::string Bytes(const char* name) const {
        std::string bytes;
        ReadWholeFile(Path(name), bytes);
        return bytes;
    }
};

TEST_F(WorklistFiles, EmptyListIsAnEmptyFile) {
    ASSERT_TRUE(SaveList(Path(kTodayFile), {"1;a;b;2;0;;1[Hb;"}));
    ASSERT_TRUE(SaveList(Path(kTodayFile), {}));
    EXPECT_TRUE(FileExists(Path(kTodayFile)));
    EXPECT_EQ(Bytes(kTodayFile), "");
    ASSERT_TRUE(SaveList(Path(kTodayFile), {}, TextEncoding::Utf8Bom));
    EXPECT_EQ(Bytes(kTodayFile), "");
    const ListFile read = ReadList(Path(kTodayFile));
    EXPECT_TRUE(read.ok);
    EXPECT_TRUE(read.lines.empty());
}

TEST_F(WorklistFiles, CodePageWithCrLfAndTheByteOrderMarkKept) {
    ASSERT_TRUE(SaveList(Path(kTodayFile), {"77;;;;0;;0[", "1;علي;ب;3;0;;2[Hb;"}));
    EXPECT_EQ(Bytes(kTodayFile), "77;;;;0;;0[\r\n1;\xDA\xE1\xED;\xC8;3;0;;2[Hb;\r\n");
    ListFile read = ReadList(Path(kTodayFile));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.encoding, TextEncoding::Cp1256);
    EXPECT_EQ(read.lines[1], "1;علي;ب;3;0;;2[Hb;");

    QFile f(QString::fromStdString(Path(kCustomCodeFile)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBFx1\r\n\r\ny2\r\n");
    f.close();
    read = ReadList(Path(kCustomCodeFile));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(read.lines, (std::vector<std::string>{"x1", "", "y2"}));
    ASSERT_TRUE(SaveList(Path(kCustomCodeFile), read.lines, read.encoding));
    EXPECT_EQ(Bytes(kCustomCodeFile), "\xEF\xBB\xBFx1\r\n\r\ny2\r\n");
}

TEST_F(WorklistFiles, MissingFileAndFailedSave) {
    const ListFile missing = ReadList(Path("nothing.txt"));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.missing);
    // A save into a folder that is not there fails with a message and writes nothing.
    const FileResult saved = SaveList(Path("no-folder/today.txt"), {"1;a;b;2;0;;1["});
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.error.empty());
    // A failed save keeps the earlier file whole.
    ASSERT_TRUE(SaveList(Path(kTodayFile), {"1;a;b;2;0;;1[Hb;"}));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const FileResult refused = SaveList(Path(kTodayFile), {"2;c;d;3;0;;1[Zn;"});
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!refused.ok) {
        EXPECT_EQ(Bytes(kTodayFile), "1;a;b;2;0;;1[Hb;\r\n");
    }
}

TEST(WorklistExport, RemotePath) {
    EXPECT_EQ(ExportRemotePath("120", "14010630"), "/Text Result/120/Res/14010630.txt");
}

}  // namespace
}  // namespace orv::reception
