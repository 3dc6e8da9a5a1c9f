#include "results/core/ReportBody.h"

namespace orv::results {

std::string_view ReportDivider() {
    static const std::string divider(131, '.');
    return divider;
}

namespace {
// The first `count` characters of UTF-8 text.
std::string_view FirstChars(std::string_view utf8, size_t count) {
    size_t seen = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
        if (seen++ == count) return utf8.substr(0, i);
    }
    return utf8;
}
}  // namespace

ReportEntry SplitReportLine(std::string_view line, std::string_view firstTestCell) {
    const std::string_view key = FirstChars(firstTestCell, 6);
    const size_t at = key.empty() ? std::string_view::npos : line.find(key);
    if (at == std::string_view::npos) return {std::string(), std::string(TrimBlanks(line))};
    // The patient part keeps the space before the first test; the results part
    // starts on it. A well-formed line ends with the blank run after its last
    // field; only a blank last character is dropped, so a line cut short keeps
    // its last result.
    std::string_view rest = line.substr(at);
    if (!rest.empty() && static_cast<unsigned char>(rest.back()) <= 0x20) rest.remove_suffix(1);
    return {std::string(line.substr(0, at + 1)), std::string(TrimBlanks(rest))};
}

std::vector<std::string> BuildReportBody(const ResultTable& table) {
    std::vector<std::string> body;
    body.reserve(static_cast<size_t>(table.RowCount()) * 3);
    for (int r = 0; r < table.RowCount(); ++r) {
        ReportEntry entry = SplitReportLine(table.Lines()[static_cast<size_t>(r)], table.Cell(r, kFirstTestColumn));
        body.push_back(std::move(entry.patient));
        body.push_back(std::move(entry.results));
        body.emplace_back(ReportDivider());
    }
    return body;
}

}  // namespace orv::results
