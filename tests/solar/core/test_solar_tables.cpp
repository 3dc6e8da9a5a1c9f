// Known dates, parsing, composition and stepping of the date engine.
#include <gtest/gtest.h>

#include "solar/core/TPublicUtils.h"

namespace {

const std::string kIso = "yyyy-MM-dd";

struct Pair {
    const char* solar;
    const char* gregorian;
};

TEST(SolarConversion, KnownDatesBothWays) {
    const Pair cases[] = {{"1401/06/30", "2022-09-21"}, {"1399/12/30", "2021-03-20"}, {"1400/01/01", "2021-03-21"},
                          {"1402/12/10", "2024-02-29"}, {"1403/01/01", "2024-03-20"}, {"1401/10/11", "2023-01-01"},
                          {"1403/12/30", "2025-03-20"}, {"1405/01/01", "2026-03-21"}, {"1405/09/17", "2026-12-08"},
                          {"1404/12/29", "2026-03-20"}};
    for (const Pair& c : cases) {
        EXPECT_EQ(TPublicUtils::SolarToGregorian(c.solar, kIso), c.gregorian) << c.solar;
        EXPECT_EQ(TPublicUtils::GregorianToSolar(c.gregorian, kIso), c.solar) << c.gregorian;
    }
}

TEST(SolarConversion, InvalidInputsLeaveNumbersAndGiveEmptyTexts) {
    Word y = 1404, m = 12, d = 30;
    EXPECT_FALSE(TPublicUtils::SolarToGregorian(y, m, d));
    EXPECT_EQ(y, 1404);
    EXPECT_EQ(d, 30);
    y = 2023, m = 2, d = 29;
    EXPECT_FALSE(TPublicUtils::GregorianToSolar(y, m, d));
    EXPECT_EQ(m, 2);
    EXPECT_EQ(TPublicUtils::GregorianToSolar("2023-02-29", kIso), "");
    EXPECT_EQ(TPublicUtils::GregorianToSolar("not a date", kIso), "");
    EXPECT_EQ(TPublicUtils::SolarToGregorian("1401/13/01", kIso), "");
    EXPECT_EQ(TPublicUtils::ConvertDate("1404/12/30", dkSolar, kIso), "");
}

TEST(SolarMonths, LengthsValidityAndDayOfYear) {
    EXPECT_EQ(TPublicUtils::DaysOfMonth(dkSolar, 1399, 12), 30);
    EXPECT_EQ(TPublicUtils::DaysOfMonth(dkSolar, 1400, 12), 29);
    EXPECT_EQ(TPublicUtils::DaysOfMonth(dkGregorian, 2024, 2), 29);
    EXPECT_EQ(TPublicUtils::DaysOfMonth(dkGregorian, 1900, 2), 28);
    EXPECT_EQ(TPublicUtils::DaysOfMonth(dkSolar, 1400, 0), 0);
    EXPECT_EQ(TPublicUtils::DaysOfMonth(dkSolar, 1400, 13), 0);
    EXPECT_EQ(TPublicUtils::DaysOfMonth(dkSolar, 0, 1), 0);
    EXPECT_TRUE(TPublicUtils::IsDateValid(dkSolar, "1399/12/30"));
    EXPECT_FALSE(TPublicUtils::IsDateValid(dkSolar, "999/01/01"));
    EXPECT_FALSE(TPublicUtils::IsDateValid(dkSolar, ""));
    EXPECT_EQ(TPublicUtils::DaysToDate(dkSolar, 1399, 12, 30), 366);
    EXPECT_EQ(TPublicUtils::DaysToDate(dkSolar, 1400, 7, 1), 187);
    EXPECT_EQ(TPublicUtils::DaysToDate(dkSolar, 1400, 12, 30), 0);
    EXPECT_EQ(TPublicUtils::DaysToDate(dkGregorian, 2024, 3, 1), 61);
    Word m = 9, d = 9;
    EXPECT_FALSE(TPublicUtils::DateOfDay(dkSolar, 366, 1400, m, d));
    EXPECT_EQ(m, 0);
    EXPECT_TRUE(TPublicUtils::DateOfDay(dkSolar, 366, 1399, m, d));
    EXPECT_EQ(m, 12);
    EXPECT_EQ(d, 30);
    EXPECT_FALSE(TPublicUtils::DateOfDay(dkSolar, 0, 1400, m, d));
    EXPECT_EQ(m, 1);
    EXPECT_EQ(d, 0);
    EXPECT_TRUE(TPublicUtils::DateOfDay(dkGregorian, 60, 2024, m, d));
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 29);
}

TEST(SolarText, ParsingAndComposition) {
    Word y, m, d;
    TPublicUtils::SeparateYMD("1401/6/30", dkSolar, y, m, d);
    EXPECT_EQ(TPublicUtils::ConcatenateDate(y, m, d, dkSolar), "1401/06/30");
    TPublicUtils::SeparateYMD("999/01/01", dkSolar, y, m, d);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(m, 1);
    TPublicUtils::SeparateYMD("1401/13/01", dkSolar, y, m, d);
    EXPECT_EQ(m, 0);
    TPublicUtils::SeparateYMD("1401/01/32", dkSolar, y, m, d);
    EXPECT_EQ(d, 0);
    TPublicUtils::SeparateYMD("1401/-1/05", dkSolar, y, m, d);
    EXPECT_EQ(m, 0);
    EXPECT_EQ(d, 5);
    TPublicUtils::SeparateYMD("14010630", dkSolar, y, m, d);
    EXPECT_EQ(y, 0);
    TPublicUtils::ResetYMD("1401/13/01", dkSolar, y, m, d);
    EXPECT_EQ(y + m + d, 0);
    // Gregorian: the locale's format first, then fixed positions.
    TPublicUtils::SeparateYMD("3/7/2024", dkGregorian, y, m, d, "M/d/yyyy");
    EXPECT_EQ(y, 2024);
    EXPECT_EQ(m, 3);
    EXPECT_EQ(d, 7);
    TPublicUtils::SeparateYMD("2024-02-3x", dkGregorian, y, m, d, "M/d/yyyy");
    EXPECT_EQ(y, 2024);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(TPublicUtils::ConcatenateDate(2023, 2, 31, dkGregorian, "dd.MM.yyyy"), "28.02.2023");
    EXPECT_EQ(TPublicUtils::ConcatenateDate(2023, 13, 1, dkGregorian, kIso), "");

    std::string ys = "a", ms = "b", ds = "c";
    TPublicUtils::SeparateParts("1401/6/30", dkSolar, ys, ms, ds);
    EXPECT_EQ(ys + ms + ds, "abc");  // not ten characters: untouched
    TPublicUtils::SeparateParts("1401/06/30", dkSolar, ys, ms, ds);
    EXPECT_EQ(ys + "|" + ms + "|" + ds, "1401|06|30");
    TPublicUtils::SeparateParts("2024-03-07", dkGregorian, ys, ms, ds, kIso);
    EXPECT_EQ(ys + "|" + ms + "|" + ds, "2024|03|07");
}

TEST(SolarStepping, MonthsClampToTheBareTable) {
    const struct {
        const char* from;
        int count;
        bool inc;
        const char* to;
    } cases[] = {{"1401/06/31", 1, true, "1401/07/30"},  {"1401/12/15", 1, true, "1402/01/15"},
                 {"1401/01/10", 1, false, "1400/12/10"}, {"1401/02/10", 3, false, "1400/11/10"},
                 {"1399/11/30", 1, true, "1399/12/29"},  {"1401/11/30", 3, true, "1402/02/30"},
                 {"1401/05/05", 25, true, "1403/06/05"}, {"1401/05/05", 24, false, "1399/05/05"}};
    for (const auto& c : cases) {
        const std::string r = c.inc ? TPublicUtils::IncMonth(c.from, c.count, dkSolar)
                                    : TPublicUtils::DecMonth(c.from, c.count, dkSolar);
        EXPECT_EQ(r, c.to) << c.from << (c.inc ? " + " : " - ") << c.count;
    }
    EXPECT_EQ(TPublicUtils::IncMonth("2024-01-31", 1, dkGregorian, kIso), "2024-02-28");
}

TEST(SolarStepping, YearsDaysAndGoto) {
    EXPECT_EQ(TPublicUtils::IncYear("1399/12/30", 1, dkSolar), "1400/12/30");
    EXPECT_FALSE(TPublicUtils::IsDateValid(dkSolar, "1400/12/30"));
    EXPECT_EQ(TPublicUtils::DecYear("1401/06/30", 2, dkSolar), "1399/06/30");
    EXPECT_EQ(TPublicUtils::IncYear("2024-02-29", 1, dkGregorian, kIso), "2025-02-28");
    EXPECT_EQ(TPublicUtils::IncDay("1399/12/30", 1, dkSolar), "1400/01/01");
    EXPECT_EQ(TPublicUtils::DecDay("1400/01/01", 40, dkSolar), "1399/11/21");
    EXPECT_EQ(TPublicUtils::IncDay("2024-02-28", 2, dkGregorian, kIso), "2024-03-01");
    EXPECT_EQ(TPublicUtils::IncDay("1401/13/40", 1, dkSolar), "1401/00/00");  // no date: unstepped numbers
    EXPECT_EQ(TPublicUtils::GotoYear("1401/06/30", 1390, dkSolar), "1390/06/30");
    EXPECT_EQ(TPublicUtils::GotoMonth("1401/06/30", 13, dkSolar), "1401/06/30");
    EXPECT_EQ(TPublicUtils::GotoMonth("1401/06/30", 7, dkSolar), "1401/07/30");
    EXPECT_EQ(TPublicUtils::GotoDay("1401/12/10", 30, dkSolar), "1401/12/10");  // bare table: Esfand has 29
    EXPECT_EQ(TPublicUtils::GotoDay("1401/12/10", 29, dkSolar), "1401/12/29");
}

TEST(SolarWeeks, WeekDaysAndRemainingDays) {
    EXPECT_EQ(TPublicUtils::IntDayOfWeek("1401/06/30", dkSolar), 6);
    EXPECT_EQ(TPublicUtils::IntGetWeekRemainDays("1401/06/30", dkSolar), 1);
    EXPECT_EQ(TPublicUtils::IntGetWeekRemainDays("1401/06/31", dkSolar), 0);   // Thursday ends the week
    EXPECT_EQ(TPublicUtils::IntGetWeekRemainDays("1401/07/01", dkSolar), 6);   // Friday
    EXPECT_EQ(TPublicUtils::IntGetWeekRemainDays("1401/07/02", dkSolar), 5);   // Saturday
    EXPECT_EQ(TPublicUtils::IntDayOfWeek("2022-09-21", dkGregorian, kIso), 4);  // Wednesday
    EXPECT_EQ(TPublicUtils::IntGetWeekRemainDays("2022-09-21", dkGregorian, kIso), 3);
    EXPECT_EQ(TPublicUtils::GetWeekOfTheYear("1401/01/07", dkSolar), 1);
    EXPECT_EQ(TPublicUtils::GetWeekOfTheYear("1401/01/08", dkSolar), 2);
    EXPECT_EQ(TPublicUtils::GetWeekOfTheYear("2021-01-03", dkGregorian, kIso), 53);  // ISO week of 2020
    EXPECT_EQ(TPublicUtils::GetWeekOfTheYear("2024-12-30", dkGregorian, kIso), 1);
    EXPECT_EQ(TPublicUtils::GetWeekOfTheYear("2022-09-21", dkGregorian, kIso), 38);
    EXPECT_EQ(TPublicUtils::IntGetMonthRemainDay("1401/12/10", dkSolar), 19);
    EXPECT_EQ(TPublicUtils::IntGetYearRemainDays("1401/11/30", dkSolar), 29);
    EXPECT_EQ(TPublicUtils::IntGetYearRemainDays("2024-12-30", dkGregorian, kIso), 1);
    EXPECT_EQ(TPublicUtils::DaysBetween("1401/06/30", "1401/07/02", dkSolar), 3);
    EXPECT_EQ(TPublicUtils::DaysBetween("1401/07/02", "1401/06/30", dkSolar), 3);
}

TEST(SolarText, Helpers) {
    EXPECT_EQ(TPublicUtils::IntGetRawDate("   "), "");
    EXPECT_EQ(TPublicUtils::IntGetRawDate("1401/06/30"), "14010630");
    EXPECT_EQ(TPublicUtils::IntGetDateWithDiv("1401/06/30", "-"), "1401-06-30");
    EXPECT_EQ(TPublicUtils::IntGetDateWithDiv(" ", "-"), "");
    EXPECT_EQ(TPublicUtils::CountsSeparator("1401/06/"), 2);
    EXPECT_TRUE(TPublicUtils::CheckPrevChar("1401/", 5, "/"));
    EXPECT_FALSE(TPublicUtils::CheckPrevChar("1401/", 6, "/"));
    EXPECT_FALSE(TPublicUtils::CheckPrevChar("1401/", 0, "/"));
    for (const char* yes : {"", "0", "1", "9", "12", "01"}) EXPECT_TRUE(TPublicUtils::MonthValidityCheck(yes)) << yes;
    for (const char* no : {"13", "00", "1a", "-1", "012"}) EXPECT_FALSE(TPublicUtils::MonthValidityCheck(no)) << no;
}

}  // namespace
