#pragma once
// The caption strip of the month calendar: year caption, year edit, year and
// month buttons and the calendar switch, over the caption gradient.
#include <QWidget>

class TCustomSolarCalendar;
class TSolarButton;
class TSolarLabel;
class TYearEdit;

class TSolarTopPanel : public QWidget {
    Q_OBJECT
public:
    explicit TSolarTopPanel(TCustomSolarCalendar* calendar);

    void Panel_Set_Object_Mode();
    void SetBounds();
    void SetHint();
    void SetYearButton(bool enabled);
    void SetMonthButton(bool enabled);
    void ClickPriorBtn();
    void ClickNextBtn();
    void ClickPriorMonthBtn();
    void ClickNextMonthBtn();
    void ClickLayout();
    void CaptionOnClick();

    void SetYearCaption(int year);
    void SetYearCaptionColor(const QColor& c);
    void SetLayoutSwitchVisible(bool visible);
    void StartYearEdit();
    void CloseYearEdit();
    bool YearEditing() const;
    void RepaintAll();
    // Year edit keys.
    void YearEditStep(bool up);
    void YearEditEscape();
    void YearEditEnter();
    void ButtonPressed(TSolarButton* button);

    TCustomSolarCalendar* Calendar() const { return FpCalendar; }
    TYearEdit* YearEdit() const { return FYearEdit; }
    TSolarLabel* YearCaption() const { return FYear; }

    TSolarButton* btnNextYear;
    TSolarButton* btnLayoutSwitch;
    TSolarButton* btnPriorYear;
    TSolarButton* btnPriorMonth;
    TSolarButton* btnNextMonth;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceYearEdit();
    void StepYear(int delta);

    TYearEdit* FYearEdit;
    TSolarLabel* FYear;
    TCustomSolarCalendar* FpCalendar;
};
