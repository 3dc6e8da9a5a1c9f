#include "results/core/ResultNumber.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "base/core/Utf8.h"
#include "results/core/ResultLine.h"

namespace orv::results {

std::optional<ResultNumber> ReadResultNumber(std::string_view utf8) {
    std::string_view text = TrimBlanks(utf8);
    ResultNumber number;
    if (!text.empty() && (text.front() == '<' || text.front() == '>')) {
        number.mark = text.front();
        text = TrimBlanks(text.substr(1));
    }
    // The number in ASCII: digits, one '.', and a sign only in front. A comma
    // followed by exactly three digits groups thousands ("250,000", "1,234.5")
    // when the digits before it can start a number so written (1-3 digits, not a
    // lone 0, and three between commas); any other comma is a decimal one ("7,2").
    std::string ascii;
    std::vector<char32_t> points;
    for (size_t at = 0; at < text.size();) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(text, at, cp);
        if (len == 0) return std::nullopt;
        at += len;
        if (cp >= 0x06F0 && cp <= 0x06F9)  // Persian digits
            cp = U'0' + (cp - 0x06F0);
        else if (cp >= 0x0660 && cp <= 0x0669)  // Arabic-Indic digits
            cp = U'0' + (cp - 0x0660);
        points.push_back(cp);
    }
    auto digit = [&](size_t i) { return i < points.size() && points[i] >= U'0' && points[i] <= U'9'; };
    bool separator = false, grouped = false;
    size_t groupDigits = 0;  // digits since the start of the number or the last group comma
    for (size_t i = 0; i < points.size(); ++i) {
        const char32_t cp = points[i];
        const bool afterDigit = !ascii.empty() && ascii.back() >= '0' && ascii.back() <= '9';
        if (cp >= U'0' && cp <= U'9') {
            ascii += static_cast<char>(cp);
            ++groupDigits;
        } else if (cp == U',' && afterDigit && !separator && digit(i + 1) && digit(i + 2) && digit(i + 3) &&
                   !digit(i + 4) &&
                   (grouped ? groupDigits == 3
                            : groupDigits <= 3 && !(groupDigits == 1 && ascii.back() == '0'))) {
            grouped = true;  // a thousands separator: nothing written
            groupDigits = 0;
        } else if ((cp == U'.' || cp == U',' || cp == 0x066B) && !separator && afterDigit &&
                   (!grouped || groupDigits == 3)) {
            separator = true, ascii += '.';
        } else if ((cp == U'-' || cp == U'+') && ascii.empty()) {
            ascii += static_cast<char>(cp);
        } else {
            return std::nullopt;
        }
    }
    if (grouped && !separator && groupDigits != 3) return std::nullopt;
    if (ascii.empty() || ascii.back() < '0' || ascii.back() > '9') return std::nullopt;
    const char* first = ascii.data() + (ascii.front() == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(first, ascii.data() + ascii.size(), number.value);
    if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(number.value)) return std::nullopt;
    return number;
}

}  // namespace orv::results
