// The month calendar under the keyboard and its month buttons: year editing
// never outlives a month step, and a year step always lands on a day of the grid.
#include <QTest>

#include "solar/widgets/TSolarButton.h"
#include "solar/widgets/TSolarGrid.h"
#include "solar/widgets/TSolarLabel.h"
#include "solar/widgets/TSolarMonthCalendar.h"
#include "solar/widgets/TSolarTopPanel.h"
#include "solar/widgets/TYearEdit.h"
#include "tests/support/PromptRecorder.h"

using namespace orv::solar;

class CalendarKeysTest : public QObject {
    Q_OBJECT

    static QString Selected(const TCustomSolarCalendar& c) {
        const TSolarGrid* g = c.Grid();
        const TSolarCell* cell = g->Cell(g->SGr_Col(), g->SGr_Row());
        return cell ? cell->cl_Text() : QString();
    }

private slots:
    void monthButtonsCloseYearEditing_data() {
        QTest::addColumn<bool>("next");
        QTest::addColumn<QString>("expected");
        QTest::newRow("next month") << true << QStringLiteral("1402/01/10");
        QTest::newRow("prior month") << false << QStringLiteral("1401/11/10");
    }
    void monthButtonsCloseYearEditing() {
        QFETCH(bool, next);
        QFETCH(QString, expected);
        PromptRecorder prompts;
        TSolarMonthCalendar c;
        c.show();
        c.SetInDate(QStringLiteral("1401/12/10"));
        TSolarTopPanel* p = c.TopPanel();
        QTest::mouseClick(p->YearCaption(), Qt::LeftButton);
        QVERIFY(p->YearEditing());
        QTest::mouseClick(next ? p->btnNextMonth : p->btnPriorMonth, Qt::LeftButton);
        QCOMPARE(c.OutDate, expected);
        QVERIFY(!p->YearEditing());
        // Enter now reaches the grid, not a stale year edit: the year stays.
        QTest::keyClick(p->YearEdit(), Qt::Key_Return);
        QCOMPARE(c.OutDate, expected);
        QCOMPARE(p->YearEdit()->text(), expected.left(4));
    }

    void yearKeysLandOnADayOfTheGrid_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected");
        // 1403 is a leap year, 1404 and 1402 are not: Esfand 30 becomes Esfand 29.
        QTest::newRow("shift+left into a common year") << "1403/12/30" << int(Qt::Key_Left) << "1404/12/29";
        QTest::newRow("shift+right into a common year") << "1403/12/30" << int(Qt::Key_Right) << "1402/12/29";
        QTest::newRow("ordinary day") << "1401/06/30" << int(Qt::Key_Left) << "1402/06/30";
    }
    void yearKeysLandOnADayOfTheGrid() {
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(QString, expected);
        PromptRecorder prompts;
        TSolarMonthCalendar c;
        c.show();
        c.SetInDate(start);
        c.Grid()->setFocus();
        QTest::keyClick(c.Grid(), Qt::Key(key), Qt::ShiftModifier);
        QCOMPARE(c.OutDate, expected);
        QCOMPARE(Selected(c), QString::number(expected.right(2).toInt()));
        // The arrow keys go on working from there.
        QTest::keyClick(c.Grid(), Qt::Key_Right);
        QCOMPARE(c.OutDate, QString::fromStdString(TPublicUtils::DecDay(expected.toStdString(), 1, dkSolar)));
        QVERIFY(prompts.messages.isEmpty());
    }
};

QTEST_MAIN(CalendarKeysTest)
#include "CalendarKeysTest.moc"
