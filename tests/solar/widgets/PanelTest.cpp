#include <QLineEdit>
#include <QTest>

#include "solar/widgets/TSolarButton.h"
#include "solar/widgets/TSolarGrid.h"
#include "solar/widgets/TSolarLabel.h"
#include "solar/widgets/TSolarMonthCalendar.h"
#include "solar/widgets/TSolarTopPanel.h"
#include "solar/widgets/TYearEdit.h"

using namespace orv::solar;

class PanelTest : public QObject {
    Q_OBJECT

    struct Events {
        int next = 0, prev = 0, nextMonth = 0, prevMonth = 0;
        void Attach(TCustomSolarCalendar& c) {
            c.OnNextClick = [this](QObject*) { ++next; };
            c.OnPrevClick = [this](QObject*) { ++prev; };
            c.OnNextMonthClick = [this](QObject*) { ++nextMonth; };
            c.OnPrevMonthClick = [this](QObject*) { ++prevMonth; };
        }
    };

    static void TypeYear(TCustomSolarCalendar& c, const QString& year) {
        TYearEdit* edit = c.TopPanel()->YearEdit();
        QTest::mouseClick(c.TopPanel()->YearCaption(), Qt::LeftButton);
        QVERIFY(edit->isVisible());
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, year);
        QTest::keyClick(edit, Qt::Key_Return);
    }

private slots:
    void buttonPlacement() {
        TSolarMonthCalendar c;
        TSolarTopPanel* p = c.TopPanel();
        QCOMPARE(p->geometry(), QRect(0, 0, 217, 25));
        QCOMPARE(p->btnNextMonth->geometry(), QRect(2, 6, 21, 15));
        QCOMPARE(p->btnLayoutSwitch->x(), 26);
        QCOMPARE(p->btnNextYear->x(), 69);
        QCOMPARE(p->btnPriorYear->x(), 217 - 69);
        QCOMPARE(p->btnPriorMonth->x(), 217 - 23);
        QCOMPARE(p->YearCaption()->pos(), QPoint(95, 7));
        QCOMPARE(p->btnNextYear->toolTip(), QString::fromUtf8("سال بعد"));
        QCOMPARE(p->YearCaption()->toolTip(), QString::fromUtf8("سال جاري - كليك كنيد"));
    }

    void solarButtons() {
        TSolarMonthCalendar c;
        c.show();
        Events e;
        e.Attach(c);
        c.SetInDate(QStringLiteral("1401/06/30"));
        QTest::mouseClick(c.TopPanel()->btnNextYear, Qt::LeftButton);
        QCOMPARE(c.OutDate, QStringLiteral("1402/06/30"));
        QCOMPARE(c.InDate(), QStringLiteral("1401/06/30"));  // a year button leaves InDate
        QCOMPARE(c.TopPanel()->YearCaption()->text(), QString::fromUtf8("سال 1402"));
        QTest::mouseClick(c.TopPanel()->btnPriorYear, Qt::LeftButton);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        QTest::mouseClick(c.TopPanel()->btnNextMonth, Qt::LeftButton);
        QCOMPARE(c.OutDate, QStringLiteral("1401/07/30"));
        QTest::mouseClick(c.TopPanel()->btnPriorMonth, Qt::LeftButton);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        QCOMPARE(e.next, 1);
        QCOMPARE(e.prev, 1);
        QCOMPARE(e.nextMonth, 1);
        QCOMPARE(e.prevMonth, 1);
        // The prior-month event fires when only it is assigned.
        c.OnNextMonthClick = nullptr;
        QTest::mouseClick(c.TopPanel()->btnPriorMonth, Qt::LeftButton);
        QCOMPARE(e.prevMonth, 2);
        // The 30th of Esfand of a leap year moved into a common year becomes the 29th.
        c.SetInDate(QStringLiteral("1403/12/30"));
        QTest::mouseClick(c.TopPanel()->btnNextYear, Qt::LeftButton);
        QCOMPARE(c.OutDate, QStringLiteral("1404/12/29"));
    }

    void gregorianButtons() {
        TSolarMonthCalendar c;
        c.show();
        Events e;
        e.Attach(c);
        c.SetDateKind(dkGregorian);
        c.SetInDate(QStringLiteral("2022/09/21"));
        QTest::mouseClick(c.TopPanel()->btnNextYear, Qt::LeftButton);  // the left year button
        QCOMPARE(c.OutDate, QStringLiteral("2021/09/21"));
        QCOMPARE(e.prev, 1);
        QTest::mouseClick(c.TopPanel()->btnNextMonth, Qt::LeftButton);  // the left month button
        QCOMPARE(c.OutDate, QStringLiteral("2021/10/21"));
        QTest::mouseClick(c.TopPanel()->btnPriorMonth, Qt::LeftButton);
        QCOMPARE(c.OutDate, QStringLiteral("2021/09/21"));
        QCOMPARE(e.nextMonth, 0);
        QCOMPARE(e.prevMonth, 0);
        QCOMPARE(c.TopPanel()->YearCaption()->text(), QStringLiteral("Year 2021"));
    }

    void disabledYearButtons() {
        TSolarMonthCalendar c;
        c.show();
        c.SetInDate(QStringLiteral("1401/06/30"));
        c.SetEnableYearButtons(false);
        QVERIFY(!c.TopPanel()->btnNextYear->ButtonEnabled());
        QTest::mouseClick(c.TopPanel()->btnNextYear, Qt::LeftButton);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        QTest::mouseClick(c.TopPanel()->YearCaption(), Qt::LeftButton);
        QVERIFY(!c.TopPanel()->YearEditing());
        c.SetEnableYearMonth(false);
        QTest::mouseClick(c.TopPanel()->btnNextMonth, Qt::LeftButton);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
    }

    void yearEditAcceptsAndRefuses() {
        TSolarMonthCalendar c;
        c.show();
        c.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&c));
        c.SetInDate(QStringLiteral("1401/06/30"));
        TypeYear(c, QStringLiteral("1300"));
        QCOMPARE(c.CurrYear(), 1401);
        QVERIFY(!c.TopPanel()->YearEditing());
        TypeYear(c, QStringLiteral("1301"));
        QCOMPARE(c.CurrYear(), 1301);
        QCOMPARE(c.OutDate, QStringLiteral("1301/06/30"));
        QVERIFY(c.Grid()->hasFocus());
        c.SetDateKind(dkGregorian);
        c.SetInDate(QStringLiteral("2022/09/21"));
        TypeYear(c, QStringLiteral("1899"));
        QCOMPARE(c.CurrYear(), 2022);
        TypeYear(c, QStringLiteral("1900"));
        QCOMPARE(c.CurrYear(), 1900);
        QCOMPARE(c.OutDate, QStringLiteral("1900/09/21"));
    }

    void yearEditKeys() {
        TSolarMonthCalendar c;
        c.show();
        Events e;
        e.Attach(c);
        c.SetInDate(QStringLiteral("1401/06/30"));
        TYearEdit* edit = c.TopPanel()->YearEdit();
        QTest::mouseClick(c.TopPanel()->YearCaption(), Qt::LeftButton);
        QCOMPARE(c.TopPanel()->YearEdit()->pos(), QPoint(69 + 21 + 10, c.TopPanel()->btnPriorYear->y() + 1));
        QVERIFY(!edit->hasSelectedText());
        QTest::keyClick(edit, Qt::Key_Up);
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(c.CurrYear(), 1403);
        QCOMPARE(edit->text(), QStringLiteral("1403"));
        QCOMPARE(e.next, 2);
        QVERIFY(c.TopPanel()->YearEditing());
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(c.CurrYear(), 1401);
        QVERIFY(!c.TopPanel()->YearEditing());
        // Letters are dropped; an unreadable text counts as 1340.
        QTest::mouseClick(c.TopPanel()->YearCaption(), Qt::LeftButton);
        QTest::keyClicks(edit, QStringLiteral("x"));
        QCOMPARE(edit->text(), QStringLiteral("1401"));
        edit->setText(QString());
        QCOMPARE(edit->yInt(), 1340);
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(edit->text(), QStringLiteral("1339"));
        QCOMPARE(c.CurrYear(), 1400);
        QCOMPARE(e.prev, 1);
        // Down stops at the lowest year.
        edit->SetyInt(1300);
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(edit->text(), QStringLiteral("1300"));
        QCOMPARE(e.prev, 1);
        // A click on the panel closes the edit.
        QTest::mouseClick(c.TopPanel(), Qt::LeftButton, {}, QPoint(150, 3));
        QVERIFY(!c.TopPanel()->YearEditing());
    }

    void hoveredButtonsOfTwoEqualColours() {
        TSolarMonthCalendar c;
        c.SetColorStyle(csWhiteWhite);
        const auto [top, bottom] = c.TopPanel()->btnNextYear->HoverColors();
        QCOMPARE(orv::color::RgbToHls(ToRgb(top)).l, 240);
        QCOMPARE(orv::color::RgbToHls(ToRgb(bottom)).l, 160);
    }
};

QTEST_MAIN(PanelTest)
#include "PanelTest.moc"
