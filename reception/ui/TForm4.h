#pragma once
// The reception window: the day's patients and their requested tests.
#include <QWidget>

class TSolarDatePicker;
class TSolarMonthCalendar;

class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    TSolarDatePicker* SolarDatePicker1;        // hidden: the export date
    TSolarMonthCalendar* SolarMonthCalendar1;  // hidden: today's date as the first network check found it

public slots:
    // The main window's first good network check hands over today's solar date.
    void TodayKnown(const QString& solarDate);
};
