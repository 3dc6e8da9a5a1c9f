#pragma once
// Both calendars convert only to and from one serial day count: days since
// 1970-01-01 (Gregorian). Stepping, week days and distances are arithmetic on it.
#include <cstdint>

namespace orv::days {

struct Ymd {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    friend bool operator==(const Ymd&, const Ymd&) = default;
};

// Proleptic Gregorian calendar (H. Hinnant's days_from_civil / civil_from_days).
int64_t FromGregorian(int32_t y, int32_t m, int32_t d);
Ymd ToGregorian(int64_t serial);

// Persian solar calendar by the 33-year arithmetic rule, the official Iranian
// calendar as ICU computes it (calendar=persian): a year y is leap when
// (25 y + 11) mod 33 < 8, and 1/1/1 is Julian day 1948320.
bool SolarLeap(int64_t y);
int64_t FromSolar(int32_t y, int32_t m, int32_t d);
Ymd ToSolar(int64_t serial);

// 1 = Sunday .. 7 = Saturday.
int GregorianWeekDay(int64_t serial);

}  // namespace orv::days
