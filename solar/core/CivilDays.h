#pragma once
// Both calendars convert only to and from one serial day count: days since
// 1970-01-01 (Gregorian). Stepping, week days and distances are arithmetic on it.
// The conversions are inline: they are the inner loop of every date operation.
#include <cstdint>

namespace orv::days {

struct Ymd {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    friend bool operator==(const Ymd&, const Ymd&) = default;
};

namespace detail {

// Julian day number of 1970-01-01 and of Farvardin 1 of solar year 1 (ICU's PERSIAN_EPOCH).
constexpr int64_t kUnixEpochJd = 2440588;
constexpr int64_t kSolarEpochJd = 1948320;
constexpr int64_t kSolarEpoch = kSolarEpochJd - kUnixEpochJd;

// Days before each solar month: six of 31 days, five of 30, then Esfand.
constexpr int32_t kSolarBefore[13] = {0, 31, 62, 93, 124, 155, 186, 216, 246, 276, 306, 336, 365};

// Shifting by whole cycles keeps every intermediate value non-negative, so all
// divisions are unsigned 32-bit divisions by constants (multiplications):
// 400-year Gregorian eras of 146097 days, 33-year solar cycles of 12053 days.
constexpr uint32_t kEraShift = 100;
constexpr int64_t kGregorianDayShift = 146097LL * kEraShift;
constexpr int32_t kGregorianYearShift = 400 * kEraShift;
constexpr uint32_t kCycleShift = 1000;
constexpr int64_t kSolarDayShift = 12053LL * kCycleShift;
constexpr int64_t kSolarYearShift = 33LL * kCycleShift;

// Days from Farvardin 1 of year 1 to Farvardin 1 of year y: 365 (y - 1) + floor((8 y + 21) / 33).
constexpr int64_t SolarYearStart(int64_t y) {
    const uint32_t ys = static_cast<uint32_t>(y + kSolarYearShift);
    return 365 * (y - 1) + static_cast<int64_t>((8 * ys + 21) / 33) - 8 * static_cast<int64_t>(kCycleShift);
}

}  // namespace detail

// Proleptic Gregorian calendar (H. Hinnant's days_from_civil / civil_from_days).
constexpr int64_t FromGregorian(int32_t y, int32_t m, int32_t d) {
    using namespace detail;
    const uint32_t yy = static_cast<uint32_t>(y + kGregorianYearShift) - (m <= 2);
    const uint32_t era = yy / 400;
    const uint32_t yoe = yy - era * 400;                                     // [0, 399]
    const uint32_t mp = static_cast<uint32_t>(m > 2 ? m - 3 : m + 9);        // [0, 11], March first
    const uint32_t doy = (153 * mp + 2) / 5 + static_cast<uint32_t>(d) - 1;  // [0, 365]
    const uint32_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;              // [0, 146096]
    return static_cast<int64_t>(era) * 146097 + doe - 719468 - kGregorianDayShift;
}

constexpr Ymd ToGregorian(int64_t serial) {
    using namespace detail;
    const uint32_t z = static_cast<uint32_t>(serial + 719468 + kGregorianDayShift);
    const uint32_t era = z / 146097;
    const uint32_t doe = z - era * 146097;                                       // [0, 146096]
    const uint32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const uint32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // [0, 365]
    const uint32_t mp = (5 * doy + 2) / 153;                                     // [0, 11]
    const int32_t d = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);        // [1, 31]
    const int32_t m = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);           // [1, 12]
    return {static_cast<int32_t>(yoe + era * 400) - kGregorianYearShift + (m <= 2), m, d};
}

// Persian solar calendar by the 33-year arithmetic rule, the official Iranian
// calendar as ICU computes it (calendar=persian): a year y is leap when
// (25 y + 11) mod 33 < 8, and Farvardin 1 of year 1 is Julian day 1948320.
constexpr bool SolarLeap(int64_t y) { return static_cast<uint32_t>(25 * (y + detail::kSolarYearShift) + 11) % 33 < 8; }

constexpr int64_t FromSolar(int32_t y, int32_t m, int32_t d) {
    using namespace detail;
    return kSolarEpoch + SolarYearStart(y) + kSolarBefore[m - 1] + d - 1;
}

constexpr Ymd ToSolar(int64_t serial) {
    using namespace detail;
    const uint32_t shifted = static_cast<uint32_t>(serial - kSolarEpoch + kSolarDayShift);
    const int64_t y = 1 + static_cast<int64_t>((33 * shifted + 3) / 12053) - kSolarYearShift;
    const uint32_t doy = static_cast<uint32_t>(serial - kSolarEpoch - SolarYearStart(y));  // [0, 365]
    const uint32_t m = doy < 216 ? doy / 31 : (doy - 6) / 30;                              // [0, 11]
    return {static_cast<int32_t>(y), static_cast<int32_t>(m + 1), static_cast<int32_t>(doy - kSolarBefore[m] + 1)};
}

// 1 = Sunday .. 7 = Saturday; 1970-01-01 was a Thursday.
constexpr int GregorianWeekDay(int64_t serial) {
    return static_cast<int>(static_cast<uint64_t>(serial + 4 + 7 * detail::kGregorianDayShift) % 7) + 1;
}

static_assert(FromGregorian(2026, 12, 8) == 20795);
static_assert(ToSolar(FromGregorian(2026, 3, 21)) == Ymd{1405, 1, 1});
static_assert(ToGregorian(FromSolar(1401, 6, 30)) == Ymd{2022, 9, 21});

}  // namespace orv::days
