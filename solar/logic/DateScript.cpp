#include "solar/logic/DateScript.h"

namespace orv::solar {

std::string YearWords(int year, TFormat format) {
    if (format == fShort && year >= 1000 && year <= 9999) return TPublicUtils::ConvertToPersianAlpha(year % 100);
    return TPublicUtils::ConvertToPersianAlpha(year);
}

std::string YmdWords(int year, int month, int day, TMonthType monthType, const std::string& divider,
                     const std::string& monthName) {
    const std::string monthPart =
        monthType == mtAlphabet ? monthName : TPublicUtils::ConvertToPersianAlpha(month);
    return TPublicUtils::FullDigitConvert(TPublicUtils::ConvertToPersianAlpha(day)) + divider + monthPart +
           divider + TPublicUtils::ConvertToPersianAlpha(year);
}

}  // namespace orv::solar
