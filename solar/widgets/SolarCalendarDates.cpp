// Date operations of the month calendar: each works on OutDate in the shown
// calendar through the date engine.
#include "solar/logic/DateNames.h"
#include "solar/logic/DateScript.h"
#include "solar/widgets/TCustomSolarCalendar.h"

using namespace orv::solar;
using U = TPublicUtils;

QString TCustomSolarCalendar::MovedTo(const std::string& text) {
    // A year step keeps the day, which the month may lack in the new year (the
    // 30th of Esfand): the month's last day is taken, so a day stays selected.
    Word y = 0, m = 0, d = 0;
    U::SeparateYMD(text, FDateKind, y, m, d);
    const Word last = U::DaysOfMonth(FDateKind, y, m);
    if (last > 0 && d > last) {
        SetInDate(Q(U::ConcatenateDate(y, m, last, FDateKind)));
        return OutDate;
    }
    SetInDate(Q(text));
    return OutDate;
}

QString TCustomSolarCalendar::IncYear(int count) { return MovedTo(U::IncYear(S(OutDate), count, FDateKind)); }
QString TCustomSolarCalendar::IncMonth(int count) { return MovedTo(U::IncMonth(S(OutDate), count, FDateKind)); }
QString TCustomSolarCalendar::IncDay(int count) { return MovedTo(U::IncDay(S(OutDate), count, FDateKind)); }
QString TCustomSolarCalendar::DecYear(int count) { return MovedTo(U::DecYear(S(OutDate), count, FDateKind)); }
QString TCustomSolarCalendar::DecMonth(int count) { return MovedTo(U::DecMonth(S(OutDate), count, FDateKind)); }
QString TCustomSolarCalendar::DecDay(int count) { return MovedTo(U::DecDay(S(OutDate), count, FDateKind)); }
QString TCustomSolarCalendar::GotoYear(int year) { return MovedTo(U::GotoYear(S(OutDate), year, FDateKind)); }
QString TCustomSolarCalendar::GotoMonth(int month) {
    return MovedTo(U::GotoMonth(S(OutDate), month, FDateKind));
}
QString TCustomSolarCalendar::GotoDay(int day) { return MovedTo(U::GotoDay(S(OutDate), day, FDateKind)); }

QString TCustomSolarCalendar::LIncYear(int count) const { return Q(U::IncYear(S(OutDate), count, FDateKind)); }
QString TCustomSolarCalendar::LIncMonth(int count) const { return Q(U::IncMonth(S(OutDate), count, FDateKind)); }
QString TCustomSolarCalendar::LIncDay(int count) const { return Q(U::IncDay(S(OutDate), count, FDateKind)); }
QString TCustomSolarCalendar::LDecYear(int count) const { return Q(U::DecYear(S(OutDate), count, FDateKind)); }
QString TCustomSolarCalendar::LDecMonth(int count) const { return Q(U::DecMonth(S(OutDate), count, FDateKind)); }
QString TCustomSolarCalendar::LDecDay(int count) const { return Q(U::DecDay(S(OutDate), count, FDateKind)); }

QString TCustomSolarCalendar::ConvertDate() const { return Q(U::ConvertDate(S(OutDate), FDateKind)); }
int TCustomSolarCalendar::ConvertMonth() const { return U::ConvertMonth(S(OutDate), FDateKind); }
int TCustomSolarCalendar::ConvertYear() const { return U::ConvertYear(S(OutDate), FDateKind); }

int TCustomSolarCalendar::DaysBetween(const QString& ANow, const QString& AThen) const {
    const QString now = ANow.trimmed().isEmpty() ? OutDate : ANow;
    if (now.trimmed().isEmpty() || AThen.trimmed().isEmpty()) return -1;
    return U::DaysBetween(S(now), S(AThen), FDateKind);
}

QString TCustomSolarCalendar::GetRawDate() const { return Q(U::IntGetRawDate(S(OutDate))); }
QString TCustomSolarCalendar::GetDateWithDiv(const QString& divider) const {
    return Q(U::IntGetDateWithDiv(S(OutDate), S(divider)));
}

int TCustomSolarCalendar::GetWeekRemainDays() const { return GetWeekRemainDays(OutDate, FDateKind); }
int TCustomSolarCalendar::GetWeekRemainDays(const QString& ADate, TDateKind ADateKind) const {
    return U::IntGetWeekRemainDays(S(ADate), ADateKind);
}
int TCustomSolarCalendar::GetMonthRemainDay() const { return GetMonthRemainDay(OutDate, FDateKind); }
int TCustomSolarCalendar::GetMonthRemainDay(const QString& ADate, TDateKind ADateKind) const {
    return U::IntGetMonthRemainDay(S(ADate), ADateKind);
}
int TCustomSolarCalendar::GetYearRemainDays() const { return GetYearRemainDays(OutDate, FDateKind); }
int TCustomSolarCalendar::GetYearRemainDays(const QString& ADate, TDateKind ADateKind) const {
    return U::IntGetYearRemainDays(S(ADate), ADateKind);
}
int TCustomSolarCalendar::DayOfWeek() const { return DayOfWeek(OutDate, FDateKind); }
int TCustomSolarCalendar::DayOfWeek(const QString& ADate, TDateKind ADateKind) const {
    return U::IntDayOfWeek(S(ADate), ADateKind);
}
int TCustomSolarCalendar::WeekOfTheYear() const { return WeekOfTheYear(OutDate, FDateKind); }
int TCustomSolarCalendar::WeekOfTheYear(const QString& ADate, TDateKind ADateKind) const {
    return U::GetWeekOfTheYear(S(ADate), ADateKind);
}

QString TCustomSolarCalendar::YearScript(int year, TFormat format) const {
    return Q(YearWords(year == 0 ? FCurrYear : year, format));
}

QString TCustomSolarCalendar::MonthScript(int month) const {
    if (month == 0) return Q(U::FullDigitConvert(U::ConvertToPersianAlpha(FCurrMonth)));
    return Q(U::ConvertToPersianAlpha(month));
}

QString TCustomSolarCalendar::DayScript(int day) const {
    return Q(U::ConvertToPersianAlpha(day == 0 ? FCurrDay : day));
}

QString TCustomSolarCalendar::YMDScript(TMonthType monthType, const QString& divider) const {
    return Q(YmdWords(FCurrYear, FCurrMonth, FCurrDay, monthType, S(divider), S(MonthName())));
}
