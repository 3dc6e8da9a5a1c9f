#include "accounting/core/BillNumbers.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "base/core/Trim.h"

namespace orv::accounting {

namespace {

// Digits with at most one ".", an optional sign before and an optional exponent after.
bool LooksDecimal(std::string_view t) {
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i == t.size()) return true;
    if (t[i] != 'e' && t[i] != 'E') return false;
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i == t.size()) return false;
    for (; i < t.size(); ++i)
        if (t[i] < '0' || t[i] > '9') return false;
    return true;
}

std::optional<double> ParseDotDecimal(std::string_view t) {
    if (!LooksDecimal(t)) return std::nullopt;
    if (t.front() == '+') t.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text, const NumberFormat& format) {
    const std::string_view t = orv::Trim(text);
    if (auto value = ParseDotDecimal(t)) return value;
    if (format.decimal.empty() || format.decimal == "." || t.find('.') != std::string_view::npos) return std::nullopt;
    std::string local(t);
    const size_t at = local.find(format.decimal);
    if (at == std::string::npos || local.find(format.decimal, at + 1) != std::string::npos) return std::nullopt;
    local.replace(at, format.decimal.size(), ".");
    return ParseDotDecimal(local);
}

std::optional<int32_t> ParseInteger(std::string_view text) {
    std::string_view t = orv::Trim(text);
    if (!t.empty() && t.front() == '+') {
        t.remove_prefix(1);
        if (t.empty() || t.front() == '+' || t.front() == '-') return std::nullopt;
    }
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return value;
}

double RoundHalfEven(double value) {
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(mode);
    return r;
}

std::optional<int64_t> ToAmount(double value) {
    const double r = RoundHalfEven(value);
    // 2^63 is exactly representable; everything below it fits.
    if (!std::isfinite(r) || r >= 9223372036854775808.0 || r < -9223372036854775808.0) return std::nullopt;
    return static_cast<int64_t>(r);
}

std::string FormatAmount(int64_t amount, const NumberFormat& format) {
    if (amount == 0) return {};
    // The magnitude as unsigned, so the smallest 64-bit value has one too.
    uint64_t magnitude = amount < 0 ? 0 - static_cast<uint64_t>(amount) : static_cast<uint64_t>(amount);
    std::string digits = std::to_string(magnitude);
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    if (amount < 0) out += '-';
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += format.group;
        out += digits[i];
    }
    return out;
}

std::string ShortNumber(double value, const NumberFormat& format) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text(buffer);
    if (text == "-0") text = "0";
    const size_t point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, format.decimal);
    return text;
}

}  // namespace orv::accounting
