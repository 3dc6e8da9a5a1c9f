#pragma once
// A patient's results across the archive: every line of that one patient (the
// whole name equal after folding, or a whole code equal), oldest first, read
// from the day files the index points at, and
// the cumulative table built from them: a row per test, a column per day kept
// (a day of a namesake can be left out), the values as the cells hold them.
//
//   std::vector<HistoryVisit> visits = FindHistory(index, "علی رضایی");
//   HistoryTable table = BuildHistoryTable(visits, leftOut);
//   for (size_t t = 0; t < table.tests.size(); ++t) TrendOf(table, visits, t) ...
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results/core/ArchiveIndex.h"
#include "results/core/ResultNumber.h"

namespace orv::results {

// One test cell of a row: the text before the first '=' and the text after it,
// both trimmed (a cell without '=' is all test and no result).
struct TestResult {
    std::string test;
    std::string result;
};
TestResult SplitTestCell(std::string_view cell);
// Two test names are one test when their keys are equal (letter forms and capitals folded).
std::string TestKey(std::string_view test);

// One row of one day that the search found.
struct HistoryVisit {
    std::string day;  // compact date, YYYYMMDD
    int row = 0;      // grid row
    std::string name, originCode, referenceCode, age;
    std::vector<TestResult> results;  // the row's non-empty test cells, in their order
};

// The row `row` of the day `day`, read from its report line.
HistoryVisit ReadVisit(std::string day, int row, std::string_view line);
// The patient's lines (ArchiveIndex::Patient), oldest day first, rows of a day
// in their order, each read from its day's file. Nothing for a text that is no
// patient's whole name or code.
std::vector<HistoryVisit> FindHistory(ArchiveIndex& index, std::string_view text);

// "1405/09/17" for "14050917".
std::string DayText(std::string_view compact);
// Days since 1970-01-01 of a compact solar date (for a time axis); 0 when it is no date.
int64_t DaySerial(std::string_view compact);

struct HistoryTable {
    std::vector<size_t> columns;                  // the visits shown, oldest first
    std::vector<std::string> tests;               // row headings, in the order first met
    std::vector<std::vector<std::string>> cells;  // [test][column]; empty where that day has no such test
};

// `leftOut[i]` drops visit i (a namesake); a shorter vector keeps the rest. A
// test is one row whatever its letter forms or capitals; a test a day holds
// twice takes a second row.
HistoryTable BuildHistoryTable(const std::vector<HistoryVisit>& visits, const std::vector<bool>& leftOut = {});

struct TrendPoint {
    size_t column = 0;  // column of the table
    int64_t day = 0;    // DaySerial of the visit
    ResultNumber number;
};

// The cells of the test's row that read as numbers, oldest first; empty when
// fewer than two do (a test that is not charted).
std::vector<TrendPoint> TrendOf(const HistoryTable& table, const std::vector<HistoryVisit>& visits, size_t test);

}  // namespace orv::results
