// Any bytes as a day's result file: every cell lies inside its line, is trimmed
// and holds no field end; every document a cell can ask for is a plain file
// name directly in the workspace folder; the grid cells and the cell texts agree;
// lines of the same text are cut alike.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/core/SafeName.h"
#include "base/core/TextFile.h"
#include "results/core/ResultTable.h"
#include "results/core/TestDocuments.h"
#include "tests/fuzz/FuzzCheck.h"

using orv::fuzz::Check;

namespace {
bool Blank(char ch) { return static_cast<unsigned char>(ch) <= 0x20; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orv::results;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orv::TextContent file = orv::DecodeText(bytes);
    const ResultTable table(file.lines);
    Check(table.RowCount() == static_cast<int>(file.lines.size()));
    const std::string root = "/workspace/";
    // A line seen before is checked to be cut as its twin was; every other
    // property is a matter of the line's text alone, checked once per text.
    std::unordered_map<std::string_view, int> firstRow;
    for (int r = 0; r < table.RowCount(); ++r) {
        const std::string& line = table.Lines()[static_cast<size_t>(r)];
        const auto [twin, isNew] = firstRow.try_emplace(line, r);
        if (!isNew) {
            for (int c = 0; c < kColumns; ++c) Check(table.Field(r, c) == table.Field(twin->second, c));
            continue;
        }
        const RowSpans spans = SplitResultLine(line);
        const auto cells = SplitResultCells(line);
        for (int c = 0; c < kColumns; ++c) {
            const CellSpan s = spans[static_cast<size_t>(c)];
            Check(s.offset + s.length <= line.size());
            const std::string_view field = table.Field(r, c);
            Check(field == std::string_view(line).substr(s.offset, s.length));
            Check(field.empty() || (!Blank(field.front()) && !Blank(field.back())));
            Check(field.find("   ") == std::string_view::npos);
            Check(TrimBlanks(field) == field);
            const std::string cell = table.Cell(r, c);
            Check(cell.size() == field.size() + 1 && cell.front() == ' ' && cell.compare(1, field.size(), field) == 0);
            Check(cells[static_cast<size_t>(c)] == cell);
        }
        // Every test cell's document stays inside the workspace folder.
        const std::string key = DocumentKey(table.Field(r, 1));
        const std::string origin(TrimBlanks(table.Field(r, 2)));
        std::set<int> kinds = {1, 3, 4, 5, 20};  // each folder and name pattern
        for (int c = 0; c < kColumns; ++c) {
            const std::string test = TestNameOfCell(cells[static_cast<size_t>(c)]);
            if (!test.empty()) kinds.insert(DocumentKind(test));
        }
        kinds.erase(kNoDocument);
        for (int k : kinds) {
            const DocumentPlace place = DocumentFor(k, key, origin, 1401, 6, "12", root);
            if (place.dest.empty()) continue;
            Check(orv::IsSafeFileName(place.fileName));
            Check(place.fileName.find_first_of("/\\") == std::string::npos);
            Check(place.dest == root + place.fileName);
            Check(place.source.size() > place.fileName.size() &&
                  place.source.compare(place.source.size() - place.fileName.size(), std::string::npos,
                                       place.fileName) == 0);
        }
    }
    return 0;
}
