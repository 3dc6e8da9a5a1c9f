#include "results/core/ResultTable.h"

namespace orv::results {

void ResultTable::Fill(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    chunks_.clear();
    rowStart_.clear();
    rowStart_.reserve(lines_.size() + 1);
    size_t count = 0;
    rowStart_.push_back(count);
    for (const std::string& line : lines_) {
        const RowSpans spans = SplitResultLine(line);
        size_t used = spans.size();
        while (used > 0 && spans[used - 1].length == 0) --used;
        for (size_t c = 0; c < used; ++c, ++count) {
            if ((count & kChunkMask) == 0) chunks_.emplace_back().reserve(kChunkMask + 1);
            chunks_.back().push_back(spans[c]);
        }
        rowStart_.push_back(count);
    }
}

void ResultTable::Clear() {
    lines_.clear();
    chunks_.clear();
    rowStart_.clear();
}

std::string_view ResultTable::Field(int row, int column) const {
    const size_t r = static_cast<size_t>(row);
    const size_t i = rowStart_[r] + static_cast<size_t>(column);
    if (i >= rowStart_[r + 1]) return {};  // past the row's last non-empty cell
    const CellSpan span = chunks_[i >> kChunkBits][i & kChunkMask];
    return std::string_view(lines_[r]).substr(span.offset, span.length);
}

std::string ResultTable::Cell(int row, int column) const {
    const std::string_view field = Field(row, column);
    std::string cell;
    cell.reserve(field.size() + 1);
    cell += ' ';
    cell += field;
    return cell;
}

bool ResultTable::CellContains(int row, int column, std::string_view text) const {
    if (text.empty()) return false;
    const std::string_view field = Field(row, column);
    if (field.find(text) != std::string_view::npos) return true;
    // The cell's leading space can start a match.
    return text.front() == ' ' && field.starts_with(text.substr(1));
}

}  // namespace orv::results
