// Persian number words: the words, the joiner and their exact spacing.
#include <gtest/gtest.h>

#include "solar/core/TPublicUtils.h"

namespace {

const std::string J = " و ";

TEST(PersianWords, NumbersAndTheirSpacing) {
    const struct {
        int32_t n;
        std::string words;
    } cases[] = {
        {0, "صفر"},
        {5, "پنج"},
        {11, "يازده"},
        {19, "نوزده"},
        {20, "بيست"},
        {21, "بيست " + J + "يك"},
        {100, "صد"},
        {101, "صد " + J + "يك"},
        {110, "صد " + J + "ده"},
        {999, "نهصد " + J + "نود " + J + "نه"},
        {1000, "يك هزار"},
        {1010, "يك هزار " + J + "ده"},
        {1100, "يك هزار " + J + "صد"},
        {1401, "يك هزار " + J + "چهارصد " + J + "يك"},
        {2022, "دو هزار " + J + "بيست " + J + "دو"},
        {10000, "ده هزار"},
        {15000, "پانزده هزار"},
        {1000000, "يك ميليون"},
        {1000001, "يك ميليون " + J + "يك"},
        {1001000, "يك ميليون " + J + "يك هزار"},
        {2000000000, "دو ميليارد"},
        {2147483647, "دو ميليارد " + J + "صد " + J + "چهل " + J + "هفت ميليون " + J + "چهارصد " + J +
                         "هشتاد " + J + "سه هزار " + J + "ششصد " + J + "چهل " + J + "هفت"},
    };
    for (const auto& c : cases) EXPECT_EQ(TPublicUtils::ConvertToPersianAlpha(c.n), c.words) << c.n;
}

TEST(PersianWords, TwoBlanksStandBeforeEveryJoinerLetter) {
    for (int32_t n = 1; n < 3000; ++n) {
        const std::string w = TPublicUtils::ConvertToPersianAlpha(n);
        EXPECT_EQ(w.find("   "), std::string::npos) << n;
        for (size_t p = w.find("و "); p != std::string::npos; p = w.find("و ", p + 1)) {
            if (p >= 1 && w[p - 1] == ' ') {
                ASSERT_GE(p, 2u) << n;
                EXPECT_EQ(w[p - 2], ' ') << n << ": " << w;
            }
        }
        EXPECT_NE(w.front(), ' ');
        EXPECT_NE(w.back(), ' ');
    }
}

TEST(PersianWords, FullDigitConvertTrimsAndAppendsOneBlank) {
    EXPECT_EQ(TPublicUtils::FullDigitConvert("  سي  "), "سي ");
    EXPECT_EQ(TPublicUtils::FullDigitConvert(""), " ");
    EXPECT_EQ(TPublicUtils::FullDigitConvert("\t12\r\n"), "12 ");
}

}  // namespace
