#include <gtest/gtest.h>

#include "solar/logic/MonthLayout.h"

using namespace orv::solar;

namespace {

std::string At(const MonthLayout& l, int col, int row) { return l.Cells[col][row]; }

}  // namespace

TEST(MonthLayout, ColumnOfDayOne) {
    // 1401/06/01 is Tuesday 2022-08-23: solar column 3 (Saturday 0).
    EXPECT_EQ(ColumnOfDayOne(dkSolar, 1401, 6), 3);
    // 1401/01/01 is Monday 2022-03-21.
    EXPECT_EQ(ColumnOfDayOne(dkSolar, 1401, 1), 2);
    // 1402/04/01 is Thursday 2023-06-22; 1403/10/01 is Saturday 2024-12-21; 1402/12/01 is Tuesday.
    EXPECT_EQ(ColumnOfDayOne(dkSolar, 1402, 4), 5);
    EXPECT_EQ(ColumnOfDayOne(dkSolar, 1403, 10), 0);
    // Gregorian: Sunday is column 0; 2015-02-01 is a Sunday, 2022-09-01 a Thursday.
    EXPECT_EQ(ColumnOfDayOne(dkGregorian, 2015, 2), 0);
    EXPECT_EQ(ColumnOfDayOne(dkGregorian, 2022, 9), 4);
}

TEST(MonthLayout, SaturdayStartsInColumnZeroAndFridayStartIntoRowFive) {
    const MonthLayout sat = LayOutMonth(dkSolar, 1403, 10, 5, moPopupMenu);
    EXPECT_EQ(sat.FirstCell, 0);
    EXPECT_EQ(At(sat, 0, 0), "1");
    EXPECT_EQ(sat.Selected, (TCell{4, 0}));
    // A 31-day month that starts on a Friday: 1400/05/01 is 2021-07-23.
    ASSERT_EQ(ColumnOfDayOne(dkSolar, 1400, 5), 6);
    const MonthLayout fri = LayOutMonth(dkSolar, 1400, 5, 1, moPopupMenu);
    EXPECT_EQ(fri.FirstCell, 6);
    EXPECT_EQ(fri.LastCell, (TCell{1, 5}));
    EXPECT_EQ(At(fri, 1, 5), "31");
    EXPECT_EQ(At(fri, 2, 5), "1");  // the next month follows
    // The previous month (1400/04, 31 days) fills row 0 before day 1.
    EXPECT_EQ(At(fri, 0, 0), "26");
    EXPECT_EQ(At(fri, 5, 0), "31");
}

TEST(MonthLayout, TwelfthSolarMonthOf29And30Days) {
    // In the official calendar 1403 is leap (Esfand of 30 days) and 1404 common.
    const MonthLayout leap = LayOutMonth(dkSolar, 1403, 12, 1, moPopupMenu);
    EXPECT_EQ(leap.Days, 30);
    const MonthLayout common = LayOutMonth(dkSolar, 1404, 12, 1, moPopupMenu);
    EXPECT_EQ(common.Days, 29);
    auto cellOf = [](const MonthLayout& l, int index) { return l.Cells[index % 7][index / 7]; };
    EXPECT_EQ(cellOf(common, common.FirstCell + 28), "29");
    EXPECT_EQ(cellOf(common, common.FirstCell + 29), "1");
    EXPECT_EQ(cellOf(common, common.FirstCell + 30), "2");
    EXPECT_EQ(cellOf(leap, leap.FirstCell + 29), "30");
    EXPECT_EQ(cellOf(leap, leap.FirstCell + 30), "1");
}

TEST(MonthLayout, FebruaryOf28DaysStartingOnSunday) {
    const MonthLayout feb = LayOutMonth(dkGregorian, 2015, 2, 14, moPopupMenu);
    EXPECT_EQ(feb.FirstCell, 0);
    EXPECT_EQ(feb.LastCell, (TCell{6, 3}));
    EXPECT_EQ(feb.Selected, (TCell{6, 1}));
    for (int i = 0; i < 14; ++i) EXPECT_EQ(At(feb, i % 7, 4 + i / 7), std::to_string(i + 1));
    EXPECT_TRUE(IsOutsideMonth(feb, 0, 4));
    EXPECT_TRUE(IsOutsideMonth(feb, 3, 5));
    EXPECT_FALSE(IsOutsideMonth(feb, 6, 3));
}

TEST(MonthLayout, NoChooserLeavesOtherMonthsEmpty) {
    const MonthLayout none = LayOutMonth(dkSolar, 1401, 6, 30, moNone);
    EXPECT_EQ(none.FirstCell, 3);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(At(none, c, 0), "");
    EXPECT_EQ(At(none, none.LastCell.Col + 1, none.LastCell.Row), "");
    EXPECT_EQ(At(none, 6, 5), "");
    EXPECT_EQ(none.Selected, (TCell{4, 4}));
}

TEST(MonthLayout, PreviousMonthLengthComesFromItsOwnYear) {
    // Farvardin 1404 follows the 30-day Esfand of 1403.
    const MonthLayout l = LayOutMonth(dkSolar, 1404, 1, 1, moComboBox);
    ASSERT_GT(l.FirstCell, 0);
    EXPECT_EQ(At(l, l.FirstCell - 1, 0), "30");
    // Farvardin 1406 follows the 29-day Esfand of 1405.
    const MonthLayout m = LayOutMonth(dkSolar, 1406, 1, 1, moComboBox);
    ASSERT_GT(m.FirstCell, 0);
    EXPECT_EQ(At(m, m.FirstCell - 1, 0), "29");
}

TEST(MonthLayout, RestDaysAndColumns) {
    EXPECT_TRUE(IsRestDay(dkSolar, 6, 4));
    EXPECT_FALSE(IsRestDay(dkSolar, 6, 5));
    EXPECT_FALSE(IsRestDay(dkSolar, 0, 0));
    EXPECT_TRUE(IsRestDay(dkGregorian, 0, 0));
    EXPECT_FALSE(IsRestDay(dkGregorian, 6, 0));
    EXPECT_EQ(CaptionOfColumn(0), mcSaturday);
    EXPECT_EQ(CaptionOfColumn(6), mcFriday);
}
