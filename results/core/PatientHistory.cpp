#include "results/core/PatientHistory.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "base/core/TextFile.h"
#include "results/core/LetterFolding.h"
#include "results/core/ReportBody.h"
#include "results/core/ResultLine.h"
#include "results/core/ResultPaths.h"
#include "solar/core/CivilDays.h"

namespace orv::results {

TestResult SplitTestCell(std::string_view cell) {
    const size_t equals = cell.find('=');
    if (equals == std::string_view::npos) return {std::string(TrimBlanks(cell)), {}};
    return {std::string(TrimBlanks(cell.substr(0, equals))), std::string(TrimBlanks(cell.substr(equals + 1)))};
}

std::string TestKey(std::string_view test) { return FoldLetters(test); }

HistoryVisit ReadVisit(std::string day, int row, std::string_view line) {
    const RowSpans spans = SplitResultLine(line);
    auto field = [&](int c) { return std::string(line.substr(spans[c].offset, spans[c].length)); };
    HistoryVisit visit{std::move(day), row, field(4), field(2), field(1), field(3), {}};
    for (int c = kFirstTestColumn; c < kColumns; ++c)
        if (spans[c].length > 0) visit.results.push_back(SplitTestCell(line.substr(spans[c].offset, spans[c].length)));
    return visit;
}

std::vector<HistoryVisit> FindHistory(ArchiveIndex& index, std::string_view text) {
    const std::vector<ArchiveHit> hits = index.Patient(text);  // oldest day first, rows in their order
    std::vector<HistoryVisit> visits;
    visits.reserve(hits.size());
    // Each day's file is read once, for the lines of the patient it holds.
    std::string readDay;
    std::vector<std::string> lines;
    for (const ArchiveHit& hit : hits) {
        if (hit.day != readDay) {
            readDay = hit.day;
            lines = ReadTextFile(LocalResultPath(index.Folder(), hit.day)).content.lines;
        }
        if (hit.row < 1 || static_cast<size_t>(hit.row) > lines.size()) continue;
        HistoryVisit visit = ReadVisit(hit.day, hit.row, lines[static_cast<size_t>(hit.row) - 1]);
        // A file changed after it was indexed: a line that is no longer the patient's is left out.
        if (visit.name != hit.name || visit.originCode != hit.originCode || visit.referenceCode != hit.referenceCode)
            continue;
        visits.push_back(std::move(visit));
    }
    return visits;
}

std::string DayText(std::string_view compact) {
    if (compact.size() != 8) return std::string(compact);
    return std::string(compact.substr(0, 4)) + '/' + std::string(compact.substr(4, 2)) + '/' +
           std::string(compact.substr(6, 2));
}

int64_t DaySerial(std::string_view compact) {
    if (compact.size() != 8) return 0;
    int parts[3] = {};
    const size_t at[3] = {0, 4, 6}, len[3] = {4, 2, 2};
    for (int i = 0; i < 3; ++i) {
        const char* first = compact.data() + at[i];
        const auto [end, error] = std::from_chars(first, first + len[i], parts[i]);
        if (error != std::errc() || end != first + len[i]) return 0;
    }
    if (parts[1] < 1 || parts[1] > 12 || parts[2] < 1 || parts[2] > 31) return 0;
    return days::FromSolar(parts[0], parts[1], parts[2]);
}

HistoryTable BuildHistoryTable(const std::vector<HistoryVisit>& visits, const std::vector<bool>& leftOut) {
    HistoryTable table;
    std::map<std::string, size_t> rows;  // folded test name + '\n' + occurrence within a day -> row
    std::map<std::string, int> seen;
    for (size_t v = 0; v < visits.size(); ++v) {
        if (v < leftOut.size() && leftOut[v]) continue;
        const size_t column = table.columns.size();
        table.columns.push_back(v);
        for (auto& row : table.cells) row.emplace_back();
        seen.clear();
        for (const TestResult& cell : visits[v].results) {
            const std::string folded = TestKey(cell.test);
            const std::string key = folded + '\n' + std::to_string(seen[folded]++);
            auto [at, added] = rows.try_emplace(key, table.tests.size());
            if (added) {
                table.tests.push_back(cell.test);
                table.cells.emplace_back(column + 1);
            }
            table.cells[at->second][column] = cell.result;
        }
    }
    return table;
}

std::vector<TrendPoint> TrendOf(const HistoryTable& table, const std::vector<HistoryVisit>& visits, size_t test) {
    std::vector<TrendPoint> points;
    if (test >= table.cells.size()) return points;
    for (size_t c = 0; c < table.columns.size(); ++c) {
        if (const auto number = ReadResultNumber(table.cells[test][c]))
            points.push_back({c, DaySerial(visits[table.columns[c]].day), *number});
    }
    if (points.size() < 2) points.clear();
    return points;
}

}  // namespace orv::results
