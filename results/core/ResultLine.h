#pragma once
// One line of the daily result file split into the result grid's 50 cells.
// Fields end at a run of three spaces; every cell is one space followed by the
// field with its surrounding blanks removed.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv::results {

inline constexpr int kColumns = 50;

// Where a cell's trimmed text lies in its line.
struct CellSpan {
    uint32_t offset = 0;
    uint32_t length = 0;
};

using RowSpans = std::array<CellSpan, kColumns>;

// Blanks and control characters (every byte up to the space) off both ends.
std::string_view TrimBlanks(std::string_view text);

// Cuts `line` into the 50 cells: the first run of three spaces ends a field at
// its first space; a run of k >= 4 spaces leaves k - 3 empty cells; text after
// the last run is dropped and fields past the 50th are ignored.
RowSpans SplitResultLine(std::string_view line);

// The cells as the grid shows them, each beginning with a space.
std::array<std::string, kColumns> SplitResultCells(std::string_view line);

// Length in characters (code points) of UTF-8 text.
size_t CharCount(std::string_view utf8);

}  // namespace orv::results
