// orvanet-tool results FILE [--csv]: a daily result file as the result grid
// holds it (every row's 50 cells, tab-separated), or as a UTF-8 CSV of the
// trimmed cells under the grid's headings.
// orvanet-tool results search FOLDER TEXT: the patients of every archived day in
// FOLDER whose name, origin code or reference code contains TEXT (codes in any
// case; digits alone look at the codes only), newest day first, one per line
// and each patient once: day, name, reference code, origin code, row, tab-separated.
#include <filesystem>
#include <iostream>

#include "base/core/TextFile.h"
#include "results/core/ArchiveIndex.h"
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

std::string DateText(const std::string& compact) {
    return compact.substr(0, 4) + "/" + compact.substr(4, 2) + "/" + compact.substr(6, 2);
}

int Search(const std::vector<std::string>& args) {
    if (args.size() != 3) {
        std::cerr << "orvanet-tool results: search needs a folder and a text (results search FOLDER TEXT)\n";
        return 2;
    }
    std::string folder = args[1];
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        std::cerr << "orvanet-tool results: no folder \"" << folder << "\"\n";
        return 1;
    }
    if (!folder.ends_with('/')) folder += '/';
    orv::results::ArchiveIndex index;
    index.Build(folder);
    for (const orv::results::ArchiveHit& hit : index.Search(args[2]))
        std::cout << DateText(hit.day) << '\t' << hit.name << '\t' << hit.referenceCode << '\t' << hit.originCode
                  << '\t' << hit.row << '\n';
    return 0;
}

int Run(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "search") return Search(args);
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

static orv::tool::Register reg("results", "results FILE [--csv] | results search FOLDER TEXT",
                               [](const std::vector<std::string>& args) { return Run(args); });

}  // namespace
