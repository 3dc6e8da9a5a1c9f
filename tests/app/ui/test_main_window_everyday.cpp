// Everyday use of the main window: it grows with frozen patient columns, Tab
// walks its controls, save dialogs open in the documents folder with the day's name,
// the search across every archived day, and today's file watched at the refresh.
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <thread>

#include "server/ui/ReferenceDocuments.h"
#include "base/ui/DesktopNotice.h"
#include "app/ui/Forms.h"
#include "app/ui/SignInWindow.h"
#include "accounting/ui/AccountingPanel.h"
#include "app/ui/MainWindow.h"
#include "base/core/TextFile.h"
#include "results/ui/ArchiveSearcher.h"
#include "results/ui/PatientHistoryWindow.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"
#include "results/ui/SaveFolder.h"
#include "tests/support/FakeFtpSession.h"
#include "tests/support/PromptRecorder.h"
#include "tests/support/ReadBack.h"

using namespace Qt::StringLiterals;
using orv::test::FakeFtpSession;
using orv::test::Shot;

namespace {
std::vector<std::string> Patients(const char* name, int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) {
        std::string line = std::to_string(i) + "   R" + std::to_string(100 + i) + "   " + std::to_string(500 + i) +
                           "   30   " + name + " " + std::to_string(i) + "   ";
        for (int t = 0; t < 20; ++t) line += "Test" + std::to_string(t) + "=" + std::to_string(i * t) + "   ";
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

class MainformEverydayTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir workspace_;
    FakeFtpSession* fake_ = nullptr;
    QStringList notices_;

    QString Root() const { return workspace_.path() + u"/lab/"_s; }
    void Archive(const QString& compact, const std::vector<std::string>& lines) {
        QVERIFY(orv::WriteTextFile(QString(Root() + compact + u".txt"_s).toStdString(), lines));
    }
    orv::results::ResultGrid* Grid() { return mainWindow->results->resultGrid; }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() {
        qputenv("ORVANET_WORKSPACE", Root().toUtf8());
        QDir().mkpath(Root());
        orv::results::SaveFolder::Forget();
        CreateForms();
        auto fake = std::make_unique<FakeFtpSession>();
        fake_ = fake.get();
        mainWindow->ftp = std::move(fake);
        mainWindow->State().labFolderCode = u"12"_s;
        notices_.clear();
        orv::ui::DesktopNotice::hook = [this](const QString&, const QString& text) { notices_ << text; };
    }
    void cleanup() {
        orv::ui::DesktopNotice::hook = {};
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
        DestroyForms();
        QDir(Root()).removeRecursively();
    }

private:
    void Show(const QString& date) {
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        QTRY_VERIFY(!mainWindow->firstShowTimer->isActive());
        mainWindow->results->setDateText(date);
    }

    // Today is 1405/09/17, shown, with the network and the server up.
    void ShowTodayReachable() {
        Show(u"1405/09/17"_s);
        mainWindow->State().networkOk = mainWindow->State().serverOk = mainWindow->State().accountOk = true;
        mainWindow->State().year = u"1405"_s;
        mainWindow->State().month = u"09"_s;
        mainWindow->State().day = u"17"_s;
    }

private slots:
    void opensAtItsSizeAndGrowsWithTheControlsKeptToTheirEdges() {
        Archive(u"14050917"_s, Patients("رضا احمدي", 40));
        Show(u"1405/09/17"_s);
        QCOMPARE(mainWindow->size(), QSize(823, 514));
        QCOMPARE(mainWindow->minimumSize(), QSize(823, 514));
        const QRect grid = Grid()->geometry();
        const QRect receive = mainWindow->results->receiveButton->geometry();
        const QRect status = mainWindow->statusLine->geometry();
        const QRect gauge = mainWindow->transferGauge->geometry();
        const QRect date = mainWindow->results->dayPicker->geometry();
        Shot("mainform-823x514");

        // Maximised (without a window manager the size is set as well).
        mainWindow->setWindowState(Qt::WindowMaximized);
        mainWindow->resize(1280, 800);
        QTRY_COMPARE(Grid()->width(), grid.width() + 457);
        QCOMPARE(Grid()->height(), grid.height() + 286);
        QCOMPARE(Grid()->pos(), grid.topLeft());
        QCOMPARE(mainWindow->results->receiveButton->geometry(), receive.translated(457, 0));
        QCOMPARE(mainWindow->statusLine->geometry(), QRect(status.left(), status.top() + 286, status.width() + 457, status.height()));
        QCOMPARE(mainWindow->transferGauge->geometry(), QRect(gauge.left(), gauge.top() + 286, gauge.width() + 457, gauge.height()));
        QCOMPARE(mainWindow->results->dayPicker->geometry(), date);
        QCOMPARE(mainWindow->banner->pixmap().width(), 1280);  // the banner is drawn again at the new width
        QVERIFY(!mainWindow->reference->folderList->geometry().intersects(mainWindow->results->receiveButton->geometry()));
        Shot("mainform-1280x800");
        if (!qEnvironmentVariableIsEmpty("ORV_SHOT_DIR")) {  // the accounting panel over the grown grid
            mainWindow->accounting->show();
            mainWindow->accounting->raise();
            Shot("accounting-1280x800");
            mainWindow->accounting->hide();
        }
        Grid()->SetLeftCol(8);
        mainWindow->results->searchField->setText(u"احمدي 7"_s);
        Shot("mainform-1280x800-scrolled");
        Grid()->SetLeftCol(0);
        mainWindow->setWindowState(Qt::WindowNoState);

        mainWindow->resize(823, 514);
        QTRY_COMPARE(Grid()->geometry(), grid);
        QCOMPARE(mainWindow->results->receiveButton->geometry(), receive);
    }

    void patientColumnsStayWhileTheTestsScroll() {
        Archive(u"14050917"_s, Patients("زهرا کريمي", 40));
        Show(u"1405/09/17"_s);
        auto* grid = Grid();
        const int nameLeft = grid->columnViewportPosition(4);
        const int widthOf7 = grid->columnWidth(7);
        QVERIFY(grid->horizontalScrollBar()->isVisible());
        QVERIFY(grid->horizontalScrollBar()->maximum() > 0);
        grid->horizontalScrollBar()->setValue(6);  // six test columns out of view at the left
        QCOMPARE(grid->LeftCol(), 6);
        QCOMPARE(grid->columnViewportPosition(4), nameLeft);  // the name stays
        QCOMPARE(grid->columnViewportPosition(11), nameLeft + grid->columnWidth(4));
        QVERIFY(grid->isColumnHidden(7));
        QCOMPARE(grid->columnWidth(7), widthOf7);  // kept for when it comes back
        // The headings are the strip above the columns; the heading row is no row of the view.
        QCOMPARE(grid->horizontalHeader()->height(), 20);
        QVERIFY(grid->isRowHidden(0));
        QCOMPARE(grid->Model()->headerData(4, Qt::Horizontal).toString(), u"          نام بيمار "_s);

        // A new day keeps the scrolled columns and the widths the fill gives.
        mainWindow->results->setDateText(u"1405/09/18"_s);
        Archive(u"14050918"_s, Patients("x", 3));
        mainWindow->results->setDateText(u"1405/09/17"_s);
        QCOMPARE(grid->LeftCol(), 6);

        // The keyboard: left from the first shown test column brings the one before back.
        grid->setFocus();
        grid->setCurrentIndex(grid->Model()->index(3, 11));
        QTest::keyClick(grid, Qt::Key_Left);
        QCOMPARE(grid->Col(), 10);
        QCOMPARE(grid->LeftCol(), 5);
        // Right to the far end scrolls the last column into view, whole.
        for (int i = 0; i < 45; ++i) QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(grid->Col(), 49);
        QVERIFY(grid->columnViewportPosition(49) + grid->columnWidth(49) <= grid->viewport()->width());
        QCOMPARE(grid->columnViewportPosition(4), nameLeft);
        // Up from the first row never reaches the heading row.
        grid->setCurrentIndex(grid->Model()->index(1, 4));
        QTest::keyClick(grid, Qt::Key_Up);
        QCOMPARE(grid->Row(), 1);
        QTest::keyClick(grid, Qt::Key_Home);
        QCOMPARE(grid->LeftCol(), 0);
    }

    void codeColumnsFitTheirLongestCodeAndKeepADraggedWidth() {
        Archive(u"14050917"_s, {"1   TRV0054321   77   30   Sara   FBS=95   ", "2   12   ORG-MASHHAD-0042   30   Ali   "});
        Archive(u"14050918"_s, {"1   7   8   30   Reza   "});
        Show(u"1405/09/17"_s);
        auto* grid = Grid();
        const QFontMetrics metrics(grid->font());
        for (const auto& [column, longest] : {std::pair{1, u" TRV0054321"_s}, std::pair{2, u" ORG-MASHHAD-0042"_s}}) {
            const int text = metrics.horizontalAdvance(longest);
            QVERIFY2(grid->columnWidth(column) > text + 4 && grid->columnWidth(column) < text + 20,
                     qPrintable(u"column %1: %2 for text %3"_s.arg(column).arg(grid->columnWidth(column)).arg(text)));
        }
        Shot("codes-fitted");
        // Short codes: the columns' own widths. A width the user dragged stays on every day.
        grid->horizontalHeader()->resizeSection(1, 150);
        grid->horizontalHeader()->resizeSection(7, 33);
        mainWindow->results->setDateText(u"1405/09/18"_s);
        QCOMPARE(grid->columnWidth(2), 43);
        QCOMPARE(grid->columnWidth(1), 150);
        QCOMPARE(grid->columnWidth(7), 33);
        mainWindow->results->setDateText(u"1405/09/19"_s);  // no file
        QCOMPARE(grid->columnWidth(1), 150);
        QCOMPARE(grid->columnWidth(2), 43);
    }

    void findNextAndTheHighlightWorkOnScrolledRows() {
        Archive(u"14050917"_s, Patients("مريم", 60));
        Show(u"1405/09/17"_s);
        mainWindow->results->searchField->setText(u"مريم 55"_s);
        QCOMPARE(mainWindow->results->highlightRow, 55);
        QCOMPARE(Grid()->Row(), 55);
        // The found row has been scrolled into view.
        const QRect found = Grid()->visualRect(Grid()->Model()->index(55, 4));
        QVERIFY(Grid()->viewport()->rect().contains(found));
        mainWindow->results->searchField->setText(u"مريم 5"_s);
        QCOMPARE(mainWindow->results->highlightRow, 5);
        QTest::mouseClick(mainWindow->results->findNextButton, Qt::LeftButton);
        QCOMPARE(mainWindow->results->highlightRow, 50);
    }

    void tabWalksFromTheDateFieldThroughTheButtonsToTheGridAndOut() {
        Show(u"1405/09/17"_s);
        mainWindow->activateWindow();
        mainWindow->results->dayPicker->setFocus();
        QStringList visited;
        for (int i = 0; i < 14 && visited.size() < 14; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            while (focus && focus->objectName().isEmpty()) focus = focus->parentWidget();
            visited << (focus ? focus->objectName() : QString());
        }
        // Buttons another area has not brought to life yet are passed over.
        QStringList expected;
        for (const char* name : {"SpeedButton7", "Edit1", "SpeedButton22", "SpeedButton5", "SpeedButton16",
                                 "SpeedButton8", "SpeedButton6", "SpeedButton11"})
            if (mainWindow->findChild<QWidget*>(QString::fromLatin1(name))->isEnabled()) expected << QString::fromLatin1(name);
        QCOMPARE(visited.mid(0, expected.size()), expected);
        const qsizetype grid = visited.indexOf(u"StringGrid1"_s);
        QVERIFY2(grid > 0, qPrintable(visited.join(u' ')));
        QVERIFY2(grid + 1 < visited.size() && visited[grid + 1] != u"StringGrid1"_s, qPrintable(visited.join(u' ')));
    }

    void saveAsOpensInTheDocumentsFolderWithTheDaysName() {
        PromptRecorder prompts;
        Archive(u"14050917"_s, Patients("Sara", 3));
        Show(u"1405/09/17"_s);
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(QDir().mkpath(documents));
        QDir().mkpath(workspace_.path() + u"/elsewhere"_s);
        prompts.saveNames << workspace_.path() + u"/elsewhere/copy"_s;
        QTest::mouseClick(mainWindow->results->saveAsButton, Qt::LeftButton);
        // Not the day's own archive file: the user's documents.
        QCOMPARE(prompts.saveFolders.value(0), documents + u"/14050917.txt"_s);
        QCOMPARE(prompts.saveFilters.value(0), u"Text files (*.txt)"_s);
        QVERIFY(QFile::exists(workspace_.path() + u"/elsewhere/copy.txt"_s));
        // The next save of a text file opens where the last one went; PDF files keep the documents.
        mainWindow->results->setDateText(u"1405/09/16"_s);
        Archive(u"14050916"_s, Patients("Sara", 3));
        mainWindow->results->setDateText(u"1405/09/17"_s);
        mainWindow->results->setDateText(u"1405/09/16"_s);
        QTest::mouseClick(mainWindow->results->saveAsButton, Qt::LeftButton);
        QCOMPARE(prompts.saveFolders.value(1), workspace_.path() + u"/elsewhere/14050916.txt"_s);
        QCOMPARE(orv::results::SaveFolder::Suggested(u"pdf"_s, u"14050916"_s), documents + u"/14050916.pdf"_s);
    }

    void searchAcrossTheArchiveOpensTheDayWithTheRowFound() {
        Archive(u"14050910"_s, Patients("علي رضايي", 5));
        Archive(u"14050915"_s, Patients("مريم", 5));
        Archive(u"14050912"_s, Patients("علي رضايي", 12));
        Show(u"1405/09/15"_s);
        QTRY_VERIFY(mainWindow->results->archiveSearcher->Ready());
        QTest::mouseClick(mainWindow->results->allDaysButton, Qt::LeftButton);
        QVERIFY(mainWindow->results->archiveMode());
        // Typed with Persian letters; the files hold the Arabic yeh.
        mainWindow->results->searchField->setText(u"علی رضایی 1"_s);
        QVERIFY(mainWindow->results->hitList->isVisible());
        QCOMPARE(mainWindow->results->hitList->count(), 5);  // 1, 10, 11, 12 of the 12th; 1 of the 10th
        QVERIFY(mainWindow->results->hitList->item(0)->text().startsWith(u"1405/09/12"_s));
        QVERIFY(mainWindow->results->hitList->item(4)->text().startsWith(u"1405/09/10"_s));
        QCOMPARE(mainWindow->results->highlightRow, 0);  // the grid's own search did not run
        Shot("archive-search");
        mainWindow->results->hitList->setCurrentRow(2);  // 1405/09/12, row 11
        mainWindow->results->openHit();
        QCOMPARE(mainWindow->results->dateText(), u"1405/09/12"_s);
        QCOMPARE(mainWindow->results->highlightRow, 11);
        QCOMPARE(mainWindow->results->highlightColumn, 4);
        QVERIFY(!mainWindow->results->hitList->isVisible());

        // Codes, and a day downloaded since the index was built.
        Archive(u"14050920"_s, Patients("x", 3));
        mainWindow->results->archiveDayChanged(u"14050920"_s);
        mainWindow->results->searchField->setText(u"R102"_s);
        QVERIFY(mainWindow->results->hitList->count() >= 1);
        mainWindow->results->searchField->setText(u"503"_s);
        QVERIFY(mainWindow->results->hitList->item(0)->text().startsWith(u"1405/09/20"_s));
        // Back to the day's own search.
        QTest::mouseClick(mainWindow->results->allDaysButton, Qt::LeftButton);
        QVERIFY(!mainWindow->results->hitList->isVisible());
    }

    void todaysNewFileIsNoticedFetchedAndShown() {
        ShowTodayReachable();
        const std::string remote = "/Text Result/12/14050917.txt";
        // Nothing published yet: one quiet look, nothing said.
        mainWindow->results->watchToday();
        mainWindow->results->watchFetch();
        QCOMPARE(fake_->Calls(), (std::vector<std::string>{"OPEN", "INFO " + remote, "CLOSE"}));
        QVERIFY(notices_.isEmpty());

        std::string bytes;
        for (const std::string& line : Patients("Sara", 4)) bytes += line + "\r\n";
        fake_->files[remote] = bytes;
        fake_->mtimes[remote] = 1000;
        mainWindow->results->watchToday();
        mainWindow->results->watchFetch();
        QCOMPARE(notices_.size(), 1);
        QVERIFY(notices_[0].contains(u"New results of 1405/09/17"_s));
        QVERIFY(QFile::exists(Root() + u"14050917.txt"_s));
        QCOMPARE(mainWindow->results->resultModel->rowCount(), 5);
        QVERIFY(mainWindow->statusLine->text().contains(u"New results"_s));
        QVERIFY(mainWindow->results->watchBlinkTimer->isActive());

        // The same file again: no second notice, no download.
        mainWindow->results->watchToday();
        mainWindow->results->watchFetch();
        QCOMPARE(notices_.size(), 1);
        QCOMPARE(fake_->Calls().back(), std::string("CLOSE"));

        // It changes while another day is shown: said, not fetched.
        mainWindow->results->setDateText(u"1405/09/16"_s);
        fake_->files[remote] = bytes + "5   R9   9   30   Late   \r\n";
        fake_->mtimes[remote] = 2000;
        mainWindow->results->watchToday();
        mainWindow->results->watchFetch();
        QCOMPARE(notices_.size(), 2);
        QVERIFY(notices_[1].contains(u"changed"_s));
        QVERIFY(notices_[1].contains(u"1405/09/16"_s));
        // The longest notice is shown whole on the status line, not cut at its ends.
        QCOMPARE(mainWindow->statusLine->text(), notices_[1]);
        QVERIFY(QFontMetrics(mainWindow->statusLine->font()).horizontalAdvance(notices_[1]) <= mainWindow->statusLine->width());
        QCOMPARE(orv::ReadTextFile(QString(Root() + u"14050917.txt"_s).toStdString()).content.lines.size(), size_t(4));
    }

    void theWatchStaysQuietWhenOffOrBusy() {
        ShowTodayReachable();
        fake_->files["/Text Result/12/14050917.txt"] = "1   A   1   30   Sara   \r\n";
        QFile ini(Root() + u"orvanet.ini"_s);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[results]\nwatch=false\n");
        ini.close();
        mainWindow->results->watchToday();
        QVERIFY(fake_->Calls().empty());
        QVERIFY(QFile::remove(Root() + u"orvanet.ini"_s));
        // While another server action waits for the network, the refresh leaves it alone.
        fake_->delay = std::chrono::milliseconds(300);
        bool looked = false;
        QTimer::singleShot(50, mainWindow, [&] {
            mainWindow->results->watchToday();
            looked = !fake_->Calls().empty() && fake_->Calls().back().starts_with("INFO");
        });
        mainWindow->Wait([] { std::this_thread::sleep_for(std::chrono::milliseconds(200)); }, [] {});
        QVERIFY(!looked);
        QVERIFY(fake_->Calls().empty());
        mainWindow->State().serverOk = false;  // the server down: nothing asked
        mainWindow->results->watchToday();
        QVERIFY(fake_->Calls().empty());
    }

    void patientHistoryFromAGridRowAndFromAHit() {
        Archive(u"14050910"_s, Patients("علي رضايي", 3));
        Archive(u"14050912"_s, Patients("علي رضايي", 3));
        Show(u"1405/09/12"_s);
        QTRY_VERIFY(mainWindow->results->archiveSearcher->Ready());
        auto windows = [this] { return mainWindow->findChildren<orv::results::PatientHistoryWindow*>(); };
        // The grid row's patient by name: every day, oldest first.
        Grid()->SetRow(2);
        mainWindow->results->patientHistoryAction->trigger();
        QCOMPARE(windows().size(), 1);
        const auto& byName = windows().constLast()->Visits();
        QCOMPARE(byName.size(), 2u);
        QCOMPARE(byName[0].day, std::string("14050910"));
        QCOMPARE(byName[1].row, 2);
        QCOMPARE(windows().constLast()->Shown().tests.size(), 20u);
        // A hit found by origin code: the patient by that code.
        QTest::mouseClick(mainWindow->results->allDaysButton, Qt::LeftButton);
        mainWindow->results->searchField->setText(u"503"_s);
        QCOMPARE(mainWindow->results->hitList->count(), 2);
        mainWindow->results->hitList->setCurrentRow(0);
        mainWindow->results->showHitPatientHistory();
        QCOMPARE(windows().size(), 2);
        QCOMPARE(windows().constLast()->Visits().size(), 2u);
        QCOMPARE(windows().constLast()->Visits()[0].originCode, std::string("503"));
        // Nobody found: said on the status line, no window.
        mainWindow->results->showPatientHistory(u"nobody"_s);
        QCOMPARE(windows().size(), 2);
        QVERIFY(mainWindow->statusLine->text().contains(u"در بایگانی نیست"_s));
    }
};

QTEST_MAIN(MainformEverydayTest)
#include "test_main_window_everyday.moc"
