#include "accounting/core/Account.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include "accounting/core/BillRecord.h"
#include "base/core/Trim.h"
#include "solar/core/TPublicUtils.h"
#include "solar/logic/DateNames.h"

namespace orv::accounting {

namespace {

constexpr const char* kRial = "  ریال ";
constexpr int kGaugeMax = 120;  // Gauge1's fixed range
constexpr int kDefaultLimit = 120;
constexpr int kDefaultCounter = 10;

// The volume thresholds, scaled by sampleFactor: at or above each one the discount is v.
constexpr struct {
    uint32_t threshold;
    int below;  // the discount under the threshold
} kVolumeSteps[] = {{200'000'000, 3}, {170'000'000, 2}, {140'000'000, 1}, {100'000'000, 0}};

std::string LineNumber(size_t index) { return std::to_string(index + 1); }

// Lines 6 on (index 5 on) that are not empty.
template <class F>
void ForEachRecord(const std::vector<std::string>& lines, F f) {
    for (size_t i = 5; i < lines.size(); ++i)
        if (!lines[i].empty() && !f(i, lines[i])) return;
}

std::string NextMonthFirst(const std::string& period) {
    return TPublicUtils::IncMonth(period + "/01", 1, dkSolar);
}

int SolarDays(const std::string& from, const std::string& to) {
    return TPublicUtils::DaysBetween(from, to, dkSolar);
}

// Days from `from` to `to`: negative when `to` comes first.
int SignedSolarDays(const std::string& from, const std::string& to) {
    Word fy = 0, fm = 0, fd = 0, ty = 0, tm = 0, td = 0;
    TPublicUtils::SeparateYMD(from, dkSolar, fy, fm, fd);
    TPublicUtils::SeparateYMD(to, dkSolar, ty, tm, td);
    const int days = SolarDays(from, to);
    return std::tie(ty, tm, td) < std::tie(fy, fm, fd) ? -days : days;
}

void NoDebt(Debt& debt) {
    debt.payableMonthText = " هیچ بدهی وجود ندارد ";
    debt.monthAmountText = " ";
    debt.paymentDiscountText.clear();
    debt.volumeDiscountText.clear();
    debt.afterDiscountsText.clear();
    debt.totalText = std::string(" کل بدهی  :          0") + kRial;
}

// Lists the unpaid months and their total; false when an amount is unreadable.
bool ListUnpaid(const std::vector<std::string>& lines, const NumberFormat& format, Debt& debt) {
    bool ok = true;
    ForEachRecord(lines, [&](size_t i, const std::string& line) {
        if (line.front() == '0') {
            const std::string_view amountText = Columns(line, 15, 44);
            const std::optional<double> a = ParseDecimal(amountText, format);
            const std::optional<int64_t> rounded = a ? ToAmount(*a) : std::nullopt;
            if (!rounded) {
                debt.error = "line " + LineNumber(i) + ": the amount \"" + std::string(orv::Trim(amountText)) +
                             "\" is not a number";
                return ok = false;
            }
            if (__builtin_add_overflow(debt.total, *rounded, &debt.total)) {
                debt.error = "line " + LineNumber(i) + ": the total debt is too large";
                return ok = false;
            }
            const std::string label(orv::Trim(Columns(line, 3, 13)));
            debt.unpaidLines.push_back(label + "    " + FormatAmount(*rounded, format) + "  ریـال");
            debt.noUnpaidMonth = false;
        }
        debt.totalText = " کل بدهی  :          " + FormatAmount(debt.total, format) + kRial;
        return true;
    });
    return ok;
}

// Exactly, so that an amount at a scaled limit gets the limit's discount.
int VolumeDiscount(int64_t q, const ExactDecimal& sampleFactor) {
    int v = 4;
    for (const auto& step : kVolumeSteps)
        if (CompareScaled(sampleFactor, step.threshold, q) > 0) v = step.below;
    return v;
}

void Discount(const std::vector<std::string>& lines, std::string_view today, std::string_view folderCode,
              const ExactDecimal& sampleFactor, const NumberFormat& format, Debt& debt) {
    size_t index = 0;
    ForEachRecord(lines, [&](size_t i, const std::string& line) {
        if (line.front() != '0') return true;
        index = i;
        return false;
    });
    const BillRecord r = ReadBillRecord(lines[index]);
    const std::optional<double> amount = ParseDecimal(r.amountText, format);
    const std::optional<int64_t> q = amount ? ToAmount(*amount) : std::nullopt;
    if (!q) {
        debt.ok = false;
        debt.error = "line " + LineNumber(index) + ": the amount \"" + std::string(orv::Trim(r.amountText)) +
                     "\" is not a number";
        return;
    }
    if (!ValidPeriod(r)) {
        debt.ok = false;
        debt.error = "line " + LineNumber(index) + ": the period \"" + r.label + "\" is not a month";
        return;
    }
    debt.label = r.label;
    debt.instalment = r.instalment;
    debt.firstUnpaidMonth = Period(r);
    const std::string first = debt.firstUnpaidMonth + "/01";
    debt.payableMonthText = " ماه قابل پرداخت  : پرداخت " + r.instalment + " از " +
                   orv::solar::MonthNameWithMah(dkSolar, std::stoi(r.month)) + "  " + r.year;

    // Before the due date no day has passed: the whole discount.
    debt.d = std::max(0, SignedSolarDays(NextMonthFirst(debt.firstUnpaidMonth), std::string(today)));
    double s = std::round((4.0 - debt.d / 30.0) * 100.0) / 100.0;
    debt.windowEnd = TPublicUtils::IncMonth(first, 3, dkSolar);
    debt.L = SolarDays(first, debt.windowEnd);
    if (debt.d < 2) s = 4;
    if (s < 0) s = 0;
    if (debt.d >= debt.L) s = 0;
    debt.s = s;

    debt.v = VolumeDiscount(*q, sampleFactor);
    const double qd = static_cast<double>(*q);
    const std::optional<int64_t> m = ToAmount(qd - qd * ((debt.v + s) / 100.0));
    debt.m = m.value_or(0);
    debt.monthAmount = *q;

    debt.monthAmountText = " کل مبلغ  :   " + FormatAmount(debt.monthAmount, format) + kRial;
    debt.paymentDiscountText = "تخفیف خوش حسابی برابر با  " + ShortNumber(s, format) + " درصد" + " پس از سپری شدن " +
                   std::to_string(debt.d) + " روز پس از موعد پرداخت  ";
    debt.volumeDiscountText = " تخفیف حجم نمونه  :  " + std::to_string(debt.v) + "  درصد";
    debt.afterDiscountsText = "مبلغ پس از تخفیف  :  " + FormatAmount(debt.m, format) + "  ریال";
    debt.paymentRecord = PaymentRecord(debt.label, folderCode, s, debt.v, debt.d, format);
}

Debt CalculateDebt(const std::vector<std::string>& lines, std::string_view today, std::string_view folderCode,
                   const ExactDecimal& sampleFactor, const NumberFormat& format) {
    Debt debt;
    if (!ListUnpaid(lines, format, debt)) {
        debt.ok = false;
        return debt;
    }
    if (debt.noUnpaidMonth) {
        NoDebt(debt);
        return debt;
    }
    Discount(lines, today, folderCode, sampleFactor, format, debt);
    return debt;
}

void OverdueCheck(const std::vector<std::string>& lines, std::string_view today, Account& a) {
    ForEachRecord(lines, [&](size_t, const std::string& line) {
        if (line.front() != '0') return true;
        const BillRecord r = ReadBillRecord(line);
        if (!ValidPeriod(r)) return false;  // nothing to count from
        a.hasUnpaid = true;
        a.firstUnpaidMonth = Period(r);
        a.dueDate = NextMonthFirst(a.firstUnpaidMonth);
        // Nothing is overdue before the due date; from it on the due day counts as one.
        const int sinceDue = SignedSolarDays(a.dueDate, std::string(today));
        a.overdueDays = sinceDue >= 0 ? sinceDue + 1 : 0;
        a.gauge = std::clamp(a.overdueDays, 0, kGaugeMax);
        a.warning = sinceDue >= 0 && a.overdueDays >= a.overdueLimitDays;
        a.gateOpen = !(a.warning && a.block);
        return false;
    });
}

}  // namespace

std::string PaymentRecord(std::string_view label, std::string_view folderCode, double s, int v, int d,
                          const NumberFormat& format) {
    std::string coded(label);
    for (char& c : coded) {
        if (c == '^') c = 'y';
        if (c == '-') c = 'h';
    }
    return std::string(label) + "x" + coded + "x" + std::string(folderCode) + "x" + ShortNumber(100 * s, format) +
           "x" + std::to_string(v) + "x" + std::to_string(d);
}

MonthChoice ChooseMonth(std::string_view solarDate) {
    Word y = 0, m = 0, d = 0;
    TPublicUtils::SeparateYMD(solarDate, dkSolar, y, m, d);
    MonthChoice c;
    if (m < 1 || m > 12) return c;
    const std::string year = std::to_string(y);
    c.text = orv::solar::MonthNameWithMah(dkSolar, m) + "  " + year + "  ";
    c.key = year + (m < 10 ? "-0" : "-") + std::to_string(m);
    return c;
}

Account CalculateAccount(const std::vector<std::string>& lines, std::string_view today,
                         std::string_view folderCode, const NumberFormat& format) {
    Account a;
    auto line = [&](size_t n) -> std::string_view { return n <= lines.size() ? lines[n - 1] : std::string_view(); };
    a.name = std::string(line(1));
    a.version = std::string(orv::Trim(line(2)));
    const std::optional<double> version = ParseDecimal(a.version, format);
    const std::optional<double> sampleFactor = ParseDecimal(line(4), format);
    const std::optional<ExactDecimal> exactTav = ParseExactDecimal(line(4), format);
    if (!version || !sampleFactor || !exactTav) {
        const size_t bad = version ? 4 : 2;
        a.ok = false;
        a.error = "the bill could not be read: line " + std::to_string(bad) + " is not a number: \"" +
                  std::string(orv::Trim(line(bad))) + "\"";
        return a;
    }
    a.versionNumber = *version;
    a.sampleFactor = *sampleFactor;
    a.counter = ParseInteger(line(3)).value_or(kDefaultCounter);
    const std::optional<int32_t> limit = ParseInteger(line(5));
    a.block = limit.has_value();
    a.overdueLimitDays = limit.value_or(kDefaultLimit);
    OverdueCheck(lines, today, a);
    a.debt = CalculateDebt(lines, today, folderCode, *exactTav, format);
    return a;
}

}  // namespace orv::accounting
