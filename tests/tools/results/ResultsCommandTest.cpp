#include <gtest/gtest.h>

#include "tests/support/ToolRun.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {
using orv::test::ToolRun;

ToolRun Tool(const std::string& args) { return orv::test::RunTool(ORV_TOOL, args); }

std::vector<std::string> Split(const std::string& text, char by) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, by);) parts.push_back(part);
    return parts;
}

const std::string kSample = std::string(std::getenv("ORVANET_SOURCE_DIR")) + "/tests/results/data/14010630.txt";

// A folder of the sample as the archive of each day (compact dates); removed at the end of the test.
struct SampleArchive {
    std::string folder;
    explicit SampleArchive(std::initializer_list<const char*> days) {
        char pattern[] = "/tmp/orv-archive-XXXXXX";
        if (mkdtemp(pattern)) folder = pattern;
        for (const char* day : days)
            std::system(("cp '" + kSample + "' '" + folder + "/" + day + ".txt'").c_str());
    }
    ~SampleArchive() { std::system(("rm -rf '" + folder + "'").c_str()); }
};
}  // namespace

TEST(ResultsCommand, PrintsTheGridCells) {
    const ToolRun run = Tool("results '" + kSample + "'");
    ASSERT_EQ(run.status, 0);
    const auto rows = Split(run.out, '\n');
    ASSERT_EQ(rows.size(), 3u);
    const auto cells = Split(rows[1], '\t');
    ASSERT_EQ(cells.size(), 50u);
    EXPECT_EQ(cells[0], " 2");
    EXPECT_EQ(cells[1], " ABCDE12345XY");
    EXPECT_EQ(cells[4], " فاطمه  گل\u064a");
    EXPECT_EQ(cells[5], " Hb Electro=see document");
    EXPECT_EQ(cells[49], " ");
}

TEST(ResultsCommand, CsvOfTrimmedCellsUnderTheHeadings) {
    const ToolRun run = Tool("results '" + kSample + "' --csv");
    ASSERT_EQ(run.status, 0);
    const auto rows = Split(run.out, '\n');
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(Split(rows[0], ',')[4], "نام بيمار");
    const auto first = Split(rows[1], ',');
    EXPECT_EQ(first[0], "1");
    EXPECT_EQ(first[4], "محمد رضا کاظم\u064a");
    EXPECT_EQ(first[7], "HCV Qualitative=Negative");
    EXPECT_EQ(first[8], "");
}

TEST(ResultsCommand, MalformedArguments) {
    EXPECT_EQ(Tool("results").status, 2);
    EXPECT_EQ(Tool("results a b").status, 2);
    EXPECT_EQ(Tool("results a --tsv").status, 2);
    EXPECT_EQ(Tool("results /nonexistent/file.txt").status, 1);
}

TEST(ResultsCommand, SearchListsTheArchiveHitsNewestFirst) {
    const SampleArchive archive{"14010630", "14010702"};
    const std::string& folder = archive.folder;
    ASSERT_FALSE(folder.empty());
    std::system(("echo 17 > '" + folder + "/check.txt'").c_str());
    // The sample holds "فاطمه  گلي" with an Arabic yeh; the Persian one is typed.
    const ToolRun run = Tool("results search '" + folder + "' 'گلی'");
    ASSERT_EQ(run.status, 0);
    const auto lines = Split(run.out, '\n');
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "1401/07/02\tفاطمه  گل\u064a\tABCDE12345XY\t120\t2");
    EXPECT_EQ(Split(lines[1], '\t')[0], "1401/06/30");
    // A reference code with letters, typed in another case: the same hits, once each.
    EXPECT_EQ(Tool("results search '" + folder + "' 'abcde12345xy'").out, run.out);
    EXPECT_EQ(Tool("results search '" + folder + "' 'nobody'").out, "");
    EXPECT_EQ(Tool("results search '" + folder + "'").status, 2);
    EXPECT_EQ(Tool("results search /nonexistent/folder x").status, 1);
}

TEST(ResultsCommand, HistoryListsThePatientsResultsOldestDayFirst) {
    const SampleArchive archive{"14010702", "14010630"};
    const std::string& folder = archive.folder;
    ASSERT_FALSE(folder.empty());
    // The whole name, typed with Persian letters and one blank where the file has two.
    const ToolRun run = Tool("results history '" + folder + "' 'محمد رضا کاظمی'");
    ASSERT_EQ(run.status, 0);
    const auto lines = Split(run.out, '\n');
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "1401/06/30\tمحمد رضا کاظم\u064a\tFBS\t95\t95");
    EXPECT_EQ(lines[2], "1401/06/30\tمحمد رضا کاظم\u064a\tHCV Qualitative\tNegative\t");
    EXPECT_EQ(lines[3], "1401/07/02\tمحمد رضا کاظم\u064a\tFBS\t95\t95");
    // Part of a name is no patient's history, though the search finds it.
    EXPECT_EQ(Tool("results history '" + folder + "' 'کاظمی'").out, "");
    EXPECT_NE(Tool("results search '" + folder + "' 'کاظمی'").out, "");
    // One test, named in any capitals; by the whole code.
    EXPECT_EQ(Tool("results history '" + folder + "' 2045 --test chol").out,
              "1401/06/30\tمحمد رضا کاظم\u064a\tChol\t180\t180\n1401/07/02\tمحمد رضا کاظم\u064a\tChol\t180\t180\n");
    EXPECT_EQ(Tool("results history '" + folder + "' 204 --test chol").out, "");
    const ToolRun none = Tool("results history '" + folder + "' 'nobody'");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(Tool("results history '" + folder + "'").status, 2);
    EXPECT_EQ(Tool("results history '" + folder + "' x --test").status, 2);
    EXPECT_EQ(Tool("results history '" + folder + "' x --test a --test b").status, 2);
    EXPECT_EQ(Tool("results history '" + folder + "' x --csv").status, 2);
    EXPECT_EQ(Tool("results history /nonexistent/folder x").status, 1);
}
