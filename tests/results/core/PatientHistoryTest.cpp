#include <gtest/gtest.h>

#include <cstdlib>

#include "base/core/TextFile.h"
#include "results/core/PatientHistory.h"
#include "results/core/ResultNumber.h"
#include "tests/results/core/ArchiveFolder.h"

using namespace orv::results;

namespace {

TEST(ResultNumber, ReadsTheFormsACellHoldsAndNothingElse) {
    struct Case {
        const char* text;
        bool number;
        double value;
        char mark;
    };
    const Case cases[] = {
        {"95", true, 95, 0},       {" 1.1 ", true, 1.1, 0},
        {"1,1", true, 1.1, 0},     {"۵٫۴", true, 5.4, 0},
        {"۱۲۰", true, 120, 0},     {"٣.٥", true, 3.5, 0},
        {"<0.5", true, 0.5, '<'},  {"> 1000", true, 1000, '>'},
        {"-2.5", true, -2.5, 0},   {"+3", true, 3, 0},
        {"Negative", false, 0, 0}, {"95 mg/dl", false, 0, 0},
        {"1/64", false, 0, 0},     {"1.2.3", false, 0, 0},
        {"1,200.5", true, 1200.5, 0}, {".5", false, 0, 0},
        {"250,000", true, 250000, 0}, {"1,234", true, 1234, 0},
        {"۱,۲۳۴,۵۶۷", true, 1234567, 0}, {"0,500", true, 0.5, 0},
        {"1,2345", true, 1.2345, 0},  {"12,34", true, 12.34, 0},
        {"1,234.5.6", false, 0, 0},   {"1.234,567", false, 0, 0},
        {"5.", false, 0, 0},       {"", false, 0, 0},
        {"<", false, 0, 0},        {"--1", false, 0, 0},
        {"1-2", false, 0, 0},      {"see document", false, 0, 0},
        {"\xff", false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto read = ReadResultNumber(c.text);
        ASSERT_EQ(read.has_value(), c.number);
        if (!read) continue;
        EXPECT_DOUBLE_EQ(read->value, c.value);
        EXPECT_EQ(read->mark, c.mark);
    }
}

using History = orv::test::ArchiveFolder;

TEST_F(History, EveryDayOfThePatientOldestFirstAsATestsByDaysTable) {
    // Arabic yeh as code page 1256 holds it; the search is typed with Persian letters.
    Day("14050917", {"1   B1   77   30   Zahra   ",
                     "2   B2   78   52   \u0639\u0644\u064a \u0631\u0636\u0627\u064a\u064a   "
                     "FBS = 110   HbA1c=6.1   Urea=30   "});
    Day("14050203", {"1   A1   312   51   علی رضایی   HbA1c=<5   CBC=normal   fbs=95   "});
    Day("14041229", {"1   C1   5   50   علی رضایی   HbA1c=7,2   FBS=101   FBS=99   Note   "});
    orv::results::ArchiveIndex index(root);
    index.Sync();

    const std::vector<HistoryVisit> visits = FindHistory(index, "علی رضایی");
    ASSERT_EQ(visits.size(), 3u);
    EXPECT_EQ(visits[0].day, "14041229");
    EXPECT_EQ(visits[2].day, "14050917");
    EXPECT_EQ(visits[2].row, 2);
    EXPECT_EQ(visits[2].referenceCode, "B2");
    EXPECT_EQ(visits[2].originCode, "78");
    EXPECT_EQ(visits[2].age, "52");
    EXPECT_EQ(visits[1].results.size(), 3u);
    EXPECT_EQ(visits[0].results[3].test, "Note");
    EXPECT_EQ(visits[0].results[3].result, "");
    EXPECT_EQ(FindHistory(index, "312").size(), 1u);  // by a code, as the search finds it
    EXPECT_TRUE(FindHistory(index, "نیست").empty());

    const HistoryTable table = BuildHistoryTable(visits);
    EXPECT_EQ(table.columns, (std::vector<size_t>{0, 1, 2}));
    // FBS and fbs are one test; the second FBS of a day its own row.
    EXPECT_EQ(table.tests, (std::vector<std::string>{"HbA1c", "FBS", "FBS", "Note", "CBC", "Urea"}));
    EXPECT_EQ(table.cells[0], (std::vector<std::string>{"7,2", "<5", "6.1"}));
    EXPECT_EQ(table.cells[1], (std::vector<std::string>{"101", "95", "110"}));
    EXPECT_EQ(table.cells[2], (std::vector<std::string>{"99", "", ""}));
    EXPECT_EQ(table.cells[5], (std::vector<std::string>{"", "", "30"}));

    const std::vector<TrendPoint> hba1c = TrendOf(table, visits, 0);
    ASSERT_EQ(hba1c.size(), 3u);
    EXPECT_DOUBLE_EQ(hba1c[0].number.value, 7.2);
    EXPECT_EQ(hba1c[1].number.mark, '<');
    EXPECT_EQ(hba1c[0].day, DaySerial("14041229"));
    EXPECT_EQ(hba1c[1].day - hba1c[0].day, 34);      // Esfand 29 to Ordibehesht 3
    EXPECT_TRUE(TrendOf(table, visits, 2).empty());  // one number: no chart
    EXPECT_TRUE(TrendOf(table, visits, 4).empty());  // words only

    // A namesake's day left out: its column and the tests only it had go.
    const HistoryTable kept = BuildHistoryTable(visits, {false, false, true});
    EXPECT_EQ(kept.columns, (std::vector<size_t>{0, 1}));
    EXPECT_EQ(kept.tests.size(), 5u);
    EXPECT_EQ(TrendOf(kept, visits, 0).size(), 2u);
    EXPECT_EQ(DayText("14050917"), "1405/09/17");
    EXPECT_EQ(DaySerial("1405x917"), 0);
}

TEST_F(History, IsOnePatientsWholeNameOrWholeCodeWhileTheSearchFindsParts) {
    Day("14050910", {"1   R1   5   30   \u0639\u0644\u064a \u0631\u0636\u0627\u064a\u064a   FBS=90   ",
                     "2   R2   25   31   محمدعلی رضایی   FBS=91   ", "3   R3   1500   32   علی رضایی‌نیا   FBS=92   ",
                     "4   TRV5   77   33   Sara   FBS=93   "});
    Day("14050911", {"1   R4   5   30   علی  رضایی   FBS=94   "});
    orv::results::ArchiveIndex index(root);
    index.Sync();
    EXPECT_EQ(index.Search("علی رضایی").size(), 4u);  // the search still finds every name holding it
    struct Case {
        const char* text;
        std::vector<std::string> results;  // FBS of each visit, oldest first
    };
    const Case cases[] = {
        {"علی رضایی", {"90", "94"}}, {"۵", {"90", "94"}},   {"25", {"91"}}, {"150", {}},
        {"trv5", {"93"}},            {"رضایی", {}},          {"R1", {"90"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> results;
        for (const HistoryVisit& visit : FindHistory(index, c.text)) results.push_back(visit.results.at(0).result);
        EXPECT_EQ(results, c.results);
    }
}

}  // namespace
