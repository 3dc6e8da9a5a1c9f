#include "results/core/ResultTable.h"

namespace orv::results {

void ResultTable::Fill(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    spans_.clear();
    spans_.reserve(lines_.size());
    for (const std::string& line : lines_) spans_.push_back(SplitResultLine(line));
}

void ResultTable::Clear() {
    lines_.clear();
    spans_.clear();
}

std::string_view ResultTable::Field(int row, int column) const {
    const CellSpan span = spans_[static_cast<size_t>(row)][static_cast<size_t>(column)];
    return std::string_view(lines_[static_cast<size_t>(row)]).substr(span.offset, span.length);
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
