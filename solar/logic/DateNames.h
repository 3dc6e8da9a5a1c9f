#pragma once
// Month and week-day names of both calendars (UTF-8), written with the Arabic
// yeh and kaf as the stored names are.
#include <string>

#include "solar/logic/SolarTypes.h"

namespace orv::solar {

// "فروردين ماه" ..., or "January" ... (month 1..12; empty otherwise).
std::string MonthNameWithMah(TDateKind kind, int month);
// "فروردين" ..., or "January" ... for the month menu and list.
std::string MonthMenuName(TDateKind kind, int month);
// The name of a grid column: solar column 0 "شنبه" ... 6 "جمعه"; Gregorian "Sun" ... "Sat".
std::string ColumnDayName(TDateKind kind, int col);
// The name of a platform week day (1 = Sunday .. 7 = Saturday).
std::string WeekDayName(TDateKind kind, int platformWeekDay);
// Solar week-day number of a platform week day: Friday 1, Saturday 2, Sunday 3 ... Thursday 7.
int SolarWeekDayNumber(int platformWeekDay);

// The weekday headings of the calendar, by the left edge they stand at.
struct Heading {
    int left;
    const char* solar;
    const char* gregorian;
};
extern const Heading kHeadings[7];

}  // namespace orv::solar
