#pragma once
// The date field: an edit with a drop-down month calendar whose text is a date
// of its calendar kind. It keeps the last date it parsed, steps its date, names
// its week day and month, spells it in Persian words, validates it when the
// focus leaves and can be bound to a database field.
#include <QColor>

#include "solar/logic/SolarTypes.h"
#include "solar/widgets/SolarLook.h"
#include "solar/widgets/TCustomButtonEdit.h"

class TCustomSolarCalendar;
class TDataSource;
class TFieldDataLink;
class TPopupForm;

class TSolarDatePicker : public TCustomButtonEdit {
    Q_OBJECT
public:
    explicit TSolarDatePicker(QWidget* parent = nullptr);
    ~TSolarDatePicker() override;

    // Published properties.
    TDateKind DateKind() const { return FDateKind; }
    void SetDateKind(TDateKind kind) { FDateKind = kind; }
    QString PersianInvalidDateMessage() const { return FPersianMessage; }
    void SetPersianInvalidDateMessage(const QString& text) { FPersianMessage = text; }
    QString EnglishInvalidDateMessage() const { return FEnglishMessage; }
    void SetEnglishInvalidDateMessage(const QString& text) { FEnglishMessage = text; }
    bool CheckInputOnExit() const { return FCheckInputOnExit; }
    void SetCheckInputOnExit(bool value) { FCheckInputOnExit = value; }
    TDivider Divider() const { return FDivider; }
    void SetDivider(TDivider divider);
    QChar DividerStr() const { return FDividerStr; }
    bool ShowToDay() const { return FShowToDay; }
    void SetShowToDay(bool value) { FShowToDay = value; }
    TMonthObject MonthObject() const { return FMonthObject; }
    void SetMonthObject(TMonthObject value) { FMonthObject = value; }
    TGlyphType Glyph() const { return FGlyph; }
    void SetGlyph(TGlyphType glyph);
    bool ShowDefaultDate() const { return FShowDefaultDate; }
    void SetShowDefaultDate(bool value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool value);
    bool AutoDeleteDelimiter() const { return FAutoDeleteDelimiter; }
    void SetAutoDeleteDelimiter(bool value) { FAutoDeleteDelimiter = value; }
    TMonthCaptionSet EnabledDays() const { return FEnabledDays; }
    void SetEnabledDays(TMonthCaptionSet days) { FEnabledDays = days; }
    bool MaskEnabled() const { return FMaskEnabled; }
    void SetMaskEnabled(bool value) { FMaskEnabled = value; }
    QColor ColorCaptionStart() const { return FColors[0]; }
    QColor ColorCaptionStop() const { return FColors[1]; }
    QColor ColorBodyStart() const { return FColors[2]; }
    QColor ColorBodyStop() const { return FColors[3]; }
    QColor ColorTodayLine() const { return FColors[4]; }
    QColor ColorSelectBrush() const { return FColors[5]; }
    QColor ColorDisableMonth() const { return FColors[6]; }
    QColor ColorVacationDay() const { return FColors[7]; }
    QColor ColorNormalDay() const { return FColors[8]; }
    void SetColorCaptionStart(const QColor& c) { FColors[0] = c; }
    void SetColorCaptionStop(const QColor& c) { FColors[1] = c; }
    void SetColorBodyStart(const QColor& c) { FColors[2] = c; }
    void SetColorBodyStop(const QColor& c) { FColors[3] = c; }
    void SetColorTodayLine(const QColor& c) { FColors[4] = c; }
    void SetColorSelectBrush(const QColor& c) { FColors[5] = c; }
    void SetColorDisableMonth(const QColor& c) { FColors[6] = c; }
    void SetColorVacationDay(const QColor& c) { FColors[7] = c; }
    void SetColorNormalDay(const QColor& c) { FColors[8] = c; }
    TColorStyle ColorStyle() const { return FColorStyle; }
    void SetColorStyle(TColorStyle style);
    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle style) { FButtonStyle = style; }
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    QString DataField() const;
    void SetDataField(const QString& field);
    TDataFieldType DataFieldType() const { return FDataFieldType; }
    void SetDataFieldType(TDataFieldType t) { FDataFieldType = t; }
    bool DataFieldAutoSaveModified() const { return FDataFieldAutoSaveModified; }
    void SetDataFieldAutoSaveModified(bool v) { FDataFieldAutoSaveModified = v; }
    void SetEnabled(bool value) override;

    orv::solar::TNotifyEvent OnButtonClick, OnNextClick, OnPrevClick, OnNextMonthClick, OnPrevMonthClick,
        OnLayoutClick, OnExit;
    // The typed character after the typing aids took it (the edit's key-press event).
    std::function<void(QChar)> OnKeyPress;

    // Public properties.
    int Year() const;
    int Month() const;
    int Day() const;
    void SetYear(int year);
    void SetMonth(int month);
    void SetDay(int day);
    QString DayName() const;
    QString MonthName() const;
    TCustomSolarCalendar* SolarCalendar() const;

    // Operations on the text.
    QString IncYear(int ANumberOfYear);
    QString IncMonth(int ANumberOfMonth);
    QString IncDay(int ANumberOfDay);
    QString DecYear(int ANumberOfYear);
    QString DecMonth(int ANumberOfMonth);
    QString DecDay(int ANumberOfDay);
    QString GotoYear(int AYear);
    QString GotoMonth(int AMonth);
    QString GotoDay(int ADay);
    QString ConvertDate() const;
    int ConvertYear() const;
    int ConvertMonth() const;
    int DaysBetween(const QString& ANow, const QString& AThen) const;
    QString GetRawDate() const;
    QString GetDateWithDiv(const QString& divider) const;
    int GetWeekRemainDays() const;
    int GetWeekRemainDays(const QString& ADate, TDateKind ADateKind) const;
    int DayOfWeek() const;
    int DayOfWeek(const QString& ADate, TDateKind ADateKind) const;
    int GetMonthRemainDay() const;
    int GetMonthRemainDay(const QString& ADate, TDateKind ADateKind) const;
    int GetYearRemainDays() const;
    int GetYearRemainDays(const QString& ADate, TDateKind ADateKind) const;
    int WeekOfTheYear() const;
    int WeekOfTheYear(const QString& ADate, TDateKind ADateKind) const;
    QString YearScript(int year, TFormat format) const;
    QString MonthScript(int month) const;
    QString DayScript(int day) const;
    QString YMDScript(TMonthType monthType, const QString& divider) const;
    int Len() const { return static_cast<int>(text().size()); }
    void Drop();
    void Close();

    void DoButtonClick() override;
    QString InvalidDateMessage() const;
    void ShowInvalidDateMessage();

    // The drop-down hands a picked date back through these.
    void PickedByDoubleClick(const QString& date, TDateKind kind);
    void PickedByEnter(const QString& date, TDateKind kind);
    // The parts of the text from the date engine; false when they are no valid date.
    bool ParseText();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void TextChanged();
    void DataChange();
    bool SwitchLayout();
    bool TypingAid(QKeyEvent* event);
    bool SteppingKey(QKeyEvent* event);
    QString Stepped(const std::string& result);
    void ResetParts() const;
    void SetPart(int index, int value);

    mutable Word FCurrYear = 0, FCurrMonth = 0, FCurrDay = 0;
    TFieldDataLink* FDataLink;
    QChar FDividerStr = u'/';
    TDateKind FDateKind = dkSolar;
    QString FPersianMessage, FEnglishMessage;
    bool FCheckInputOnExit = false;
    TDivider FDivider = dSlash;
    bool FShowToDay = true;
    TMonthObject FMonthObject = moPopupMenu;
    TGlyphType FGlyph = gtCalendar;
    bool FShowDefaultDate = false;
    bool FAutoCheck = false;
    bool FAutoDeleteDelimiter = false;
    TMonthCaptionSet FEnabledDays = TMonthCaptionSet::All();
    bool FMaskEnabled = false;
    QColor FColors[9];
    TColorStyle FColorStyle = csWhiteGray;
    TButtonStyle FButtonStyle = bsRound;
    TDataFieldType FDataFieldType = dftSolar;
    bool FDataFieldAutoSaveModified = false;
};
