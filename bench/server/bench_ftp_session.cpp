// Small operations on one open FTP session against the local laboratory: the
// time of each, and the slowest (a reused connection driven by plain
// curl_easy_perform stalls about a second now and then; the session must not).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>

#include "server/core/CurlFtpSession.h"
#include "tests/support/CentralLab.h"

namespace {

orv::test::CentralLab& Lab() {
    static orv::test::CentralLab lab;
    if (!lab.Running() && !lab.Start()) std::abort();
    return lab;
}

template <class Op>
void Measure(benchmark::State& state, Op op) {
    const auto s = Lab().Settings();
    orv::CurlFtpSession session;
    session.Configure(s.Ftp());
    if (!session.Open()) {
        state.SkipWithError("cannot open the session");
        return;
    }
    double slowest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!op(session)) {
            state.SkipWithError("operation failed");
            return;
        }
        slowest = std::max(slowest,
                           std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["slowest_ms"] = slowest;
}

void BM_GetBillIntoMemory(benchmark::State& state) {
    std::string bytes;
    Measure(state, [&](orv::FtpSession& s) { return bool(s.GetMemory("/Text Result\\12\\bill.txt", bytes)); });
}

void BM_GetFileAtomically(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string local = dir.path().toStdString() + "/LastPriceOfTests.txt";
    Measure(state, [&](orv::FtpSession& s) { return bool(s.GetFile("\\Help Files\\LastPriceOfTests.txt", local)); });
}

void BM_PutSmallText(benchmark::State& state) {
    Measure(state,
            [](orv::FtpSession& s) { return bool(s.PutMemory("message text", "Text Result/12/comments/bench.txt")); });
}

}  // namespace

BENCHMARK(BM_GetBillIntoMemory)->Iterations(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetFileAtomically)->Iterations(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PutSmallText)->Iterations(300)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
