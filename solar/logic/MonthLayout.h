#pragma once
// The day grid of one month: 7 columns by 6 rows, column 0 is Saturday in the
// solar calendar and Sunday in the Gregorian one.
#include <array>
#include <string>

#include "solar/logic/SolarTypes.h"

namespace orv::solar {

inline constexpr int kGridCols = 7;
inline constexpr int kGridRows = 6;

struct MonthLayout {
    std::array<std::array<std::string, kGridRows>, kGridCols> Cells;  // [column][row]
    int FirstCell = -1;   // column of day 1 in row 0
    TCell LastCell;       // cell of the month's last day
    TCell Selected;       // cell of the selected day, (-1, -1) when the month lacks it
    Word Days = 0;        // length of the month
};

// Column of day 1 of the month.
int ColumnOfDayOne(TDateKind kind, Word year, Word month);

// Lays out the month; unless monthObject is moNone the cells before day 1 show
// the previous month's last days and the cells after the last day 1, 2, 3, ...
MonthLayout LayOutMonth(TDateKind kind, Word year, Word month, Word selectedDay, TMonthObject monthObject);

// A cell before day 1 or after the month's last day.
bool IsOutsideMonth(const MonthLayout& layout, int col, int row);
bool IsBeforeMonth(const MonthLayout& layout, int col, int row);
bool IsAfterMonth(const MonthLayout& layout, int col, int row);

// The rest-day column (Friday in the solar calendar, Sunday in the Gregorian
// one) in rows 0 to 4.
bool IsRestDay(TDateKind kind, int col, int row);

// The week day a grid column stands for.
TMonthCaption CaptionOfColumn(int col);

}  // namespace orv::solar
