#include "results/core/ResultColumns.h"

#include <algorithm>

namespace orv::results {

const std::array<std::string, kColumns>& Headings() {
    static const std::array<std::string, kColumns> headings = [] {
        std::array<std::string, kColumns> h;
        h[0] = "رديف";
        h[1] = "کدمرجع  ";
        h[2] = "کدمبدا ";
        h[3] = "  سن ";
        h[4] = "          نام بيمار ";
        for (int c = 5; c < kColumns; ++c) h[c] = "  تست وجواب";
        return h;
    }();
    return headings;
}

int InitialColumnWidth(int column) {
    switch (column) {
        case 0: return 30;
        case 1:
        case 2: return 43;
        case 3: return kDefaultColumnWidth;
        case 4: return 130;
        default: return 90;
    }
}

std::array<int, kColumns> FilledColumnWidths(const ResultTable& table) {
    std::array<size_t, kColumns> longest;
    longest.fill(13);
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = 4; c < kColumns; ++c) longest[c] = std::max(longest[c], table.CellLength(r, c));
    std::array<int, kColumns> widths;
    widths.fill(-1);
    for (int c = 4; c < kColumns; ++c) widths[c] = static_cast<int>(7 * longest[c]);
    return widths;
}

}  // namespace orv::results
