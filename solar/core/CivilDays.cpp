#include "solar/core/CivilDays.h"

namespace orv::days {
namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Julian day number of 1970-01-01 and of Farvardin 1 of solar year 1 (ICU's PERSIAN_EPOCH).
constexpr int64_t kUnixEpochJd = 2440588;
constexpr int64_t kSolarEpochJd = 1948320;
constexpr int64_t kSolarEpoch = kSolarEpochJd - kUnixEpochJd;

// Days before each solar month: six of 31 days, five of 30, then Esfand.
constexpr int32_t kSolarBefore[13] = {0, 31, 62, 93, 124, 155, 186, 216, 246, 276, 306, 336, 365};

// Days from Farvardin 1 of year 1 to Farvardin 1 of year y.
int64_t SolarYearStart(int64_t y) { return 365 * (y - 1) + FloorDiv(8 * y + 21, 33); }

}  // namespace

int64_t FromGregorian(int32_t y, int32_t m, int32_t d) {
    const int64_t yy = static_cast<int64_t>(y) - (m <= 2);
    const int64_t era = FloorDiv(yy, 400);
    const int64_t yoe = yy - era * 400;                                    // [0, 399]
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;  // [0, 365]
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;            // [0, 146096]
    return era * 146097 + doe - 719468;
}

Ymd ToGregorian(int64_t serial) {
    const int64_t z = serial + 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;                                  // [0, 146096]
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);           // [0, 365]
    const int64_t mp = (5 * doy + 2) / 153;                                // [0, 11]
    const int32_t d = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);  // [1, 31]
    const int32_t m = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);     // [1, 12]
    return {static_cast<int32_t>(yoe + era * 400 + (m <= 2)), m, d};
}

bool SolarLeap(int64_t y) {
    int64_t r = (25 * y + 11) % 33;
    if (r < 0) r += 33;
    return r < 8;
}

int64_t FromSolar(int32_t y, int32_t m, int32_t d) {
    return kSolarEpoch + SolarYearStart(y) + kSolarBefore[m - 1] + d - 1;
}

Ymd ToSolar(int64_t serial) {
    const int64_t since = serial - kSolarEpoch;
    const int64_t y = 1 + FloorDiv(33 * since + 3, 12053);
    const int64_t doy = since - SolarYearStart(y);                 // [0, 365]
    const int64_t m = doy < 216 ? doy / 31 : (doy - 6) / 30;       // [0, 11]
    return {static_cast<int32_t>(y), static_cast<int32_t>(m + 1),
            static_cast<int32_t>(doy - kSolarBefore[m] + 1)};
}

int GregorianWeekDay(int64_t serial) {
    // 1970-01-01 was a Thursday (5).
    int64_t r = (serial + 4) % 7;
    if (r < 0) r += 7;
    return static_cast<int>(r) + 1;
}

}  // namespace orv::days
