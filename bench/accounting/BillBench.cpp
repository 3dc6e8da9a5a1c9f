// A bill of 10,000 month records: reading the file against the account
// calculation over its lines (every month unpaid, so each is listed and
// summed). The calculation should stay within a small factor of the read.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "accounting/core/Account.h"
#include "base/core/TextFile.h"

namespace {

constexpr int kMonths = 10000;

std::string Record(int i) {
    const int year = 1300 + i / 12;
    const int month = 1 + i % 12;
    char period[16];
    std::snprintf(period, sizeof period, "%04d-%02d", year, month);
    std::string label = std::string("  ") + period;
    label.resize(11, ' ');
    const std::string amount = std::to_string(100000000 + i * 2500);
    return "0 " + label + " " + std::string(30 - amount.size(), ' ') + amount;
}

// One bill file per size, written once in code page 1256.
std::string BillFile(int months = kMonths) {
    const std::string p =
        (std::filesystem::temp_directory_path() / ("orvanet-bench-bill-" + std::to_string(months) + ".txt")).string();
    if (!std::filesystem::exists(p)) {
        std::vector<std::string> lines{"آزمايشگاه نمونه مرکزي", "22.00", "18", "1", "90"};
        for (int i = 0; i < months; ++i) lines.push_back(Record(i));
        orv::WriteTextFile(p, lines);
    }
    return p;
}

void BM_ReadBillFile(benchmark::State& state) {
    const std::string file = BillFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        orv::TextReadResult read = orv::ReadTextFile(file);
        benchmark::DoNotOptimize(read.content.lines.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Linear: items per second stay level from 1,000 to 10,000 months.
void BM_CalculateAccount(benchmark::State& state) {
    const std::vector<std::string> lines = orv::ReadTextFile(BillFile(static_cast<int>(state.range(0)))).content.lines;
    for (auto _ : state) {
        orv::accounting::Account a = orv::accounting::CalculateAccount(lines, "1405/09/17", "12", {".", ","});
        benchmark::DoNotOptimize(a.debt.total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The calculation's time over the read's, measured side by side in one run.
void BM_CalculateOverRead(benchmark::State& state) {
    const std::vector<std::string> lines = orv::ReadTextFile(BillFile()).content.lines;
    double read = 0, calc = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        orv::TextReadResult r = orv::ReadTextFile(BillFile());
        const auto t1 = std::chrono::steady_clock::now();
        orv::accounting::Account a = orv::accounting::CalculateAccount(lines, "1405/09/17", "12", {".", ","});
        const auto t2 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(r.content.lines.data());
        benchmark::DoNotOptimize(a.debt.total);
        read += std::chrono::duration<double>(t1 - t0).count();
        calc += std::chrono::duration<double>(t2 - t1).count();
    }
    state.counters["calc_over_read"] = read > 0 ? calc / read : 0;
}

}  // namespace

BENCHMARK(BM_ReadBillFile)->Arg(1000)->Arg(kMonths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateAccount)->Arg(1000)->Arg(kMonths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateOverRead)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
