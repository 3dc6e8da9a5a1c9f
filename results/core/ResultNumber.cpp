#include "results/core/ResultNumber.h"

#include <charconv>
#include <cmath>
#include <string>

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
    // The number in ASCII: digits, one '.', and a sign only in front.
    std::string ascii;
    bool separator = false;
    for (size_t at = 0; at < text.size();) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(text, at, cp);
        if (len == 0) return std::nullopt;
        at += len;
        if (cp >= U'0' && cp <= U'9')
            ascii += static_cast<char>(cp);
        else if (cp >= 0x06F0 && cp <= 0x06F9)  // Persian digits
            ascii += static_cast<char>('0' + (cp - 0x06F0));
        else if (cp >= 0x0660 && cp <= 0x0669)  // Arabic-Indic digits
            ascii += static_cast<char>('0' + (cp - 0x0660));
        else if ((cp == U'.' || cp == U',' || cp == 0x066B) && !separator && !ascii.empty() && ascii.back() >= '0' &&
                 ascii.back() <= '9')
            separator = true, ascii += '.';
        else if ((cp == U'-' || cp == U'+') && ascii.empty())
            ascii += static_cast<char>(cp);
        else
            return std::nullopt;
    }
    if (ascii.empty() || ascii.back() < '0' || ascii.back() > '9') return std::nullopt;
    const char* first = ascii.data() + (ascii.front() == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(first, ascii.data() + ascii.size(), number.value);
    if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(number.value)) return std::nullopt;
    return number;
}

}  // namespace orv::results
