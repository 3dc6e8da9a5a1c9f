// Stepping a date by any count of days: counts far beyond the calendar's years
// leave the date as it was instead of reading outside the conversion's range.
#include <gtest/gtest.h>

#include <climits>

#include "solar/core/TPublicUtils.h"

namespace {

struct Step {
    const char* date;
    TDateKind kind;
    int count;
};

class HugeDayStep : public ::testing::TestWithParam<Step> {};

TEST_P(HugeDayStep, KeepsTheDate) {
    const Step s = GetParam();
    EXPECT_EQ(TPublicUtils::IncDay(s.date, s.count, s.kind), s.date);
    EXPECT_EQ(TPublicUtils::DecDay(s.date, s.count, s.kind), s.date);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, HugeDayStep,
    ::testing::Values(Step{"1399/12/30", dkSolar, INT_MIN}, Step{"1399/12/30", dkSolar, INT_MAX},
                      Step{"1399/12/30", dkSolar, -30'000'000}, Step{"1399/12/30", dkSolar, 30'000'000},
                      Step{"1401/06/30", dkSolar, INT_MIN + 1}, Step{"2022/09/21", dkGregorian, INT_MIN},
                      Step{"2022/09/21", dkGregorian, INT_MAX}, Step{"2022/09/21", dkGregorian, -30'000'000},
                      // Past the Gregorian year 9999 (found by fuzz_date_text: the text was emptied).
                      Step{"2022/09/21", dkGregorian, 3'000'000}));

TEST(DayStep, StepsUpToTheCalendarsEdgesStillWork) {
    // Far steps inside the calendar's years still land where they should.
    EXPECT_EQ(TPublicUtils::DecDay("1399/12/30", -12'000'000, dkSolar).substr(0, 6), "34254/");
    EXPECT_EQ(TPublicUtils::IncDay("1399/12/30", -12'000'000, dkSolar), "1399/12/30");  // before year 1
    const int toEnd = TPublicUtils::DaysBetween("1399/12/30", "9999/12/29", dkSolar);
    EXPECT_EQ(TPublicUtils::IncDay("1399/12/30", toEnd, dkSolar), "9999/12/29");
    EXPECT_EQ(TPublicUtils::DecDay("9999/12/29", toEnd, dkSolar), "1399/12/30");
    EXPECT_EQ(TPublicUtils::IncDay("2022/09/21", 1, dkGregorian), "2022/09/22");
    EXPECT_EQ(TPublicUtils::IncDay("1399/12/30", 1, dkSolar), "1400/01/01");
    EXPECT_EQ(TPublicUtils::DecDay("1400/01/01", 40, dkSolar), "1399/11/21");
    EXPECT_EQ(TPublicUtils::DecDay("1400/01/01", -1, dkSolar), "1400/01/02");
}

}  // namespace
