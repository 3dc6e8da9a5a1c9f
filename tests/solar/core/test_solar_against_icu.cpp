// Every day of solar years 1300..1499 against ICU's Persian calendar, both ways.
#include <gtest/gtest.h>
#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/timezone.h>

#include <memory>

#include "solar/core/CivilDays.h"
#include "solar/core/TPublicUtils.h"

namespace {

constexpr double kMsPerDay = 86400000.0;
// Sunday (1) .. Saturday (7) to the solar week's numbering, Friday 1 .. Thursday 7.
constexpr int kSolarWeekDay[8] = {0, 3, 4, 5, 6, 7, 1, 2};

struct IcuCalendars {
    std::unique_ptr<icu::Calendar> persian;
    std::unique_ptr<icu::Calendar> gregorian;
    IcuCalendars() {
        UErrorCode status = U_ZERO_ERROR;
        persian.reset(icu::Calendar::createInstance(icu::TimeZone::createTimeZone("GMT"),
                                                    icu::Locale("fa_IR@calendar=persian"), status));
        gregorian.reset(icu::Calendar::createInstance(icu::TimeZone::createTimeZone("GMT"),
                                                      icu::Locale("en_US@calendar=gregorian"), status));
        EXPECT_TRUE(U_SUCCESS(status));
        // A pure proleptic Gregorian calendar, as the platform's date value is.
        static_cast<icu::GregorianCalendar*>(gregorian.get())->setGregorianChange(-1e300, status);
    }
};

int Get(icu::Calendar& c, UCalendarDateFields f) {
    UErrorCode status = U_ZERO_ERROR;
    return c.get(f, status);
}

int64_t SerialOfSolarIcu(icu::Calendar& c, int y, int m, int d) {
    c.clear();
    c.set(y, m - 1, d);
    UErrorCode status = U_ZERO_ERROR;
    return static_cast<int64_t>(c.getTime(status) / kMsPerDay);
}

std::string Solar(int y, int m, int d) { return TPublicUtils::ConcatenateDate(y, m, d, dkSolar); }

TEST(SolarAgainstIcu, EveryDayOf1300To1499BothWays) {
    IcuCalendars icu;
    const std::string iso = "yyyy-MM-dd";
    const int64_t first = SerialOfSolarIcu(*icu.persian, 1300, 1, 1);
    const int64_t last = SerialOfSolarIcu(*icu.persian, 1500, 1, 1) - 1;
    ASSERT_EQ(last - first + 1, 73049);
    int mismatches = 0;
    std::string previous;
    for (int64_t serial = first; serial <= last && mismatches < 20; ++serial) {
        UErrorCode status = U_ZERO_ERROR;
        icu.persian->setTime(static_cast<double>(serial) * kMsPerDay, status);
        icu.gregorian->setTime(static_cast<double>(serial) * kMsPerDay, status);
        const int sy = Get(*icu.persian, UCAL_YEAR), sm = Get(*icu.persian, UCAL_MONTH) + 1,
                  sd = Get(*icu.persian, UCAL_DATE);
        const int gy = Get(*icu.gregorian, UCAL_YEAR), gm = Get(*icu.gregorian, UCAL_MONTH) + 1,
                  gd = Get(*icu.gregorian, UCAL_DATE);
        const std::string solar = Solar(sy, sm, sd);
        const std::string greg = TPublicUtils::ConcatenateDate(gy, gm, gd, dkGregorian, iso);

        Word y = gy, m = gm, d = gd;
        const bool toSolar = TPublicUtils::GregorianToSolar(y, m, d);
        Word y2 = sy, m2 = sm, d2 = sd;
        const bool toGreg = TPublicUtils::SolarToGregorian(y2, m2, d2);
        const bool ok =
            toSolar && toGreg && y == sy && m == sm && d == sd && y2 == gy && m2 == gm && d2 == gd &&
            TPublicUtils::IsDateValid(dkSolar, solar) &&
            TPublicUtils::IsLeapYear(dkSolar, sy) ==
                (icu.persian->getActualMaximum(UCAL_DAY_OF_YEAR, status) == 366) &&
            TPublicUtils::DaysOfMonth(dkSolar, sy, sm) == icu.persian->getActualMaximum(UCAL_DATE, status) &&
            TPublicUtils::DaysToDate(dkSolar, sy, sm, sd) == Get(*icu.persian, UCAL_DAY_OF_YEAR) &&
            TPublicUtils::ConvertDate(solar, dkSolar, iso) == greg &&
            TPublicUtils::ConvertDate(greg, dkGregorian, iso) == solar &&
            TPublicUtils::ConvertYear(greg, dkGregorian, iso) == sy &&
            TPublicUtils::ConvertMonth(solar, dkSolar, iso) == gm &&
            TPublicUtils::SolarToGregorian(solar, iso) == greg && TPublicUtils::GregorianToSolar(greg, iso) == solar &&
            TPublicUtils::FillDate(dkSolar, std::chrono::sys_days{std::chrono::days{serial}}) == solar &&
            TPublicUtils::FillDate(dkGregorian, std::chrono::sys_days{std::chrono::days{serial}}, iso) == greg &&
            TPublicUtils::IntDayOfWeek(greg, dkGregorian, iso) == Get(*icu.gregorian, UCAL_DAY_OF_WEEK) &&
            TPublicUtils::IntDayOfWeek(solar, dkSolar) == kSolarWeekDay[Get(*icu.gregorian, UCAL_DAY_OF_WEEK)] &&
            TPublicUtils::DaysBetween(solar, Solar(1300, 1, 1), dkSolar) == serial - first &&
            (previous.empty() || (TPublicUtils::IncDay(previous, 1, dkSolar) == solar &&
                                  TPublicUtils::DecDay(solar, 1, dkSolar) == previous));
        if (!toSolar) ADD_FAILURE() << greg << " not converted";
        Word dm = 0, dd = 0;
        if (!TPublicUtils::DateOfDay(dkSolar, TPublicUtils::DaysToDate(dkSolar, sy, sm, sd), sy, dm, dd) || dm != sm ||
            dd != sd)
            ADD_FAILURE() << "DateOfDay " << solar;
        if (!ok) {
            ++mismatches;
            ADD_FAILURE() << "day " << greg << " (ICU " << solar << ") disagrees; engine says "
                          << TPublicUtils::GregorianToSolar(greg, iso) << " / " << TPublicUtils::SolarToGregorian(solar, iso);
        }
        previous = solar;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(SolarAgainstIcu, LeapYearsOfTheOfficialCalendar) {
    // Esfand 1403 has 30 days and Esfand 1404 has 29.
    EXPECT_TRUE(TPublicUtils::IsLeapYear(dkSolar, 1399));
    EXPECT_TRUE(TPublicUtils::IsLeapYear(dkSolar, 1403));
    EXPECT_FALSE(TPublicUtils::IsLeapYear(dkSolar, 1404));
    EXPECT_TRUE(TPublicUtils::IsDateValid(dkSolar, "1403/12/30"));
    EXPECT_FALSE(TPublicUtils::IsDateValid(dkSolar, "1404/12/30"));
    EXPECT_EQ(TPublicUtils::ConvertDate("2026-03-21", dkGregorian, "yyyy-MM-dd"), "1405/01/01");
    EXPECT_EQ(TPublicUtils::ConvertDate("2026-12-08", dkGregorian, "yyyy-MM-dd"), "1405/09/17");
}

}  // namespace
