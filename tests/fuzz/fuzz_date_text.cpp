// Any text as a date in either calendar: a valid date composes back to a text
// that parses to the same numbers; the other calendar's date converts back to
// it; stepping by any count of days and back returns it, or leaves it as it was.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "solar/core/TPublicUtils.h"
#include "tests/fuzz/FuzzCheck.h"

using orv::fuzz::Check;

namespace {
constexpr std::string_view kFmt = "yyyy/MM/dd";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    const TDateKind kind = (data[0] & 1) ? dkGregorian : dkSolar;
    int32_t count = 0;
    std::memcpy(&count, data + 1, sizeof count);
    const std::string text(reinterpret_cast<const char*>(data + 5), size - 5);

    Word y = 0, m = 0, d = 0;
    TPublicUtils::SeparateYMD(text, kind, y, m, d, kFmt);
    if (!TPublicUtils::IsDateValid(kind, y, m, d)) {
        // A text that is no date is never stepped into another one.
        const std::string same = TPublicUtils::ConcatenateDate(y, m, d, kind, kFmt);
        Check(TPublicUtils::IncDay(text, count, kind, kFmt) == same);
        Check(TPublicUtils::DecDay(text, count, kind, kFmt) == same);
        return 0;
    }
    const std::string composed = TPublicUtils::ConcatenateDate(y, m, d, kind, kFmt);
    Word y2 = 0, m2 = 0, d2 = 0;
    TPublicUtils::SeparateYMD(composed, kind, y2, m2, d2, kFmt);
    Check(y2 == y && m2 == m && d2 == d);

    if (y >= 1 && y <= 9000) {
        // Texts of years below 1000 are not read back (a solar year needs four
        // digits), so only dates of four-digit years in both calendars go round.
        const std::string other = TPublicUtils::ConvertDate(composed, kind, kFmt);
        const size_t slash = other.find('/');
        if (!other.empty() && y >= 1000 && slash == 4) {
            const TDateKind otherKind = kind == dkSolar ? dkGregorian : dkSolar;
            Check(TPublicUtils::ConvertDate(other, otherKind, kFmt) == composed);
        }
    }

    const std::string stepped = TPublicUtils::IncDay(composed, count, kind, kFmt);
    if (stepped != composed && stepped.find('/') == 4) {  // four-digit years read back, as above
        Check(TPublicUtils::DecDay(stepped, count, kind, kFmt) == composed);
        Check(TPublicUtils::DaysBetween(composed, stepped, kind, kFmt) == std::abs(static_cast<int64_t>(count)));
    }
    return 0;
}
