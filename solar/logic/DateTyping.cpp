#include "solar/logic/DateTyping.h"

#include <algorithm>
#include <charconv>

namespace orv::solar {
namespace {

constexpr int kDateLength = 10;
constexpr char16_t kSlash = u'/';
// The year part is not stepped down below this year, nor up past the last year of four digits.
constexpr int kLowestSteppedYear = 1340;
constexpr int kHighestSteppedYear = 9999;

void DeleteSelection(EditState& s) {
    if (s.selLength <= 0) return;
    s.text.erase(static_cast<size_t>(s.selStart), static_cast<size_t>(s.selLength));
    s.selLength = 0;
}

void InsertAtCaret(EditState& s, char16_t ch) {
    s.selStart = std::clamp(s.selStart, 0, static_cast<int>(s.text.size()));
    s.text.insert(s.text.begin() + s.selStart, ch);
    ++s.selStart;
}

int CountSlashes(const std::u16string& t) { return static_cast<int>(std::count(t.begin(), t.end(), kSlash)); }

TypingResult TypeDigit(EditState s, char16_t digit) {
    DeleteSelection(s);
    const int before = static_cast<int>(s.text.size());
    if (before == kDateLength) return {s, false};
    bool inserted = false;
    auto insertDigit = [&] {
        if (inserted) return;
        InsertAtCaret(s, digit);
        inserted = true;
    };
    if (before < 4 || before == 5 || before == 6) insertDigit();
    if ((before == 8 || before == 9) && s.selStart != 0) insertDigit();
    if (before > kDateLength && s.selStart < 5) insertDigit();
    const int now = static_cast<int>(s.text.size());
    if (now == 4) {
        InsertAtCaret(s, kSlash);
        if (before == 4) insertDigit();
    } else if (now == 7) {
        if (s.text[6] != kSlash && CountSlashes(s.text) == 1) InsertAtCaret(s, kSlash);
        if (before == 7) insertDigit();
    }
    return {s, true};
}

TypingResult TypeBackspace(EditState s, bool autoDeleteDelimiter) {
    int p;
    if (s.selLength > 0) {
        DeleteSelection(s);
        p = s.selStart - 1;
        if (autoDeleteDelimiter && p >= 0 && p < static_cast<int>(s.text.size()) && s.text[p] == kSlash) {
            s.text.erase(static_cast<size_t>(p), 1);
            --p;
        }
    } else {
        if (s.text.empty() || s.selStart <= 0) return {s, true};
        const int caret = std::min(s.selStart, static_cast<int>(s.text.size()));
        if (s.text[caret - 1] == kSlash) {
            // A divider is not deleted; the caret steps back over it.
            p = caret - 2;
        } else {
            s.text.erase(static_cast<size_t>(caret - 1), 1);
            p = caret - 2;
            if (autoDeleteDelimiter) {
                p = std::max(p, 0);
                if (p < static_cast<int>(s.text.size()) && s.text[p] == kSlash) {
                    s.text.erase(static_cast<size_t>(p), 1);
                    --p;
                }
            }
        }
    }
    s.selStart = std::clamp(p + 1, 0, static_cast<int>(s.text.size()));
    s.selLength = 0;
    return {s, true};
}

bool IsBlank(const std::u16string& t) {
    return std::all_of(t.begin(), t.end(), [](char16_t c) { return c == u' '; });
}

// The number of a part made only of ASCII digits; -1 otherwise.
int PartNumber(const std::u16string& t) {
    if (t.empty()) return -1;
    int v = 0;
    for (char16_t c : t) {
        if (c < u'0' || c > u'9') return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

std::u16string Padded(int v, size_t width) {
    std::u16string out;
    for (char c : std::to_string(v)) out.push_back(static_cast<char16_t>(c));
    while (out.size() < width) out.insert(out.begin(), u'0');
    return out;
}

enum class Part { Year, Month, Day };

Part PartAt(int caret) { return caret <= 4 ? Part::Year : caret <= 7 ? Part::Month : Part::Day; }

void SelectPart(EditState& s, Part part) {
    s.selStart = part == Part::Year ? 0 : part == Part::Month ? 5 : 8;
    s.selLength = part == Part::Year ? 4 : 2;
}

struct Parts {
    std::u16string year, month, day;
};

// The pieces of a ten-character text before, between and after its first two "/".
Parts SplitParts(const std::u16string& t) {
    Parts p;
    const size_t a = t.find(kSlash);
    const size_t b = a == std::u16string::npos ? std::u16string::npos : t.find(kSlash, a + 1);
    if (a == std::u16string::npos || b == std::u16string::npos) {
        p.year = t.substr(0, 4);
        p.month = t.substr(5, 2);
        p.day = t.substr(8, 2);
        return p;
    }
    p.year = t.substr(0, a);
    p.month = t.substr(a + 1, b - a - 1);
    p.day = t.substr(b + 1);
    return p;
}

StepResult StepPart(EditState s, bool up, TDateKind kind, const Today& today) {
    Parts p = SplitParts(s.text);
    const Part part = PartAt(s.selStart);
    const int delta = up ? 1 : -1;
    if (part == Part::Year) {
        const int y = PartNumber(p.year);
        if (p.year.size() != 4 || y < 0)
            p.year = Padded(today.year, 4);
        else if (up ? y < kHighestSteppedYear : y > kLowestSteppedYear)
            p.year = Padded(y + delta, 4);
    } else if (part == Part::Month) {
        const int m = PartNumber(p.month);
        if (IsBlank(p.month))
            p.month = Padded(today.month, 2);
        else if (p.month.size() == 2 && m >= 0)
            p.month = Padded(std::clamp(m + delta, 1, 12), 2);
    } else {
        const int d = PartNumber(p.day);
        const int m = PartNumber(p.month);
        const int last = m >= 1 && m <= 12 ? TPublicUtils::kMonthDays[kind][m - 1] : 31;
        if (IsBlank(p.day))
            p.day = Padded(today.day, 2);
        else if (p.day.size() == 2 && d >= 0)
            p.day = Padded(std::clamp(d + delta, 1, std::max(last, 1)), 2);
    }
    s.text = p.year + u"/" + p.month + u"/" + p.day;
    SelectPart(s, part);
    return {s, true};
}

StepResult DeletePart(EditState s) {
    const int len = static_cast<int>(s.text.size());
    const std::u16string month = s.text.substr(5, 2), day = s.text.substr(8, 2);
    const std::u16string year = s.text.substr(0, 4);
    if (s.selStart == 0 && s.selLength == len) {
        s.text = u"    /  /  ";
        SelectPart(s, Part::Year);
    } else if (s.selStart < 5 && s.selLength == 4) {
        s.text = u"    /" + month + u"/" + day;
        SelectPart(s, Part::Year);
    } else if (s.selStart >= 5 && s.selStart <= 7 && s.selLength == 2) {
        s.text = year + u"/  /" + day;
        SelectPart(s, Part::Month);
    } else if (s.selStart >= 8 && s.selStart <= 10 && s.selLength == 2) {
        s.text = year + u"/" + month + u"/  ";
        SelectPart(s, Part::Day);
    } else {
        return {s, false};
    }
    return {s, true};
}

}  // namespace

TypingResult TypeKey(const EditState& before, char16_t ch, bool autoDeleteDelimiter) {
    if (ch >= u'0' && ch <= u'9') return TypeDigit(before, ch);
    if (ch == u'\b') return TypeBackspace(before, autoDeleteDelimiter);
    EditState s = before;
    if (ch == kSlash && s.text.size() == 6) {
        DeleteSelection(s);
        if (s.text.size() == 6) InsertAtCaret(s, kSlash);
    }
    return {s, true};
}

StepResult StepKeyPress(const EditState& before, StepKey key, TDateKind kind, const Today& today) {
    if (before.text.size() != kDateLength) return {before, false};
    EditState s = before;
    switch (key) {
    case StepKey::Up:
    case StepKey::Down:
        return StepPart(s, key == StepKey::Up, kind, today);
    case StepKey::Right:
        if (PartAt(s.selStart) == Part::Year) {
            SelectPart(s, Part::Month);
            return {s, true};
        }
        if (PartAt(s.selStart) == Part::Month) {
            SelectPart(s, Part::Day);
            return {s, true};
        }
        return {s, false};
    case StepKey::Left:
        if (PartAt(s.selStart) == Part::Day) {
            SelectPart(s, Part::Month);
            return {s, true};
        }
        if (PartAt(s.selStart) == Part::Month) {
            SelectPart(s, Part::Year);
            return {s, true};
        }
        return {s, false};
    case StepKey::Delete:
        return DeletePart(s);
    }
    return {s, false};
}

}  // namespace orv::solar
