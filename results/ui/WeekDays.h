#pragma once
// The name of a solar date's week day, as the date field's hint shows it.
#include <QString>
#include <string_view>

namespace orv::results {

// Empty for a text that is no valid solar date.
QString WeekDayName(std::string_view solarDate);

}  // namespace orv::results
