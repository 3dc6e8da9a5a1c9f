#include "server/core/TodayFromTimeServer.h"

#include <chrono>
#include <ctime>

#include "base/core/LocalTime.h"
#include "solar/core/TPublicUtils.h"

namespace orv {

namespace {

constexpr int kFirstPlausibleYear = 1397;

// The calendar date, in local time, of a moment given in seconds since 1970.
std::chrono::sys_days LocalDay(double unixSeconds) {
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    const std::tm local = LocalCalendarTime(t);
    return std::chrono::sys_days(std::chrono::year(local.tm_year + 1900) / (local.tm_mon + 1) / local.tm_mday);
}

}  // namespace

std::string SolarToday(const SntpAnswer& answer) {
    if (!answer.valid) return {};
    std::string solar = TPublicUtils::GregorianToSolar(LocalDay(answer.unixSeconds));
    if (solar.size() != 10) return {};
    int year = 0;
    for (int i = 0; i < 4; ++i) {
        if (solar[i] < '0' || solar[i] > '9') return {};
        year = year * 10 + (solar[i] - '0');
    }
    return year >= kFirstPlausibleYear ? solar : std::string();
}

}  // namespace orv
