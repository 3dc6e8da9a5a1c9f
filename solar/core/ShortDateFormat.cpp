#include "solar/core/ShortDateFormat.h"

#include <cctype>
#include <vector>

namespace orv {
namespace {

enum class Field { None, Day, Month, Year };

struct Token {
    Field field = Field::None;
    int width = 0;        // count of pattern letters
    std::string literal;  // for Field::None
};

std::vector<Token> Tokenize(std::string_view pattern) {
    std::vector<Token> out;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        Field f = c == 'd' ? Field::Day : c == 'M' ? Field::Month : c == 'y' ? Field::Year : Field::None;
        if (f == Field::None) {
            if (out.empty() || out.back().field != Field::None) out.push_back({});
            out.back().literal += c;
            ++i;
            continue;
        }
        size_t j = i;
        while (j < pattern.size() && pattern[j] == c) ++j;
        out.push_back({f, static_cast<int>(j - i), {}});
        i = j;
    }
    return out;
}

std::string Padded(int value, int width) {
    std::string s = std::to_string(value);
    while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
    return s;
}

bool ValidGregorian(int y, int m, int d) {
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    static constexpr int kLen[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
    return d <= kLen[m - 1] + (m == 2 && leap);
}

}  // namespace

std::string FormatShortDate(const days::Ymd& date, std::string_view pattern) {
    std::string out;
    for (const Token& t : Tokenize(pattern)) {
        switch (t.field) {
            case Field::None:
                out += t.literal;
                break;
            case Field::Day:
                out += Padded(date.day, t.width >= 2 ? 2 : 1);
                break;
            case Field::Month:
                out += Padded(date.month, t.width >= 2 ? 2 : 1);
                break;
            case Field::Year:
                out += t.width <= 2 ? Padded(date.year % 100, 2) : Padded(date.year, 4);
                break;
        }
    }
    return out;
}

std::optional<days::Ymd> ParseShortDate(std::string_view text, std::string_view pattern) {
    size_t start = 0, end = text.size();
    while (start < end && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
    while (end > start && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    text = text.substr(start, end - start);

    int y = -1, m = -1, d = -1;
    bool twoDigitYear = false;
    size_t pos = 0;
    for (const Token& t : Tokenize(pattern)) {
        if (t.field == Field::None) {
            if (text.substr(pos, t.literal.size()) != t.literal) return std::nullopt;
            pos += t.literal.size();
            continue;
        }
        const size_t maxDigits = t.field == Field::Year ? 4 : 2;
        size_t n = 0;
        int value = 0;
        while (pos + n < text.size() && n < maxDigits && std::isdigit(static_cast<unsigned char>(text[pos + n]))) {
            value = value * 10 + (text[pos + n] - '0');
            ++n;
        }
        if (n == 0) return std::nullopt;
        pos += n;
        if (t.field == Field::Day) d = value;
        if (t.field == Field::Month) m = value;
        if (t.field == Field::Year) {
            y = value;
            twoDigitYear = n <= 2;
        }
    }
    if (pos != text.size() || y < 0 || m < 0 || d < 0) return std::nullopt;
    if (twoDigitYear) y += y < 50 ? 2000 : 1900;
    if (!ValidGregorian(y, m, d)) return std::nullopt;
    return days::Ymd{y, m, d};
}

std::string WithFourDigitYear(std::string_view pattern) {
    std::string out;
    for (const Token& t : Tokenize(pattern)) {
        if (t.field == Field::None)
            out += t.literal;
        else
            out +=
                std::string(t.field == Field::Year ? 4 : static_cast<size_t>(t.width), t.field == Field::Day     ? 'd'
                                                                                       : t.field == Field::Month ? 'M'
                                                                                                                 : 'y');
    }
    return out;
}

}  // namespace orv
