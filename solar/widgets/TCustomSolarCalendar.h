#pragma once
// The month calendar control: caption panel, weekday headings, day grid, today
// line and month name, 217 by 170 pixels, for solar and Gregorian dates. It
// holds one selected date as text (OutDate) and does date arithmetic on it.
#include <QColor>
#include <QPointer>
#include <QWidget>
#include <array>

#include "solar/logic/MonthLayout.h"
#include "solar/logic/SolarTypes.h"
#include "solar/widgets/SolarLook.h"

class QComboBox;
class QLabel;
class QMenu;
class QActionGroup;
class TSolarLabel;
class TSolarTopPanel;
class TSolarGrid;
class TDataSource;
class TFieldDataLink;

class TCustomSolarCalendar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 217;
    static constexpr int kHeight = 170;

    explicit TCustomSolarCalendar(QWidget* parent = nullptr);
    ~TCustomSolarCalendar() override;

    // Published properties.
    bool EnableYearButtons() const { return FEnabledYearButton; }
    void SetEnableYearButtons(bool value);
    bool EnableYearMonth() const { return FEnabledMonthButton; }
    void SetEnableYearMonth(bool value);
    TMonthObject MonthObject() const { return FMonthObject; }
    void SetMonthObject(TMonthObject value);
    QString MiladiDate() const { return FMiladi; }
    void SetMiladiDate(const QString& value) { FMiladi = value; }
    QString SolarDate() const { return FSolar; }
    void SetSolarDate(const QString& value) { FSolar = value; }
    QString HintText() const { return FTextHint; }
    void SetHintText(const QString& value) { FTextHint = value; }
    TDateKind DateKind() const { return FDateKind; }
    void SetDateKind(TDateKind value);
    QColor DisableCellColor() const { return FDisableCellColor; }
    void SetDisableCellColor(const QColor& c) { FDisableCellColor = c; }
    QColor OddRowColor() const { return FOddRowColor; }
    void SetOddRowColor(const QColor& c) { FOddRowColor = c; }
    QColor EvenRowColor() const { return FEvenRowColor; }
    void SetEvenRowColor(const QColor& c) { FEvenRowColor = c; }
    TMonthPosition MonthPosition() const { return FMonthPosition; }
    void SetMonthPosition(TMonthPosition p) { FMonthPosition = p; }
    QColor CellFontColor() const { return FCellFontColor; }
    void SetCellFontColor(const QColor& c) { FCellFontColor = c; }
    QColor SelectedCellFontColor() const { return FSelectedCellFontColor; }
    void SetSelectedCellFontColor(const QColor& c) { FSelectedCellFontColor = c; }
    bool ShowToDay() const { return FShowToDay; }
    void SetShowToDay(bool value);
    bool VisibleLayoutSwitch() const { return FVisibleLayoutSwitch; }
    void SetVisibleLayoutSwitch(bool value);
    TMonthCaptionSet EnabledDays() const { return FEnabledDays; }
    void SetEnabledDays(TMonthCaptionSet days) { FEnabledDays = days; }

    QColor ColorCaptionStart() const { return FColorCaptionStart; }
    QColor ColorCaptionStop() const { return FColorCaptionStop; }
    QColor ColorBodyStart() const { return FColorBodyStart; }
    QColor ColorBodyStop() const { return FColorBodyStop; }
    QColor ColorTodayLine() const { return FColorTodayLine; }
    QColor ColorSelectBrush() const { return FColorSelectBrush; }
    QColor ColorDisableMonth() const { return FColorDisableMonth; }
    QColor ColorVacationDay() const { return FColorVacationDay; }
    QColor ColorNormalDay() const { return FColorNormalDay; }
    void SetColorCaptionStart(const QColor& c);
    void SetColorCaptionStop(const QColor& c);
    void SetColorBodyStart(const QColor& c);
    void SetColorBodyStop(const QColor& c);
    void SetColorTodayLine(const QColor& c);
    void SetColorSelectBrush(const QColor& c);
    void SetColorDisableMonth(const QColor& c);
    void SetColorVacationDay(const QColor& c);
    void SetColorNormalDay(const QColor& c);
    TColorStyle ColorStyle() const { return FColorStyle; }
    void SetColorStyle(TColorStyle style);
    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle style);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    QString DataField() const;
    void SetDataField(const QString& field);
    TDataFieldType DataFieldType() const { return FDataFieldType; }
    void SetDataFieldType(TDataFieldType t) { FDataFieldType = t; }
    bool DataFieldAutoSaveModified() const { return FDataFieldAutoSaveModified; }
    void SetDataFieldAutoSaveModified(bool v) { FDataFieldAutoSaveModified = v; }
    bool ChangePersianFridayCaption() const { return FChangePersianFridayCaption; }
    void SetChangePersianFridayCaption(bool v) { FChangePersianFridayCaption = v; }

    orv::solar::TNotifyEvent OnDayClick, OnNextClick, OnPrevClick, OnNextMonthClick, OnPrevMonthClick,
        OnLayoutClick;

    // Public properties.
    QString InDate() const { return FInDate; }
    void SetInDate(const QString& text);
    QString OutDate;
    QString MonthName() const;
    QString DayName() const;

    // Date operations on OutDate; those that move the calendar return the new OutDate.
    QString IncYear(int count);
    QString IncMonth(int count);
    QString IncDay(int count);
    QString DecYear(int count);
    QString DecMonth(int count);
    QString DecDay(int count);
    QString GotoYear(int year);
    QString GotoMonth(int month);
    QString GotoDay(int day);
    QString LIncYear(int count) const;
    QString LIncMonth(int count) const;
    QString LIncDay(int count) const;
    QString LDecYear(int count) const;
    QString LDecMonth(int count) const;
    QString LDecDay(int count) const;
    QString ConvertDate() const;
    int ConvertMonth() const;
    int ConvertYear() const;
    int DaysBetween(const QString& ANow, const QString& AThen) const;
    QString GetRawDate() const;
    QString GetDateWithDiv(const QString& divider) const;
    int GetWeekRemainDays() const;
    int GetWeekRemainDays(const QString& ADate, TDateKind ADateKind) const;
    int GetMonthRemainDay() const;
    int GetMonthRemainDay(const QString& ADate, TDateKind ADateKind) const;
    int GetYearRemainDays() const;
    int GetYearRemainDays(const QString& ADate, TDateKind ADateKind) const;
    int DayOfWeek() const;
    int DayOfWeek(const QString& ADate, TDateKind ADateKind) const;
    int WeekOfTheYear() const;
    int WeekOfTheYear(const QString& ADate, TDateKind ADateKind) const;
    QString YearScript(int year, TFormat format) const;
    QString MonthScript(int month) const;
    QString DayScript(int day) const;
    QString YMDScript(TMonthType monthType, const QString& divider) const;

    // Used by the grid and the caption panel.
    Word CurrYear() const { return FCurrYear; }
    Word CurrMonth() const { return FCurrMonth; }
    Word CurrDay() const { return FCurrDay; }
    int PrevMenuItem() const { return FPrevMenuItem; }
    int FirstCell() const { return FFirstCell; }
    TCell LastCell() const { return FLastCell; }
    const orv::solar::MonthLayout& Layout() const { return FLayout; }
    int RoundButton() const { return FRoundButton; }
    int RoundSelect() const { return FRoundSelect; }
    int TempYear() const { return FTempYear; }
    void SetTempYear(int year) { FTempYear = year; }
    TSolarTopPanel* TopPanel() const { return FTopPanel; }
    TSolarGrid* Grid() const { return FGrid; }
    QComboBox* MonthCombo() const { return FMonthCombo; }
    QMenu* MonthMenu() const { return FMenu; }
    TSolarLabel* TodayLabel() const { return FToDay; }
    QLabel* MonthLabel() const;
    const std::array<TSolarLabel*, 7>& Headings() const { return FHeadings; }
    uint8_t LastCol = 0, LastRow = 0;

    void DaySelect(int col, int row);
    void LayOutMonth();
    // The year caption, OutDate and the layout follow a new year.
    void ChangeYear(int year);
    void GridClicked();
    // Today in the shown calendar.
    void TodayParts(Word& year, Word& month, Word& day) const;
    void ChooseMonth(int month);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Build();
    void BuildMonthChooser();
    void PlaceBottomLine();
    void ApplyDateParts();
    void SetColor(QColor& field, const QColor& c);
    void DataChange();
    QString MovedTo(const std::string& text);

    TSolarLabel* FToDay = nullptr;
    std::array<TSolarLabel*, 7> FHeadings{};  // FSat, FSun, FMon, FTus, FThu, FWed, FFri
    TSolarTopPanel* FTopPanel = nullptr;
    TSolarGrid* FGrid = nullptr;
    QMenu* FMenu = nullptr;
    QActionGroup* FMenuGroup = nullptr;
    TSolarLabel* FMonth = nullptr;
    QString FMiladi, FSolar;
    TMonthObject FMonthObject = moPopupMenu;
    bool FEnabledYearButton = true;
    QString FTextHint;
    TDateKind FDateKind = dkSolar;
    int FPrevMenuItem = 1;
    Word FCurrYear = 0, FCurrMonth = 0, FCurrDay = 0;
    QColor FDisableCellColor = Qt::white, FOddRowColor = Qt::black, FEvenRowColor = Qt::black;
    TMonthPosition FMonthPosition = mpBottomRight;
    QColor FCellFontColor = Qt::black, FSelectedCellFontColor = Qt::red;
    QComboBox* FMonthCombo = nullptr;
    QString FInDate;
    int FFirstCell = -1;
    TCell FLastCell;
    bool FShowToDay = true;
    int FTempYear = 0;
    bool FVisibleLayoutSwitch = true;
    TMonthCaptionSet FEnabledDays = TMonthCaptionSet::All();
    QColor FColorCaptionStart, FColorCaptionStop, FColorBodyStart, FColorBodyStop, FColorTodayLine,
        FColorSelectBrush, FColorDisableMonth, FColorVacationDay, FColorNormalDay;
    int FRoundButton = 8, FRoundSelect = 8;
    TColorStyle FColorStyle = csWhiteGray;
    TButtonStyle FButtonStyle = bsRound;
    TFieldDataLink* FDataLink = nullptr;
    bool FEnabledMonthButton = true;
    TDataFieldType FDataFieldType = dftSolar;
    bool FDataFieldAutoSaveModified = false, FChangePersianFridayCaption = false;
    orv::solar::MonthLayout FLayout;
    bool FClickDetached = false;
    bool FHovered = false;
};
