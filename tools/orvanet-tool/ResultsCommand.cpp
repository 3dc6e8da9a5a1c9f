// orvanet-tool results FILE [--csv]: a daily result file as the result grid
// holds it (every row's 50 cells, tab-separated), or as a UTF-8 CSV of the
// trimmed cells under the grid's headings.
// orvanet-tool results search FOLDER TEXT: the patients of every archived day in
// FOLDER whose name, origin code or reference code contains TEXT (codes in any
// case; digits alone look at the codes only), newest day first, one per line
// and each patient once: day, name, reference code, origin code, row, tab-separated.
// orvanet-tool results history FOLDER TEXT [--test NAME]: every result of the
// one patient whose whole name (after letter folding) or whole origin or
// reference code is TEXT, oldest day first, the cells in their order on the
// row, one per line: day, name, test, result and the number read from the
// result (plain decimal, empty when it is no number), tab-separated; with
// --test only that test's lines.
// Both keep the index of the archive in FOLDER (a file beside the day files)
// in step first: only new or changed days are read.
#include <charconv>
#include <filesystem>
#include <iostream>
#include <memory>

#include "base/core/TextFile.h"
#include "results/core/ArchiveIndex.h"
#include "results/core/PatientHistory.h"
#include "results/core/ResultColumns.h"
#include "results/core/ResultNumber.h"
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

// Opens the index of the archive folder and brings it in step; false (with the
// message) when there is no such folder.
std::unique_ptr<orv::results::ArchiveIndex> OpenArchive(std::string folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        std::cerr << "orvanet-tool results: no folder \"" << folder << "\"\n";
        return nullptr;
    }
    if (!folder.ends_with('/')) folder += '/';
    auto index = std::make_unique<orv::results::ArchiveIndex>(folder);
    index->Sync();
    return index;
}

// Asks the index; an index found damaged on the way is made anew from the files and asked again.
template <typename Ask>
auto AskArchive(orv::results::ArchiveIndex& index, Ask ask) {
    auto answer = ask();
    if (index.NeedsSync()) {
        index.Sync();
        answer = ask();
    }
    return answer;
}

// A number as plain decimal text: the shortest that reads back the same, no exponent.
std::string PlainDecimal(double value) {
    char text[400];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    if (error != std::errc()) return {};
    const std::string plain(text, end);
    return plain == "-0" ? "0" : plain;
}

int Search(const std::vector<std::string>& args) {
    if (args.size() != 3) {
        std::cerr << "orvanet-tool results: search needs a folder and a text (results search FOLDER TEXT)\n";
        return 2;
    }
    const auto index = OpenArchive(args[1]);
    if (!index) return 1;
    for (const orv::results::ArchiveHit& hit : AskArchive(*index, [&] { return index->Search(args[2]); }))
        std::cout << orv::results::DayText(hit.day) << '\t' << hit.name << '\t' << hit.referenceCode << '\t'
                  << hit.originCode << '\t' << hit.row << '\n';
    return 0;
}

int History(const std::vector<std::string>& args) {
    std::vector<std::string> texts;
    const std::string* test = nullptr;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--test" && !test && i + 1 < args.size()) {
            test = &args[++i];
        } else if (args[i].starts_with("--") || texts.size() == 2) {
            std::cerr << "orvanet-tool results: unexpected argument \"" << args[i] << "\"\n";
            return 2;
        } else {
            texts.push_back(args[i]);
        }
    }
    if (texts.size() != 2) {
        std::cerr << "orvanet-tool results: history needs a folder and a text (results history FOLDER TEXT "
                     "[--test NAME])\n";
        return 2;
    }
    const auto index = OpenArchive(texts[0]);
    if (!index) return 1;
    const std::string key = test ? orv::results::TestKey(*test) : std::string();
    const auto visits = AskArchive(*index, [&] { return orv::results::FindHistory(*index, texts[1]); });
    for (const orv::results::HistoryVisit& visit : visits) {
        const std::string day = orv::results::DayText(visit.day);
        for (const orv::results::TestResult& cell : visit.results) {
            if (test && orv::results::TestKey(cell.test) != key) continue;
            const auto number = orv::results::ReadResultNumber(cell.result);
            std::cout << day << '\t' << visit.name << '\t' << cell.test << '\t' << cell.result << '\t'
                      << (number ? PlainDecimal(number->value) : std::string()) << '\n';
        }
    }
    return 0;
}

int Run(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "search") return Search(args);
    if (!args.empty() && args[0] == "history") return History(args);
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

static orv::tool::Register reg("results",
                               "results FILE [--csv] | results search FOLDER TEXT | results history FOLDER TEXT "
                               "[--test NAME]",
                               [](const std::vector<std::string>& args) { return Run(args); });

}  // namespace
