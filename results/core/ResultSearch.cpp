#include "results/core/ResultSearch.h"

#include <charconv>
#include <cstdint>

namespace orv::results {

bool IsDecimalInteger(std::string_view text) {
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.remove_prefix(1);
    const std::string_view digits = !plus && !text.empty() && text.front() == '-' ? text.substr(1) : text;
    if (digits.empty() || digits.front() < '0' || digits.front() > '9') return false;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

namespace {
int FindFrom(const ResultTable& table, int column, std::string_view text, int firstGridRow) {
    for (int r = firstGridRow; r <= table.RowCount(); ++r)
        if (table.CellContains(r - 1, column, text)) return r;
    return 0;
}
}  // namespace

int FindFromTop(const ResultTable& table, int column, std::string_view text) {
    return FindFrom(table, column, text, 1);
}

FindNextResult FindNext(const ResultTable& table, int column, std::string_view text, int currentRow) {
    const int below = FindFrom(table, column, text, currentRow < 0 ? 1 : currentRow + 1);
    if (below != 0) return {below, false};
    return {FindFromTop(table, column, text), true};
}

}  // namespace orv::results
