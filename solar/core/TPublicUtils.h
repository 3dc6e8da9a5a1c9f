#pragma once
// The date engine of the calendar components: solar (Jalali) and Gregorian date
// arithmetic, validation, parsing and composition of date texts, and Persian
// number words. Stateless: every operation is a class-level function.
//
// Texts are UTF-8. Gregorian date texts follow the locale's short date format,
// which the caller passes in (ShortFmt); when left out, the process-wide format
// set with SetShortDateFormat is used (the program sets it from the Qt locale
// at start-up; it defaults to "yyyy/MM/dd").
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "solar/core/SolarTable.h"

enum TDateKind : uint8_t { dkSolar = 0, dkGregorian = 1 };

using Word = uint16_t;

class TPublicUtils {
public:
    using ShortFmt = std::string_view;

    static void SetShortDateFormat(std::string pattern);
    static std::string MiladiFormat();

    static bool IsLeapYear(TDateKind kind, Word year);
    static Word DaysOfMonth(TDateKind kind, Word year, Word month);
    static bool IsDateValid(TDateKind kind, Word year, Word month, Word day);
    static bool IsDateValid(TDateKind kind, std::string_view text, ShortFmt fmt = {});
    static Word DaysToDate(TDateKind kind, Word year, Word month, Word day);
    static bool DateOfDay(TDateKind kind, Word days, Word year, Word& month, Word& day);

    static bool SolarToGregorian(Word& year, Word& month, Word& day);
    static bool GregorianToSolar(Word& year, Word& month, Word& day);
    static std::string SolarToGregorian(std::string_view ASolarDate, ShortFmt fmt = {});
    static std::string GregorianToSolar(std::string_view AMiladiDate, ShortFmt fmt = {});
    static std::string GregorianToSolar(std::chrono::sys_days date);
    static std::string MiladiDate(std::chrono::sys_days date, ShortFmt fmt = {});
    // Today's date in local time, as text of the kind.
    static std::string FillDate(TDateKind kind, ShortFmt fmt = {});
    static std::string FillDate(TDateKind kind, std::chrono::sys_days today, ShortFmt fmt = {});
    static std::chrono::sys_days LocalToday();

    static void SeparateYMD(std::string_view text, TDateKind kind, Word& year, Word& month, Word& day,
                            ShortFmt fmt = {});
    static void ResetYMD(std::string_view text, TDateKind kind, Word& year, Word& month, Word& day, ShortFmt fmt = {});
    static void SeparateParts(std::string_view text, TDateKind kind, std::string& year, std::string& month,
                              std::string& day, ShortFmt fmt = {});
    // An empty text for a Gregorian date that cannot be composed (month outside 1..12, year 0).
    static std::string ConcatenateDate(Word year, Word month, Word day, TDateKind kind, ShortFmt fmt = {});

    static std::string IncYear(std::string_view text, Word count, TDateKind kind, ShortFmt fmt = {});
    static std::string DecYear(std::string_view text, Word count, TDateKind kind, ShortFmt fmt = {});
    static std::string IncMonth(std::string_view text, Word count, TDateKind kind, ShortFmt fmt = {});
    static std::string DecMonth(std::string_view text, Word count, TDateKind kind, ShortFmt fmt = {});
    static std::string IncDay(std::string_view text, int count, TDateKind kind, ShortFmt fmt = {});
    static std::string DecDay(std::string_view text, int count, TDateKind kind, ShortFmt fmt = {});
    static std::string GotoYear(std::string_view text, Word year, TDateKind kind, ShortFmt fmt = {});
    static std::string GotoMonth(std::string_view text, Word month, TDateKind kind, ShortFmt fmt = {});
    static std::string GotoDay(std::string_view text, Word day, TDateKind kind, ShortFmt fmt = {});

    static std::string ConvertDate(std::string_view text, TDateKind kind, ShortFmt fmt = {});
    static Word ConvertYear(std::string_view text, TDateKind kind, ShortFmt fmt = {});
    static Word ConvertMonth(std::string_view text, TDateKind kind, ShortFmt fmt = {});
    static int DaysBetween(std::string_view ANow, std::string_view AThen, TDateKind kind, ShortFmt fmt = {});

    static int GetWeekOfTheYear(std::string_view text, TDateKind kind, ShortFmt fmt = {});
    static int IntDayOfWeek(std::string_view text, TDateKind kind, ShortFmt fmt = {});
    static int IntGetWeekRemainDays(std::string_view text, TDateKind kind, ShortFmt fmt = {});
    static int IntGetMonthRemainDay(std::string_view text, TDateKind kind, ShortFmt fmt = {});
    static int IntGetYearRemainDays(std::string_view text, TDateKind kind, ShortFmt fmt = {});

    static std::string IntGetRawDate(std::string_view text);
    static std::string IntGetDateWithDiv(std::string_view text, std::string_view divider);
    static int CountsSeparator(std::string_view text);
    static bool CheckPrevChar(std::string_view text, int index, std::string_view ch);
    static bool MonthValidityCheck(std::string_view text);

    // Persian number words (Arabic yeh and kaf, as the word tables are written).
    static std::string ConvertToPersianAlpha(int32_t Number);
    static std::string FullDigitConvert(std::string_view text);

    // The tables, one row per kind (row 0 solar, row 1 Gregorian).
    static const Word kMonthDays[2][12];
    static const Word kLeapMonth[2];
    static const Word kDaysBefore[2][13];

private:
    static std::string Fmt(ShortFmt fmt);
    static bool GregorianToSolarOutsideTable(Word& year, Word& month, Word& day);
};

// Inline: callers converting many days (the calendars, the tool) pay no call.
inline bool TPublicUtils::GregorianToSolar(Word& year, Word& month, Word& day) {
    bool valid = true;
    if (orv::days::table::GregorianToSolarInTable(year, month, day, valid)) return valid;
    return GregorianToSolarOutsideTable(year, month, day);
}
