#include "reception/ui/TForm4.h"

#include "solar/widgets/TSolarDatePicker.h"
#include "solar/widgets/TSolarMonthCalendar.h"

TForm4::TForm4(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form4"));
    SolarDatePicker1 = new TSolarDatePicker(this);
    SolarDatePicker1->setObjectName(QStringLiteral("SolarDatePicker1"));
    SolarDatePicker1->hide();
    SolarMonthCalendar1 = new TSolarMonthCalendar(this);
    SolarMonthCalendar1->setObjectName(QStringLiteral("SolarMonthCalendar1"));
    SolarMonthCalendar1->hide();
}

void TForm4::TodayKnown(const QString& solarDate) {
    SolarDatePicker1->setText(solarDate);
    SolarMonthCalendar1->SetInDate(solarDate);
}
