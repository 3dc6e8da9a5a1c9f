// orvanet-tool results FILE [--csv]: a daily result file as the result grid
// holds it (every row's 50 cells, tab-separated), or as a UTF-8 CSV of the
// trimmed cells under the grid's headings.
#include <iostream>

#include "base/core/TextFile.h"
#include "results/core/ResultColumns.h"
#include "results/core/ResultTable.h"
#include "tools/orvanet-tool/ToolCommand.h"

namespace {

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"') quoted += '"';
        quoted += ch;
    }
    return quoted + '"';
}

void PrintGrid(const orv::results::ResultTable& table) {
    for (int r = 0; r < table.RowCount(); ++r) {
        for (int c = 0; c < orv::results::kColumns; ++c) std::cout << (c ? "\t" : "") << table.Cell(r, c);
        std::cout << '\n';
    }
}

void PrintCsv(const orv::results::ResultTable& table) {
    const auto& headings = orv::results::Headings();
    for (int c = 0; c < orv::results::kColumns; ++c)
        std::cout << (c ? "," : "") << CsvField(orv::results::TrimBlanks(headings[c]));
    std::cout << "\r\n";
    for (int r = 0; r < table.RowCount(); ++r) {
        for (int c = 0; c < orv::results::kColumns; ++c) std::cout << (c ? "," : "") << CsvField(table.Field(r, c));
        std::cout << "\r\n";
    }
}

int Run(const std::vector<std::string>& args) {
    std::string file;
    bool csv = false;
    for (const std::string& arg : args) {
        if (arg == "--csv" && !csv) {
            csv = true;
        } else if (arg.starts_with("--") || !file.empty()) {
            std::cerr << "orvanet-tool results: unexpected argument \"" << arg << "\"\n";
            return 2;
        } else {
            file = arg;
        }
    }
    if (file.empty()) {
        std::cerr << "orvanet-tool results: a result file is needed (results FILE [--csv])\n";
        return 2;
    }
    const orv::TextReadResult read = orv::ReadTextFile(file);
    if (!read.ok) {
        std::cerr << "orvanet-tool results: " << read.error << "\n";
        return 1;
    }
    const orv::results::ResultTable table(read.content.lines);
    csv ? PrintCsv(table) : PrintGrid(table);
    return 0;
}

static orv::tool::Register reg("results", "results FILE [--csv]",
                               [](const std::vector<std::string>& args) { return Run(args); });

}  // namespace
