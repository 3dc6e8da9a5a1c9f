#pragma once
// A result cell read as a number, for charting a test over time: digits in
// ASCII, Persian or Arabic-Indic forms, a decimal point or comma (or the Arabic
// decimal separator), commas grouping thousands ("250,000" is 250000: a comma
// followed by exactly three digits), an optional sign, and a leading "<" or ">" that is kept
// as a mark (a value below or above what the method measures). Anything else
// in the text ("Negative", "95 mg/dl", "1/64") is no number.
#include <optional>
#include <string_view>

namespace orv::results {

struct ResultNumber {
    double value = 0;
    char mark = 0;  // '<', '>' or 0
};

std::optional<ResultNumber> ReadResultNumber(std::string_view utf8);

}  // namespace orv::results
