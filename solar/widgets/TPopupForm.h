#pragma once
// The drop-down of a date picker: a borderless top-most window that hosts a month
// calendar. At most one is open in the program. While it is open it watches the
// window that holds its picker (an application-wide event filter): a mouse press
// on that window or one of its controls, a click on its caption and the
// program losing activation close it, and that window keeps its active look.
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include "solar/logic/PopupPlacement.h"

class TSolarDatePicker;
class TCustomSolarCalendar;

class TPopupForm : public QWidget {
    Q_OBJECT
public:
    ~TPopupForm() override;

    // Builds, places and shows the drop-down of the picker.
    static TPopupForm* Open(TSolarDatePicker* picker);
    static TPopupForm* OpenDropDown();
    // The closing step: unhooks, gives the picker the focus with its text selected and
    // releases the drop-down.
    static void CloseDropDown();
    // Where the drop-down of a picker goes on its screen.
    static orv::solar::ScreenRect PlaceFor(const TSolarDatePicker* picker);

    TSolarDatePicker* Owner() const { return FOwner; }
    TCustomSolarCalendar* Calendar() const { return FCalendar; }
    QWidget* HookedForm() const { return FHookedForm; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    explicit TPopupForm(TSolarDatePicker* picker);
    void Hook();
    void Unhook();
    void BuildCalendar();
    bool PreviewKey(QKeyEvent* event);

    QPointer<TSolarDatePicker> FOwner;
    QPointer<QWidget> FHookedForm;
    QPalette FOrgFormPalette;
    bool FOrgPaletteSet = false;
    TCustomSolarCalendar* FCalendar = nullptr;
};
