#include "app/core/AccessCode.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "base/core/Trim.h"

namespace orv {

std::optional<std::string> FolderCodeOf(const std::string& typed) {
    std::string_view t = Trim(typed);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    int32_t c = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), c);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    const double x = (static_cast<double>(c) - kAccessCodeDivisor) / kAccessCodeDivisor;
    if (std::trunc(x) != x) return std::nullopt;
    return std::to_string(static_cast<int64_t>(x));
}

}  // namespace orv
