#include "solar/widgets/TSolarDatePicker.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QToolButton>

#include "solar/core/CivilDays.h"
#include "solar/logic/DateNames.h"
#include "solar/logic/DateScript.h"
#include "solar/widgets/SolarGlyphs.h"
#include "solar/widgets/TCustomSolarCalendar.h"
#include "solar/widgets/TFieldDataLink.h"
#include "solar/widgets/TPopupForm.h"

using namespace orv::solar;
using U = TPublicUtils;

TSolarDatePicker::TSolarDatePicker(QWidget* parent) : TCustomButtonEdit(parent), FDataLink(new TFieldDataLink(this)) {
    setFont(CalendarFont());
    SetColorStyle(csWhiteGray);
    FDataLink->OnDataChange = [this] { DataChange(); };
    connect(this, &QLineEdit::textChanged, this, &TSolarDatePicker::TextChanged);
    SetGlyph(gtCalendar);
}

TSolarDatePicker::~TSolarDatePicker() {
    if (TPopupForm* open = TPopupForm::OpenDropDown(); open && open->Owner() == this) TPopupForm::CloseDropDown();
}

// --- Parsed date -----------------------------------------------------------

void TSolarDatePicker::TextChanged() {
    const QString trimmed = text().trimmed();
    if (trimmed.size() <= 7) return;
    Word y = 0, m = 0, d = 0;
    U::SeparateYMD(S(trimmed), FDateKind, y, m, d);
    if (!U::IsDateValid(FDateKind, y, m, d)) return;
    FCurrYear = y;
    FCurrMonth = m;
    FCurrDay = d;
}

bool TSolarDatePicker::ParseText() {
    Word y = 0, m = 0, d = 0;
    U::SeparateYMD(S(text()), FDateKind, y, m, d);
    if (!U::IsDateValid(FDateKind, y, m, d)) return false;
    FCurrYear = y;
    FCurrMonth = m;
    FCurrDay = d;
    return true;
}

void TSolarDatePicker::ResetParts() const { U::ResetYMD(S(text()), FDateKind, FCurrYear, FCurrMonth, FCurrDay); }

int TSolarDatePicker::Year() const {
    ResetParts();
    return FCurrYear;
}

int TSolarDatePicker::Month() const {
    ResetParts();
    return FCurrMonth;
}

int TSolarDatePicker::Day() const {
    ResetParts();
    return FCurrDay;
}

void TSolarDatePicker::SetPart(int index, int value) {
    ResetParts();
    Word parts[3] = {FCurrYear, FCurrMonth, FCurrDay};
    parts[index] = static_cast<Word>(value);
    setText(Q(U::ConcatenateDate(parts[0], parts[1], parts[2], FDateKind)));
}

void TSolarDatePicker::SetYear(int year) { SetPart(0, year); }
void TSolarDatePicker::SetMonth(int month) { SetPart(1, month); }
void TSolarDatePicker::SetDay(int day) { SetPart(2, day); }

QString TSolarDatePicker::DayName() const {
    if (text().trimmed().isEmpty()) return {};
    Word y = FCurrYear, m = FCurrMonth, d = FCurrDay;
    // Fields that hold no date have no week day.
    if (!U::IsDateValid(FDateKind, y, m, d)) return {};
    if (FDateKind == dkSolar && !U::SolarToGregorian(y, m, d)) return {};
    return Q(WeekDayName(FDateKind, orv::days::GregorianWeekDay(orv::days::FromGregorian(y, m, d))));
}

QString TSolarDatePicker::MonthName() const {
    if (text().trimmed().isEmpty()) return {};
    return Q(MonthNameWithMah(FDateKind, FCurrMonth));
}

// --- Properties ----------------------------------------------------------------

void TSolarDatePicker::SetDivider(TDivider divider) {
    FDivider = divider;
    FDividerStr = QChar::fromLatin1(DividerChar(divider));
}

void TSolarDatePicker::SetGlyph(TGlyphType glyph) {
    FGlyph = glyph;
    const QPixmap loaded = LoadGlyphResource(GlyphResourceName(glyph));
    if (!loaded.isNull()) SharedGlyphBitmap() = loaded;
    FButton->setIcon(QIcon(SharedGlyphBitmap().copy()));
}

void TSolarDatePicker::SetEnabled(bool value) {
    TCustomButtonEdit::SetEnabled(value);
    SetGlyph(FGlyph);
}

void TSolarDatePicker::SetShowDefaultDate(bool value) {
    if (value == FShowDefaultDate) return;
    FShowDefaultDate = value;
    if (value)
        setText(Q(U::FillDate(FDateKind)));
    else
        clear();
}

void TSolarDatePicker::SetAutoCheck(bool value) {
    FAutoCheck = value;
    if (value) clear();
}

void TSolarDatePicker::SetColorStyle(TColorStyle style) {
    FColorStyle = style;
    const auto row = orv::color::StyleRow(style);
    if (!row) return;
    const orv::color::Rgb colors[9] = {row->CaptionStart, row->CaptionStop,  row->BodyStart,
                                       row->BodyStop,     row->TodayLine,    row->SelectBrush,
                                       row->DisableMonth, row->VacationDay,  row->NormalDay};
    for (int i = 0; i < 9; ++i) FColors[i] = ToQColor(colors[i]);
}

TCustomSolarCalendar* TSolarDatePicker::SolarCalendar() const {
    TPopupForm* open = TPopupForm::OpenDropDown();
    return open && open->Owner() == this ? open->Calendar() : nullptr;
}

// --- Messages and validation -------------------------------------------------------

QString TSolarDatePicker::InvalidDateMessage() const {
    if (FDateKind == dkSolar) return FPersianMessage.trimmed().isEmpty() ? InvalidDateText(dkSolar) : FPersianMessage;
    return FEnglishMessage.trimmed().isEmpty() ? InvalidDateText(dkGregorian) : FEnglishMessage;
}

void TSolarDatePicker::ShowInvalidDateMessage() { ShowMessage(this, InvalidDateMessage()); }

void TSolarDatePicker::focusOutEvent(QFocusEvent* event) {
    // Only a move of the focus inside the window is a leaving of the field.
    const bool leaving = event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
    if (leaving && FCheckInputOnExit && !text().trimmed().isEmpty() && !ParseText()) {
        ShowInvalidDateMessage();
        setFocus(Qt::OtherFocusReason);
        return;
    }
    if (leaving && FDataFieldAutoSaveModified && FDataLink->Bound()) FDataLink->WriteText(text(), FDateKind);
    TCustomButtonEdit::focusOutEvent(event);
    if (leaving && OnExit) OnExit(this);
}

// --- Keys --------------------------------------------------------------------------

bool TSolarDatePicker::SwitchLayout() {
    if (!FVisibleLayoutSwitch || text().trimmed().isEmpty()) return false;
    if (!ParseText()) {
        ShowInvalidDateMessage();
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    const TDateKind other = FDateKind == dkSolar ? dkGregorian : dkSolar;
    const QString converted = Q(U::ConvertDate(S(text().trimmed()), FDateKind));
    FDateKind = other;
    setText(converted);
    return true;
}

void TSolarDatePicker::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    const int key = event->key();
    if (ctrl && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        SwitchLayout();
        return;
    }
    if (ctrl && key == Qt::Key_Down) {
        DoButtonClick();
        return;
    }
    if (FMaskEnabled && !ctrl && SteppingKey(event)) return;
    if (FAutoCheck && TypingAid(event)) return;
    TCustomButtonEdit::keyPressEvent(event);
}

void TSolarDatePicker::DoButtonClick() {
    if (OnButtonClick) OnButtonClick(this);
    if (!isReadOnly()) Drop();
}

// --- Drop-down -----------------------------------------------------------------------

void TSolarDatePicker::Drop() {
    if (!text().trimmed().isEmpty() && !ParseText()) {
        ShowInvalidDateMessage();
        return;
    }
    TPopupForm::CloseDropDown();
    TPopupForm::Open(this);
}

void TSolarDatePicker::Close() {
    TPopupForm* open = TPopupForm::OpenDropDown();
    if (open && open->Owner() == this) open->hide();
}

void TSolarDatePicker::PickedByDoubleClick(const QString& date, TDateKind kind) {
    setText(date);
    if (FDataLink->Bound()) FDataLink->WriteText(date, kind);
    Close();
    FDateKind = kind;
    if (!ParseText()) ShowInvalidDateMessage();
}

void TSolarDatePicker::PickedByEnter(const QString& date, TDateKind kind) {
    setText(date);
    Close();
    FDateKind = kind;
    ParseText();
}

// --- Data link ---------------------------------------------------------------------

TDataSource* TSolarDatePicker::DataSource() const { return FDataLink->DataSource(); }

void TSolarDatePicker::SetDataSource(TDataSource* source) {
    if (!source) {
        FDataLink->SetFieldName({});
        clear();
    }
    FDataLink->SetDataSource(source);
}

QString TSolarDatePicker::DataField() const { return FDataLink->FieldName(); }

void TSolarDatePicker::SetDataField(const QString& field) {
    if (field.trimmed().isEmpty()) clear();
    FDataLink->SetFieldName(field);
}

void TSolarDatePicker::DataChange() {
    clear();
    if (!FDataLink->Bound()) return;
    const QString value = FDataLink->FieldText();
    if (value.trimmed().isEmpty()) return;
    const bool dateField = FDataLink->IsDateField();
    const QString gregorian = dateField ? FDataLink->FieldGregorianText() : QString();
    if (FDateKind == dkSolar) {
        if (!dateField && FDataFieldType == dftSolar) setText(value);
        else if (dateField && FDataFieldType == dftSolar) setText(Q(U::GregorianToSolar(S(gregorian))));
    } else {
        if (!dateField && FDataFieldType == dftGregorian) setText(value);
        // A date field shows its own Gregorian day in a Gregorian picker.
        else if (dateField) setText(gregorian);
    }
}

// --- Date operations ---------------------------------------------------------------

QString TSolarDatePicker::Stepped(const std::string& result) {
    if (text().trimmed().isEmpty()) return text();
    setText(Q(result));
    return text();
}

QString TSolarDatePicker::IncYear(int n) { return Stepped(U::IncYear(S(text()), n, FDateKind)); }
QString TSolarDatePicker::IncMonth(int n) { return Stepped(U::IncMonth(S(text()), n, FDateKind)); }
QString TSolarDatePicker::IncDay(int n) { return Stepped(U::IncDay(S(text()), n, FDateKind)); }
QString TSolarDatePicker::DecYear(int n) { return Stepped(U::DecYear(S(text()), n, FDateKind)); }
QString TSolarDatePicker::DecMonth(int n) { return Stepped(U::DecMonth(S(text()), n, FDateKind)); }
QString TSolarDatePicker::DecDay(int n) { return Stepped(U::DecDay(S(text()), n, FDateKind)); }
QString TSolarDatePicker::GotoYear(int y) { return Stepped(U::GotoYear(S(text()), y, FDateKind)); }
QString TSolarDatePicker::GotoMonth(int m) { return Stepped(U::GotoMonth(S(text()), m, FDateKind)); }
QString TSolarDatePicker::GotoDay(int d) { return Stepped(U::GotoDay(S(text()), d, FDateKind)); }

QString TSolarDatePicker::ConvertDate() const {
    if (text().trimmed().isEmpty()) return {};
    return Q(U::ConvertDate(S(text()), FDateKind));
}

int TSolarDatePicker::ConvertYear() const { return U::ConvertYear(S(text()), FDateKind); }
int TSolarDatePicker::ConvertMonth() const { return U::ConvertMonth(S(text()), FDateKind); }

int TSolarDatePicker::DaysBetween(const QString& ANow, const QString& AThen) const {
    const QString now = ANow.trimmed().isEmpty() ? text() : ANow;
    if (now.trimmed().isEmpty() || AThen.trimmed().isEmpty()) return -1;
    return U::DaysBetween(S(now), S(AThen), FDateKind);
}

QString TSolarDatePicker::GetRawDate() const { return Q(U::IntGetRawDate(S(text()))); }
QString TSolarDatePicker::GetDateWithDiv(const QString& divider) const {
    return Q(U::IntGetDateWithDiv(S(text()), S(divider)));
}
int TSolarDatePicker::GetWeekRemainDays() const { return GetWeekRemainDays(text(), FDateKind); }
int TSolarDatePicker::GetWeekRemainDays(const QString& ADate, TDateKind k) const {
    return U::IntGetWeekRemainDays(S(ADate), k);
}
int TSolarDatePicker::DayOfWeek() const { return DayOfWeek(text(), FDateKind); }
int TSolarDatePicker::DayOfWeek(const QString& ADate, TDateKind k) const { return U::IntDayOfWeek(S(ADate), k); }
int TSolarDatePicker::GetMonthRemainDay() const { return GetMonthRemainDay(text(), FDateKind); }
int TSolarDatePicker::GetMonthRemainDay(const QString& ADate, TDateKind k) const {
    return U::IntGetMonthRemainDay(S(ADate), k);
}
int TSolarDatePicker::GetYearRemainDays() const { return GetYearRemainDays(text(), FDateKind); }
int TSolarDatePicker::GetYearRemainDays(const QString& ADate, TDateKind k) const {
    return U::IntGetYearRemainDays(S(ADate), k);
}
int TSolarDatePicker::WeekOfTheYear() const { return WeekOfTheYear(text(), FDateKind); }
int TSolarDatePicker::WeekOfTheYear(const QString& ADate, TDateKind k) const {
    return U::GetWeekOfTheYear(S(ADate), k);
}

QString TSolarDatePicker::YearScript(int year, TFormat format) const {
    return Q(YearWords(year == 0 ? FCurrYear : year, format));
}

QString TSolarDatePicker::MonthScript(int month) const {
    if (month == 0) return Q(U::ConvertToPersianAlpha(FCurrMonth)) + u' ';
    return Q(U::ConvertToPersianAlpha(month));
}

QString TSolarDatePicker::DayScript(int day) const { return Q(U::ConvertToPersianAlpha(day == 0 ? FCurrDay : day)); }

QString TSolarDatePicker::YMDScript(TMonthType monthType, const QString& divider) const {
    if (text().trimmed().isEmpty() || !U::IsDateValid(FDateKind, S(text()))) return {};
    return Q(YmdWords(FCurrYear, FCurrMonth, FCurrDay, monthType, S(divider), S(MonthName())));
}
