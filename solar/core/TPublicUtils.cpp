#include "solar/core/TPublicUtils.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <mutex>

#include "base/core/LocalTime.h"
#include "base/core/Trim.h"
#include "solar/core/CivilDays.h"
#include "solar/core/ShortDateFormat.h"

using orv::days::Ymd;

const Word TPublicUtils::kMonthDays[2][12] = {{31, 31, 31, 31, 31, 31, 30, 30, 30, 30, 30, 29},
                                              {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
const Word TPublicUtils::kLeapMonth[2] = {12, 2};
const Word TPublicUtils::kDaysBefore[2][13] = {{0, 31, 62, 93, 124, 155, 186, 216, 246, 276, 306, 336, 365},
                                               {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365}};

namespace {

std::mutex gFormatMutex;
std::string gShortDateFormat = "yyyy/MM/dd";

using orv::Trim;

// Text to number with default 0, as a 16-bit unsigned value: a negative number
// wraps above every bound, text that is no whole number gives 0.
Word ToWord(std::string_view s) {
    s = Trim(s);
    if (s.empty()) return 0;
    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    long long v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size() || v > 2147483647LL) return 0;
    return static_cast<Word>(negative ? -v : v);
}

std::string Pad2(Word v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

int64_t SerialOf(TDateKind kind, Word y, Word m, Word d) {
    return kind == dkSolar ? orv::days::FromSolar(y, m, d) : orv::days::FromGregorian(y, m, d);
}

Ymd DateOfSerial(TDateKind kind, int64_t serial) {
    return kind == dkSolar ? orv::days::ToSolar(serial) : orv::days::ToGregorian(serial);
}

}  // namespace

void TPublicUtils::SetShortDateFormat(std::string pattern) {
    std::lock_guard lock(gFormatMutex);
    gShortDateFormat = std::move(pattern);
}

std::string TPublicUtils::MiladiFormat() {
    std::lock_guard lock(gFormatMutex);
    return gShortDateFormat;
}

std::string TPublicUtils::Fmt(ShortFmt fmt) { return fmt.empty() ? MiladiFormat() : std::string(fmt); }

bool TPublicUtils::IsLeapYear(TDateKind kind, Word year) {
    if (kind == dkSolar) return orv::days::SolarLeap(year);
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

Word TPublicUtils::DaysOfMonth(TDateKind kind, Word year, Word month) {
    if (year == 0 || month < 1 || month > 12) return 0;
    return kMonthDays[kind][month - 1] + (month == kLeapMonth[kind] && IsLeapYear(kind, year) ? 1 : 0);
}

bool TPublicUtils::IsDateValid(TDateKind kind, Word year, Word month, Word day) {
    return year != 0 && month >= 1 && month <= 12 && day >= 1 && day <= DaysOfMonth(kind, year, month);
}

bool TPublicUtils::IsDateValid(TDateKind kind, std::string_view text, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(text, kind, y, m, d, fmt);
    return IsDateValid(kind, y, m, d);
}

Word TPublicUtils::DaysToDate(TDateKind kind, Word year, Word month, Word day) {
    if (!IsDateValid(kind, year, month, day)) return 0;
    return kDaysBefore[kind][month - 1] + day + (month > kLeapMonth[kind] && IsLeapYear(kind, year) ? 1 : 0);
}

bool TPublicUtils::DateOfDay(TDateKind kind, Word days, Word year, Word& month, Word& day) {
    month = 0;
    day = 0;
    int extra = 0;
    const bool leap = IsLeapYear(kind, year);
    for (int i = 2; i <= 13; ++i) {
        if (kLeapMonth[kind] < i && leap) extra = 1;
        if (days <= kDaysBefore[kind][i - 1] + extra) {
            month = static_cast<Word>(i - 1);
            if (month <= kLeapMonth[kind]) extra = 0;
            day = static_cast<Word>(days - (kDaysBefore[kind][month - 1] + extra));
            break;
        }
    }
    return IsDateValid(kind, year, month, day);
}

bool TPublicUtils::SolarToGregorian(Word& year, Word& month, Word& day) {
    if (!IsDateValid(dkSolar, year, month, day)) return false;
    const Ymd g = orv::days::ToGregorian(orv::days::FromSolar(year, month, day));
    if (g.year < 1 || g.year > 65535) return false;
    year = static_cast<Word>(g.year);
    month = static_cast<Word>(g.month);
    day = static_cast<Word>(g.day);
    return true;
}

bool TPublicUtils::GregorianToSolarOutsideTable(Word& year, Word& month, Word& day) {
    if (!TPublicUtils::IsDateValid(dkGregorian, year, month, day)) return false;
    const Ymd s = orv::days::ToSolar(orv::days::FromGregorian(year, month, day));
    if (s.year < 1 || s.year > 65535) return false;
    year = static_cast<Word>(s.year);
    month = static_cast<Word>(s.month);
    day = static_cast<Word>(s.day);
    return true;
}

std::string TPublicUtils::SolarToGregorian(std::string_view ASolarDate, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(ASolarDate, dkSolar, y, m, d);
    if (!SolarToGregorian(y, m, d)) return {};
    return ConcatenateDate(y, m, d, dkGregorian, fmt);
}

std::string TPublicUtils::GregorianToSolar(std::string_view AMiladiDate, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(AMiladiDate, dkGregorian, y, m, d, fmt);
    if (y < 1 || y > 9999 || !GregorianToSolar(y, m, d)) return {};
    return ConcatenateDate(y, m, d, dkSolar);
}

std::string TPublicUtils::GregorianToSolar(std::chrono::sys_days date) {
    const Ymd s = orv::days::ToSolar(date.time_since_epoch().count());
    return ConcatenateDate(static_cast<Word>(s.year), static_cast<Word>(s.month), static_cast<Word>(s.day), dkSolar);
}

std::string TPublicUtils::MiladiDate(std::chrono::sys_days date, ShortFmt fmt) {
    const Ymd g = orv::days::ToGregorian(date.time_since_epoch().count());
    return ConcatenateDate(static_cast<Word>(g.year), static_cast<Word>(g.month), static_cast<Word>(g.day), dkGregorian,
                           fmt);
}

std::chrono::sys_days TPublicUtils::LocalToday() {
    const std::time_t now = std::time(nullptr);
    const std::tm local = orv::LocalCalendarTime(now);
    return std::chrono::sys_days{
        std::chrono::days{orv::days::FromGregorian(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday)}};
}

std::string TPublicUtils::FillDate(TDateKind kind, ShortFmt fmt) { return FillDate(kind, LocalToday(), fmt); }

std::string TPublicUtils::FillDate(TDateKind kind, std::chrono::sys_days today, ShortFmt fmt) {
    return kind == dkGregorian ? MiladiDate(today, fmt) : GregorianToSolar(today);
}

void TPublicUtils::SeparateYMD(std::string_view text, TDateKind kind, Word& year, Word& month, Word& day,
                               ShortFmt fmt) {
    year = month = day = 0;
    if (Trim(text).empty()) return;
    if (kind == dkSolar) {
        std::string_view rest = text;
        size_t slash = rest.find('/');
        const std::string_view yearText = slash == std::string_view::npos ? std::string_view{} : rest.substr(0, slash);
        year = ToWord(yearText);
        if (std::to_string(year).size() < 4) year = 0;
        rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
        slash = rest.find('/');
        const std::string_view monthText = slash == std::string_view::npos ? std::string_view{} : rest.substr(0, slash);
        month = ToWord(monthText);
        if (month > 12) month = 0;
        rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
        day = ToWord(rest);
        if (day > 31) day = 0;
        return;
    }
    if (auto g = orv::ParseShortDate(text, Fmt(fmt))) {
        year = static_cast<Word>(g->year);
        month = static_cast<Word>(g->month);
        day = static_cast<Word>(g->day);
        return;
    }
    const std::string t(text);
    auto part = [&](size_t pos, size_t len) -> Word {
        if (pos >= t.size()) return 0;
        const std::string piece = t.substr(pos, len);
        if (piece.empty() || !std::all_of(piece.begin(), piece.end(),
                                          [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
            return 0;
        return ToWord(piece);
    };
    year = part(0, 4);
    month = part(5, 2);
    day = part(8, 2);
}

void TPublicUtils::ResetYMD(std::string_view text, TDateKind kind, Word& year, Word& month, Word& day, ShortFmt fmt) {
    SeparateYMD(text, kind, year, month, day, fmt);
    if (Trim(text).empty() || year == 0 || month == 0 || day == 0) year = month = day = 0;
}

void TPublicUtils::SeparateParts(std::string_view text, TDateKind kind, std::string& year, std::string& month,
                                 std::string& day, ShortFmt fmt) {
    const std::string_view t = Trim(text);
    if (t.size() != 10) return;
    if (kind == dkSolar) {
        const size_t a = text.find('/');
        const size_t b = a == std::string_view::npos ? a : text.find('/', a + 1);
        year = std::string(text.substr(0, a));
        month = a == std::string_view::npos
                    ? std::string{}
                    : std::string(text.substr(a + 1, b == std::string_view::npos ? b : b - a - 1));
        day = b == std::string_view::npos ? std::string{} : std::string(text.substr(b + 1));
        return;
    }
    // An unreadable Gregorian text leaves the parts as they were.
    if (auto g = orv::ParseShortDate(t, Fmt(fmt))) {
        year = std::to_string(g->year);
        month = Pad2(static_cast<Word>(g->month));
        day = Pad2(static_cast<Word>(g->day));
    }
}

std::string TPublicUtils::ConcatenateDate(Word year, Word month, Word day, TDateKind kind, ShortFmt fmt) {
    if (kind == dkSolar) return std::to_string(year) + "/" + Pad2(month) + "/" + Pad2(day);
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return {};
    day = std::min(day, DaysOfMonth(dkGregorian, year, month));
    return std::string(Trim(orv::FormatShortDate({year, month, day}, Fmt(fmt))));
}

std::string TPublicUtils::IncYear(std::string_view text, Word count, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(text, kind, y, m, d, fmt);
    return ConcatenateDate(static_cast<Word>(y + count), m, d, kind, fmt);
}

std::string TPublicUtils::DecYear(std::string_view text, Word count, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(text, kind, y, m, d, fmt);
    return ConcatenateDate(static_cast<Word>(y - count), m, d, kind, fmt);
}

namespace {
// Month stepping limits the day to the bare table length (the leap day is not counted).
Word ClampToTable(TDateKind kind, Word month, Word day) {
    if (month < 1 || month > 12) return day;
    return std::min(day, TPublicUtils::kMonthDays[kind][month - 1]);
}
}  // namespace

std::string TPublicUtils::IncMonth(std::string_view text, Word count, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(text, kind, y, m, d, fmt);
    y = static_cast<Word>(y + count / 12);
    m = static_cast<Word>(m + count % 12);
    if (m > 12) {
        y = static_cast<Word>(y + 1);
        m = static_cast<Word>(m % 12);
    }
    return ConcatenateDate(y, m, ClampToTable(kind, m, d), kind, fmt);
}

std::string TPublicUtils::DecMonth(std::string_view text, Word count, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(text, kind, y, m, d, fmt);
    y = static_cast<Word>(y - count / 12);
    const int mm = static_cast<int>(m) - count % 12;
    if (mm >= 1) {
        m = static_cast<Word>(mm);
    } else {
        y = static_cast<Word>(y - 1);
        m = static_cast<Word>(mm + 12);
    }
    return ConcatenateDate(y, m, ClampToTable(kind, m, d), kind, fmt);
}

namespace {
// The date `count` days from the text's; a text that is no valid date, or a step
// that leaves years 1 to 65535, keeps its numbers unstepped. The range is checked
// on the day count before converting: the conversions hold only for serials of
// those years.
std::string StepDays(std::string_view text, int64_t count, TDateKind kind, TPublicUtils::ShortFmt fmt) {
    Word y, m, d;
    TPublicUtils::SeparateYMD(text, kind, y, m, d, fmt);
    if (!TPublicUtils::IsDateValid(kind, y, m, d)) return TPublicUtils::ConcatenateDate(y, m, d, kind, fmt);
    const int64_t first = SerialOf(kind, 1, 1, 1);
    const int64_t last = SerialOf(kind, 65535, 12, 1) + 30;  // at or past the last day of year 65535
    const int64_t target = SerialOf(kind, y, m, d) + count;
    if (target < first || target > last) return TPublicUtils::ConcatenateDate(y, m, d, kind, fmt);
    const Ymd r = DateOfSerial(kind, target);
    if (r.year < 1 || r.year > 65535) return TPublicUtils::ConcatenateDate(y, m, d, kind, fmt);
    // A Gregorian text holds years up to 9999 only: a day past them is no step either.
    std::string stepped = TPublicUtils::ConcatenateDate(static_cast<Word>(r.year), static_cast<Word>(r.month),
                                                        static_cast<Word>(r.day), kind, fmt);
    return stepped.empty() ? TPublicUtils::ConcatenateDate(y, m, d, kind, fmt) : stepped;
}
}  // namespace

std::string TPublicUtils::IncDay(std::string_view text, int count, TDateKind kind, ShortFmt fmt) {
    return StepDays(text, count, kind, fmt);
}

std::string TPublicUtils::DecDay(std::string_view text, int count, TDateKind kind, ShortFmt fmt) {
    return StepDays(text, -static_cast<int64_t>(count), kind, fmt);
}

std::string TPublicUtils::GotoYear(std::string_view text, Word year, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(text, kind, y, m, d, fmt);
    return ConcatenateDate(year, m, d, kind, fmt);
}

std::string TPublicUtils::GotoMonth(std::string_view text, Word month, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(text, kind, y, m, d, fmt);
    if (month >= 1 && month <= 12) m = month;
    return ConcatenateDate(y, m, d, kind, fmt);
}

std::string TPublicUtils::GotoDay(std::string_view text, Word day, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(text, kind, y, m, d, fmt);
    if (m >= 1 && m <= 12 && day >= 1 && day <= kMonthDays[kind][m - 1]) d = day;
    return ConcatenateDate(y, m, d, kind, fmt);
}

namespace {
// The same day in the other calendar; false for a text that is no valid date.
bool ConvertNumbers(std::string_view text, TDateKind kind, TPublicUtils::ShortFmt fmt, Word& y, Word& m, Word& d) {
    TPublicUtils::SeparateYMD(text, kind, y, m, d, fmt);
    return kind == dkSolar ? TPublicUtils::SolarToGregorian(y, m, d) : TPublicUtils::GregorianToSolar(y, m, d);
}
}  // namespace

std::string TPublicUtils::ConvertDate(std::string_view text, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    if (!ConvertNumbers(text, kind, fmt, y, m, d)) return {};
    return ConcatenateDate(y, m, d, kind == dkSolar ? dkGregorian : dkSolar, fmt);
}

Word TPublicUtils::ConvertYear(std::string_view text, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    return ConvertNumbers(text, kind, fmt, y, m, d) ? y : 0;
}

Word TPublicUtils::ConvertMonth(std::string_view text, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    return ConvertNumbers(text, kind, fmt, y, m, d) ? m : 0;
}

namespace {
// The serial day of a date text, or false when it is no valid date.
bool SerialOfText(std::string_view text, TDateKind kind, TPublicUtils::ShortFmt fmt, int64_t& serial) {
    Word y, m, d;
    TPublicUtils::SeparateYMD(text, kind, y, m, d, fmt);
    if (!TPublicUtils::IsDateValid(kind, y, m, d)) return false;
    serial = SerialOf(kind, y, m, d);
    return true;
}
}  // namespace

int TPublicUtils::DaysBetween(std::string_view ANow, std::string_view AThen, TDateKind kind, ShortFmt fmt) {
    int64_t a, b;
    if (!SerialOfText(ANow, kind, fmt, a) || !SerialOfText(AThen, kind, fmt, b)) return 0;
    return static_cast<int>(std::llabs(a - b));
}

int TPublicUtils::GetWeekOfTheYear(std::string_view text, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(text, kind, y, m, d, fmt);
    if (kind == dkSolar) {
        int n = d;
        for (int i = 1; i < m && i <= 12; ++i) n += kMonthDays[dkSolar][i - 1];
        return n / 7 + (n % 7 > 0 ? 1 : 0);
    }
    if (!IsDateValid(dkGregorian, y, m, d)) return 0;
    // ISO 8601: the week with the year's first Thursday is week 1.
    const int64_t serial = orv::days::FromGregorian(y, m, d);
    const int isoWeekDay = (orv::days::GregorianWeekDay(serial) + 5) % 7 + 1;  // Monday 1 .. Sunday 7
    const int64_t thursday = serial + 4 - isoWeekDay;
    const Ymd t = orv::days::ToGregorian(thursday);
    return static_cast<int>((thursday - orv::days::FromGregorian(t.year, 1, 1)) / 7 + 1);
}

namespace {
// Platform week day (1 = Sunday .. 7 = Saturday) of a date text; 0 when invalid.
int PlatformWeekDay(std::string_view text, TDateKind kind, TPublicUtils::ShortFmt fmt) {
    int64_t serial;
    if (!SerialOfText(text, kind, fmt, serial)) return 0;
    return orv::days::GregorianWeekDay(serial);
}
}  // namespace

int TPublicUtils::IntDayOfWeek(std::string_view text, TDateKind kind, ShortFmt fmt) {
    const int d = PlatformWeekDay(text, kind, fmt);
    if (kind == dkGregorian || d == 0) return d;
    return d <= 5 ? d + 2 : d - 5;  // Friday 1, Saturday 2, Sunday 3 .. Thursday 7
}

int TPublicUtils::IntGetWeekRemainDays(std::string_view text, TDateKind kind, ShortFmt fmt) {
    const int d = PlatformWeekDay(text, kind, fmt);
    if (d == 0) return 0;
    if (kind == dkGregorian) return 7 - d;
    return d <= 5 ? 5 - d : (d == 6 ? 6 : 5);  // the solar week ends on Thursday
}

int TPublicUtils::IntGetMonthRemainDay(std::string_view text, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(text, kind, y, m, d, fmt);
    if (m < 1 || m > 12) return 0;
    return kMonthDays[kind][m - 1] - d;
}

int TPublicUtils::IntGetYearRemainDays(std::string_view text, TDateKind kind, ShortFmt fmt) {
    Word y, m, d;
    SeparateYMD(text, kind, y, m, d, fmt);
    if (m < 1 || m > 12) return 0;
    if (kind == dkGregorian) return (IsLeapYear(dkGregorian, y) ? 366 : 365) - DaysToDate(dkGregorian, y, m, d);
    int rest = kMonthDays[dkSolar][m - 1] - d;
    for (int i = m + 1; i <= 12; ++i) rest += kMonthDays[dkSolar][i - 1];
    return rest;
}

std::string TPublicUtils::IntGetRawDate(std::string_view text) {
    if (Trim(text).empty()) return {};
    std::string s(text);
    for (int i = 0; i < 3; ++i) {
        const size_t p = s.find('/');
        if (p == std::string::npos) break;
        s.erase(p, 1);
    }
    return s;
}

std::string TPublicUtils::IntGetDateWithDiv(std::string_view text, std::string_view divider) {
    if (Trim(text).empty()) return {};
    std::string out;
    for (char c : text) {
        if (c == '/')
            out += divider;
        else
            out += c;
    }
    return out;
}

int TPublicUtils::CountsSeparator(std::string_view text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '/'));
}

bool TPublicUtils::CheckPrevChar(std::string_view text, int index, std::string_view ch) {
    if (index < 1 || static_cast<size_t>(index) > text.size() || ch.size() != 1) return false;
    return text[static_cast<size_t>(index) - 1] == ch[0];
}

bool TPublicUtils::MonthValidityCheck(std::string_view text) {
    if (text.empty()) return true;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
    if (text.size() > 2) return false;
    const int v = std::atoi(std::string(text).c_str());
    if (text.size() == 1 && v == 0) return true;
    return v >= 1 && v <= 12;
}
