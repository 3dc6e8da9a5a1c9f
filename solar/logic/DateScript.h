#pragma once
// A date spelled in Persian words, for the picker and the calendar.
#include <string>

#include "solar/logic/SolarTypes.h"

namespace orv::solar {

// The year in words; with fShort a four-digit year gives the words of its last two digits.
std::string YearWords(int year, TFormat format);
// day words + " " + divider + month (words, or the given month name) + divider + year words.
std::string YmdWords(int year, int month, int day, TMonthType monthType, const std::string& divider,
                     const std::string& monthName);

}  // namespace orv::solar
