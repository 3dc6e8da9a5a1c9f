#pragma once
// Headings and widths of the result grid's 50 columns.
#include <array>
#include <string>

#include "results/core/ResultLine.h"
#include "results/core/ResultTable.h"

namespace orv::results {

// Row 0 of the grid (UTF-8).
const std::array<std::string, kColumns>& Headings();

inline constexpr int kDefaultColumnWidth = 40;
inline constexpr int kDefaultRowHeight = 20;
// Width of a column when the grid shows no day.
int InitialColumnWidth(int column);

// After a fill: 7 pixels a character of the longest cell (13 at least) for the
// columns from 4 on; columns 0-3 keep theirs (-1 in the result).
std::array<int, kColumns> FilledColumnWidths(const ResultTable& table);

}  // namespace orv::results
