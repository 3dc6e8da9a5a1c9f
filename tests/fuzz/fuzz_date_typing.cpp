// Any sequence of keys in the date field: with the typing aids the text holds
// only digits and dividers, never more than ten characters, and the caret stays
// inside it; with stepping on a ten-character text, the text keeps its ten
// characters, its dividers, and a selection inside it.
#include <cstdint>
#include <cstdlib>

#include "solar/logic/DateTyping.h"
#include "tests/fuzz/FuzzCheck.h"

using orv::fuzz::Check;

namespace {
void CheckState(const orv::solar::EditState& s) {
    Check(s.selStart >= 0 && s.selLength >= 0);
    Check(s.selStart + s.selLength <= static_cast<int>(s.text.size()));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orv::solar;
    if (size < 2) return 0;
    const bool autoDelete = data[0] & 1;
    const TDateKind kind = (data[0] & 2) ? dkGregorian : dkSolar;
    const Today today{1401, static_cast<Word>(1 + data[1] % 12), static_cast<Word>(1 + data[1] % 29)};

    // Typing: digits, "/", Backspace, letters; every fourth key moves the caret or selects.
    EditState typed;
    for (size_t i = 2; i < size; ++i) {
        const uint8_t b = data[i];
        if ((b & 0xC0) == 0xC0) {
            const int len = static_cast<int>(typed.text.size());
            typed.selStart = len ? (b & 0x0F) % (len + 1) : 0;
            typed.selLength = len ? ((b >> 4) & 0x03) % (len - typed.selStart + 1) : 0;
            continue;
        }
        const char16_t keys[] = {u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9', u'/', 8, u'a', u' ', u'-', 13};
        const TypingResult r = TypeKey(typed, keys[b & 0x0F], autoDelete);
        typed = r.state;
        CheckState(typed);
        Check(typed.text.size() <= 10);
        for (char16_t ch : typed.text) Check((ch >= u'0' && ch <= u'9') || ch == u'/');
    }

    // Stepping on a full text built from the input's digits.
    EditState full;
    full.text = u"1401/06/30";
    for (size_t i = 2; i < size && i < 12; ++i) {
        const size_t at = (i - 2) < 4 ? i - 2 : (i - 2) < 6 ? i - 1 : i;
        if (at < 10 && full.text[at] != u'/') full.text[at] = static_cast<char16_t>(u'0' + data[i] % 10);
    }
    for (size_t i = 2; i < size; ++i) {
        full.selStart = data[i] % 11;
        full.selLength = 0;
        const StepKey key = static_cast<StepKey>((data[i] >> 4) % 5);
        const StepResult r = StepKeyPress(full, key, kind, today);
        Check(r.consumed || r.state == full);
        full = r.state;
        CheckState(full);
        Check(full.text.size() == 10);
        Check(full.text[4] == u'/' && full.text[7] == u'/');
    }
    return 0;
}
