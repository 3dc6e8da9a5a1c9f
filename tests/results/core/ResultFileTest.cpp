// The result file as the program reads it: code page 1256 without a byte-order
// mark, UTF-8 with one; Persian names come through unchanged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/core/TextFile.h"
#include "results/core/ResultTable.h"

using namespace orv::results;

namespace {
std::string SourceDir() {
    const char* dir = std::getenv("ORVANET_SOURCE_DIR");
    return dir ? dir : ".";
}
std::string WriteBytes(const std::string& name, const std::string& bytes) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}
}  // namespace

TEST(ResultFile, SampleDayInCodePage1256) {
    const auto read = orv::ReadTextFile(SourceDir() + "/tests/results/data/14010630.txt");
    ASSERT_TRUE(read.ok) << read.error;
    const ResultTable table(read.content.lines);
    ASSERT_EQ(table.RowCount(), 3);  // the final line break adds no row
    EXPECT_EQ(table.Cell(0, 4), " محمد رضا کاظمي");
    EXPECT_EQ(table.Cell(1, 4), " فاطمه  گلي");
    EXPECT_EQ(table.Cell(2, 4), " نوزاد پسر");
    EXPECT_EQ(table.Cell(1, 1), " ABCDE12345XY");
    EXPECT_EQ(table.Cell(0, 7), " HCV Qualitative=Negative");
    EXPECT_EQ(table.Cell(2, 5), " CBC=normal");
    EXPECT_EQ(table.Cell(2, 6), " ");
}

TEST(ResultFile, ByteOrderMarkAndBlankLines) {
    const std::string path = WriteBytes("orv_result_bom.txt",
                                        "\xEF\xBB\xBF"
                                        "1   A   علی   \r\n\r\n2   B");
    const auto read = orv::ReadTextFile(path);
    ASSERT_TRUE(read.ok) << read.error;
    const ResultTable table(read.content.lines);
    ASSERT_EQ(table.RowCount(), 3);  // a blank line is a row
    EXPECT_EQ(table.Cell(0, 2), " علی");
    EXPECT_EQ(table.Cell(1, 0), " ");
    EXPECT_EQ(table.Cell(2, 0), " 2");
    EXPECT_EQ(table.Cell(2, 1), " ");  // "B" has no run after it
    std::filesystem::remove(path);
}
