#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "results/core/ResultColumns.h"
#include "results/core/ResultLine.h"
#include "results/core/ResultTable.h"

using namespace orv::results;

namespace {
std::vector<std::string> Cells(std::string_view line) {
    const auto cells = SplitResultCells(line);
    return {cells.begin(), cells.end()};
}
void ExpectSpaceFrom(const std::vector<std::string>& cells, size_t from) {
    for (size_t c = from; c < cells.size(); ++c) EXPECT_EQ(cells[c], " ") << "column " << c;
}
const std::string kName = "محمد  رضا کاظمی";  // two words with a double space inside
}  // namespace

TEST(ResultLine, FieldsEachFollowedByThreeSpacesFillTheirColumns) {
    const auto cells = Cells("1   2045   77   34   " + kName + "   FBS=95   ");
    ASSERT_EQ(cells.size(), 50u);
    const std::vector<std::string> expected = {" 1", " 2045", " 77", " 34", " " + kName, " FBS=95"};
    for (size_t c = 0; c < expected.size(); ++c) EXPECT_EQ(cells[c], expected[c]);
    ExpectSpaceFrom(cells, 6);
}

TEST(ResultLine, TextAfterTheLastRunIsDropped) {
    const auto cells = Cells("1   2045   77   34   " + kName + "   FBS=95");
    EXPECT_EQ(cells[4], " " + kName);
    ExpectSpaceFrom(cells, 5);
}

TEST(ResultLine, LongerRunsLeaveEmptyCells) {
    // k spaces between two fields: k - 3 empty cells.
    for (int k = 3; k <= 9; ++k) {
        const auto cells = Cells("A" + std::string(k, ' ') + "B   ");
        EXPECT_EQ(cells[0], " A");
        for (int e = 1; e <= k - 3; ++e) EXPECT_EQ(cells[e], " ") << "k=" << k;
        EXPECT_EQ(cells[k - 2], " B") << "k=" << k;
        ExpectSpaceFrom(cells, k - 1);
    }
}

TEST(ResultLine, LeadingRunAndBlankLines) {
    auto cells = Cells("    X   ");  // four spaces: the first cut takes one space alone
    EXPECT_EQ(cells[0], " ");
    EXPECT_EQ(cells[1], " ");
    EXPECT_EQ(cells[2], " X");
    ExpectSpaceFrom(Cells(""), 0);
    ExpectSpaceFrom(Cells("no runs at all"), 0);
}

TEST(ResultLine, ControlCharactersAreTrimmedWithTheBlanks) {
    const auto cells = Cells("\t1\x01   \x7f  2\t   ");
    EXPECT_EQ(cells[0], " 1");
    EXPECT_EQ(cells[1], " \x7f  2");  // DEL is not a control character of the trim
}

TEST(ResultLine, AtMostFiftyFieldsAreUsed) {
    std::string line;
    for (int f = 1; f <= 60; ++f) line += "F" + std::to_string(f) + "   ";
    const auto cells = Cells(line);
    EXPECT_EQ(cells[0], " F1");
    EXPECT_EQ(cells[49], " F50");
}

TEST(ResultLine, GeneratedLinesGiveBackTheirFields) {
    std::mt19937 rng(20260630);
    const std::vector<std::string> words = {"FBS=95", "HCV Qualitative=Negative", "کاظمی", "Hb", "=", "x", "۱۲۳"};
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> expected;
        std::string line;
        const int fields = std::uniform_int_distribution<int>(0, 60)(rng);
        for (int f = 0; f < fields; ++f) {
            // A field: words joined by one or two spaces, no blank at either end.
            std::string field;
            const int n = std::uniform_int_distribution<int>(1, 3)(rng);
            for (int w = 0; w < n; ++w) {
                if (w) field += std::string(std::uniform_int_distribution<int>(1, 2)(rng), ' ');
                field += words[std::uniform_int_distribution<size_t>(0, words.size() - 1)(rng)];
            }
            const int run = std::uniform_int_distribution<int>(0, 5)(rng) < 4 ? 3 : 4 + (round % 3);
            line += field + std::string(run, ' ');
            expected.push_back(" " + field);
            for (int e = 0; e < run - 3; ++e) expected.emplace_back(" ");
        }
        const bool cutShort = round % 5 == 0;
        if (cutShort) line += "tail";
        expected.resize(50, " ");
        EXPECT_EQ(Cells(line), expected) << line;
    }
}

TEST(ResultTable, CellsLengthsAndWidths) {
    ResultTable table({"1   2045   77   34   " + kName + "   FBS=95   ", "", "2   1   " + std::string(60, 'x') + "   "});
    ASSERT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.Cell(0, 4), " " + kName);
    EXPECT_EQ(table.CellLength(0, 4), 1 + 15u);  // characters, not bytes
    EXPECT_EQ(table.Cell(1, 0), " ");
    const auto widths = FilledColumnWidths(table);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(widths[c], -1);
    EXPECT_EQ(widths[4], 7 * 16);  // the longest name beats the minimum of 13
    EXPECT_EQ(widths[5], 7 * 13);
    EXPECT_EQ(widths[2], -1);  // the 61-character cell sits in column 2, which keeps its width
    EXPECT_EQ(FilledColumnWidths(ResultTable())[49], 7 * 13);
}

TEST(ResultTable, ContainsCountsTheLeadingSpace) {
    ResultTable table({"1   12 34   Ali Reza   "});
    EXPECT_TRUE(table.CellContains(0, 1, "2 3"));
    EXPECT_TRUE(table.CellContains(0, 2, " Ali"));
    EXPECT_FALSE(table.CellContains(0, 2, "  Ali"));
    EXPECT_FALSE(table.CellContains(0, 2, ""));
    EXPECT_FALSE(table.CellContains(0, 2, "ali"));
    EXPECT_TRUE(table.CellContains(0, 3, " "));  // an empty cell is one space
}

TEST(ResultColumns, HeadingsAndInitialWidths) {
    EXPECT_EQ(Headings()[0], "رديف");
    EXPECT_EQ(Headings()[4], "          نام بيمار ");
    EXPECT_EQ(Headings()[49], "  تست وجواب");
    const std::vector<int> widths = {30, 43, 43, 40, 130, 90};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(InitialColumnWidth(c), widths[c]);
    EXPECT_EQ(InitialColumnWidth(49), 90);
}
