// A large day in the result grid: reading the file, cutting it into cells and
// showing it, and one search keystroke over it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QTemporaryDir>
#include <cstdlib>
#include <map>

#include "base/core/TextFile.h"
#include "results/core/ResultColumns.h"
#include "results/core/ResultSearch.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"

using namespace orv::results;

namespace {
const char* const kTests[] = {"FBS=95",    "Chol=180",  "TG=150",        "HDL=45",  "LDL=110",
                              "Urea=30",   "Creat=1.1", "Uric Acid=5.2", "SGOT=22", "SGPT=19",
                              "ALP=180",   "TSH=2.1",   "T4=8.2",        "T3=1.3",  "Ferritin=80",
                              "Vit D3=32", "HbA1c=5.6", "CBC=normal",    "ESR=12",  "CRP=Negative"};
const char* const kNames[] = {"محمد رضا کاظمي", "فاطمه  گلي", "علی احمدی", "زهرا رضایی", "حسین  کریمی"};

std::vector<std::string> DayLines(int count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i) {
        std::string line = std::to_string(i) + "   ABCDE" + std::to_string(10000 + i) + "XY   " +
                           std::to_string(i % 997) + "   " + std::to_string(20 + i % 60) + "   " + kNames[i % 5] +
                           "   ";
        for (const char* test : kTests) line += std::string(test) + "   ";
        lines.push_back(std::move(line));
    }
    return lines;
}

// One file per size, written once in code page 1256 as the server sends it.
const std::string& DayFile(int count) {
    static QTemporaryDir dir;
    static std::map<int, std::string> files;
    auto& path = files[count];
    if (path.empty()) {
        path = dir.path().toStdString() + "/day" + std::to_string(count) + ".txt";
        orv::WriteTextFile(path, DayLines(count));
    }
    return path;
}

struct Shown {
    ResultGridModel model;
    ResultGrid grid;
    Shown() {
        grid.SetModel(&model);
        grid.resize(823, 300);
        grid.show();
    }
};

void BM_ReadSplitShow(benchmark::State& state) {
    const std::string& path = DayFile(static_cast<int>(state.range(0)));
    Shown shown;
    for (auto _ : state) {
        const orv::TextReadResult read = orv::ReadTextFile(path);
        shown.model.SetTable(ResultTable(read.content.lines));
        const auto widths = FilledColumnWidths(shown.model.Table());
        for (int c = 4; c < kColumns; ++c) shown.grid.setColumnWidth(c, widths[c]);
        shown.grid.viewport()->repaint();
        benchmark::DoNotOptimize(shown.model.rowCount());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadSplitShow)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_ReadOnly(benchmark::State& state) {
    const std::string& path = DayFile(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(orv::ReadTextFile(path).content.lines.size());
}
BENCHMARK(BM_ReadOnly)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_SplitOnly(benchmark::State& state) {
    const auto lines = DayLines(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ResultTable table(lines);
        benchmark::DoNotOptimize(FilledColumnWidths(table));
    }
}
BENCHMARK(BM_SplitOnly)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

// A keystroke that matches no name scans every row: the worst case.
void BM_SearchKeystroke(benchmark::State& state) {
    const ResultTable table(DayLines(static_cast<int>(state.range(0))));
    const std::string text = "نیست";
    for (auto _ : state) {
        const int column = SearchColumn(IsDecimalInteger(text));
        benchmark::DoNotOptimize(FindFromTop(table, column, text));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SearchKeystroke)->Arg(5000)->Arg(50000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);

void BM_SearchOriginCode(benchmark::State& state) {
    const ResultTable table(DayLines(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(FindFromTop(table, SearchColumn(IsDecimalInteger("9999")), "9999"));
}
BENCHMARK(BM_SearchOriginCode)->Arg(5000)->Arg(50000)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
