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
        mainform->SetDateText(u"1401/06/30"_s);
        QCOMPARE(w_.Status(), u"Archive File 1401/06/30  From Tarvina Laboratory"_s);
        QCOMPARE(mainform->Edit2->text(), u"14010630"_s);
        QCOMPARE(w_.Rows(), 4);
        QCOMPARE(w_.Cell(0, 4), u"          نام بيمار "_s);
        QCOMPARE(w_.Cell(2, 4), u" فاطمه  گل\u064a"_s);
        QCOMPARE(w_.Cell(1, 7), u" HCV Qualitative=Negative"_s);
        QCOMPARE(mainform->StringGrid1->columnWidth(7), 7 * 25);
        QCOMPARE(mainform->StringGrid1->columnWidth(12), 7 * 13);
        QVERIFY(mainform->StringGrid1->columnWidth(1) >
                QFontMetrics(mainform->StringGrid1->font()).horizontalAdvance(u" ABCDE12345XY"_s));
        QVERIFY(mainform->Image3->isVisible());
        QCOMPARE(mainform->Label13->text(), u"1401/06/30"_s);
        QVERIFY(!mainform->Label12->isVisible());
        QVERIFY(lab_.FtpCommands().empty());
        QCOMPARE(mainform->RichEdit1.size(), size_t(3));
    }

    void dayWithoutArchiveShowsTheHeadingRow() {
        w_.Archive(u"14010630"_s, w_.Sample());
        mainform->SetDateText(u"1401/06/30"_s);
        mainform->SetDateText(u"1401/06/2"_s);  // typing a date by hand
        QCOMPARE(w_.Status(), u"Archive File  1401/06/2  Not Exists."_s);
        mainform->SetDateText(u"1401/06/29"_s);
        QCOMPARE(w_.Status(), u"Archive File  1401/06/29  Not Exists."_s);
        QCOMPARE(w_.Rows(), 1);
        QVERIFY(!mainform->Image3->isVisible());
        QVERIFY(mainform->Label12->isVisible());
        QCOMPARE(mainform->StringGrid1->columnWidth(7), 90);
        QCOMPARE(mainform->StringGrid1->columnWidth(4), 130);
        QVERIFY(mainform->RichEdit1.empty());
        // An empty file: the heading row alone, no stamp.
        w_.Archive(u"14010628"_s, QByteArray());
        mainform->SetDateText(u"1401/06/28"_s);
        QCOMPARE(w_.Rows(), 1);
        QVERIFY(!mainform->Image3->isVisible());
    }

    void downloadFetchesTheDayAndShowsIt() {
        mainform->SetDateText(u"1401/06/30"_s);
        QCOMPARE(w_.Rows(), 1);
        QTest::mouseClick(mainform->SpeedButton16, Qt::LeftButton);
        QCOMPARE(w_.Status(), u"1401/06/30 File Download succesfully."_s);
        QVERIFY(orv::FileExists(Local("14010630").toStdString()));
        QCOMPARE(w_.Rows(), 6);
        QCOMPARE(w_.Cell(1, 1), u" ABCDE12345XY"_s);
        QCOMPARE(w_.Cell(5, 4), u" علي اکبر پورحسيني"_s);
        QCOMPARE(orv::test::CommandsNaming(lab_, "RETR /Text Result/12/14010630.txt"), 1);
        QCOMPARE(mainform->ProgressBar1->value(), mainform->ProgressBar1->maximum());
        QCOMPARE(mainform->ProgressBar1->maximum(), 900);
        QVERIFY(mainform->Image3->isVisible());
        QVERIFY(!QApplication::overrideCursor());
        // The next time the day is chosen it comes from the archive.
        mainform->SetDateText(u"1401/06/29"_s);
        lab_.ClearLogs();
        mainform->SetDateText(u"1401/06/30"_s);
        QCOMPARE(w_.Status(), u"Archive File 1401/06/30  From Tarvina Laboratory"_s);
        QCOMPARE(w_.Rows(), 6);
        QVERIFY(lab_.FtpCommands().empty());
    }

    void serverWithoutTheFile() {
        mainform->SetDateText(u"1401/06/29"_s);
        QTest::mouseClick(mainform->SpeedButton16, Qt::LeftButton);
        QCOMPARE(w_.Status(), kNoSample);
        QVERIFY(!QFile::exists(Local("14010629")));
        QCOMPARE(w_.Rows(), 1);
        QVERIFY(!QApplication::overrideCursor());
    }

    void droppedTransferKeepsTheEarlierCopy() {
        w_.Archive(u"14010630"_s, w_.Sample());
        mainform->SetDateText(u"1401/06/30"_s);
        QVERIFY(lab_.Control("drop 100 14010630"));
        QTest::mouseClick(mainform->SpeedButton16, Qt::LeftButton);
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kInterrupted));  // the file is there: not "no sample"
        QFile kept(Local("14010630"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), w_.Sample());
        QCOMPARE(w_.Rows(), 4);  // the grid as it was
        QCOMPARE(QDir(w_.Root()).entryList({u"1401*"_s, u".*"_s}, QDir::Files | QDir::Hidden),
                 QStringList{u"14010630.txt"_s});  // no partial download left beside it
        // The session was closed: the next download opens its own and succeeds.
        QVERIFY(lab_.Control("drop off"));
        QTest::mouseClick(mainform->SpeedButton16, Qt::LeftButton);
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
        mainform->SetDateText(u"1401/06/30"_s);
        lab_.ClearLogs();
        if (gate == u"netok"_s) mainform->netok = false;
        if (gate == u"farok"_s) mainform->farok = false;
        if (gate == u"billok"_s) mainform->billok = false;
        if (gate == u"login"_s) QVERIFY(lab_.Control("login refuse"));
        QTest::mouseClick(mainform->SpeedButton16, Qt::LeftButton);
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
        mainform->SetDateText(u"1401/06/30"_s);
        QTest::keyClicks(mainform->Edit1, u"12"_s);
        QVERIFY(mainform->adad);
        QCOMPARE(mainform->colorcol, 2);
        QCOMPARE(mainform->colorrow, 1);  // "1" already matched 312
        QCOMPARE(mainform->StringGrid1->Row(), 1);
        QTest::mouseClick(mainform->SpeedButton5, Qt::LeftButton);
        QCOMPARE(mainform->colorrow, 3);

        mainform->Edit1->setText(u"رضا"_s);
        QVERIFY(!mainform->adad);
        QCOMPARE(mainform->colorcol, 4);
        QCOMPARE(mainform->colorrow, 1);
        QList<int> walk;
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(mainform->SpeedButton5, Qt::LeftButton);
            walk << mainform->colorrow;
        }
        QCOMPARE(walk, (QList<int>{2, 4, 1}));
        // No match and an empty text leave the highlight; the heading row is never found.
        mainform->Edit1->setText(u"zzz"_s);
        QCOMPARE(mainform->colorrow, 1);
        mainform->Edit1->clear();
        QCOMPARE(mainform->colorrow, 1);
        mainform->Edit1->setText(u"نام"_s);
        QCOMPARE(mainform->colorrow, 1);
        // Painted maroon.
        mainform->Edit1->setText(u"مریم"_s);
        const QImage shot = mainform->StringGrid1->grab().toImage();
        const QRect cell = mainform->StringGrid1->visualRect(mainform->StringGrid1Cells->index(2, 4))
                               .translated(mainform->StringGrid1->viewport()->pos());
        QCOMPARE(shot.pixelColor(cell.right() - 2, cell.bottom() - 2), QColor(128, 0, 0));

        // Enter puts the focus into the grid.
        mainform->activateWindow();
        mainform->Edit1->setFocus();
        QTest::keyClick(mainform->Edit1, Qt::Key_Return);
        QTRY_VERIFY(mainform->StringGrid1->hasFocus());

        // Another day with rows keeps the highlight; a day without a file clears it.
        w_.Archive(u"14010629"_s, w_.Sample());
        mainform->SetDateText(u"1401/06/29"_s);
        QCOMPARE(mainform->colorrow, 2);
        QCOMPARE(mainform->colorcol, 4);
        mainform->SetDateText(u"1401/06/27"_s);
        QCOMPARE(mainform->colorrow, 0);
    }

    void daySteps() {
        mainform->SetDateText(u"1401/01/01"_s);
        QTest::mouseClick(mainform->SpeedButton3, Qt::LeftButton);
        QCOMPARE(mainform->DateText(), u"1400/12/29"_s);
        QCOMPARE(w_.Status(), u"Archive File  1400/12/29  Not Exists."_s);
        QCOMPARE(mainform->SolarDatePicker1->toolTip(), u"یکشنبه"_s.replace(u'ی', u'\u064a'));  // 20 March 2022
        mainform->SetDateText(u"1401/06/31"_s);
        w_.Archive(u"14010701"_s, w_.Sample());
        QTest::mouseClick(mainform->SpeedButton7, Qt::LeftButton);
        QCOMPARE(mainform->DateText(), u"1401/07/01"_s);
        QCOMPARE(w_.Rows(), 4);
        QCOMPARE(mainform->SolarDatePicker1->toolTip(), u"جمعه"_s);  // 23 September 2022
        // An empty field is no day to step from: the invalid-date message, and the last day comes back.
        mainform->SetDateText(QString());
        w_.messages.clear();
        QTest::mouseClick(mainform->SpeedButton7, Qt::LeftButton);
        QCOMPARE(mainform->DateText(), u"1401/07/01"_s);
        QCOMPARE(w_.messages.size(), 1);
    }

    void clickOnTheGridClosesTheDownloadList() {
        mainform->reference->downloadFilesButton->setChecked(true);
        mainform->reference->folderListCaption->show();
        mainform->reference->folderList->show();
        mainform->reference->folderList->raise();
        // Anywhere on the grid, even below its rows.
        QTest::mouseClick(mainform->StringGrid1->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!mainform->reference->folderListCaption->isVisible());
        QVERIFY(!mainform->reference->downloadFilesButton->isChecked());
        // The list now lies behind the grid.
        QWidget* top = mainform->childAt(mainform->reference->folderList->geometry().center());
        QVERIFY(top != mainform->reference->folderList && !mainform->reference->folderList->isAncestorOf(top));
    }
};

QTEST_MAIN(MainWindowResultsTest)
#include "MainWindowResultsTest.moc"
