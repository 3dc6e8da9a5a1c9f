#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "solar/widgets/TSolarDatePicker.h"
#include "tests/support/PromptRecorder.h"

using namespace orv::solar;

namespace {

const QString kPersianMessage = QString::fromUtf8(".تاريخ وارد شده معتبر نميباشد، لطفاً تاريخ صحيح را وارد نمائيد");

// A window with the picker and a second field to move the focus to.
struct Window {
    QWidget form;
    TSolarDatePicker* picker;
    QLineEdit* other;
    Window() {
        auto* layout = new QVBoxLayout(&form);
        picker = new TSolarDatePicker(&form);
        other = new QLineEdit(&form);
        layout->addWidget(picker);
        layout->addWidget(other);
        form.show();
        form.activateWindow();
    }
};

}  // namespace

class DatePickerTest : public QObject {
    Q_OBJECT

private slots:
    void newPicker() {
        TSolarDatePicker p;
        QCOMPARE(p.text(), QString());
        QCOMPARE(p.Year(), 0);
        QCOMPARE(p.Month(), 0);
        QCOMPARE(p.Day(), 0);
        QCOMPARE(p.DayName(), QString());
        QCOMPARE(p.MonthName(), QString());
        QCOMPARE(p.DateKind(), dkSolar);
        QCOMPARE(p.MonthObject(), moPopupMenu);
        QCOMPARE(p.Glyph(), gtCalendar);
        QCOMPARE(p.ColorStyle(), csWhiteGray);
        QCOMPARE(p.ColorCaptionStart(), QColor(200, 200, 200));
        QVERIFY(p.VisibleLayoutSwitch());
        QVERIFY(!p.CheckInputOnExit());
        QVERIFY(!p.AutoCheck());
        QVERIFY(!p.MaskEnabled());
        QVERIFY(p.EnabledDays() == TMonthCaptionSet::All());
        QCOMPARE(p.IncMonth(1), QString());
        QCOMPARE(p.YMDScript(mtNumeral, QStringLiteral("/")), QString());
        QVERIFY(!p.Button()->icon().isNull());
        QCOMPARE(p.Button()->focusPolicy(), Qt::NoFocus);
        const QString about = p.About();
        p.SetAbout(QStringLiteral("x"));
        QCOMPARE(p.About(), about);
    }

    void parsedDateNamesAndSteps() {
        TSolarDatePicker p;
        p.setText(QStringLiteral("1401/06/30"));
        QCOMPARE(p.Year(), 1401);
        QCOMPARE(p.Month(), 6);
        QCOMPARE(p.Day(), 30);
        QCOMPARE(p.DayName(), QString::fromUtf8("چهارشنبه"));
        QCOMPARE(p.MonthName(), QString::fromUtf8("شهريور ماه"));
        QCOMPARE(p.GetRawDate(), QStringLiteral("14010630"));
        QCOMPARE(p.DayOfWeek(), 6);
        QCOMPARE(p.GetWeekRemainDays(), 1);
        // Shahrivar has 31 days.
        QCOMPARE(p.DaysBetween({}, QStringLiteral("1401/06/31")), 1);
        QCOMPARE(p.DaysBetween({}, QStringLiteral("1401/07/01")), 2);
        QCOMPARE(p.DaysBetween({}, {}), -1);
        QCOMPARE(p.YearScript(0, fShort), QString::fromUtf8(TPublicUtils::ConvertToPersianAlpha(1)));
        QCOMPARE(p.YearScript(0, fLong), QString::fromUtf8(TPublicUtils::ConvertToPersianAlpha(1401)));
        QCOMPARE(p.MonthScript(0), QString::fromUtf8("شش "));
        QCOMPARE(p.YMDScript(mtNumeral, QStringLiteral("/")),
                 QString::fromUtf8("سي /شش/") + QString::fromUtf8(TPublicUtils::ConvertToPersianAlpha(1401)));
        QCOMPARE(p.IncDay(1), QStringLiteral("1401/06/31"));
        QCOMPARE(p.DecDay(2), QStringLiteral("1401/06/29"));
        p.setText(QStringLiteral("1401/06/30"));
        QCOMPARE(p.IncMonth(1), QStringLiteral("1401/07/30"));
        QCOMPARE(p.ConvertDate(), QStringLiteral("2022/10/22"));
        QCOMPARE(p.Len(), 10);
        p.SetMonth(13);
        QCOMPARE(p.text(), QStringLiteral("1401/13/30"));
        // The parsed date keeps the last valid text.
        QCOMPARE(p.MonthName(), QString::fromUtf8("مهر ماه"));
        p.SetDivider(dDot);
        QCOMPARE(p.DividerStr(), QChar(u'.'));
        p.setText(QStringLiteral("1401/06/30"));
        QCOMPARE(p.GetDateWithDiv(QString(p.DividerStr())), QStringLiteral("1401.06.30"));
    }

    void gregorianNames() {
        TSolarDatePicker p;
        p.SetDateKind(dkGregorian);
        p.setText(QStringLiteral("2022/09/21"));
        QCOMPARE(p.DayName(), QStringLiteral("Wed"));
        QCOMPARE(p.MonthName(), QStringLiteral("September"));
        QCOMPARE(p.DayOfWeek(), 4);
    }

    void invalidDateOnFocusExit() {
        PromptRecorder rec;
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        int exits = 0;
        w.picker->OnExit = [&](QObject*) { ++exits; };
        w.picker->SetCheckInputOnExit(true);
        w.picker->setFocus();
        w.picker->setText(QStringLiteral("1401/06/30"));
        w.picker->SetMonth(13);
        w.other->setFocus(Qt::TabFocusReason);
        QCOMPARE(rec.Texts(), QStringList{kPersianMessage});
        QVERIFY(w.picker->hasFocus());
        QCOMPARE(exits, 0);
        w.picker->setText(QStringLiteral("1401/06/30"));
        w.other->setFocus(Qt::TabFocusReason);
        QCOMPARE(rec.Texts().size(), 1);
        QCOMPARE(exits, 1);
        // A message of our own, and the English one.
        w.picker->setFocus();
        w.picker->SetPersianInvalidDateMessage(QStringLiteral("bad"));
        w.picker->setText(QStringLiteral("1403/12/31"));
        w.other->setFocus(Qt::TabFocusReason);
        QCOMPARE(rec.Texts().last(), QStringLiteral("bad"));
        w.picker->SetDateKind(dkGregorian);
        w.picker->setText(QStringLiteral("2023/02/29"));
        w.other->setFocus(Qt::TabFocusReason);
        QCOMPARE(rec.Texts().last(), QStringLiteral("Invalid date, Enter correct date please."));
    }

    void showDefaultDateAndAutoCheck() {
        TSolarDatePicker p;
        p.SetShowDefaultDate(true);
        QCOMPARE(p.text(), QString::fromUtf8(TPublicUtils::FillDate(dkSolar)));
        p.setText(QStringLiteral("1401/06/30"));
        p.SetShowDefaultDate(true);
        QCOMPARE(p.text(), QStringLiteral("1401/06/30"));
        p.SetShowDefaultDate(false);
        QCOMPARE(p.text(), QString());
        p.setText(QStringLiteral("1401/06/30"));
        p.SetAutoCheck(true);
        QCOMPARE(p.text(), QString());
    }

    void ctrlEnterSwitchesTheCalendar() {
        PromptRecorder rec;
        TSolarDatePicker p;
        p.setText(QStringLiteral("1401/06/30"));
        QTest::keyClick(&p, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(p.DateKind(), dkGregorian);
        QCOMPARE(p.text(), QStringLiteral("2022/09/21"));
        QTest::keyClick(&p, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(p.DateKind(), dkSolar);
        QCOMPARE(p.text(), QStringLiteral("1401/06/30"));
        p.setText(QStringLiteral("1401/13/30"));
        QTest::keyClick(&p, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(p.DateKind(), dkSolar);
        QCOMPARE(p.text(), QStringLiteral("1401/13/30"));
        QCOMPARE(rec.Texts(), QStringList{kPersianMessage});
        p.SetVisibleLayoutSwitch(false);
        p.setText(QStringLiteral("1401/06/30"));
        QTest::keyClick(&p, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(p.DateKind(), dkSolar);
    }

    void typingAids() {
        TSolarDatePicker p;
        p.SetAutoCheck(true);
        QList<QChar> passed;
        p.OnKeyPress = [&](QChar c) { passed << c; };
        QTest::keyClicks(&p, QStringLiteral("14010630"));
        QCOMPARE(p.text(), QStringLiteral("1401/06/30"));
        QCOMPARE(passed.size(), 8);
        QTest::keyClicks(&p, QStringLiteral("5a"));
        QCOMPARE(p.text(), QStringLiteral("1401/06/30"));
        QCOMPARE(passed.size(), 9);  // the letter is passed on, the eleventh digit is not
        p.setText(QStringLiteral("1401/0"));
        p.SetAutoDeleteDelimiter(true);
        p.setCursorPosition(6);
        QTest::keyClick(&p, Qt::Key_Backspace);
        QCOMPARE(p.text(), QStringLiteral("1401"));
        QCOMPARE(p.cursorPosition(), 4);
    }

    void maskStepping() {
        TSolarDatePicker p;
        p.SetMaskEnabled(true);
        p.setText(QStringLiteral("1401/06/31"));
        p.setCursorPosition(9);
        QTest::keyClick(&p, Qt::Key_Up);
        QCOMPARE(p.text(), QStringLiteral("1401/06/31"));
        QCOMPARE(p.selectedText(), QStringLiteral("31"));
        QTest::keyClick(&p, Qt::Key_Down);
        QCOMPARE(p.text(), QStringLiteral("1401/06/30"));
        QTest::keyClick(&p, Qt::Key_Left);
        QCOMPARE(p.selectedText(), QStringLiteral("06"));
        QTest::keyClick(&p, Qt::Key_Up);
        QCOMPARE(p.text(), QStringLiteral("1401/07/30"));
        QTest::keyClick(&p, Qt::Key_Left);
        QCOMPARE(p.selectionStart(), 0);
        QCOMPARE(p.selectedText(), QStringLiteral("1401"));
        QTest::keyClick(&p, Qt::Key_Delete);
        QCOMPARE(p.text(), QStringLiteral("    /07/30"));
        QCOMPARE(p.selectedText(), QStringLiteral("    "));
        QTest::keyClick(&p, Qt::Key_Up);
        QCOMPARE(p.text().left(4), QString::fromUtf8(TPublicUtils::FillDate(dkSolar)).left(4));
        p.selectAll();
        QTest::keyClick(&p, Qt::Key_Delete);
        QCOMPARE(p.text(), QStringLiteral("    /  /  "));
        QCOMPARE(p.selectionStart(), 0);
        QCOMPARE(p.selectedText().size(), 4);
        // Other lengths and Ctrl leave the keys to the edit.
        p.setText(QStringLiteral("1401/6/30"));
        p.setCursorPosition(8);
        QTest::keyClick(&p, Qt::Key_Up);
        QCOMPARE(p.text(), QStringLiteral("1401/6/30"));
        p.setText(QStringLiteral("1401/06/30"));
        p.setCursorPosition(9);
        QTest::keyClick(&p, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(p.text(), QStringLiteral("1401/06/30"));
    }

    void buttonAndEnabled() {
        TSolarDatePicker p;
        int clicks = 0;
        p.OnButtonClick = [&](QObject*) { ++clicks; };
        p.setReadOnly(true);
        p.Button()->click();
        QCOMPARE(clicks, 1);
        p.SetEnabled(false);
        QVERIFY(!p.Button()->isEnabled());
        p.SetEnabled(true);
        QVERIFY(p.Button()->isEnabled());
        p.resize(120, 22);
        p.show();
        QCOMPARE(p.Button()->x() + p.Button()->width(), 120);
        p.setLayoutDirection(Qt::RightToLeft);
        QCOMPARE(p.Button()->x(), 0);
        p.SetGlyph(gtGreenArrowDown);
        QCOMPARE(p.Glyph(), gtGreenArrowDown);
        QVERIFY(!p.Button()->icon().isNull());
    }
};

QTEST_MAIN(DatePickerTest)
#include "DatePickerTest.moc"
