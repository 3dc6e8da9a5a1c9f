#include "solar/logic/DateNames.h"

namespace orv::solar {
namespace {

const char* const kSolarMonths[12] = {"فروردين", "ارديبهشت", "خرداد", "تير", "مرداد", "شهريور",
                                      "مهر",     "آبان",     "آذر",   "دي",  "بهمن",  "اسفند"};
const char* const kGregorianMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
// By grid column, Saturday first.
const char* const kSolarDays[7] = {"شنبه", "يکشنبه", "دوشنبه", "سه شنبه", "چهارشنبه", "پنج شنبه", "جمعه"};
const char* const kGregorianDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

}  // namespace

const Heading kHeadings[7] = {
    {188, "شنبه", "Sat"}, {160, "يک", "Fri"}, {135, "دو", "Thu"}, {100, "سه", "Wed"},
    {67, "چهار", "Tue"},  {40, "پنج", "Mon"}, {2, "جمعه", "Sun"},
};

std::string MonthMenuName(TDateKind kind, int month) {
    if (month < 1 || month > 12) return {};
    return kind == dkSolar ? kSolarMonths[month - 1] : kGregorianMonths[month - 1];
}

std::string MonthNameWithMah(TDateKind kind, int month) {
    if (month < 1 || month > 12) return {};
    return kind == dkSolar ? std::string(kSolarMonths[month - 1]) + " ماه" : kGregorianMonths[month - 1];
}

std::string ColumnDayName(TDateKind kind, int col) {
    if (col < 0 || col > 6) return {};
    return kind == dkSolar ? kSolarDays[col] : kGregorianDays[col];
}

int SolarWeekDayNumber(int platformWeekDay) {
    if (platformWeekDay >= 1 && platformWeekDay <= 5) return platformWeekDay + 2;
    return platformWeekDay == 6 ? 1 : 2;
}

std::string WeekDayName(TDateKind kind, int platformWeekDay) {
    if (platformWeekDay < 1 || platformWeekDay > 7) return {};
    if (kind == dkGregorian) return kGregorianDays[platformWeekDay - 1];
    return kSolarDays[platformWeekDay % 7];  // Saturday (7) is column 0
}

}  // namespace orv::solar
