#pragma once
// The locale's short date format as a pattern of d, dd, M, MM, yy, yyyy and
// literal characters (the form Qt's QLocale::dateFormat(QLocale::ShortFormat)
// and the Windows short-date setting use).
#include <optional>
#include <string>
#include <string_view>

#include "solar/core/CivilDays.h"

namespace orv {

std::string FormatShortDate(const days::Ymd& date, std::string_view pattern);

// Reads a text written in the pattern. Padding is optional ("3/7/2024" reads in
// "MM/dd/yyyy"); two-digit years fall into 1950..2049. No value for a text that
// does not follow the pattern or is no valid Gregorian date of years 1..9999.
std::optional<days::Ymd> ParseShortDate(std::string_view text, std::string_view pattern);

// The pattern with every year field written with four digits: a two-digit year
// cannot tell 1900 from 2000, and the calendars reach back to 1900.
std::string WithFourDigitYear(std::string_view pattern);

}  // namespace orv
