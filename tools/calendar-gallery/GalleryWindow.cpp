#include "GalleryWindow.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "solar/widgets/TSolarDatePicker.h"
#include "solar/widgets/TSolarMonthCalendar.h"

namespace {

const char* const kStyleNames[] = {"csCustom",      "csPinkPink", "csBlueBlue",   "csWhiteGray",
                                   "csWhiteOrange", "csWhiteRed", "csWhiteWhite", "csWhiteBlack"};

QWidget* Captioned(const QString& caption, QWidget* inner) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    layout->addWidget(new QLabel(caption));
    layout->addWidget(inner);
    return box;
}

}  // namespace

GalleryWindow::GalleryWindow() {
    setWindowTitle(QStringLiteral("Calendar gallery"));
    auto* outer = new QHBoxLayout(this);
    auto* calendars = new QGridLayout;
    outer->addLayout(calendars);
    for (int style = 0; style < 8; ++style) {
        auto* c = new TSolarMonthCalendar;
        c->SetInDate(QStringLiteral("1401/06/30"));
        if (style == csCustom) {
            c->SetColorCaptionStart(QColor(230, 255, 230));
            c->SetColorCaptionStop(QColor(120, 200, 120));
            c->SetColorSelectBrush(QColor(180, 230, 180));
            c->SetButtonStyle(bsRectangular);
        } else {
            c->SetColorStyle(static_cast<TColorStyle>(style));
        }
        calendars->addWidget(Captioned(QString::fromLatin1(kStyleNames[style]), c), style / 4, style % 4);
    }
    const TColorStyle gregorianStyles[] = {csWhiteGray, csBlueBlue, csPinkPink, csWhiteBlack};
    for (int i = 0; i < 4; ++i) {
        auto* c = new TSolarMonthCalendar;
        c->SetColorStyle(gregorianStyles[i]);
        c->SetDateKind(dkGregorian);
        c->SetInDate(QStringLiteral("2015/02/10"));
        if (i == 1) c->SetMonthObject(moComboBox);
        if (i == 2) c->SetMonthObject(moNone);
        if (i == 3) c->SetEnabledDays(TMonthCaptionSet::All().Without(mcFriday));
        QString caption = QStringLiteral("Gregorian %1").arg(QString::fromLatin1(kStyleNames[gregorianStyles[i]]));
        if (i == 1) caption += QStringLiteral(", moComboBox");
        if (i == 2) caption += QStringLiteral(", moNone");
        calendars->addWidget(Captioned(caption, c), 2, i);
    }

    auto* pickers = new QGroupBox(QStringLiteral("Date pickers"));
    auto* form = new QFormLayout(pickers);
    outer->addWidget(pickers);
    auto add = [&](const QString& label, auto setUp) {
        auto* p = new TSolarDatePicker;
        p->setObjectName(label);
        p->setMinimumWidth(130);
        setUp(p);
        form->addRow(label, p);
        FPickers.push_back(p);
    };
    add(QStringLiteral("Default"), [](TSolarDatePicker* p) { p->setText(QStringLiteral("1401/06/30")); });
    add(QStringLiteral("CheckInputOnExit, ShowDefaultDate"), [](TSolarDatePicker* p) {
        p->SetCheckInputOnExit(true);
        p->SetShowDefaultDate(true);
    });
    add(QStringLiteral("Gregorian"), [](TSolarDatePicker* p) {
        p->SetDateKind(dkGregorian);
        p->setText(QStringLiteral("2022/09/21"));
    });
    add(QStringLiteral("AutoCheck, AutoDeleteDelimiter"), [](TSolarDatePicker* p) {
        p->SetAutoCheck(true);
        p->SetAutoDeleteDelimiter(true);
    });
    add(QStringLiteral("MaskEnabled"), [](TSolarDatePicker* p) {
        p->SetMaskEnabled(true);
        p->setText(QStringLiteral("1401/06/30"));
    });
    add(QStringLiteral("gtBlackArrowDown, csBlueBlue"), [](TSolarDatePicker* p) {
        p->SetGlyph(gtBlackArrowDown);
        p->SetColorStyle(csBlueBlue);
        p->setText(QStringLiteral("1401/12/15"));
    });
    add(QStringLiteral("gtBlueArrowDown, moNone"), [](TSolarDatePicker* p) {
        p->SetGlyph(gtBlueArrowDown);
        p->SetMonthObject(moNone);
    });
    add(QStringLiteral("gtGreenArrowDown, right to left"), [](TSolarDatePicker* p) {
        p->SetGlyph(gtGreenArrowDown);
        p->setLayoutDirection(Qt::RightToLeft);
        p->setText(QStringLiteral("1403/12/30"));
    });
    add(QStringLiteral("ReadOnly"), [](TSolarDatePicker* p) {
        p->setReadOnly(true);
        p->setText(QStringLiteral("1401/06/30"));
    });
    add(QStringLiteral("Disabled"), [](TSolarDatePicker* p) {
        p->setText(QStringLiteral("1401/06/30"));
        p->SetEnabled(false);
    });
    add(QStringLiteral("bsRectangular, csWhiteRed"), [](TSolarDatePicker* p) {
        p->SetButtonStyle(bsRectangular);
        p->SetColorStyle(csWhiteRed);
        p->setText(QStringLiteral("1401/06/30"));
    });
}
