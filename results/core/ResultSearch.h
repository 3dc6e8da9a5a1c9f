#pragma once
// Search over the result grid: a whole number looks in the origin code column,
// anything else in the patient name column. Rows are grid rows (1 = first data
// row); 0 means none.
#include <string_view>

#include "results/core/ResultTable.h"

namespace orv::results {

inline constexpr int kReferenceCodeColumn = 1;
inline constexpr int kOriginCodeColumn = 2;
inline constexpr int kPatientNameColumn = 4;

// An optional sign followed by decimal digits, within the range of a 32-bit integer.
bool IsDecimalInteger(std::string_view text);
inline int SearchColumn(bool wholeNumber) { return wholeNumber ? kOriginCodeColumn : kPatientNameColumn; }

// First grid row whose cell in `column` contains `text`, or 0.
int FindFromTop(const ResultTable& table, int column, std::string_view text);

struct FindNextResult {
    int row = 0;           // grid row found, 0 when none
    bool wrapped = false;  // went past the last row: the current row becomes 0
};

// The next match below `currentRow`; past the last row the search starts again
// from the top.
FindNextResult FindNext(const ResultTable& table, int column, std::string_view text, int currentRow);

}  // namespace orv::results
