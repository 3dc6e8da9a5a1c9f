// The locale's short date format: writing and reading Gregorian date texts.
#include <gtest/gtest.h>

#include "solar/core/ShortDateFormat.h"

namespace {

using orv::days::Ymd;

TEST(ShortDateFormat, WritesEachPattern) {
    const Ymd d{2024, 3, 7};
    EXPECT_EQ(orv::FormatShortDate(d, "M/d/yyyy"), "3/7/2024");
    EXPECT_EQ(orv::FormatShortDate(d, "MM/dd/yyyy"), "03/07/2024");
    EXPECT_EQ(orv::FormatShortDate(d, "dd.MM.yy"), "07.03.24");
    EXPECT_EQ(orv::FormatShortDate(d, "yyyy-MM-dd"), "2024-03-07");
}

TEST(ShortDateFormat, ReadsLenientlyButRejectsWhatIsNoDate) {
    EXPECT_EQ(orv::ParseShortDate("3/7/2024", "MM/dd/yyyy"), (Ymd{2024, 3, 7}));
    EXPECT_EQ(orv::ParseShortDate(" 07.03.24 ", "dd.MM.yy"), (Ymd{2024, 3, 7}));
    EXPECT_EQ(orv::ParseShortDate("07.03.99", "dd.MM.yy"), (Ymd{1999, 3, 7}));
    EXPECT_FALSE(orv::ParseShortDate("2023-02-29", "yyyy-MM-dd"));
    EXPECT_FALSE(orv::ParseShortDate("2024-13-01", "yyyy-MM-dd"));
    EXPECT_FALSE(orv::ParseShortDate("2024/03/07", "yyyy-MM-dd"));
    EXPECT_FALSE(orv::ParseShortDate("2024-03-07x", "yyyy-MM-dd"));
    EXPECT_FALSE(orv::ParseShortDate("", "yyyy-MM-dd"));
    EXPECT_FALSE(orv::ParseShortDate("0000-01-01", "yyyy-MM-dd"));
}

TEST(ShortDateFormat, TwoDigitYearsAreWidened) {
    EXPECT_EQ(orv::WithFourDigitYear("M/d/yy"), "M/d/yyyy");
    EXPECT_EQ(orv::WithFourDigitYear("dd.MM.yyyy"), "dd.MM.yyyy");
    EXPECT_EQ(orv::WithFourDigitYear("yy-M-d"), "yyyy-M-d");
}

}  // namespace
