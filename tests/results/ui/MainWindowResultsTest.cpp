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
        mainform->results->setDateText(u"1401/06/30"_s);
        QCOMPARE(w_.Status(), u"Archive File 1401/06/30  From Tarvina Laboratory"_s);
        QCOMPARE(mainform->results->compactDayField->text(), u"14010630"_s);
        QCOMPARE(w_.Rows(), 4);
        QCOMPARE(w_.Cell(0, 4), u"          نام بيمار "_s);
        QCOMPARE(w_.Cell(2, 4), u" فاطمه  گل\u064a"_s);
        QCOMPARE(w_.Cell(1, 7), u" HCV Qualitative=Negative"_s);
        QCOMPARE(mainform->results->resultGrid->columnWidth(7), 7 * 25);
        QCOMPARE(mainform->results->resultGrid->columnWidth(12), 7 * 13);
        QVERIFY(mainform->results->resultGrid->columnWidth(1) >
                QFontMetrics(mainform->results->resultGrid->font()).horizontalAdvance(u" ABCDE12345XY"_s));
        QVERIFY(mainform->results->signatureStamp->isVisible());
        QCOMPARE(mainform->results->stampDay->text(), u"1401/06/30"_s);
        QVERIFY(!mainform->results->signatureCaption->isVisible());
        QVERIFY(lab_.FtpCommands().empty());
        QCOMPARE(mainform->results->reportLines.size(), size_t(3));
    }

    void dayWithoutArchiveShowsTheHeadingRow() {
        w_.Archive(u"14010630"_s, w_.Sample());
        mainform->results->setDateText(u"1401/06/30"_s);
        mainform->results->setDateText(u"1401/06/2"_s);  // typing a date by hand
        QCOMPARE(w_.Status(), u"Archive File  1401/06/2  Not Exists."_s);
        mainform->results->setDateText(u"1401/06/29"_s);
        QCOMPARE(w_.Status(), u"Archive File  1401/06/29  Not Exists."_s);
        QCOMPARE(w_.Rows(), 1);
        QVERIFY(!mainform->results->signatureStamp->isVisible());
        QVERIFY(mainform->results->signatureCaption->isVisible());
        QCOMPARE(mainform->results->resultGrid->columnWidth(7), 90);
        QCOMPARE(mainform->results->resultGrid->columnWidth(4), 130);
        QVERIFY(mainform->results->reportLines.empty());
        // An empty file: the heading row alone, no stamp.
        w_.Archive(u"14010628"_s, QByteArray());
        mainform->results->setDateText(u"1401/06/28"_s);
        QCOMPARE(w_.Rows(), 1);
        QVERIFY(!mainform->results->signatureStamp->isVisible());
    }

    void downloadFetchesTheDayAndShowsIt() {
        mainform->results->setDateText(u"1401/06/30"_s);
        QCOMPARE(w_.Rows(), 1);
        QTest::mouseClick(mainform->results->receiveButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), u"1401/06/30 File Download succesfully."_s);
        QVERIFY(orv::FileExists(Local("14010630").toStdString()));
        QCOMPARE(w_.Rows(), 6);
        QCOMPARE(w_.Cell(1, 1), u" ABCDE12345XY"_s);
        QCOMPARE(w_.Cell(5, 4), u" علي اکبر پورحسيني"_s);
        QCOMPARE(orv::test::CommandsNaming(lab_, "RETR /Text Result/12/14010630.txt"), 1);
        QCOMPARE(mainform->ProgressBar1->value(), mainform->ProgressBar1->maximum());
        QCOMPARE(mainform->ProgressBar1->maximum(), 900);
        QVERIFY(mainform->results->signatureStamp->isVisible());
        QVERIFY(!QApplication::overrideCursor());
        // The next time the day is chosen it comes from the archive.
        mainform->results->setDateText(u"1401/06/29"_s);
        lab_.ClearLogs();
        mainform->results->setDateText(u"1401/06/30"_s);
        QCOMPARE(w_.Status(), u"Archive File 1401/06/30  From Tarvina Laboratory"_s);
        QCOMPARE(w_.Rows(), 6);
        QVERIFY(lab_.FtpCommands().empty());
    }

    void serverWithoutTheFile() {
        mainform->results->setDateText(u"1401/06/29"_s);
        QTest::mouseClick(mainform->results->receiveButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), kNoSample);
        QVERIFY(!QFile::exists(Local("14010629")));
        QCOMPARE(w_.Rows(), 1);
        QVERIFY(!QApplication::overrideCursor());
    }

    void droppedTransferKeepsTheEarlierCopy() {
        w_.Archive(u"14010630"_s, w_.Sample());
        mainform->results->setDateText(u"1401/06/30"_s);
        QVERIFY(lab_.Control("drop 100 14010630"));
        QTest::mouseClick(mainform->results->receiveButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kInterrupted));  // the file is there: not "no sample"
        QFile kept(Local("14010630"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), w_.Sample());
        QCOMPARE(w_.Rows(), 4);  // the grid as it was
        QCOMPARE(QDir(w_.Root()).entryList({u"1401*"_s, u".*"_s}, QDir::Files | QDir::Hidden),
                 QStringList{u"14010630.txt"_s});  // no partial download left beside it
        // The session was closed: the next download opens its own and succeeds.
        QVERIFY(lab_.Control("drop off"));
        QTest::mouseClick(mainform->results->receiveButton, Qt::LeftButton);
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
        mainform->results->setDateText(u"1401/06/30"_s);
        lab_.ClearLogs();
        if (gate == u"netok"_s) mainform->netok = false;
        if (gate == u"farok"_s) mainform->farok = false;
        if (gate == u"billok"_s) mainform->billok = false;
        if (gate == u"login"_s) QVERIFY(lab_.Control("login refuse"));
        QTest::mouseClick(mainform->results->receiveButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), message);
        // A log-in refused during an action: the server is down until a check logs in.
        if (gate == u"login"_s) QVERIFY(!mainform->farok && orv::test::SamePicture(mainform->Image8, mainform->Image5));
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
        mainform->results->setDateText(u"1401/06/30"_s);
        QTest::keyClicks(mainform->results->searchField, u"12"_s);
        QVERIFY(mainform->results->searchIsNumber);
        QCOMPARE(mainform->results->highlightColumn, 2);
        QCOMPARE(mainform->results->highlightRow, 1);  // "1" already matched 312
        QCOMPARE(mainform->results->resultGrid->Row(), 1);
        QTest::mouseClick(mainform->results->findNextButton, Qt::LeftButton);
        QCOMPARE(mainform->results->highlightRow, 3);

        mainform->results->searchField->setText(u"رضا"_s);
        QVERIFY(!mainform->results->searchIsNumber);
        QCOMPARE(mainform->results->highlightColumn, 4);
        QCOMPARE(mainform->results->highlightRow, 1);
        QList<int> walk;
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(mainform->results->findNextButton, Qt::LeftButton);
            walk << mainform->results->highlightRow;
        }
        QCOMPARE(walk, (QList<int>{2, 4, 1}));
        // No match and an empty text leave the highlight; the heading row is never found.
        mainform->results->searchField->setText(u"zzz"_s);
        QCOMPARE(mainform->results->highlightRow, 1);
        mainform->results->searchField->clear();
        QCOMPARE(mainform->results->highlightRow, 1);
        mainform->results->searchField->setText(u"نام"_s);
        QCOMPARE(mainform->results->highlightRow, 1);
        // Painted maroon.
        mainform->results->searchField->setText(u"مریم"_s);
        const QImage shot = mainform->results->resultGrid->grab().toImage();
        const QRect cell = mainform->results->resultGrid->visualRect(mainform->results->resultModel->index(2, 4))
                               .translated(mainform->results->resultGrid->viewport()->pos());
        QCOMPARE(shot.pixelColor(cell.right() - 2, cell.bottom() - 2), QColor(128, 0, 0));

        // Enter puts the focus into the grid.
        mainform->activateWindow();
        mainform->results->searchField->setFocus();
        QTest::keyClick(mainform->results->searchField, Qt::Key_Return);
        QTRY_VERIFY(mainform->results->resultGrid->hasFocus());

        // Another day with rows keeps the highlight; a day without a file clears it.
        w_.Archive(u"14010629"_s, w_.Sample());
        mainform->results->setDateText(u"1401/06/29"_s);
        QCOMPARE(mainform->results->highlightRow, 2);
        QCOMPARE(mainform->results->highlightColumn, 4);
        mainform->results->setDateText(u"1401/06/27"_s);
        QCOMPARE(mainform->results->highlightRow, 0);
    }

    void daySteps() {
        mainform->results->setDateText(u"1401/01/01"_s);
        QTest::mouseClick(mainform->results->previousDayButton, Qt::LeftButton);
        QCOMPARE(mainform->results->dateText(), u"1400/12/29"_s);
        QCOMPARE(w_.Status(), u"Archive File  1400/12/29  Not Exists."_s);
        QCOMPARE(mainform->results->dayPicker->toolTip(), u"یکشنبه"_s.replace(u'ی', u'\u064a'));  // 20 March 2022
        mainform->results->setDateText(u"1401/06/31"_s);
        w_.Archive(u"14010701"_s, w_.Sample());
        QTest::mouseClick(mainform->results->nextDayButton, Qt::LeftButton);
        QCOMPARE(mainform->results->dateText(), u"1401/07/01"_s);
        QCOMPARE(w_.Rows(), 4);
        QCOMPARE(mainform->results->dayPicker->toolTip(), u"جمعه"_s);  // 23 September 2022
        // An empty field is no day to step from: the invalid-date message, and the last day comes back.
        mainform->results->setDateText(QString());
        w_.messages.clear();
        QTest::mouseClick(mainform->results->nextDayButton, Qt::LeftButton);
        QCOMPARE(mainform->results->dateText(), u"1401/07/01"_s);
        QCOMPARE(w_.messages.size(), 1);
    }

    void clickOnTheGridClosesTheDownloadList() {
        mainform->reference->downloadFilesButton->setChecked(true);
        mainform->reference->folderListCaption->show();
        mainform->reference->folderList->show();
        mainform->reference->folderList->raise();
        // Anywhere on the grid, even below its rows.
        QTest::mouseClick(mainform->results->resultGrid->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!mainform->reference->folderListCaption->isVisible());
        QVERIFY(!mainform->reference->downloadFilesButton->isChecked());
        // The list now lies behind the grid.
        QWidget* top = mainform->childAt(mainform->reference->folderList->geometry().center());
        QVERIFY(top != mainform->reference->folderList && !mainform->reference->folderList->isAncestorOf(top));
    }
};

QTEST_MAIN(MainWindowResultsTest)
#include "MainWindowResultsTest.moc"
