// A patient's history: a year of days, 500 patients a day, in code page 1256
// files; one patient comes on every day. From the built index: the days found,
// the tests-by-days table and the trends; and the chart of 100 points shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/core/TextFile.h"
#include "bench/results/PatientNames.h"
#include "results/core/ArchiveIndex.h"
#include "results/core/PatientHistory.h"
#include "results/ui/TrendChart.h"

using namespace orv::results;

namespace {
using orv::bench::kFamilyNames;
using orv::bench::kFirstNames;
constexpr int kDays = 365;
constexpr int kPatientsPerDay = 500;
const char* const kPatient = "پرستو ميرزايي";  // nobody else's name
const char* const kPatientCode = "777777";

std::string Line(int row, const std::string& reference, const std::string& origin, const std::string& name, int n) {
    return std::to_string(row) + "   " + reference + "   " + origin + "   " + std::to_string(20 + n % 60) + "   " +
           name + "   FBS=" + std::to_string(80 + n % 40) + "   HbA1c=" + std::to_string(5 + n % 4) + "." +
           std::to_string(n % 10) + "   Chol=180   TG=150   Urea=30   Creat=1,1   TSH=<0.5   CBC=normal   ";
}

const std::string& Folder() {
    static const std::string folder = [] {
        const std::string path = (std::filesystem::temp_directory_path() / "orv-history-bench").string() + "/";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        for (int d = 0; d < kDays; ++d) {
            std::vector<std::string> lines;
            const int patientRow = 1 + (d * 37) % kPatientsPerDay;
            for (int i = 1; i <= kPatientsPerDay; ++i) {
                const int n = d * kPatientsPerDay + i;
                lines.push_back(i == patientRow
                                    ? Line(i, "R" + std::to_string(n), kPatientCode, kPatient, n)
                                    : Line(i, std::to_string(3000000 + n), std::to_string(n % 99991),
                                           std::string(kFirstNames[n % 10]) + " " + kFamilyNames[(n / 10) % 17], n));
            }
            char name[16];
            std::snprintf(name, sizeof name, "%04d%02d%02d", 1404 + d / 365, 1 + (d % 365) / 31, 1 + (d % 365) % 31);
            orv::WriteTextFile(path + name + ".txt", lines);
        }
        return path;
    }();
    return folder;
}

ArchiveIndex& Year() {
    static ArchiveIndex index(Folder());
    static const size_t read = index.Sync();
    (void)read;
    return index;
}

// Found by name or by code: the visits, the table and every test's trend, as the window lays them out.
void History(benchmark::State& state, const char* text) {
    ArchiveIndex& index = Year();
    size_t days = 0, charted = 0;
    for (auto _ : state) {
        const std::vector<HistoryVisit> visits = FindHistory(index, text);
        const HistoryTable table = BuildHistoryTable(visits);
        charted = 0;
        for (size_t t = 0; t < table.tests.size(); ++t) charted += TrendOf(table, visits, t).empty() ? 0 : 1;
        days = table.columns.size();
        benchmark::DoNotOptimize(charted);
    }
    state.counters["days"] = static_cast<double>(days);
    state.counters["charted"] = static_cast<double>(charted);
}
void BM_HistoryByName(benchmark::State& state) { History(state, "پرستو میرزایی"); }
void BM_HistoryByCode(benchmark::State& state) { History(state, kPatientCode); }
BENCHMARK(BM_HistoryByName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryByCode)->Unit(benchmark::kMillisecond);

// The chart of the patient's last 100 days made and painted in its view.
void BM_ChartShown(benchmark::State& state) {
    std::vector<HistoryVisit> visits = FindHistory(Year(), kPatientCode);
    visits.erase(visits.begin(), visits.end() - 100);
    const HistoryTable table = BuildHistoryTable(visits);
    QChartView view;
    view.resize(900, 330);
    view.show();
    size_t points = 0;
    for (auto _ : state) {
        QChart* old = view.chart();
        QChart* chart = TrendChart::Make(table, visits, 1);  // HbA1c
        view.setChart(chart);
        delete old;
        benchmark::DoNotOptimize(view.grab());
        points = TrendOf(table, visits, 1).size();
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_ChartShown)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
