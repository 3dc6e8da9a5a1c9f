// The main window's day of results when the user does things in an unexpected
// order: a right click on another row, a day changed under an open dialog, an
// impossible date in the date field, a document asked for with no network.
#include <QContextMenuEvent>
#include <QMenu>
#include <QToolButton>

#include "base/core/TextFile.h"
#include "server/core/ServerMessages.h"
#include "tests/results/ui/ResultsWindow.h"

using namespace Qt::StringLiterals;
using orv::test::CentralLab;
using orv::test::CentralLabOptions;

namespace {
const QString kNoSample = u". در اين تاريخ نمونه اي از آزمايشگاه شما هنوز ارسال نگرديده"_s;
const QString kNotReady = u". جواب اين آزمايش هنوز آماده نميباشد"_s;
const QString kInterrupted = u". دریافت فایل از سرور تاروینا ناتمام ماند، لطفا دوباره سعی کنید"_s;
const QString kInvalidDate = u".تاريخ وارد شده معتبر نميباشد، لطفاً تاريخ صحيح را وارد نمائيد"_s;
// The day after 1401/06/30 in the test data: two rows, another patient first.
const QByteArray kOtherDay = "1   555   9   40   \xd1\xd6\xc7   TSH=1.0   \r\n2   666   8   41   \xe3\xd1\xed\xe3   FBS=80   \r\n";
}  // namespace

class MainWindowReliabilityTest : public QObject {
    Q_OBJECT
    CentralLab lab_;
    orv::test::ResultsWindow w_;

    QRect CellRect(int row, int column) const {
        const QModelIndex index = mainWindow->results->resultModel->index(row, column);
        mainWindow->results->resultGrid->scrollTo(index);
        return mainWindow->results->resultGrid->visualRect(index);
    }

private slots:
    void initTestCase() { QVERIFY2(lab_.Start(CentralLabOptions::Fixed("2022-09-21T09:00:00")), lab_.Error().c_str()); }
    void init() {
        lab_.Control("reset");
        w_.Open(lab_);
        w_.Archive(u"14010630"_s, w_.Sample());
        w_.Archive(u"14010631"_s, kOtherDay);
        mainWindow->results->setDateText(u"1401/06/30"_s);
        QCOMPARE(w_.Rows(), 4);
        lab_.ClearLogs();
    }
    void cleanup() {
        if (mainWindow && mainWindow->results->gridMenu) mainWindow->results->gridMenu->hide();
        w_.Close();
    }

    // A right click makes the clicked cell current before the menu opens, so the
    // document asked for is the clicked patient's.
    void rightClickSelectsTheClickedCell() {
        w_.Select(1, 7);  // patient 2045, HCV Qualitative
        const QPoint at = CellRect(2, 5).center();
        QTest::mouseClick(mainWindow->results->resultGrid->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, mainWindow->results->resultGrid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(mainWindow->results->resultGrid->viewport(), &menu);
        QCOMPARE(mainWindow->results->resultGrid->Row(), 2);
        QCOMPARE(mainWindow->results->resultGrid->Col(), 5);
        QTRY_VERIFY(mainWindow->results->gridMenu->isVisible());
        mainWindow->results->gridMenu->hide();
        mainWindow->State().networkOk = false;  // the action stops at its network gate
        mainWindow->results->testDocumentAction->trigger();
        QCOMPARE(mainWindow->results->documentTest, u"Hb Electro"_s);
        QVERIFY2(mainWindow->results->documentPath.endsWith(u"12345_120H.pdf"_s), qPrintable(mainWindow->results->documentPath));
        // A right click outside the cells leaves the current cell.
        QTest::mouseClick(mainWindow->results->resultGrid->viewport(), Qt::RightButton, {},
                          QPoint(5, mainWindow->results->resultGrid->viewport()->height() - 2));
        QCOMPARE(mainWindow->results->resultGrid->Row(), 2);
        QCOMPARE(mainWindow->results->resultGrid->Col(), 5);
    }

    // Another day keeps the current cell: Find Next goes on from it and the menu acts on it.
    void anotherDayKeepsTheCurrentCell() {
        w_.Select(2, 5);
        QTest::mouseClick(mainWindow->results->nextDayButton, Qt::LeftButton);
        QCOMPARE(mainWindow->results->dateText(), u"1401/06/31"_s);
        QCOMPARE(w_.Rows(), 3);
        QCOMPARE(mainWindow->results->resultGrid->Row(), 2);
        QCOMPARE(mainWindow->results->resultGrid->Col(), 5);
        // Back to a day with more rows: still the same cell.
        QTest::mouseClick(mainWindow->results->previousDayButton, Qt::LeftButton);
        QCOMPARE(mainWindow->results->resultGrid->Row(), 2);
        QCOMPARE(mainWindow->results->resultGrid->Col(), 5);
        // Origin codes 120 (row 2) and 12 (row 3) hold "12": after a day away and
        // back, Find Next goes on from row 2 to row 3 instead of starting at the top.
        mainWindow->results->searchField->setText(u"12"_s);
        QCOMPARE(mainWindow->results->resultGrid->Row(), 2);
        QTest::mouseClick(mainWindow->results->nextDayButton, Qt::LeftButton);
        QTest::mouseClick(mainWindow->results->previousDayButton, Qt::LeftButton);
        QTest::mouseClick(mainWindow->results->findNextButton, Qt::LeftButton);
        QCOMPARE(mainWindow->results->resultGrid->Row(), 3);
        // A day without a file leaves only the heading row: the cell moves up to it.
        mainWindow->results->setDateText(u"1401/06/20"_s);
        QCOMPARE(mainWindow->results->resultGrid->Row(), 0);
    }

    // Save As takes the report as it was when the button was pressed.
    void saveAsKeepsTheDayOfThePress() {
        const QString target = w_.Root() + u"saved.txt"_s;
        orv::ui::SetSaveFileResponder([&](const QString&, const QString&, const QString&) {
            mainWindow->results->setDateText(u"1401/06/31"_s);  // a refresh moves the day meanwhile
            return target;
        });
        QTest::mouseClick(mainWindow->results->saveAsButton, Qt::LeftButton);
        const orv::TextReadResult saved = orv::ReadTextFile(target.toStdString());
        QVERIFY2(saved.ok, saved.error.c_str());
        const orv::TextContent sample = orv::DecodeText(w_.Sample().toStdString());
        QCOMPARE(saved.content.lines, sample.lines);
    }

    // An impossible or incomplete date is never sent, nor stepped; the field goes back to the last good day.
    void invalidDateIsNeverUsed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");
        for (const QString& text : {u"1405/13/40"_s, u"abc"_s, u"1405/9/5"_s, QString()})
            for (const QString& button : {u"SpeedButton16"_s, u"SpeedButton3"_s, u"SpeedButton7"_s})
                QTest::newRow(qPrintable(button + u" " + (text.isEmpty() ? u"empty"_s : text))) << text << button;
    }
    void invalidDateIsNeverUsed() {
        QFETCH(QString, text);
        QFETCH(QString, button);
        mainWindow->results->setDateText(text);
        w_.messages.clear();
        QTest::mouseClick(mainWindow->findChild<QToolButton*>(button), Qt::LeftButton);
        QCOMPARE(mainWindow->results->dateText(), u"1401/06/30"_s);
        QCOMPARE(w_.messages, QStringList{u"Attention|"_s + kInvalidDate});
        QCOMPARE(w_.Rows(), 4);  // the last good day is shown again
        QVERIFY(lab_.FtpCommands().empty());
        QVERIFY(!QApplication::overrideCursor());
    }

    // "Not sent yet" and "not ready yet" are said only when the server has no
    // such file; a transfer that breaks says so.
    void brokenDownloadIsNotReportedAsNotReady_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("document");
        QTest::addColumn<QString>("expected");
        QTest::newRow("day, dropped") << u"drop 100 14010630"_s << false << kInterrupted;
        QTest::newRow("day, missing") << u"missing 14010630"_s << false << kNoSample;
        QTest::newRow("document, dropped") << u"drop 10 6-hcvql-2045"_s << true << kInterrupted;
        QTest::newRow("document, missing") << u"missing 6-hcvql-2045"_s << true << kNotReady;
    }
    void brokenDownloadIsNotReportedAsNotReady() {
        QFETCH(QString, fault);
        QFETCH(bool, document);
        QFETCH(QString, expected);
        QVERIFY(lab_.Control(fault.toStdString()));
        orv::ui::SetOpenResponder([](const QUrl&) { return true; });
        if (document) {
            w_.Select(1, 7);  // patient 2045, HCV Qualitative
            mainWindow->results->testDocumentAction->trigger();
        } else {
            QTest::mouseClick(mainWindow->results->receiveButton, Qt::LeftButton);
        }
        QCOMPARE(w_.Status(), expected);
        QVERIFY(!mainWindow->ftp->IsOpen());
        QVERIFY(!QApplication::overrideCursor());
    }

    // Every way out of the document action gives the normal cursor back.
    void documentWithoutNetworkRestoresTheCursor() {
        mainWindow->State().networkOk = false;
        w_.Select(2, 5);  // Hb Electro, no local copy
        mainWindow->results->testDocumentAction->trigger();
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kNetworkUpdate));
        QVERIFY(!QApplication::overrideCursor());
        mainWindow->State().networkOk = true;
        mainWindow->State().serverOk = false;
        w_.Select(1, 5);  // FBS: no document kind
        mainWindow->results->testDocumentAction->trigger();
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(MainWindowReliabilityTest)
#include "MainWindowReliabilityTest.moc"
