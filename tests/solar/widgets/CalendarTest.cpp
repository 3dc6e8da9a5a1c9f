#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "solar/widgets/TSolarButton.h"
#include "solar/widgets/TSolarGrid.h"
#include "solar/widgets/TSolarLabel.h"
#include "solar/widgets/TSolarMonthCalendar.h"
#include "solar/widgets/TSolarTopPanel.h"
#include "tests/support/PromptRecorder.h"

using namespace orv::solar;

class CalendarTest : public QObject {
    Q_OBJECT

    static QString CellText(const TCustomSolarCalendar& c, int col, int row) {
        return c.Grid()->Cell(col, row)->cl_Text();
    }
    // The centre of a cell in grid pixels.
    static QPoint CellCentre(const TCustomSolarCalendar& c, int col, int row) {
        const TSolarCell* cell = c.Grid()->Cell(col, row);
        return {cell->cl_Left + cell->cl_Width / 2, cell->cl_Top + cell->cl_Height / 2};
    }

private slots:
    void newCalendarDefaults() {
        TSolarMonthCalendar c;
        QCOMPARE(c.size(), QSize(217, 170));
        c.resize(400, 300);
        QCOMPARE(c.size(), QSize(217, 170));
        QCOMPARE(c.DateKind(), dkSolar);
        QCOMPARE(c.MonthObject(), moPopupMenu);
        QCOMPARE(c.ColorStyle(), csWhiteGray);
        QCOMPARE(c.ButtonStyle(), bsRound);
        QCOMPARE(c.RoundSelect(), 8);
        QVERIFY(c.EnabledDays() == TMonthCaptionSet::All());
        QCOMPARE(c.OutDate, QString::fromUtf8(TPublicUtils::FillDate(dkSolar)));
        QCOMPARE(c.SelectedCellFontColor(), QColor(Qt::red));
        QCOMPARE(c.ColorCaptionStart(), QColor(200, 200, 200));
        QVERIFY(c.TodayLabel()->text().startsWith(QString::fromUtf8("امروز : ")));
        QCOMPARE(c.Grid()->geometry(), QRect(0, 50, 217, 96));
        QCOMPARE(c.Grid()->Cell(0, 0)->cl_Left, 183);
        QCOMPARE(c.Grid()->Cell(6, 0)->cl_Left, 3);
        QCOMPARE(c.Headings()[0]->text(), QString::fromUtf8("شنبه"));
        QCOMPARE(c.Headings()[0]->x(), 188);
        QCOMPARE(c.Headings()[6]->x(), 2);
    }

    void monthLayoutOnTheGrid() {
        TSolarMonthCalendar c;
        c.SetInDate(QStringLiteral("1401/06/30"));
        QCOMPARE(c.FirstCell(), 3);
        QCOMPARE(CellText(c, 3, 0), QStringLiteral("1"));
        QCOMPARE(CellText(c, 0, 0), QStringLiteral("29"));  // Mordad has 31 days
        QCOMPARE(c.Grid()->SGr_Col(), 4);
        QCOMPARE(c.Grid()->SGr_Row(), 4);
        QCOMPARE(c.MonthName(), QString::fromUtf8("شهريور ماه"));
        QCOMPARE(c.MonthLabel()->text(), QString::fromUtf8("شهريور ماه"));
        QCOMPARE(c.DayName(), QString::fromUtf8("چهارشنبه"));
        QCOMPARE(c.TopPanel()->YearCaption()->text(), QString::fromUtf8("سال 1401"));
        // A Saturday start in the rightmost column, as the grid places it.
        c.SetInDate(QStringLiteral("1403/10/05"));
        QCOMPARE(c.FirstCell(), 0);
        QCOMPARE(CellText(c, 0, 0), QStringLiteral("1"));
        // An Esfand of 30 days (1403) and of 29 days (1404).
        c.SetInDate(QStringLiteral("1403/12/01"));
        QCOMPARE(c.LastCell().Row * 7 + c.LastCell().Col - c.FirstCell(), 29);
        c.SetInDate(QStringLiteral("1404/12/01"));
        const TCell last = c.LastCell();
        QCOMPARE(last.Row * 7 + last.Col - c.FirstCell(), 28);
        const int after = last.Row * 7 + last.Col + 1;
        QCOMPARE(CellText(c, after % 7, after / 7), QStringLiteral("1"));
    }

    void gregorianFebruaryStartingOnSunday() {
        TSolarMonthCalendar c;
        c.SetDateKind(dkGregorian);
        c.SetInDate(QStringLiteral("2015/02/10"));
        QCOMPARE(c.FirstCell(), 0);
        QCOMPARE(c.LastCell(), (TCell{6, 3}));
        QCOMPARE(CellText(c, 0, 4), QStringLiteral("1"));
        QCOMPARE(CellText(c, 6, 5), QStringLiteral("14"));
        QCOMPARE(c.Grid()->Cell(0, 0)->cl_Left, 4);
        QCOMPARE(c.Headings()[0]->text(), QStringLiteral("Sat"));
        QCOMPARE(c.DayName(), QStringLiteral("Tue"));
        QCOMPARE(c.MonthName(), QStringLiteral("February"));
        QVERIFY(c.TodayLabel()->text().startsWith(QStringLiteral("Today : ")));
        QCOMPARE(c.TopPanel()->YearCaption()->text(), QStringLiteral("Year 2015"));
    }

    void hitTestFollowsTheReadingOrder() {
        TSolarMonthCalendar c;
        QCOMPARE(c.Grid()->HitTest(QPoint(200, 5)), (TCell{0, 0}));
        QCOMPARE(c.Grid()->HitTest(QPoint(10, 80)), (TCell{6, 5}));
        c.SetDateKind(dkGregorian);
        QCOMPARE(c.Grid()->HitTest(QPoint(200, 5)), (TCell{6, 0}));
    }

    void pressingDaysOfOtherMonthsSelectsThemInTheirOwnMonth() {
        TSolarMonthCalendar c;
        c.show();
        int dayClicks = 0;
        c.OnDayClick = [&](QObject*) { ++dayClicks; };
        c.SetInDate(QStringLiteral("1401/06/30"));
        QCOMPARE(dayClicks, 0);
        // A grey next-month day 3 in row 5.
        int col = -1, row = 5;
        for (int k = 0; k < 7; ++k)
            if (CellText(c, k, 5) == QStringLiteral("3")) col = k;
        QVERIFY(col >= 0);
        QTest::mouseClick(c.Grid(), Qt::LeftButton, {}, CellCentre(c, col, row));
        QCOMPARE(c.OutDate, QStringLiteral("1401/07/03"));
        QCOMPARE(c.InDate(), QStringLiteral("1401/07/03"));
        QCOMPARE(CellText(c, c.Grid()->SGr_Col(), c.Grid()->SGr_Row()), QStringLiteral("3"));
        QCOMPARE(dayClicks, 1);
        // A previous-month day in row 0.
        c.SetInDate(QStringLiteral("1401/06/10"));
        QTest::mouseClick(c.Grid(), Qt::LeftButton, {}, CellCentre(c, 0, 0));
        QCOMPARE(c.OutDate, QStringLiteral("1401/05/29"));
        // A trailing day of the twelfth month shows the first month of the next year.
        c.SetInDate(QStringLiteral("1404/12/10"));
        const TCell last = c.LastCell();
        const int after = last.Row * 7 + last.Col + 2;
        QCOMPARE(CellText(c, after % 7, after / 7), QStringLiteral("2"));
        QTest::mouseClick(c.Grid(), Qt::LeftButton, {}, CellCentre(c, after % 7, after / 7));
        QCOMPARE(c.OutDate, QStringLiteral("1405/01/02"));
        QCOMPARE(c.Year(), 1405);
        // A leading day of the first month goes back a year.
        c.SetInDate(QStringLiteral("1404/01/10"));
        QTest::mouseClick(c.Grid(), Qt::LeftButton, {}, CellCentre(c, c.FirstCell() - 1, 0));
        QCOMPARE(c.OutDate, QStringLiteral("1403/12/30"));
    }

    void noMonthChooserLeavesOutsideCellsEmptyAndDead() {
        TSolarMonthCalendar c;
        c.show();
        c.SetInDate(QStringLiteral("1401/06/30"));
        c.SetMonthObject(moNone);
        QCOMPARE(CellText(c, 0, 0), QString());
        QCOMPARE(CellText(c, 6, 5), QString());
        QTest::mouseClick(c.Grid(), Qt::LeftButton, {}, CellCentre(c, 0, 0));
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        QVERIFY(c.Grid()->contextMenuPolicy() != Qt::CustomContextMenu);
    }

    void disabledDaysRefuseTheMouseButNotTheKeys() {
        TSolarMonthCalendar c;
        c.show();
        c.SetEnabledDays(TMonthCaptionSet::All().Without(mcFriday));
        c.SetInDate(QStringLiteral("1401/06/30"));  // a Wednesday, column 4
        QTest::mouseClick(c.Grid(), Qt::LeftButton, {}, CellCentre(c, 6, 2));
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        QCOMPARE(c.Grid()->SGr_Col(), 4);
        QTest::mouseClick(c.Grid(), Qt::LeftButton, {}, CellCentre(c, 5, 2));
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/17"));
        QTest::keyClick(c.Grid(), Qt::Key_Left);  // one day on, onto Friday
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/18"));
        QCOMPARE(c.Grid()->SGr_Col(), 6);
    }

    void arrowKeysStepTheDate() {
        TSolarMonthCalendar c;
        c.show();
        c.SetInDate(QStringLiteral("1401/06/30"));
        QTest::keyClick(c.Grid(), Qt::Key_Left);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/31"));
        QTest::keyClick(c.Grid(), Qt::Key_Right);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        QTest::keyClick(c.Grid(), Qt::Key_Down);
        QCOMPARE(c.OutDate, QStringLiteral("1401/07/06"));
        QTest::keyClick(c.Grid(), Qt::Key_Up);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        QTest::keyClick(c.Grid(), Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(c.OutDate, QStringLiteral("1401/07/30"));
        QTest::keyClick(c.Grid(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        QTest::keyClick(c.Grid(), Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(c.OutDate, QStringLiteral("1402/06/30"));
        QTest::keyClick(c.Grid(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        // Other modifier combinations do nothing.
        QTest::keyClick(c.Grid(), Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        c.SetDateKind(dkGregorian);
        QCOMPARE(c.OutDate, QStringLiteral("2022/09/21"));
        QTest::keyClick(c.Grid(), Qt::Key_Left);
        QCOMPARE(c.OutDate, QStringLiteral("2022/09/22"));
    }

    void settingDates() {
        PromptRecorder rec;
        TSolarMonthCalendar c;
        c.SetInDate(QStringLiteral("1401/06/30"));
        c.SetInDate(QStringLiteral("   "));
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        QVERIFY(rec.Texts().isEmpty());
        c.SetInDate(QStringLiteral("1401/13/01"));
        QCOMPARE(rec.Texts().size(), 1);
        QCOMPARE(rec.Texts()[0], QString::fromUtf8(".تاريخ وارد شده معتبر نميباشد، لطفاً تاريخ صحيح را وارد نمائيد"));
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        c.SetYear(1402);
        QCOMPARE(c.OutDate, QStringLiteral("1402/06/30"));
        QCOMPARE(c.Year(), 1402);
        QCOMPARE(c.Month(), 6);
        QCOMPARE(c.Day(), 30);
        c.SetDateKind(dkGregorian);
        c.SetInDate(QStringLiteral("2022/00/01"));
        QCOMPARE(rec.Texts().last(), QStringLiteral("Invalid date, Enter correct date please."));
    }

    void dateOperations() {
        TSolarMonthCalendar c;
        c.SetInDate(QStringLiteral("1401/06/30"));
        QCOMPARE(c.LIncDay(1), QStringLiteral("1401/06/31"));
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        QCOMPARE(c.IncMonth(1), QStringLiteral("1401/07/30"));
        QCOMPARE(c.DecMonth(1), QStringLiteral("1401/06/30"));
        QCOMPARE(c.GotoDay(5), QStringLiteral("1401/06/05"));
        QCOMPARE(c.DaysBetween({}, QStringLiteral("1401/06/15")), 10);
        QCOMPARE(c.DaysBetween(QStringLiteral("1401/06/15"), {}), -1);
        QCOMPARE(c.GetRawDate(), QStringLiteral("14010605"));
        QCOMPARE(c.GetDateWithDiv(QStringLiteral("-")), QStringLiteral("1401-06-05"));
        QCOMPARE(c.ConvertDate(), QStringLiteral("2022/08/27"));
        QCOMPARE(c.ConvertYear(), 2022);
        QCOMPARE(c.ConvertMonth(), 8);
        QCOMPARE(c.YearScript(0, fShort), QString::fromUtf8(TPublicUtils::ConvertToPersianAlpha(1)));
        QCOMPARE(c.YearScript(0, fLong), QString::fromUtf8(TPublicUtils::ConvertToPersianAlpha(1401)));
        QCOMPARE(c.MonthScript(0), QString::fromUtf8("شش "));
        QCOMPARE(c.YMDScript(mtAlphabet, QStringLiteral("/")),
                 QString::fromUtf8("پنج /شهريور ماه/") + QString::fromUtf8(TPublicUtils::ConvertToPersianAlpha(1401)));
    }

    void monthChoosers() {
        TSolarMonthCalendar c;
        c.SetInDate(QStringLiteral("1401/06/31"));
        QCOMPARE(c.MonthMenu()->actions().size(), 12);
        QVERIFY(c.MonthMenu()->actions().at(5)->isChecked());
        c.MonthMenu()->actions().at(6)->trigger();
        // The 31st does not exist in Mehr: the day becomes the month's last.
        QCOMPARE(c.OutDate, QStringLiteral("1401/07/30"));
        QCOMPARE(c.InDate(), QStringLiteral("1401/07/30"));
        QVERIFY(c.MonthMenu()->actions().at(6)->isChecked());
        QVERIFY(!c.MonthMenu()->actions().at(5)->isChecked());
        c.SetMonthObject(moComboBox);
        QVERIFY(c.MonthCombo());
        QCOMPARE(c.MonthCombo()->geometry().topLeft(), QPoint(135, 147));
        QCOMPARE(c.MonthCombo()->width(), 80);
        QCOMPARE(c.MonthCombo()->currentIndex(), 6);
        QVERIFY(c.MonthLabel()->isHidden());
        c.MonthCombo()->activated(0);
        QCOMPARE(c.OutDate, QStringLiteral("1401/01/30"));
        c.SetMonthObject(moPopupMenu);
        QVERIFY(!c.MonthCombo());
    }

    void styles() {
        TSolarMonthCalendar c;
        c.SetColorStyle(csBlueBlue);
        QCOMPARE(c.ColorCaptionStop(), QColor(183, 232, 255));
        c.SetColorNormalDay(QColor(10, 20, 30));
        QCOMPARE(c.ColorStyle(), csCustom);
        QCOMPARE(c.ColorNormalDay(), QColor(10, 20, 30));
        QCOMPARE(c.ColorCaptionStop(), QColor(183, 232, 255));
        QCOMPARE(c.ColorVacationDay(), QColor(0, 0, 255));
        c.SetColorStyle(csCustom);
        QCOMPARE(c.ColorNormalDay(), QColor(10, 20, 30));
        QCOMPARE(c.ColorCaptionStop(), QColor(183, 232, 255));
        c.SetColorStyle(csWhiteBlack);
        QCOMPARE(c.TopPanel()->YearCaption()->palette().color(QPalette::WindowText), QColor(240, 255, 255));
        c.SetColorVacationDay(QColor(1, 2, 3));
        QVERIFY(c.Headings()[6]->styleSheet().contains(QColor(1, 2, 3).name()));
        c.SetButtonStyle(bsRectangular);
        QCOMPARE(c.RoundButton(), 0);
        QCOMPARE(c.RoundSelect(), 0);
    }

    void switchingTheCalendarCarriesTheDate() {
        TSolarMonthCalendar c;
        c.SetInDate(QStringLiteral("1401/06/30"));
        int layouts = 0;
        c.OnLayoutClick = [&](QObject*) { ++layouts; };
        QTest::mouseClick(c.TopPanel()->btnLayoutSwitch, Qt::LeftButton);
        QCOMPARE(c.DateKind(), dkGregorian);
        QCOMPARE(c.OutDate, QStringLiteral("2022/09/21"));
        QCOMPARE(c.MiladiDate(), QString());
        QCOMPARE(layouts, 1);
        QCOMPARE(c.TopPanel()->btnNextYear->toolTip(), QStringLiteral("Next Year"));
        QTest::mouseClick(c.TopPanel()->btnLayoutSwitch, Qt::LeftButton);
        QCOMPARE(c.OutDate, QStringLiteral("1401/06/30"));
        QCOMPARE(c.TopPanel()->btnLayoutSwitch->toolTip(), QString::fromUtf8("ميلادي"));
    }

    void todayLineSelectsToday() {
        TSolarMonthCalendar c;
        c.show();
        c.SetInDate(QStringLiteral("1390/01/01"));
        QTest::mouseClick(c.TodayLabel(), Qt::LeftButton);
        QCOMPARE(c.OutDate, QString::fromUtf8(TPublicUtils::FillDate(dkSolar)));
        c.SetShowToDay(false);
        QVERIFY(c.TodayLabel()->isHidden());
    }
};

QTEST_MAIN(CalendarTest)
#include "CalendarTest.moc"
