#pragma once
// The calendar fields of a moment in the computer's own time zone, thread-safe
// on either platform (localtime_r on POSIX, localtime_s on Windows).
#include <ctime>

namespace orv {

inline std::tm LocalCalendarTime(std::time_t t) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return local;
}

}  // namespace orv
