// Persian number words. The tables use the Arabic letters yeh (U+064A) and kaf
// (U+0643), as the texts of the code page 1256 era were written.
#include <cstdlib>
#include <string>

#include "base/core/Trim.h"
#include "solar/core/TPublicUtils.h"

namespace {

const char* const kUnits[10] = {"", "يك ", "دو ", "سه ", "چهار ", "پنج ", "شش ", "هفت ", "هشت ", "نه "};
const char* const kTens[10] = {"", "", "بيست ", "سي ", "چهل ", "پنجاه ", "شصت ", "هفتاد ", "هشتاد ", "نود "};
const char* const kTeens[10] = {"ده ",     "يازده ",  "دوازده ", "سيزده ", "چهارده ",
                                "پانزده ", "شانزده ", "هفده ",   "هجده ",  "نوزده "};
const char* const kHundreds[10] = {"",       "صد ",   "دويست ", "سيصد ",  "چهارصد ",
                                   "پانصد ", "ششصد ", "هفتصد ", "هشتصد ", "نهصد "};
const char* const kGroups[4] = {"", "هزار ", "ميليون ", "ميليارد "};
const char* const kZero = "صفر";
const char* const kJoiner = " و ";
const char* const kMinus = "منفي ";

// The words of a decimal text of digits, walked from its last digit to its first;
// words are put in front of what is already there.
std::string WordsOfDigits(const std::string& s) {
    const int len = static_cast<int>(s.size());
    // The digit at 1-based position r; 0 for a position outside the text.
    auto at = [&](int r) -> char { return r >= 1 && r <= len ? s[r - 1] : 0; };
    auto digit = [&](int r) -> int { return at(r) - '0'; };

    std::string words;
    bool joined = false;
    int place = 0, group = 0;
    auto front = [&](const char* w) { words.insert(0, w); };
    for (int r = len; r >= 1; --r) {
        if (++place == 4) {
            ++group;
            place = 1;
        }
        if (place == 1 && !(at(r) == '0' && at(r - 1) == '0' && at(r - 2) == '0')) {
            if (group >= 1 && group <= 3) {
                if (joined) front(kJoiner);
                front(kGroups[group]);
                joined = false;
            }
        }
        if (place == 1 && at(r - 1) != '1') {
            if (joined && at(r) != '0') front(kJoiner);
            if (digit(r) >= 1) {
                front(kUnits[digit(r)]);
                joined = true;
            }
        }
        if (place == 2) {
            if (joined && at(r) != '0' && at(r) != '1') front(kJoiner);
            if (digit(r) >= 2) {
                front(kTens[digit(r)]);
                joined = true;
            }
        }
        if (place == 2 && at(r) == '1') {
            if (joined) front(kJoiner);
            front(kTeens[digit(r + 1)]);
            joined = true;
        }
        if (place == 3) {
            if (joined && at(r) != '0') front(kJoiner);
            if (digit(r) >= 1) {
                front(kHundreds[digit(r)]);
                joined = true;
            }
        }
    }
    return std::string(orv::Trim(words));
}

}  // namespace

std::string TPublicUtils::ConvertToPersianAlpha(int32_t Number) {
    if (Number == 0) return kZero;
    // Callers pass 0 or more; a negative number is the word for minus before its magnitude's words.
    if (Number < 0) return kMinus + WordsOfDigits(std::to_string(-static_cast<int64_t>(Number)));
    return WordsOfDigits(std::to_string(Number));
}

std::string TPublicUtils::FullDigitConvert(std::string_view text) { return std::string(orv::Trim(text)) + " "; }
