#pragma once
// Gregorian to solar is the program's inner loop (the calendar, the day steps,
// the grid's day names). Within a window of Gregorian years it needs no division:
// a table gives the Gregorian day of the year on which Farvardin 1 falls, and a
// second table the solar month and day of each day of the solar year. Both are
// computed at compile time from the serial-day conversions.
#include <cstdint>

#include "solar/core/CivilDays.h"

namespace orv::days::table {

constexpr int kNowruzFirst = 1700;
constexpr int kNowruzLast = 2399;

struct NowruzYear {
    uint16_t nowruz;    // 1-based Gregorian day of the year of Farvardin 1
    uint16_t previous;  // 0-based solar day of the year of January 1 minus 1
    uint8_t leap;       // the Gregorian year is leap
};

struct NowruzTable {
    NowruzYear year[kNowruzLast - kNowruzFirst + 1] = {};
};

constexpr NowruzTable MakeNowruzTable() {
    NowruzTable t;
    for (int g = kNowruzFirst; g <= kNowruzLast; ++g) {
        const int64_t jan1 = orv::days::FromGregorian(g, 1, 1);
        const int64_t nowruzBefore = orv::days::FromSolar(g - 622, 1, 1);
        t.year[g - kNowruzFirst] = {static_cast<uint16_t>(orv::days::FromSolar(g - 621, 1, 1) - jan1 + 1),
                                    static_cast<uint16_t>(jan1 - nowruzBefore - 1),
                                    static_cast<uint8_t>(orv::days::FromGregorian(g + 1, 1, 1) - jan1 == 366)};
    }
    return t;
}
inline constexpr NowruzTable kNowruz = MakeNowruzTable();

struct SolarDayTable {
    uint8_t month[366] = {};
    uint8_t day[366] = {};
};

constexpr SolarDayTable MakeSolarDayTable() {
    SolarDayTable t;
    for (int doy = 0; doy < 366; ++doy) {
        const int m = doy < 186 ? doy / 31 : 6 + (doy - 186) / 30;
        t.month[doy] = static_cast<uint8_t>(m + 1);
        t.day[doy] = static_cast<uint8_t>(doy - orv::days::detail::kSolarBefore[m] + 1);
    }
    return t;
}
inline constexpr SolarDayTable kSolarDays = MakeSolarDayTable();

// Gregorian month lengths and days before each month, common and leap year.
inline constexpr uint16_t kGregorianLength[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                                     {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
inline constexpr uint16_t kGregorianBefore[2][12] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
                                                     {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};

// Converts in place and returns true, or returns false with the date unchanged
// when it is outside the table's years; `valid` is false for a date that is no
// Gregorian date (then the conversion fails).
inline bool GregorianToSolarInTable(uint16_t& year, uint16_t& month, uint16_t& day, bool& valid) {
    const unsigned yi = static_cast<unsigned>(year) - kNowruzFirst;
    const unsigned mi = static_cast<unsigned>(month) - 1u;
    const unsigned d = day;
    if (yi <= static_cast<unsigned>(kNowruzLast - kNowruzFirst) && mi < 12) {
        const NowruzYear& t = kNowruz.year[yi];
        valid = d != 0 && d <= kGregorianLength[t.leap][mi];
        if (!valid) return true;
        const unsigned doy = kGregorianBefore[t.leap][mi] + d;  // 1-based
        const bool after = doy >= t.nowruz;
        const unsigned solarDoy = after ? doy - t.nowruz : doy + t.previous;  // 0-based
        year = static_cast<uint16_t>(year - (after ? 621 : 622));
        month = kSolarDays.month[solarDoy];
        day = kSolarDays.day[solarDoy];
        return true;
    }
    return false;
}

}  // namespace orv::days::table
