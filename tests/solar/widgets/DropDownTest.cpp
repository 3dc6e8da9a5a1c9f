#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "solar/widgets/TCustomSolarCalendar.h"
#include "solar/widgets/TPopupForm.h"
#include "solar/widgets/TSolarDatePicker.h"
#include "solar/widgets/TSolarGrid.h"
#include "tests/support/PromptRecorder.h"

using namespace orv::solar;

namespace {

struct Window {
    QWidget form;
    TSolarDatePicker* first;
    TSolarDatePicker* second;
    QWidget* free;
    Window() {
        auto* layout = new QVBoxLayout(&form);
        layout->setContentsMargins(0, 0, 0, 0);
        first = new TSolarDatePicker(&form);
        second = new TSolarDatePicker(&form);
        free = new QWidget(&form);
        free->setMinimumHeight(60);
        layout->addWidget(first);
        layout->addWidget(second);
        layout->addWidget(free);
        form.setGeometry(300, 200, 300, 160);
        form.show();
        form.activateWindow();
    }
};

QPoint CellCentre(const TCustomSolarCalendar& c, int col, int row) {
    const TSolarCell* cell = c.Grid()->Cell(col, row);
    return {cell->cl_Left + cell->cl_Width / 2, cell->cl_Top + cell->cl_Height / 2};
}

}  // namespace

class DropDownTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        TPopupForm::CloseDropDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void placedUnderThePicker() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        const ScreenRect at = TPopupForm::PlaceFor(w.first);
        const QRect r(w.first->mapToGlobal(QPoint(0, 0)), w.first->size());
        QCOMPARE(at.top, r.y() + r.height());
        QCOMPARE(at.right, r.x() + r.width() + 2);
        w.first->Drop();
        TPopupForm* open = TPopupForm::OpenDropDown();
        QVERIFY(open);
        QCOMPARE(open->geometry(), QRect(at.left, at.top, 217, 170));
    }

    void nearTheScreenEdges() {
        Window w;
        const QRect screen = w.form.screen()->geometry();
        // Bottom right corner: above the picker, right edges together.
        w.form.setGeometry(screen.x() + screen.width() - 300, screen.y() + screen.height() - 160, 300, 160);
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        const QRect r(w.second->mapToGlobal(QPoint(0, 0)), w.second->size());
        QVERIFY2(r.y() + r.height() + 170 > screen.y() + screen.height(), "picker not near the bottom");
        QVERIFY2(r.x() + r.width() + 2 > screen.x() + screen.width(), "picker not near the right edge");
        const ScreenRect at = TPopupForm::PlaceFor(w.second);
        QCOMPARE(at.right, r.x() + r.width());
        QCOMPARE(at.bottom, r.y());
        QCOMPARE(at.top, r.y() - 170);
        w.second->Drop();
        QCOMPARE(TPopupForm::OpenDropDown()->geometry(), QRect(at.left, at.top, 217, 170));
        // Left edge: a left-to-right picker partly off the screen puts the drop-down at 0.
        w.form.setGeometry(screen.x() - 150, screen.y() + 100, 300, 160);
        QTRY_COMPARE(w.form.geometry().x(), screen.x() - 150);
        QCOMPARE(TPopupForm::PlaceFor(w.first).left, screen.x());
    }

    void invalidTextShowsOnlyTheMessage() {
        PromptRecorder rec;
        Window w;
        w.first->setText(QStringLiteral("1401/13/01"));
        w.first->Button()->click();
        QCOMPARE(rec.Texts().size(), 1);
        QVERIFY(!TPopupForm::OpenDropDown());
    }

    void blankTextOpensOnToday() {
        Window w;
        QTest::keyClick(w.first, Qt::Key_Down, Qt::ControlModifier);
        TPopupForm* open = TPopupForm::OpenDropDown();
        QVERIFY(open);
        QCOMPARE(open->Owner(), w.first);
        QCOMPARE(w.first->SolarCalendar(), open->Calendar());
        QCOMPARE(open->Calendar()->InDate(), QString());
        QCOMPARE(open->Calendar()->OutDate, QString::fromUtf8(TPublicUtils::FillDate(dkSolar)));
    }

    void settingsReachTheCalendar() {
        Window w;
        w.first->setText(QStringLiteral("1401/06/30"));
        w.first->SetColorStyle(csBlueBlue);
        w.first->SetButtonStyle(bsRectangular);
        w.first->SetMonthObject(moNone);
        w.first->SetShowToDay(false);
        int nexts = 0;
        w.first->OnNextClick = [&](QObject*) { ++nexts; };
        w.first->Drop();
        TCustomSolarCalendar* c = TPopupForm::OpenDropDown()->Calendar();
        QCOMPARE(c->InDate(), QStringLiteral("1401/06/30"));
        QCOMPARE(c->ColorStyle(), csBlueBlue);
        QCOMPARE(c->ColorCaptionStop(), QColor(183, 232, 255));
        QCOMPARE(c->RoundSelect(), 0);
        QCOMPARE(c->MonthObject(), moNone);
        QVERIFY(!c->ShowToDay());
        c->OnNextClick(c);
        QCOMPARE(nexts, 1);
        // The drop-down's own default is the month list.
        w.second->Drop();
        QCOMPARE(TPopupForm::OpenDropDown()->Calendar()->MonthObject(), moPopupMenu);
    }

    void pickingByDoubleClickAndEnter() {
        Window w;
        QString changed;
        connect(w.first, &QLineEdit::textChanged, this, [&](const QString& t) { changed = t; });
        w.first->setText(QStringLiteral("1401/06/30"));
        w.first->Drop();
        TPopupForm* open = TPopupForm::OpenDropDown();
        TCustomSolarCalendar* c = open->Calendar();
        QTest::mouseClick(c->Grid(), Qt::LeftButton, {}, CellCentre(*c, 3, 0));
        QTest::mouseDClick(c->Grid(), Qt::LeftButton, {}, CellCentre(*c, 3, 0));
        QCOMPARE(w.first->text(), QStringLiteral("1401/06/01"));
        QCOMPARE(changed, QStringLiteral("1401/06/01"));
        QVERIFY(open->isHidden());
        QCOMPARE(TPopupForm::OpenDropDown(), open);  // hidden, still open until the next closing step
        QCOMPARE(w.first->Day(), 1);

        // Switched to the Gregorian calendar in the drop-down, picked by Enter.
        w.first->Drop();
        QVERIFY(TPopupForm::OpenDropDown());
        c = TPopupForm::OpenDropDown()->Calendar();
        c->SetDateKind(dkGregorian);
        QTest::keyClick(c->Grid(), Qt::Key_Left);
        QTest::keyClick(c->Grid(), Qt::Key_Return);
        QCOMPARE(w.first->DateKind(), dkGregorian);
        QCOMPARE(w.first->text(), QStringLiteral("2022/08/24"));
        QVERIFY(TPopupForm::OpenDropDown()->isHidden());
    }

    void escapeHidesAndAMousePressReleases() {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        w.first->setText(QStringLiteral("1401/06/30"));
        w.first->Drop();
        QPointer<TPopupForm> open = TPopupForm::OpenDropDown();
        QTest::keyClick(open->Calendar()->Grid(), Qt::Key_Escape);
        QVERIFY(open->isHidden());
        QCOMPARE(w.first->text(), QStringLiteral("1401/06/30"));
        w.first->Drop();
        open = TPopupForm::OpenDropDown();
        QVERIFY(open->isVisible());
        QTest::mouseClick(w.free, Qt::LeftButton);
        QVERIFY(!TPopupForm::OpenDropDown());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(open.isNull());
        QCOMPARE(w.first->selectedText(), QStringLiteral("1401/06/30"));
        // A click inside the drop-down does not close it.
        w.first->Drop();
        open = TPopupForm::OpenDropDown();
        QTest::mouseClick(open->Calendar()->Grid(), Qt::LeftButton, {}, CellCentre(*open->Calendar(), 4, 2));
        QCOMPARE(TPopupForm::OpenDropDown(), open.data());
        // Activating the holding window (its caption clicked) releases the drop-down.
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&w.form, &activate);
        QVERIFY(!TPopupForm::OpenDropDown());
    }

    void secondPickerReleasesTheFirstDropDown() {
        Window w;
        w.first->Drop();
        QPointer<TPopupForm> first = TPopupForm::OpenDropDown();
        w.second->Drop();
        QVERIFY(TPopupForm::OpenDropDown() != first.data());
        QCOMPARE(TPopupForm::OpenDropDown()->Owner(), w.second);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QVERIFY(!w.first->SolarCalendar());
    }

    void holdingWindowKeepsItsActiveLook() {
        Window w;
        const QColor activeHighlight = w.form.palette().color(QPalette::Active, QPalette::Highlight);
        w.form.setPalette([&] {
            QPalette p = w.form.palette();
            p.setColor(QPalette::Inactive, QPalette::Highlight, Qt::gray);
            return p;
        }());
        w.first->Drop();
        QCOMPARE(TPopupForm::OpenDropDown()->HookedForm(), &w.form);
        QCOMPARE(w.form.palette().color(QPalette::Inactive, QPalette::Highlight), activeHighlight);
        TPopupForm::CloseDropDown();
        QCOMPARE(w.form.palette().color(QPalette::Inactive, QPalette::Highlight), QColor(Qt::gray));
    }
};

QTEST_MAIN(DropDownTest)
#include "DropDownTest.moc"
