// The same Gregorian days converted to solar dates by TPublicUtils and by ICU's
// Persian calendar in one run; the ratio of the two is printed at the end.
#include <benchmark/benchmark.h>
#include <unicode/calendar.h>
#include <unicode/timezone.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "solar/core/CivilDays.h"
#include "solar/core/TPublicUtils.h"

namespace {

struct Day {
    Word y, m, d;
};

const std::vector<Day>& Days() {
    static const std::vector<Day> days = [] {
        std::vector<Day> v;
        for (int64_t s = orv::days::FromGregorian(1990, 1, 1); s < orv::days::FromGregorian(2040, 1, 1); s += 7) {
            const auto g = orv::days::ToGregorian(s);
            v.push_back({static_cast<Word>(g.year), static_cast<Word>(g.month), static_cast<Word>(g.day)});
        }
        return v;
    }();
    return days;
}

double gEngineNs = 0, gIcuNs = 0;

// Each iteration converts the whole list; the time per item is the time per conversion.
void BM_TPublicUtils(benchmark::State& state) {
    const auto& days = Days();
    for (auto _ : state) {
        for (Day d : days) {
            TPublicUtils::GregorianToSolar(d.y, d.m, d.d);
            benchmark::DoNotOptimize(d);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(days.size()));
}

void BM_Icu(benchmark::State& state) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> greg(
        icu::Calendar::createInstance(icu::TimeZone::createTimeZone("GMT"), icu::Locale("en_US"), status));
    std::unique_ptr<icu::Calendar> persian(icu::Calendar::createInstance(
        icu::TimeZone::createTimeZone("GMT"), icu::Locale("fa_IR@calendar=persian"), status));
    const auto& days = Days();
    for (auto _ : state) {
        for (const Day& d : days) {
            greg->clear();
            greg->set(d.y, d.m - 1, d.d);
            persian->setTime(greg->getTime(status), status);
            int y = persian->get(UCAL_YEAR, status), m = persian->get(UCAL_MONTH, status),
                dd = persian->get(UCAL_DATE, status);
            benchmark::DoNotOptimize(y + m + dd);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(days.size()));
}

}  // namespace

BENCHMARK(BM_TPublicUtils);
BENCHMARK(BM_Icu);

namespace {
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            const double ns = r.GetAdjustedCPUTime() / static_cast<double>(Days().size());
            if (r.benchmark_name().find("TPublicUtils") != std::string::npos) gEngineNs = ns;
            if (r.benchmark_name().find("Icu") != std::string::npos) gIcuNs = ns;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};
}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (gEngineNs > 0 && gIcuNs > 0)
        std::printf("per conversion: TPublicUtils %.2f ns, ICU %.1f ns: %.1f times faster (goal: at least 50)\n",
                    gEngineNs, gIcuNs, gIcuNs / gEngineNs);
    benchmark::Shutdown();
    return 0;
}
