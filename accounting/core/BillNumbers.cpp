#include "accounting/core/BillNumbers.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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
    if (t.front() == '+') t.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The number's text with "." as its decimal separator, when it looks decimal.
std::optional<std::string> DotText(std::string_view text, const NumberFormat& format) {
    const std::string_view t = orv::Trim(text);
    if (LooksDecimal(t)) return std::string(t);
    if (format.decimal.empty() || format.decimal == "." || t.find('.') != std::string_view::npos) return std::nullopt;
    std::string local(t);
    const size_t at = local.find(format.decimal);
    if (at == std::string::npos || local.find(format.decimal, at + 1) != std::string::npos) return std::nullopt;
    local.replace(at, format.decimal.size(), ".");
    if (!LooksDecimal(local)) return std::nullopt;
    return local;
}

// -1, 0, 1 as a magnitude digits x 10^exponent (both without outer zeros) is
// below, at or above the other.
int CompareMagnitudes(const std::string& a, int64_t aExp, const std::string& b, int64_t bExp) {
    if (a.empty() || b.empty()) return a.empty() == b.empty() ? 0 : (a.empty() ? -1 : 1);
    const int64_t aTop = static_cast<int64_t>(a.size()) + aExp, bTop = static_cast<int64_t>(b.size()) + bExp;
    if (aTop != bTop) return aTop < bTop ? -1 : 1;
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const char x = i < a.size() ? a[i] : '0', y = i < b.size() ? b[i] : '0';
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

// Drops leading zeros, and trailing zeros into the exponent.
void Normalize(std::string& digits, int64_t& exponent) {
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    if (digits.empty()) exponent = 0;
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text, const NumberFormat& format) {
    const std::optional<std::string> t = DotText(text, format);
    return t ? ParseDotDecimal(*t) : std::nullopt;
}

std::optional<ExactDecimal> ParseExactDecimal(std::string_view text, const NumberFormat& format) {
    const std::optional<std::string> dot = DotText(text, format);
    if (!dot) return std::nullopt;
    std::string_view t = *dot;
    ExactDecimal d;
    if (t.front() == '+' || t.front() == '-') {
        d.negative = t.front() == '-';
        t.remove_prefix(1);
    }
    const size_t e = t.find_first_of("eE");
    if (e != std::string_view::npos) {
        std::string_view power = t.substr(e + 1);
        if (power.front() == '+') power.remove_prefix(1);
        const auto [end, ec] = std::from_chars(power.data(), power.data() + power.size(), d.exponent);
        // Exponents beyond a billion name no factor a bill holds.
        if (ec != std::errc() || end != power.data() + power.size() || std::llabs(d.exponent) > 1'000'000'000)
            return std::nullopt;
        t = t.substr(0, e);
    }
    const size_t point = t.find('.');
    if (point != std::string_view::npos) d.exponent -= static_cast<int64_t>(t.size() - point - 1);
    for (const char c : t)
        if (c != '.') d.digits += c;
    Normalize(d.digits, d.exponent);
    if (d.digits.empty()) d.negative = false;
    return d;
}

int CompareScaled(const ExactDecimal& value, uint32_t multiplier, int64_t amount) {
    // The product's digits: the value's digits times the multiplier, from the last one.
    std::string product;
    if (!value.digits.empty() && multiplier != 0) {
        uint64_t carry = 0;
        for (auto it = value.digits.rbegin(); it != value.digits.rend(); ++it) {
            carry += static_cast<uint64_t>(*it - '0') * multiplier;
            product += static_cast<char>('0' + carry % 10);
            carry /= 10;
        }
        for (; carry > 0; carry /= 10) product += static_cast<char>('0' + carry % 10);
        std::reverse(product.begin(), product.end());
    }
    int64_t productExp = value.exponent;
    Normalize(product, productExp);
    const int left = product.empty() ? 0 : (value.negative ? -1 : 1);
    const int right = amount == 0 ? 0 : (amount < 0 ? -1 : 1);
    if (left != right || left == 0) return left < right ? -1 : (left > right ? 1 : 0);
    // The same sign: compare the magnitudes, reversed below zero.
    const uint64_t magnitude = amount < 0 ? 0 - static_cast<uint64_t>(amount) : static_cast<uint64_t>(amount);
    std::string amountDigits = std::to_string(magnitude);
    int64_t amountExp = 0;
    Normalize(amountDigits, amountExp);
    return left * CompareMagnitudes(product, productExp, amountDigits, amountExp);
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
