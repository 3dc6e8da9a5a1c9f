// The archive search: a year of days, 500 patients a day, as files in code page
// 1256. Indexing reads every file; a query scans the folded names or codes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/core/TextFile.h"
#include "bench/results/PatientNames.h"
#include "results/core/ArchiveIndex.h"

using namespace orv::results;

namespace {
using orv::bench::kFamilyNames;
using orv::bench::kFirstNames;

constexpr int kPatientsPerDay = 500;

std::vector<std::string> DayLines(int day) {
    std::vector<std::string> lines;
    for (int i = 1; i <= kPatientsPerDay; ++i) {
        const int n = day * kPatientsPerDay + i;
        std::string line = std::to_string(i) + "   " + std::to_string(3000000 + n) + "   " + std::to_string(n % 99991) +
                           "   " + std::to_string(20 + n % 60) + "   " + kFirstNames[n % 10] + " " +
                           kFamilyNames[(n / 10) % 17] + "   ";
        line += "FBS=95   Chol=180   TG=150   Urea=30   Creat=1.1   TSH=2.1   CBC=normal   ";
        lines.push_back(std::move(line));
    }
    return lines;
}

// One archive folder per number of days, written once.
const std::string& ArchiveFolder(int days) {
    static std::map<int, std::string> folders;
    std::string& folder = folders[days];
    if (folder.empty()) {
        folder = (std::filesystem::temp_directory_path() / ("orv-archive-bench-" + std::to_string(days))).string() + "/";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        for (int d = 0; d < days; ++d) {
            const int year = 1400 + d / 365, month = 1 + (d % 365) / 31, dayOfMonth = 1 + (d % 365) % 31;
            char name[16];
            std::snprintf(name, sizeof name, "%04d%02d%02d", year, month, dayOfMonth);
            orv::WriteTextFile(folder + name + ".txt", DayLines(d));
        }
    }
    return folder;
}

const ArchiveIndex& Year() {
    static ArchiveIndex index = [] {
        ArchiveIndex built;
        built.Build(ArchiveFolder(365));
        return built;
    }();
    return index;
}

void BM_ArchiveBuild(benchmark::State& state) {
    const std::string& folder = ArchiveFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ArchiveIndex index;
        index.Build(folder);
        benchmark::DoNotOptimize(index.PatientCount());
    }
    state.SetComplexityN(state.range(0));
    state.counters["patients"] = static_cast<double>(state.range(0) * kPatientsPerDay);
}
BENCHMARK(BM_ArchiveBuild)->Arg(91)->Arg(182)->Arg(365)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// A day downloaded into a year's archive: its file read again and the index laid out anew (UI thread).
void BM_ArchiveUpdateDay(benchmark::State& state) {
    static ArchiveIndex index = [] {
        ArchiveIndex built;
        built.Build(ArchiveFolder(365));
        return built;
    }();
    const std::string& folder = ArchiveFolder(365);
    const std::string day = ArchiveIndex::ArchivedDays(folder).front();
    for (auto _ : state) {
        index.UpdateDay(folder, day);
        benchmark::DoNotOptimize(index.PatientCount());
    }
}
BENCHMARK(BM_ArchiveUpdateDay)->Unit(benchmark::kMillisecond);

// Query texts: a name nobody has (every name scanned, no hit), a rare full name,
// a common family name with the hit list the window shows (200), the same
// without a limit, and a code.
void Query(benchmark::State& state, const std::string& text, size_t limit) {
    const ArchiveIndex& index = Year();
    size_t hits = 0;
    for (auto _ : state) {
        hits = index.Search(text, limit).size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
}
void BM_QueryNoMatch(benchmark::State& state) { Query(state, "ناشناس", SIZE_MAX); }
void BM_QueryFullName(benchmark::State& state) { Query(state, "نرگس باقری", SIZE_MAX); }
void BM_QueryCommonNameShown(benchmark::State& state) { Query(state, "رضایی", 200); }
void BM_QueryCommonNameAll(benchmark::State& state) { Query(state, "رضایی", SIZE_MAX); }
void BM_QueryCode(benchmark::State& state) { Query(state, "31234", SIZE_MAX); }
BENCHMARK(BM_QueryNoMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryFullName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryCommonNameShown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryCommonNameAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryCode)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
