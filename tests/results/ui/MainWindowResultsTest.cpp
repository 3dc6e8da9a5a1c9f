// The main window's day of results against the local central laboratory: the
// archive, the download with its gates, the search and the day steps.
#include <QHeaderView>
#include <QListWidget>
#include <QProgressBar>
#include <QToolButton>

#include "server/ui/ReferenceDocuments.h"
#include "base/core/AtomicFile.h"
#include "server/core/ServerMessages.h"
#include "tests/results/ui/ResultsWindow.h"

using namespace Qt::StringLiterals;
using orv::test::CentralLab;
using orv::test::CentralLabOptions;

namespace {
const QString kNoSample = u". در اين تاريخ نمونه اي از آزمايشگاه شما هنوز ارسال نگرديده"_s;
}

class MainWindowResultsTest : public QObject {
    Q_OBJECT
    CentralLab lab_;
    orv::test::ResultsWindow w_;

    QString Local(const char* compact) const { return w_.Root() + QString::fromLatin1(compact) + u".txt"_s; }

private slots:
    void initTestCase() {
        // 2022-09-21 is 1401/06/30; the laboratory has that day and every second day before it.
        QVERIFY2(lab_.Start(CentralLabOptions::Fixed("2022-09-21T09:00:00")), lab_.Error().c_str());
    }
    void init() {
        lab_.Control("reset");
        w_.Open(lab_);
        lab_.ClearLogs();
    }
    void cleanup() { w_.Close(); }

    void archivedDayIsShownWithoutTheServer() {
        w_.Archive(u"14010630"_s, w_.Sample());
        mainWindow->results->setDateText(u"1401/06/30"_s);
        QCOMPARE(w_.Status(), u"Archive File 1401/06/30  From Tarvina Laboratory"_s);
        QCOMPARE(mainWindow->results->compactDayField->text(), u"14010630"_s);
        QCOMPARE(w_.Rows(), 4);
        QCOMPARE(w_.Cell(0, 4), u"          نام بيمار "_s);
        QCOMPARE(w_.Cell(2, 4), u" فاطمه  گل\u064a"_s);
        QCOMPARE(w_.Cell(1, 7), u" HCV Qualitative=Negative"_s);
        QCOMPARE(mainWindow->results->resultGrid->columnWidth(7), 7 * 25);
        QCOMPARE(mainWindow->results->resultGrid->columnWidth(12), 7 * 13);
        QVERIFY(mainWindow->results->resultGrid->columnWidth(1) >
                QFontMetrics(mainWindow->results->resultGrid->font()).horizontalAdvance(u" ABCDE12345XY"_s));
        QVERIFY(mainWindow->results->signatureStamp->isVisible());
        QCOMPARE(mainWindow->results->stampDay->text(), u"1401/06/30"_s);
        QVERIFY(!mainWindow->results->signatureCaption->isVisible());
        QVERIFY(lab_.FtpCommands().empty());
        QCOMPARE(mainWindow->results->ReportLines().size(), size_t(3));
    }

    void dayWithoutArchiveShowsTheHeadingRow() {
        w_.Archive(u"14010630"_s, w_.Sample());
        mainWindow->results->setDateText(u"1401/06/30"_s);
        mainWindow->results->setDateText(u"1401/06/2"_s);  // typing a date by hand
        QCOMPARE(w_.Status(), u"Archive File  1401/06/2  Not Exists."_s);
        mainWindow->results->setDateText(u"1401/06/29"_s);
        QCOMPARE(w_.Status(), u"Archive File  1401/06/29  Not Exists."_s);
        QCOMPARE(w_.Rows(), 1);
        QVERIFY(!mainWindow->results->signatureStamp->isVisible());
        QVERIFY(mainWindow->results->signatureCaption->isVisible());
        QCOMPARE(mainWindow->results->resultGrid->columnWidth(7), 90);
        QCOMPARE(mainWindow->results->resultGrid->columnWidth(4), 130);
        QVERIFY(mainWindow->results->ReportLines().empty());
        // An empty file: the heading row alone, no stamp.
        w_.Archive(u"14010628"_s, QByteArray());
        mainWindow->results->setDateText(u"1401/06/28"_s);
        QCOMPARE(w_.Rows(), 1);
        QVERIFY(!mainWindow->results->signatureStamp->isVisible());
    }

    void downloadFetchesTheDayAndShowsIt() {
        mainWindow->results->setDateText(u"1401/06/30"_s);
        QCOMPARE(w_.Rows(), 1);
        QTest::mouseClick(mainWindow->results->receiveButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), u"1401/06/30 File Download succesfully."_s);
        QVERIFY(orv::FileExists(Local("14010630").toStdString()));
        QCOMPARE(w_.Rows(), 6);
        QCOMPARE(w_.Cell(1, 1), u" ABCDE12345XY"_s);
        QCOMPARE(w_.Cell(5, 4), u" علي اکبر پورحسيني"_s);
        QCOMPARE(orv::test::CommandsNaming(lab_, "RETR /Text Result/12/14010630.txt"), 1);
        QCOMPARE(mainWindow->transferGauge->value(), mainWindow->transferGauge->maximum());
        QCOMPARE(mainWindow->transferGauge->maximum(), 900);
        QVERIFY(mainWindow->results->signatureStamp->isVisible());
        QVERIFY(!QApplication::overrideCursor());
        // The next time the day is chosen it comes from the archive.
        mainWindow->results->setDateText(u"1401/06/29"_s);
        lab_.ClearLogs();
        mainWindow->results->setDateText(u"1401/06/30"_s);
        QCOMPARE(w_.Status(), u"Archive File 1401/06/30  From Tarvina Laboratory"_s);
        QCOMPARE(w_.Rows(), 6);
        QVERIFY(lab_.FtpCommands().empty());
    }

    void serverWithoutTheFile() {
        mainWindow->results->setDateText(u"1401/06/29"_s);
        QTest::mouseClick(mainWindow->results->receiveButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), kNoSample);
        QVERIFY(!QFile::exists(Local("14010629")));
        QCOMPARE(w_.Rows(), 1);
        QVERIFY(!QApplication::overrideCursor());
    }

    void droppedTransferKeepsTheEarlierCopy() {
        w_.Archive(u"14010630"_s, w_.Sample());
        mainWindow->results->setDateText(u"1401/06/30"_s);
        QVERIFY(lab_.Control("drop 100 14010630"));
        QTest::mouseClick(mainWindow->results->receiveButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kInterrupted));  // the file is there: not "no sample"
        QFile kept(Local("14010630"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), w_.Sample());
        QCOMPARE(w_.Rows(), 4);  // the grid as it was
        QStringList beside = QDir(w_.Root()).entryList({u"1401*"_s, u".*"_s}, QDir::Files | QDir::Hidden);
        beside.removeIf([](const QString& name) { return name.startsWith(u".orvanet-archive.sqlite"_s); });
        QCOMPARE(beside, QStringList{u"14010630.txt"_s});  // no partial download left beside it (the index aside)
        // The session was closed: the next download opens its own and succeeds.
        QVERIFY(lab_.Control("drop off"));
        QTest::mouseClick(mainWindow->results->receiveButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), u"1401/06/30 File Download succesfully."_s);
        QCOMPARE(w_.Rows(), 6);
    }

    void closedGatesStopBeforeTheServer_data() {
        QTest::addColumn<QString>("gate");
        QTest::addColumn<QString>("message");
        QTest::newRow("netok") << u"netok"_s << QString::fromUtf8(orv::msg::kNetworkUpdate);
        QTest::newRow("farok") << u"farok"_s << QString::fromUtf8(orv::msg::kServer);
        QTest::newRow("billok") << u"billok"_s << QString::fromUtf8(orv::msg::kAccountingLock);
        QTest::newRow("login refused") << u"login"_s << QString::fromUtf8(orv::msg::kLogInRefused);
    }
    void closedGatesStopBeforeTheServer() {
        QFETCH(QString, gate);
        QFETCH(QString, message);
        w_.Archive(u"14010630"_s, w_.Sample());
        mainWindow->results->setDateText(u"1401/06/30"_s);
        lab_.ClearLogs();
        if (gate == u"netok"_s) mainWindow->State().networkOk = false;
        if (gate == u"farok"_s) mainWindow->State().serverOk = false;
        if (gate == u"billok"_s) mainWindow->State().accountOk = false;
        if (gate == u"login"_s) QVERIFY(lab_.Control("login refuse"));
        QTest::mouseClick(mainWindow->results->receiveButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), message);
        // A log-in refused during an action: the server is down until a check logs in.
        if (gate == u"login"_s) QVERIFY(!mainWindow->State().serverOk && orv::test::SamePicture(mainWindow->serverIndicator, mainWindow->failurePicture));
        QCOMPARE(w_.Rows(), 4);
        QCOMPARE(orv::test::CommandsNaming(lab_, "14010630.txt"), 0);
        if (gate != u"login"_s) QVERIFY(lab_.FtpCommands().empty());
        QVERIFY(QFile::exists(Local("14010630")));
        QVERIFY(!QApplication::overrideCursor());
    }

    void searchHighlightsAndFindNextWraps() {
        // Three rows whose name holds "رضا", two whose origin code holds 12.
        const QByteArray day = QStringLiteral(
                                   "1   A1   312   30   رضا احمدی   FBS=95   \r\n"
                                   "2   A2   77   41   مریم رضایی   \r\n"
                                   "3   A3   120   5   علی   \r\n"
                                   "4   A4   99   5   علیرضا   \r\n")
                                   .toUtf8()
                                   .prepend("\xEF\xBB\xBF");
        w_.Archive(u"14010630"_s, day);
        mainWindow->results->setDateText(u"1401/06/30"_s);
        QTest::keyClicks(mainWindow->results->searchField, u"12"_s);
        QVERIFY(mainWindow->results->searchIsNumber);
        QCOMPARE(mainWindow->results->highlightColumn, 2);
        QCOMPARE(mainWindow->results->highlightRow, 1);  // "1" already matched 312
        QCOMPARE(mainWindow->results->resultGrid->Row(), 1);
        QTest::mouseClick(mainWindow->results->findNextButton, Qt::LeftButton);
        QCOMPARE(mainWindow->results->highlightRow, 3);

        mainWindow->results->searchField->setText(u"رضا"_s);
        QVERIFY(!mainWindow->results->searchIsNumber);
        QCOMPARE(mainWindow->results->highlightColumn, 4);
        QCOMPARE(mainWindow->results->highlightRow, 1);
        QList<int> walk;
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(mainWindow->results->findNextButton, Qt::LeftButton);
            walk << mainWindow->results->highlightRow;
        }
        QCOMPARE(walk, (QList<int>{2, 4, 1}));
        // No match and an empty text leave the highlight; the heading row is never found.
        mainWindow->results->searchField->setText(u"zzz"_s);
        QCOMPARE(mainWindow->results->highlightRow, 1);
        mainWindow->results->searchField->clear();
        QCOMPARE(mainWindow->results->highlightRow, 1);
        mainWindow->results->searchField->setText(u"نام"_s);
        QCOMPARE(mainWindow->results->highlightRow, 1);
        // Painted maroon.
        mainWindow->results->searchField->setText(u"مریم"_s);
        const QImage shot = mainWindow->results->resultGrid->grab().toImage();
        const QRect cell = mainWindow->results->resultGrid->visualRect(mainWindow->results->resultModel->index(2, 4))
                               .translated(mainWindow->results->resultGrid->viewport()->pos());
        QCOMPARE(shot.pixelColor(cell.right() - 2, cell.bottom() - 2), QColor(128, 0, 0));

        // Enter puts the focus into the grid.
        mainWindow->activateWindow();
        mainWindow->results->searchField->setFocus();
        QTest::keyClick(mainWindow->results->searchField, Qt::Key_Return);
        QTRY_VERIFY(mainWindow->results->resultGrid->hasFocus());

        // Another day with rows keeps the highlight; a day without a file clears it.
        w_.Archive(u"14010629"_s, w_.Sample());
        mainWindow->results->setDateText(u"1401/06/29"_s);
        QCOMPARE(mainWindow->results->highlightRow, 2);
        QCOMPARE(mainWindow->results->highlightColumn, 4);
        mainWindow->results->setDateText(u"1401/06/27"_s);
        QCOMPARE(mainWindow->results->highlightRow, 0);
    }

    void daySteps() {
        mainWindow->results->setDateText(u"1401/01/01"_s);
        QTest::mouseClick(mainWindow->results->previousDayButton, Qt::LeftButton);
        QCOMPARE(mainWindow->results->dateText(), u"1400/12/29"_s);
        QCOMPARE(w_.Status(), u"Archive File  1400/12/29  Not Exists."_s);
        QCOMPARE(mainWindow->results->dayPicker->toolTip(), u"یکشنبه"_s.replace(u'ی', u'\u064a'));  // 20 March 2022
        mainWindow->results->setDateText(u"1401/06/31"_s);
        w_.Archive(u"14010701"_s, w_.Sample());
        QTest::mouseClick(mainWindow->results->nextDayButton, Qt::LeftButton);
        QCOMPARE(mainWindow->results->dateText(), u"1401/07/01"_s);
        QCOMPARE(w_.Rows(), 4);
        QCOMPARE(mainWindow->results->dayPicker->toolTip(), u"جمعه"_s);  // 23 September 2022
        // An empty field is no day to step from: the invalid-date message, and the last day comes back.
        mainWindow->results->setDateText(QString());
        w_.messages.clear();
        QTest::mouseClick(mainWindow->results->nextDayButton, Qt::LeftButton);
        QCOMPARE(mainWindow->results->dateText(), u"1401/07/01"_s);
        QCOMPARE(w_.messages.size(), 1);
    }

    void clickOnTheGridClosesTheDownloadList() {
        mainWindow->reference->downloadFilesButton->setChecked(true);
        mainWindow->reference->folderListCaption->show();
        mainWindow->reference->folderList->show();
        mainWindow->reference->folderList->raise();
        // Anywhere on the grid, even below its rows.
        QTest::mouseClick(mainWindow->results->resultGrid->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!mainWindow->reference->folderListCaption->isVisible());
        QVERIFY(!mainWindow->reference->downloadFilesButton->isChecked());
        // The list now lies behind the grid.
        QWidget* top = mainWindow->childAt(mainWindow->reference->folderList->geometry().center());
        QVERIFY(top != mainWindow->reference->folderList && !mainWindow->reference->folderList->isAncestorOf(top));
    }
};

QTEST_MAIN(MainWindowResultsTest)
#include "MainWindowResultsTest.moc"
