#include "solar/widgets/TCustomSolarCalendar.h"

#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>

#include "solar/core/CivilDays.h"
#include "solar/logic/DateNames.h"
#include "solar/widgets/TFieldDataLink.h"
#include "solar/widgets/TSolarGrid.h"
#include "solar/widgets/TSolarLabel.h"
#include "solar/widgets/TSolarTopPanel.h"

using namespace orv::solar;

namespace {

const QColor kNavy(0, 0, 128);
const QColor kHeadingGreen(0, 128, 0);
const QColor kTodayHover(0, 0, 255);
const QColor kTodayVisited(75, 75, 75);

QString TodayGregorianYmd() {
    const auto ymd = orv::days::ToGregorian(TPublicUtils::LocalToday().time_since_epoch().count());
    return QString::asprintf("%04d/%02d/%02d", ymd.year, ymd.month, ymd.day);
}

}  // namespace

TCustomSolarCalendar::TCustomSolarCalendar(QWidget* parent) : QWidget(parent) {
    setFont(CalendarFont());
    setLayoutDirection(Qt::LeftToRight);
    setAutoFillBackground(false);
    SetButtonStyle(bsRound);
    SetColorStyle(csWhiteGray);
    setFixedSize(kWidth, kHeight);

    FMiladi = TodayGregorianYmd();
    FSolar = Q(TPublicUtils::FillDate(dkSolar));
    OutDate = Q(TPublicUtils::FillDate(FDateKind));
    TPublicUtils::SeparateYMD(S(OutDate), FDateKind, FCurrYear, FCurrMonth, FCurrDay);

    FTopPanel = new TSolarTopPanel(this);
    FGrid = new TSolarGrid(this, this);
    FGrid->OnClick = [this](QObject*) { GridClicked(); };
    FToDay = new TSolarLabel(this);
    for (auto& heading : FHeadings) heading = new TSolarLabel(this);
    FMonth = new TSolarLabel(this);
    FMenu = new QMenu(this);
    FDataLink = new TFieldDataLink(this);
    FDataLink->OnDataChange = [this] { DataChange(); };

    QFont todayFont = font();
    todayFont.setUnderline(true);
    FToDay->setFont(todayFont);
    FToDay->setCursor(Qt::PointingHandCursor);
    FToDay->setObjectName(QStringLiteral("FToDay"));
    connect(FToDay, &TSolarLabel::entered, this, [this] {
        FHovered = true;
        FToDay->setStyleSheet(QStringLiteral("color: %1").arg(kTodayHover.name()));
    });
    connect(FToDay, &TSolarLabel::left, this,
            [this] { FToDay->setStyleSheet(QStringLiteral("color: %1").arg(kTodayVisited.name())); });
    connect(FToDay, &TSolarLabel::clicked, this, [this] {
        SetInDate(Q(TPublicUtils::FillDate(FDateKind)));
        FTopPanel->CloseYearEdit();
    });
    FMonth->setObjectName(QStringLiteral("FMonth"));
    Build();
}

TCustomSolarCalendar::~TCustomSolarCalendar() = default;

QLabel* TCustomSolarCalendar::MonthLabel() const { return FMonth; }

void TCustomSolarCalendar::Build() {
    FPrevMenuItem = FCurrMonth;
    const bool solar = FDateKind == dkSolar;

    FGrid->setGeometry(0, 50, kWidth, 96);
    FGrid->setLayoutDirection(solar ? Qt::RightToLeft : Qt::LeftToRight);
    FGrid->SetCellSize(30, 15);
    FGrid->SetSGr_ColCount(kGridCols);
    FGrid->SetSGr_RowCount(kGridRows);

    FToDay->setStyleSheet(QStringLiteral("color: %1").arg((FHovered ? kTodayVisited : kNavy).name()));
    FToDay->setText(solar ? QString::fromUtf8("امروز : ") + Q(TPublicUtils::FillDate(dkSolar))
                          : QStringLiteral("Today : %1").arg(Q(TPublicUtils::FillDate(dkGregorian))));
    FToDay->adjustSize();
    FToDay->move(5, 150);
    FToDay->setVisible(FShowToDay);

    for (size_t i = 0; i < FHeadings.size(); ++i) {
        TSolarLabel* heading = FHeadings[i];
        const QColor c = i == FHeadings.size() - 1 ? FColorVacationDay : kHeadingGreen;
        // The colour first: a style sheet set later would measure the text again after the size is fixed.
        heading->setStyleSheet(QStringLiteral("color: %1").arg(c.name()));
        heading->setText(Q(solar ? kHeadings[i].solar : kHeadings[i].gregorian));
        heading->ensurePolished();
        heading->adjustSize();
        heading->setGeometry(kHeadings[i].left, 30, heading->sizeHint().width(), 17);
        heading->setAlignment(Qt::AlignLeft | Qt::AlignVCenter | Qt::AlignAbsolute);
    }

    FMonth->setStyleSheet(QStringLiteral("color: %1").arg(kNavy.name()));
    FMonth->setLayoutDirection(solar ? Qt::RightToLeft : Qt::LeftToRight);
    FTopPanel->Panel_Set_Object_Mode();
    BuildMonthChooser();
    LayOutMonth();
    FTopPanel->SetHint();
}

void TCustomSolarCalendar::PlaceBottomLine() {
    FMonth->adjustSize();
    FToDay->adjustSize();
    if (FDateKind == dkSolar) {
        FMonth->move(kWidth - 4 - FMonth->width(), 150);
        FToDay->move(5, 150);
    } else {
        FMonth->move(4, 150);
        FToDay->move(kWidth - 2 - FToDay->width(), 150);
    }
}

void TCustomSolarCalendar::BuildMonthChooser() {
    delete FMenuGroup;
    FMenuGroup = nullptr;
    FMenu->clear();
    FGrid->setContextMenuPolicy(Qt::NoContextMenu);
    if (FMonthObject != moComboBox && FMonthCombo) {
        delete FMonthCombo;
        FMonthCombo = nullptr;
    }
    FMonth->setVisible(FMonthObject != moComboBox);
    if (FMonthObject == moPopupMenu) {
        FMenuGroup = new QActionGroup(FMenu);
        FMenuGroup->setExclusive(true);
        for (int m = 1; m <= 12; ++m) {
            QAction* item = FMenu->addAction(Q(MonthMenuName(FDateKind, m)));
            item->setCheckable(true);
            item->setChecked(m == FPrevMenuItem);
            FMenuGroup->addAction(item);
            connect(item, &QAction::triggered, this, [this, m] { ChooseMonth(m); });
        }
        FGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    } else if (FMonthObject == moComboBox) {
        if (!FMonthCombo) {
            FMonthCombo = new QComboBox(this);
            FMonthCombo->setObjectName(QStringLiteral("FMonthCombo"));
            connect(FMonthCombo, &QComboBox::activated, this, [this](int index) { ChooseMonth(index + 1); });
        }
        const QSignalBlocker block(FMonthCombo);
        FMonthCombo->clear();
        for (int m = 1; m <= 12; ++m) FMonthCombo->addItem(Q(MonthMenuName(FDateKind, m)));
        FMonthCombo->setMaxVisibleItems(12);
        const bool solar = FDateKind == dkSolar;
        FMonthCombo->setLayoutDirection(solar ? Qt::RightToLeft : Qt::LeftToRight);
        FMonthCombo->setGeometry(solar ? 135 : 2, 147, 80, FMonthCombo->sizeHint().height());
        FMonthCombo->setCurrentIndex(FPrevMenuItem - 1);
        FMonthCombo->show();
    }
}

void TCustomSolarCalendar::LayOutMonth() {
    FClickDetached = true;
    FLayout = orv::solar::LayOutMonth(FDateKind, FCurrYear, FCurrMonth, FCurrDay, FMonthObject);
    FFirstCell = FLayout.FirstCell;
    FLastCell = FLayout.LastCell;
    FMonth->setText(MonthName());
    PlaceBottomLine();
    for (int c = 0; c < FGrid->SGr_ColCount(); ++c)
        for (int r = 0; r < FGrid->SGr_RowCount(); ++r)
            FGrid->Cell(c, r)->Setcl_Text(c < kGridCols && r < kGridRows ? Q(FLayout.Cells[c][r]) : QString());
    FGrid->SelectCell(FLayout.Selected.Col, FLayout.Selected.Row);
    FClickDetached = false;
    FGrid->update();
}

void TCustomSolarCalendar::GridClicked() {
    if (!FClickDetached && OnDayClick) OnDayClick(this);
}

void TCustomSolarCalendar::TodayParts(Word& year, Word& month, Word& day) const {
    TPublicUtils::SeparateYMD(TPublicUtils::FillDate(FDateKind), FDateKind, year, month, day);
}

void TCustomSolarCalendar::ApplyDateParts() {
    TPublicUtils::SeparateYMD(S(OutDate), FDateKind, FCurrYear, FCurrMonth, FCurrDay);
}

void TCustomSolarCalendar::SetInDate(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return;
    Word y = 0, m = 0, d = 0;
    TPublicUtils::SeparateYMD(S(trimmed), FDateKind, y, m, d);
    if (y == 0 || m == 0 || d == 0) {
        // Refused: the previous date stays selected.
        ShowMessage(this, InvalidDateText(FDateKind));
        return;
    }
    FInDate = trimmed;
    FCurrYear = y;
    FCurrMonth = m;
    FCurrDay = d;
    FTopPanel->SetYearCaption(y);
    FPrevMenuItem = m;
    if (FMenuGroup && m >= 1 && m <= 12) FMenuGroup->actions().at(m - 1)->setChecked(true);
    if (FMonthCombo) {
        const QSignalBlocker block(FMonthCombo);
        FMonthCombo->setCurrentIndex(m - 1);
    }
    OutDate = FInDate;
    LayOutMonth();
}

void TCustomSolarCalendar::ChangeYear(int year) {
    FCurrYear = static_cast<Word>(year);
    FTopPanel->SetYearCaption(FCurrYear);
    // A day the month lacks in the new year (the 30th of the twelfth solar month) becomes its last day.
    FCurrDay = std::min<Word>(FCurrDay, TPublicUtils::DaysOfMonth(FDateKind, FCurrYear, FCurrMonth));
    OutDate = Q(TPublicUtils::ConcatenateDate(FCurrYear, FCurrMonth, FCurrDay, FDateKind));
    LayOutMonth();
}

void TCustomSolarCalendar::ChooseMonth(int month) {
    if (month < 1 || month > 12) return;
    if (FMenuGroup) FMenuGroup->actions().at(month - 1)->setChecked(true);
    if (FMonthCombo) {
        const QSignalBlocker block(FMonthCombo);
        FMonthCombo->setCurrentIndex(month - 1);
    }
    FPrevMenuItem = month;
    FCurrMonth = static_cast<Word>(month);
    FCurrDay = std::min<Word>(FCurrDay, TPublicUtils::DaysOfMonth(FDateKind, FCurrYear, FCurrMonth));
    OutDate = Q(TPublicUtils::ConcatenateDate(FCurrYear, FCurrMonth, FCurrDay, FDateKind));
    FInDate = OutDate;
    LayOutMonth();
}

void TCustomSolarCalendar::DaySelect(int col, int row) {
    if (col < 0 || col >= kGridCols || row < 0 || row >= kGridRows) return;
    if (!FEnabledDays.Contains(CaptionOfColumn(col))) return;
    const bool chooser = FMonthObject != moNone;
    if (IsBeforeMonth(FLayout, col, row)) {
        if (chooser) {
            if (FCurrMonth == 1) {
                ChooseMonth(12);
                ChangeYear(FCurrYear - 1);
            } else {
                ChooseMonth(FCurrMonth - 1);
            }
        }
    } else if (IsAfterMonth(FLayout, col, row)) {
        if (chooser) {
            if (FCurrMonth == 12) {
                ChooseMonth(1);
                ChangeYear(FCurrYear + 1);
            } else {
                ChooseMonth(FCurrMonth + 1);
            }
        }
    } else {
        const Word day = static_cast<Word>(FGrid->Cell(col, row)->cl_Text().toUInt());
        OutDate = Q(TPublicUtils::ConcatenateDate(FCurrYear, FCurrMonth, day, FDateKind));
        LastCol = static_cast<uint8_t>(col);
        LastRow = static_cast<uint8_t>(row);
        FGrid->setToolTip(QStringLiteral("%1 %2 %3").arg(day).arg(MonthName()).arg(FCurrYear));
    }
    ApplyDateParts();
    FInDate = OutDate;
    FTopPanel->CloseYearEdit();
}

QString TCustomSolarCalendar::MonthName() const {
    Word y = 0, m = 0, d = 0;
    TPublicUtils::SeparateYMD(S(OutDate), FDateKind, y, m, d);
    return Q(MonthNameWithMah(FDateKind, m));
}

QString TCustomSolarCalendar::DayName() const { return Q(ColumnDayName(FDateKind, FGrid->SGr_Col())); }

void TCustomSolarCalendar::SetEnableYearButtons(bool value) {
    FEnabledYearButton = value;
    FTopPanel->SetYearButton(value);
}

void TCustomSolarCalendar::SetEnableYearMonth(bool value) {
    FEnabledMonthButton = value;
    FTopPanel->SetMonthButton(value);
}

void TCustomSolarCalendar::SetMonthObject(TMonthObject value) {
    if (value == FMonthObject) return;
    FMonthObject = value;
    BuildMonthChooser();
    LayOutMonth();
}

void TCustomSolarCalendar::SetShowToDay(bool value) {
    FShowToDay = value;
    FToDay->setVisible(value);
}

void TCustomSolarCalendar::SetVisibleLayoutSwitch(bool value) {
    FVisibleLayoutSwitch = value;
    FTopPanel->SetLayoutSwitchVisible(value);
}

void TCustomSolarCalendar::SetDateKind(TDateKind value) {
    if (value == FDateKind) return;
    FMiladi.clear();
    FSolar.clear();
    const QString source = FInDate.isEmpty() ? OutDate : FInDate;
    QString converted = Q(TPublicUtils::ConvertDate(S(source), FDateKind));
    FDateKind = value;
    if (!TPublicUtils::IsDateValid(FDateKind, S(converted))) converted = Q(TPublicUtils::FillDate(FDateKind));
    OutDate = converted;
    FInDate = converted;
    ApplyDateParts();
    Build();
}

void TCustomSolarCalendar::SetColor(QColor& field, const QColor& c) {
    field = c;
    FColorStyle = csCustom;
    update();
    if (FTopPanel) FTopPanel->RepaintAll();
    if (FGrid) FGrid->update();
}

void TCustomSolarCalendar::SetColorCaptionStart(const QColor& c) { SetColor(FColorCaptionStart, c); }
void TCustomSolarCalendar::SetColorCaptionStop(const QColor& c) { SetColor(FColorCaptionStop, c); }
void TCustomSolarCalendar::SetColorBodyStart(const QColor& c) { SetColor(FColorBodyStart, c); }
void TCustomSolarCalendar::SetColorBodyStop(const QColor& c) { SetColor(FColorBodyStop, c); }
void TCustomSolarCalendar::SetColorTodayLine(const QColor& c) { SetColor(FColorTodayLine, c); }
void TCustomSolarCalendar::SetColorSelectBrush(const QColor& c) { SetColor(FColorSelectBrush, c); }
void TCustomSolarCalendar::SetColorDisableMonth(const QColor& c) { SetColor(FColorDisableMonth, c); }
void TCustomSolarCalendar::SetColorNormalDay(const QColor& c) { SetColor(FColorNormalDay, c); }

void TCustomSolarCalendar::SetColorVacationDay(const QColor& c) {
    SetColor(FColorVacationDay, c);
    if (FHeadings.back()) FHeadings.back()->setStyleSheet(QStringLiteral("color: %1").arg(c.name()));
}

void TCustomSolarCalendar::SetColorStyle(TColorStyle style) {
    FColorStyle = style;
    if (const auto row = orv::color::StyleRow(style)) {
        FColorCaptionStart = ToQColor(row->CaptionStart);
        FColorCaptionStop = ToQColor(row->CaptionStop);
        FColorBodyStart = ToQColor(row->BodyStart);
        FColorBodyStop = ToQColor(row->BodyStop);
        FColorTodayLine = ToQColor(row->TodayLine);
        FColorSelectBrush = ToQColor(row->SelectBrush);
        FColorDisableMonth = ToQColor(row->DisableMonth);
        FColorVacationDay = ToQColor(row->VacationDay);
        FColorNormalDay = ToQColor(row->NormalDay);
        if (FHeadings.back())
            FHeadings.back()->setStyleSheet(QStringLiteral("color: %1").arg(FColorVacationDay.name()));
    }
    if (FTopPanel) {
        FTopPanel->SetYearCaptionColor(style == csWhiteBlack ? QColor(240, 255, 255) : QColor(Qt::black));
        FTopPanel->RepaintAll();
    }
    if (FGrid) FGrid->update();
    update();
}

void TCustomSolarCalendar::SetButtonStyle(TButtonStyle style) {
    FButtonStyle = style;
    FRoundButton = FRoundSelect = style == bsRound ? 8 : 0;
    if (FTopPanel) FTopPanel->RepaintAll();
    if (FGrid) FGrid->update();
    update();
}

TDataSource* TCustomSolarCalendar::DataSource() const { return FDataLink->DataSource(); }

void TCustomSolarCalendar::SetDataSource(TDataSource* source) {
    FDataLink->SetDataSource(source);
    if (!source) FDataLink->SetFieldName({});
}

QString TCustomSolarCalendar::DataField() const { return FDataLink->FieldName(); }

void TCustomSolarCalendar::SetDataField(const QString& field) { FDataLink->SetFieldName(field); }

void TCustomSolarCalendar::DataChange() {
    if (!FDataLink->Bound()) return;
    const QString text = FDataLink->FieldText();
    if (text.trimmed().isEmpty()) return;
    const bool dateField = FDataLink->IsDateField();
    if (FDateKind == dkSolar && FDataFieldType == dftSolar) {
        SetInDate(dateField ? Q(TPublicUtils::GregorianToSolar(S(FDataLink->FieldGregorianText()))) : text);
    } else if (FDateKind == dkGregorian && !dateField && FDataFieldType == dftGregorian) {
        SetInDate(text);
    } else if (FDateKind == dkGregorian && dateField) {
        // A date field in a Gregorian calendar shows its own day.
        SetInDate(FDataLink->FieldGregorianText());
    }
}

void TCustomSolarCalendar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (event->size() != QSize(kWidth, kHeight)) resize(kWidth, kHeight);
}

void TCustomSolarCalendar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
}
