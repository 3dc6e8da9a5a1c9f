#pragma once
// Numbers of the bill: reading decimal and whole numbers, the amount format
// "###,###,###,###,###" and the short decimal text of the labels and of the
// payment record.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::accounting {

// The user's number format: decimal and thousands separators (UTF-8; the
// Persian locale's are not ASCII).
struct NumberFormat {
    std::string decimal = ".";
    std::string group = ",";
};

// A decimal number after trimming blanks: "." is the decimal separator, and so
// is the locale's where it differs. Signs and an exponent are accepted, group
// separators, "inf" and "nan" are not.
std::optional<double> ParseDecimal(std::string_view text, const NumberFormat& format);
// A decimal number exactly as written: sign, digits x 10^exponent. Thresholds
// scaled by a factor of the bill compare against amounts with it, so a month
// billed exactly at a limit is at the limit (1.1 has no exact binary fraction).
struct ExactDecimal {
    bool negative = false;
    std::string digits;  // without leading or trailing zeros; empty for zero
    int64_t exponent = 0;
};
// The same texts as ParseDecimal takes.
std::optional<ExactDecimal> ParseExactDecimal(std::string_view text, const NumberFormat& format);
// The sign (-1, 0, 1) of multiplier x value - amount, computed exactly.
int CompareScaled(const ExactDecimal& value, uint32_t multiplier, int64_t amount);

// A whole number in 32 bits after trimming blanks.
std::optional<int32_t> ParseInteger(std::string_view text);

// Halves to the even neighbour, as amounts are rounded.
double RoundHalfEven(double value);
// The value as a 64-bit amount, rounded halves to even; none when it does not fit.
std::optional<int64_t> ToAmount(double value);

// "###,###,###,###,###": rounded, grouped by three, 0 gives an empty text.
std::string FormatAmount(int64_t amount, const NumberFormat& format);
// The shortest decimal text of the value to 15 significant digits, with the
// locale's decimal separator: 2.43 -> "2.43", 243.00000000000003 -> "243".
std::string ShortNumber(double value, const NumberFormat& format);

}  // namespace orv::accounting
