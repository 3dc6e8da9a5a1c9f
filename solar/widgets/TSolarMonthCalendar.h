#pragma once
// The month calendar with its selected year, month and day as numbers.
#include "solar/widgets/TCustomSolarCalendar.h"

class TSolarMonthCalendar : public TCustomSolarCalendar {
    Q_OBJECT
public:
    explicit TSolarMonthCalendar(QWidget* parent = nullptr);

    // 0 when OutDate is empty or incomplete.
    int Year() const;
    int Month() const;
    int Day() const;
    // Builds a date from OutDate with one part replaced and sets it through InDate.
    void SetYear(int year);
    void SetMonth(int month);
    void SetDay(int day);

private:
    void SetPart(int index, int value);
};
