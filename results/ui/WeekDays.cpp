#include "results/ui/WeekDays.h"

#include "solar/core/TPublicUtils.h"

namespace orv::results {

namespace {
// By solar week-day number (1 = Friday).
const char* const kWeekDays[7] = {"جمعه", "شنبه", "يکشنبه", "دوشنبه", "سه شنبه", "چهارشنبه", "پنج شنبه"};
}  // namespace

QString WeekDayName(std::string_view solarDate) {
    if (!TPublicUtils::IsDateValid(dkSolar, solarDate)) return {};
    const int weekDay = TPublicUtils::IntDayOfWeek(solarDate, dkSolar);
    return weekDay >= 1 && weekDay <= 7 ? QString::fromUtf8(kWeekDays[weekDay - 1]) : QString();
}

}  // namespace orv::results
