#include "solar/logic/MonthLayout.h"

#include "solar/core/CivilDays.h"

namespace orv::solar {

int ColumnOfDayOne(TDateKind kind, Word year, Word month) {
    Word y = year, m = month, d = 1;
    if (kind == dkSolar && !TPublicUtils::SolarToGregorian(y, m, d)) return 0;
    const int weekDay = days::GregorianWeekDay(days::FromGregorian(y, m, d));  // 1 = Sunday
    return kind == dkSolar ? weekDay % 7 : weekDay - 1;
}

MonthLayout LayOutMonth(TDateKind kind, Word year, Word month, Word selectedDay, TMonthObject monthObject) {
    MonthLayout out;
    out.Days = TPublicUtils::DaysOfMonth(kind, year, month);
    if (out.Days == 0) return out;
    const int first = ColumnOfDayOne(kind, year, month);
    for (int day = 1; day <= out.Days; ++day) {
        const int index = first + day - 1;
        const int col = index % kGridCols, row = index / kGridCols;
        out.Cells[col][row] = std::to_string(day);
        if (day == 1) out.FirstCell = col;
        if (day == out.Days) out.LastCell = {col, row};
        if (day == selectedDay) out.Selected = {col, row};
    }
    if (monthObject == moNone) return out;
    const Word prevYear = month == 1 ? static_cast<Word>(year - 1) : year;
    const Word prevMonth = month == 1 ? 12 : static_cast<Word>(month - 1);
    const int prevDays = TPublicUtils::DaysOfMonth(kind, prevYear, prevMonth);
    for (int c = 0; c < first; ++c) out.Cells[c][0] = std::to_string(prevDays - first + c + 1);
    int next = 1;
    for (int index = first + out.Days; index < kGridCols * kGridRows; ++index)
        out.Cells[index % kGridCols][index / kGridCols] = std::to_string(next++);
    return out;
}

bool IsBeforeMonth(const MonthLayout& layout, int col, int row) { return row == 0 && col < layout.FirstCell; }

bool IsAfterMonth(const MonthLayout& layout, int col, int row) {
    if (layout.LastCell.Row < 0) return false;
    return row * kGridCols + col > layout.LastCell.Row * kGridCols + layout.LastCell.Col;
}

bool IsOutsideMonth(const MonthLayout& layout, int col, int row) {
    return layout.FirstCell < 0 || IsBeforeMonth(layout, col, row) || IsAfterMonth(layout, col, row);
}

bool IsRestDay(TDateKind kind, int col, int row) {
    return row <= 4 && col == (kind == dkSolar ? 6 : 0);
}

TMonthCaption CaptionOfColumn(int col) { return static_cast<TMonthCaption>(col); }

}  // namespace orv::solar
