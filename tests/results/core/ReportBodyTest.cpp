#include <gtest/gtest.h>

#include "results/core/ReportBody.h"

using namespace orv::results;

TEST(ReportBody, ThreeLinesPerResultLine) {
    const std::string line = "1   2045   77   34   محمد  رضا   FBS=95   Chol=180   ";
    const ResultTable table({line, "2   A   "});
    const auto body = BuildReportBody(table);
    ASSERT_EQ(body.size(), 6u);
    EXPECT_EQ(body[0], "1   2045   77   34   محمد  رضا   ");
    EXPECT_EQ(body[1], "FBS=95   Chol=180");
    EXPECT_EQ(body[2], std::string(131, '.'));
    EXPECT_EQ(ReportDivider().size(), 131u);
    // No test: the first test cell is one space and the line splits at its first space.
    EXPECT_EQ(body[3], "2 ");
    EXPECT_EQ(body[4], "A");
}

TEST(ReportBody, LineWithoutTheKey) {
    const ReportEntry entry = SplitReportLine("  no key here   ", " FBS=95");
    EXPECT_EQ(entry.patient, "");
    EXPECT_EQ(entry.results, "no key here");
}

TEST(ReportBody, KeyIsSixCharactersOfTheCellAndMatchesItsFirstOccurrence) {
    // " Chol=" is the key; it is found in the results part of a longer test name too.
    const ReportEntry entry = SplitReportLine("1   x   Chol=1   ", " Chol=180");
    EXPECT_EQ(entry.patient, "1   x   ");
    EXPECT_EQ(entry.results, "Chol=1");
    // Six characters, not bytes: a Persian test name.
    const ReportEntry persian = SplitReportLine("1   آزمایش=مثبت   ", " آزمایش=مثبت");
    EXPECT_EQ(persian.patient, "1   ");
    EXPECT_EQ(persian.results, "آزمایش=مثبت");
}

TEST(ReportBody, ALineCutShortKeepsItsLastResult) {
    const ReportEntry entry = SplitReportLine("1   x   FBS=95", " ");
    EXPECT_EQ(entry.patient, "1 ");
    EXPECT_EQ(entry.results, "x   FBS=95");
}
