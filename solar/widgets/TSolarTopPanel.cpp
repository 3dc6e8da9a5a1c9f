#include "solar/widgets/TSolarTopPanel.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "solar/widgets/TCustomSolarCalendar.h"
#include "solar/widgets/TSolarButton.h"
#include "solar/widgets/TSolarGrid.h"
#include "solar/widgets/TSolarLabel.h"
#include "solar/widgets/TYearEdit.h"

using namespace orv::solar;

namespace {
// Years the year edit accepts on Enter: solar years after 1300, Gregorian years from 1900.
constexpr int kFirstSolarYear = 1301;
constexpr int kFirstGregorianYear = 1900;
}  // namespace

TSolarTopPanel::TSolarTopPanel(TCustomSolarCalendar* calendar) : QWidget(calendar), FpCalendar(calendar) {
    setObjectName(QStringLiteral("FTopPanel"));
    btnNextYear = new TSolarButton(this, btLeftYear);
    btnLayoutSwitch = new TSolarButton(this, btLayout);
    btnPriorYear = new TSolarButton(this, btRightYear);
    btnPriorMonth = new TSolarButton(this, btRightMonth);
    btnNextMonth = new TSolarButton(this, btLeftMonth);
    btnNextYear->setObjectName(QStringLiteral("btnNextYear"));
    btnLayoutSwitch->setObjectName(QStringLiteral("btnLayoutSwitch"));
    btnPriorYear->setObjectName(QStringLiteral("btnPriorYear"));
    btnPriorMonth->setObjectName(QStringLiteral("btnPriorMonth"));
    btnNextMonth->setObjectName(QStringLiteral("btnNextMonth"));
    FYearEdit = new TYearEdit(this);
    FYear = new TSolarLabel(this);
    FYear->setObjectName(QStringLiteral("FYear"));
    connect(FYear, &TSolarLabel::clicked, this, &TSolarTopPanel::StartYearEdit);
}

void TSolarTopPanel::Panel_Set_Object_Mode() {
    setGeometry(0, 0, FpCalendar->width(), 25);
    setToolTip({});
    FYearEdit->setText(QString::number(FpCalendar->CurrYear()));
    FYearEdit->setGeometry(85, -5000, 35, 15);
    FYearEdit->setFrame(false);
    FYearEdit->setMaxLength(4);
    FYearEdit->setContextMenuPolicy(Qt::NoContextMenu);
    FYearEdit->setToolTip({});
    FYearEdit->hide();
    SetYearCaption(FpCalendar->CurrYear());
    FYear->move(95, 7);
    FYear->setToolTip(QString::fromUtf8("سال جاري - كليك كنيد"));
    FYear->show();
    SetBounds();
}

void TSolarTopPanel::SetYearCaption(int year) {
    FYear->setText(FpCalendar->DateKind() == dkSolar ? QString::fromUtf8("سال ") + QString::number(year)
                                                      : QStringLiteral("Year %1").arg(year));
    FYear->adjustSize();
}

void TSolarTopPanel::SetYearCaptionColor(const QColor& c) {
    QPalette pal = FYear->palette();
    pal.setColor(QPalette::WindowText, c);
    FYear->setPalette(pal);
}

void TSolarTopPanel::SetBounds() {
    const int w = TSolarButton::kWidth, h = TSolarButton::kHeight;
    const int top = (height() - h) / 2 + 1;
    btnNextMonth->setGeometry(2, top, w, h);
    btnLayoutSwitch->setGeometry(26, top, w, h);
    btnNextYear->setGeometry(3 * w + 6, top, w, h);
    btnPriorYear->setGeometry(width() - 3 * w - 6, top, w, h);
    btnPriorMonth->setGeometry(width() - 23, top, w, h);
}

void TSolarTopPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SetBounds();
}

void TSolarTopPanel::SetHint() {
    const bool solar = FpCalendar->DateKind() == dkSolar;
    btnNextYear->setToolTip(solar ? QString::fromUtf8("سال بعد") : QStringLiteral("Next Year"));
    btnPriorYear->setToolTip(solar ? QString::fromUtf8("سال قبل") : QStringLiteral("Prior Year"));
    btnNextMonth->setToolTip(solar ? QString::fromUtf8("ماه بعد") : QStringLiteral("Next Month"));
    btnPriorMonth->setToolTip(solar ? QString::fromUtf8("ماه قبل") : QStringLiteral("Prior Month"));
    btnLayoutSwitch->setToolTip(solar ? QString::fromUtf8("ميلادي") : QStringLiteral("Persian"));
}

void TSolarTopPanel::SetYearButton(bool enabled) {
    btnNextYear->SetButtonEnabled(enabled);
    btnPriorYear->SetButtonEnabled(enabled);
}

void TSolarTopPanel::SetMonthButton(bool enabled) {
    btnNextMonth->SetButtonEnabled(enabled);
    btnPriorMonth->SetButtonEnabled(enabled);
}

void TSolarTopPanel::SetLayoutSwitchVisible(bool visible) { btnLayoutSwitch->setVisible(visible); }

void TSolarTopPanel::StepYear(int delta) { FpCalendar->ChangeYear(FpCalendar->CurrYear() + delta); }

void TSolarTopPanel::ClickNextBtn() {
    StepYear(1);
    CloseYearEdit();
    if (FpCalendar->OnNextClick) FpCalendar->OnNextClick(FpCalendar);
}

void TSolarTopPanel::ClickPriorBtn() {
    StepYear(-1);
    CloseYearEdit();
    if (FpCalendar->OnPrevClick) FpCalendar->OnPrevClick(FpCalendar);
}

void TSolarTopPanel::ClickNextMonthBtn() {
    FpCalendar->IncMonth(1);
    CloseYearEdit();
    if (FpCalendar->OnNextMonthClick) FpCalendar->OnNextMonthClick(FpCalendar);
}

void TSolarTopPanel::ClickPriorMonthBtn() {
    FpCalendar->DecMonth(1);
    CloseYearEdit();
    if (FpCalendar->OnPrevMonthClick) FpCalendar->OnPrevMonthClick(FpCalendar);
}

void TSolarTopPanel::ClickLayout() {
    FpCalendar->SetDateKind(FpCalendar->DateKind() == dkSolar ? dkGregorian : dkSolar);
    SetHint();
    CloseYearEdit();
    if (FpCalendar->OnLayoutClick) FpCalendar->OnLayoutClick(FpCalendar);
}

void TSolarTopPanel::CaptionOnClick() { CloseYearEdit(); }

void TSolarTopPanel::ButtonPressed(TSolarButton* button) {
    if (!button->ButtonEnabled()) return;
    const bool solar = FpCalendar->DateKind() == dkSolar;
    if (button == btnNextYear) {
        solar ? ClickNextBtn() : ClickPriorBtn();
    } else if (button == btnPriorYear) {
        solar ? ClickPriorBtn() : ClickNextBtn();
    } else if (button == btnNextMonth) {
        if (solar) {
            ClickNextMonthBtn();
        } else {
            FpCalendar->IncMonth(1);
            CloseYearEdit();
        }
    } else if (button == btnPriorMonth) {
        if (solar) {
            ClickPriorMonthBtn();
        } else {
            FpCalendar->DecMonth(1);
            CloseYearEdit();
        }
    } else if (button == btnLayoutSwitch) {
        ClickLayout();
    }
}

void TSolarTopPanel::PlaceYearEdit() {
    const int top = btnPriorYear->y() + 1;
    if (FpCalendar->DateKind() == dkSolar) {
        FYearEdit->move(btnNextYear->geometry().right() + 1 + 10, top);
        FYearEdit->setLayoutDirection(Qt::RightToLeft);
    } else {
        FYearEdit->move((width() - FYearEdit->width() - FYear->width()) / 2 + btnLayoutSwitch->width() + 10, top);
        FYearEdit->setLayoutDirection(Qt::LeftToRight);
    }
}

void TSolarTopPanel::StartYearEdit() {
    if (!FpCalendar->EnableYearButtons()) return;
    PlaceYearEdit();
    FpCalendar->SetTempYear(FpCalendar->CurrYear());
    FYearEdit->setText(QString::number(FpCalendar->CurrYear()));
    FYear->hide();
    FYearEdit->show();
    FYearEdit->setFocus(Qt::OtherFocusReason);
    FYearEdit->deselect();
    FYearEdit->setCursorPosition(FYearEdit->text().size());
}

void TSolarTopPanel::CloseYearEdit() {
    PlaceYearEdit();
    FYearEdit->setText(QString::number(FpCalendar->CurrYear()));
    FYear->show();
    FYearEdit->hide();
}

bool TSolarTopPanel::YearEditing() const { return FYearEdit->isVisible(); }

void TSolarTopPanel::YearEditStep(bool up) {
    const int y = FYearEdit->yInt();
    if (up ? y >= FYearEdit->yMax : y <= FYearEdit->yMin) return;
    FYearEdit->SetyInt(y + (up ? 1 : -1));
    StepYear(up ? 1 : -1);
    const auto& event = up ? FpCalendar->OnNextClick : FpCalendar->OnPrevClick;
    if (event) event(FpCalendar);
}

void TSolarTopPanel::YearEditEscape() {
    if (FpCalendar->TempYear() != FpCalendar->CurrYear()) FpCalendar->ChangeYear(FpCalendar->TempYear());
    CloseYearEdit();
}

void TSolarTopPanel::YearEditEnter() {
    const int y = FYearEdit->yInt();
    const bool accepted = FpCalendar->DateKind() == dkSolar ? y >= kFirstSolarYear : y >= kFirstGregorianYear;
    if (accepted && y != FpCalendar->CurrYear()) FpCalendar->ChangeYear(y);
    CloseYearEdit();
    FpCalendar->Grid()->setFocus(Qt::OtherFocusReason);
}

void TSolarTopPanel::RepaintAll() {
    update();
    for (TSolarButton* b : {btnNextYear, btnLayoutSwitch, btnPriorYear, btnPriorMonth, btnNextMonth}) b->update();
}

void TSolarTopPanel::mousePressEvent(QMouseEvent* event) {
    CaptionOnClick();
    QWidget::mousePressEvent(event);
}

void TSolarTopPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient caption(0, 0, 0, height());
    caption.setColorAt(0, FpCalendar->ColorCaptionStart());
    caption.setColorAt(1, FpCalendar->ColorCaptionStop());
    p.fillRect(rect(), caption);
}
