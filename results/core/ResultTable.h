#pragma once
// The day's report text (the result file line by line) and the grid cells cut
// from it. Data rows are numbered from 0 here; the grid shows row r as row r + 1
// below its heading row.
#include <string>
#include <string_view>
#include <vector>

#include "results/core/ResultLine.h"

namespace orv::results {

class ResultTable {
public:
    ResultTable() = default;
    explicit ResultTable(std::vector<std::string> lines) { Fill(std::move(lines)); }

    // Replaces the report text and cuts every line into its cells.
    void Fill(std::vector<std::string> lines);
    void Clear();

    const std::vector<std::string>& Lines() const { return lines_; }
    int RowCount() const { return static_cast<int>(lines_.size()); }

    // The cell's text without the leading space every grid cell carries.
    std::string_view Field(int row, int column) const;
    // The cell as the grid holds it: one space followed by the field.
    std::string Cell(int row, int column) const;
    // Length in characters of Cell(row, column).
    size_t CellLength(int row, int column) const { return 1 + CharCount(Field(row, column)); }
    // Case-sensitive substring test on Cell(row, column); an empty text matches nothing.
    bool CellContains(int row, int column, std::string_view text) const;

private:
    // Each row keeps its cells up to its last non-empty one (a day's lines fill
    // about half of the 50 columns), one row after another in chunks of equal
    // size, so that a long day neither holds 50 spans a line nor reallocates.
    static constexpr size_t kChunkBits = 15;  // 32,768 spans (256 KB) a chunk
    static constexpr size_t kChunkMask = (size_t{1} << kChunkBits) - 1;

    std::vector<std::string> lines_;
    std::vector<std::vector<CellSpan>> chunks_;
    std::vector<size_t> rowStart_;  // row r's spans: [rowStart_[r], rowStart_[r + 1])
};

}  // namespace orv::results
