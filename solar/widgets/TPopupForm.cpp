#include "solar/widgets/TPopupForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

#include "solar/widgets/TCustomSolarCalendar.h"
#include "solar/widgets/TSolarDatePicker.h"
#include "solar/widgets/TSolarGrid.h"

using namespace orv::solar;

namespace {

QPointer<TPopupForm>& TheDropDown() {
    static QPointer<TPopupForm> open;
    return open;
}

}  // namespace

TPopupForm::TPopupForm(TSolarDatePicker* picker)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), FOwner(picker) {
    setObjectName(QStringLiteral("TPopupForm"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(kPopupWidth, kPopupHeight);
}

TPopupForm::~TPopupForm() {
    Unhook();
    if (TheDropDown() == this) TheDropDown() = nullptr;
}

TPopupForm* TPopupForm::OpenDropDown() { return TheDropDown(); }

ScreenRect TPopupForm::PlaceFor(const TSolarDatePicker* picker) {
    const QPoint topLeft = picker->mapToGlobal(QPoint(0, 0));
    QScreen* screen = picker->screen() ? picker->screen() : QGuiApplication::primaryScreen();
    const QRect s = screen->geometry();
    PopupRequest r;
    r.picker = {topLeft.x() - s.x(), topLeft.y() - s.y(), topLeft.x() - s.x() + picker->width(),
                topLeft.y() - s.y() + picker->height()};
    r.leftToRight = picker->layoutDirection() == Qt::LeftToRight;
    r.parentLeft = picker->parentWidget() ? picker->parentWidget()->x() : 0;
    r.pickerLeft = picker->x();
    r.screenWidth = s.width();
    r.screenHeight = s.height();
    ScreenRect out = PlacePopup(r);
    out.left += s.x();
    out.right += s.x();
    out.top += s.y();
    out.bottom += s.y();
    return out;
}

TPopupForm* TPopupForm::Open(TSolarDatePicker* picker) {
    CloseDropDown();
    auto* form = new TPopupForm(picker);
    TheDropDown() = form;
    const ScreenRect at = PlaceFor(picker);
    form->setGeometry(at.left, at.top, at.right - at.left, at.bottom - at.top);
    form->Hook();
    form->BuildCalendar();
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

void TPopupForm::BuildCalendar() {
    TSolarDatePicker* p = FOwner;
    FCalendar = new TCustomSolarCalendar(this);
    FCalendar->move(0, 0);
    FCalendar->SetMonthObject(moComboBox);
    FCalendar->Grid()->OnDblClick = [this] {
        if (FOwner) FOwner->PickedByDoubleClick(FCalendar->OutDate, FCalendar->DateKind());
    };
    FCalendar->Grid()->OnKeyDown = [this](QKeyEvent* e) {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) {
            e->ignore();
            return;
        }
        e->accept();
        if (FOwner) FOwner->PickedByEnter(FCalendar->OutDate, FCalendar->DateKind());
    };
    FCalendar->SetDateKind(p->DateKind());
    FCalendar->SetShowToDay(p->ShowToDay());
    FCalendar->SetMonthObject(p->MonthObject());
    FCalendar->SetVisibleLayoutSwitch(p->VisibleLayoutSwitch());
    FCalendar->SetEnabledDays(p->EnabledDays());
    FCalendar->SetColorCaptionStart(p->ColorCaptionStart());
    FCalendar->SetColorCaptionStop(p->ColorCaptionStop());
    FCalendar->SetColorBodyStart(p->ColorBodyStart());
    FCalendar->SetColorBodyStop(p->ColorBodyStop());
    FCalendar->SetColorTodayLine(p->ColorTodayLine());
    FCalendar->SetColorSelectBrush(p->ColorSelectBrush());
    FCalendar->SetColorDisableMonth(p->ColorDisableMonth());
    FCalendar->SetColorVacationDay(p->ColorVacationDay());
    FCalendar->SetColorNormalDay(p->ColorNormalDay());
    FCalendar->SetColorStyle(p->ColorStyle());
    FCalendar->SetButtonStyle(p->ButtonStyle());
    FCalendar->SetDataFieldType(p->DataFieldType());
    FCalendar->SetDataFieldAutoSaveModified(p->DataFieldAutoSaveModified());
    FCalendar->SetInDate(p->text().trimmed());
    if (p->OnLayoutClick) FCalendar->OnLayoutClick = p->OnLayoutClick;
    if (p->OnNextClick) FCalendar->OnNextClick = p->OnNextClick;
    if (p->OnPrevClick) FCalendar->OnPrevClick = p->OnPrevClick;
    if (p->OnNextMonthClick) FCalendar->OnNextMonthClick = p->OnNextMonthClick;
    if (p->OnPrevMonthClick) FCalendar->OnPrevMonthClick = p->OnPrevMonthClick;
}

void TPopupForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FCalendar) FCalendar->Grid()->setFocus(Qt::PopupFocusReason);
}

void TPopupForm::CloseDropDown() {
    TPopupForm* form = TheDropDown();
    if (!form) return;
    TheDropDown() = nullptr;
    form->Unhook();
    form->hide();
    if (TSolarDatePicker* picker = form->FOwner) {
        picker->setFocus(Qt::PopupFocusReason);
        picker->selectAll();
    }
    form->deleteLater();
}

void TPopupForm::Hook() {
    if (!FOwner) return;
    FHookedForm = FOwner->window();
    // The holding window keeps its active look while the drop-down has the focus.
    FOrgPaletteSet = FHookedForm->testAttribute(Qt::WA_SetPalette);
    FOrgFormPalette = FHookedForm->palette();
    QPalette keepActive = FOrgFormPalette;
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto r = static_cast<QPalette::ColorRole>(role);
        keepActive.setBrush(QPalette::Inactive, r, FOrgFormPalette.brush(QPalette::Active, r));
    }
    FHookedForm->setPalette(keepActive);
    qApp->installEventFilter(this);
}

void TPopupForm::Unhook() {
    qApp->removeEventFilter(this);
    if (FHookedForm) {
        if (FOrgPaletteSet)
            FHookedForm->setPalette(FOrgFormPalette);
        else
            FHookedForm->setPalette(QPalette());
    }
    FHookedForm = nullptr;
}

bool TPopupForm::PreviewKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return true;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QWidget* active = QApplication::focusWidget();
        if (!active || !isAncestorOf(active)) return false;
        if (active == FCalendar->Grid()) {
            // The grid picks the date, then the window closes.
            return false;
        }
        FCalendar->Grid()->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

bool TPopupForm::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (widget && widget->window() == this)
            return PreviewKey(static_cast<QKeyEvent*>(event));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress: {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (widget && FHookedForm && widget->window() == FHookedForm &&
            (button == Qt::LeftButton || button == Qt::RightButton))
            CloseDropDown();
        break;
    }
    case QEvent::WindowActivate:
        // Activating the holding window (its caption clicked) once the drop-down had the focus.
        if (widget && widget == FHookedForm) CloseDropDown();
        break;
    case QEvent::ApplicationStateChange:
        if (QGuiApplication::applicationState() != Qt::ApplicationActive) CloseDropDown();
        break;
    default:
        break;
    }
    return false;
}
