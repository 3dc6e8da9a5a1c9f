#pragma once
// The printed report's body: three lines for every line of the report text:
// the patient part, the results part and a divider.
#include <string>
#include <string_view>
#include <vector>

#include "results/core/ResultTable.h"

namespace orv::results {

inline constexpr int kFirstTestColumn = 5;
std::string_view ReportDivider();  // 131 full stops

struct ReportEntry {
    std::string patient;
    std::string results;
};

// Splits `line` where the first six characters of its first test cell (that
// cell's leading space and the start of the field) first occur.
ReportEntry SplitReportLine(std::string_view line, std::string_view firstTestCell);

// The body lines for the whole table, in order.
std::vector<std::string> BuildReportBody(const ResultTable& table);

}  // namespace orv::results
