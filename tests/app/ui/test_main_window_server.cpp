// The main window's server link against the local central laboratory: the
// checks, the refresh and the standard server action.
#include <QDir>
#include <QSpinBox>
#include <QtTest>
#include <chrono>

#include "app/ui/Forms.h"
#include "app/ui/SignInWindow.h"
#include "accounting/ui/AccountingPanel.h"
#include "app/ui/MainWindow.h"
#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"
#include "base/ui/Prompts.h"
#include "reception/ui/ReceptionWindow.h"
#include "server/core/ServerMessages.h"
#include "server/ui/ServerSettingsWindow.h"
#include "solar/widgets/TSolarDatePicker.h"
#include "tests/support/CentralLab.h"
#include "tests/support/LabWindow.h"

using orv::ActionResult;
using orv::ServerAction;

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
const char* const kNoSample = ". در اين تاريخ نمونه اي از آزمايشگاه شما هنوز ارسال نگرديده";

using orv::test::SamePicture;

}  // namespace

class MainformServerTest : public QObject {
    Q_OBJECT
private:
    orv::test::CentralLab lab_;
    orv::test::CentralLab overdueLab_;  // its bill overdue, the lock on
    orv::test::LabWindow window_;

    QString Root() const { return window_.Root(); }
    std::string File(const QString& name) const { return QString(Root() + name).toStdString(); }

    // The result download of a day, as the results area runs it.
    ServerAction DayDownload(const QString& day) const {
        ServerAction a = ServerAction::Download(u"/Text Result/"_qs + mainWindow->State().labFolderCode + u"/"_qs + day + u".txt"_qs,
                                                Root() + day + u".txt"_qs, 900);
        a.resetGauge = a.testFarok = a.testBillok = true;
        a.failureText = Text(kNoSample);
        a.successText = day + u" File Download succesfully."_qs;
        return a;
    }

    // The start-up sequence: server check, then the account refresh that closes its session.
    void CheckAndRefreshAccount() {
        mainWindow->checkServer();
        mainWindow->accounting->refreshAccount();
        QVERIFY(!mainWindow->ftp->IsOpen());
    }

    // The main window's server settings, changed by `change` and saved.
    template <class Change>
    void SaveServerSettings(Change change) {
        mainWindow->ShowServerSettings();
        auto* window = mainWindow->findChild<orv::ui::ServerSettingsWindow*>();
        QVERIFY(window);
        change(*window);
        QVERIFY(window->save());
        QTRY_VERIFY(!mainWindow->findChild<orv::ui::ServerSettingsWindow*>());
        QVERIFY(!mainWindow->ServerBusy());
    }

private slots:
    void initTestCase() {
        QVERIFY2(lab_.Start(orv::test::QuickLab()), lab_.Error().c_str());
        orv::test::CentralLabOptions overdue = orv::test::QuickLab();
        overdue.overdue = true;
        QVERIFY2(overdueLab_.Start(overdue), overdueLab_.Error().c_str());
    }
    void init() {
        QVERIFY(lab_.Control("reset"));
        lab_.ClearLogs();
        orv::ui::SetMessageResponder(
            [](const QString&, const QString&, QMessageBox::StandardButtons) { return QMessageBox::Ok; });
        window_.Create(lab_, "21");
    }
    void cleanup() {
        window_.Destroy();
        orv::ui::SetMessageResponder({});
    }

    void networkCheckSetsTheDateFieldsToTheRespondersToday() {
        mainWindow->checkServer();
        QVERIFY(mainWindow->State().networkOk);
        QCOMPARE(mainWindow->State().year, u"1401"_qs);
        QCOMPARE(mainWindow->State().month, u"06"_qs);
        QCOMPARE(mainWindow->State().day, u"30"_qs);
        QCOMPARE(mainWindow->results->dayPicker->text(), u"1401/06/30"_qs);
        QCOMPARE(mainWindow->results->dayPicker->toolTip(), Text("چهارشنبه"));
        QVERIFY(mainWindow->results->dayPicker->CheckInputOnExit());
        QVERIFY(mainWindow->results->dayPicker->ShowDefaultDate());
        // The first good check also gives the reception window its export date.
        QCOMPARE(receptionWindow->exportDatePicker->text(), u"1401/06/30"_qs);
        QVERIFY(SamePicture(mainWindow->networkIndicator, mainWindow->successPicture));
        // The server test leaves its session open for the account refresh.
        QVERIFY(mainWindow->State().serverOk);
        QVERIFY(mainWindow->State().accountOk);
        QVERIFY(SamePicture(mainWindow->serverIndicator, mainWindow->successPicture));
        QVERIFY(SamePicture(mainWindow->upToDateIndicator, mainWindow->pendingPicture));
        QVERIFY(signInWindow->startCheckDone);
        QVERIFY(mainWindow->ftp->IsOpen());
        QCOMPARE(mainWindow->State().noticeRead, 21);  // the first line of "check.txt"

        mainWindow->accounting->refreshAccount();
        QVERIFY(!mainWindow->ftp->IsOpen());
        QCOMPARE(mainWindow->statusLine->text(), u"Succese."_qs);
        QVERIFY(mainWindow->accounting->billText->toPlainText().contains(u"22.00"_qs));
        const auto commands = lab_.FtpCommands();
        QCOMPARE(lab_.CountFtpCommands("USER "), 1);
        QVERIFY(std::count(commands.begin(), commands.end(), "RETR /Text Result/12/bill.txt") == 1);
        QVERIFY(std::count(commands.begin(), commands.end(), "QUIT") == 1);
        for (const auto& c : commands) QVERIFY2(c.find("47120953") == std::string::npos, c.c_str());
    }

    void badTimeAnswersAreANetworkFailure_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("silent") << "sntp silent";
        QTest::newRow("year below 1397") << "sntp old";
        QTest::newRow("leap indicator 3, stratum 0") << "sntp invalid";
        QTest::newRow("short packet") << "sntp short";
    }
    void badTimeAnswersAreANetworkFailure() {
        QFETCH(QString, mode);
        QVERIFY(lab_.Control(mode.toStdString()));
        const QString shownBefore = mainWindow->results->dayPicker->text();  // the picker's default: the local today
        mainWindow->checkServer();
        QVERIFY(!mainWindow->State().networkOk);
        QVERIFY(SamePicture(mainWindow->networkIndicator, mainWindow->failurePicture));
        QCOMPARE(mainWindow->statusLine->text(), Text(orv::msg::kNetworkRefresh));
        QVERIFY(mainWindow->State().year.isEmpty());
        QCOMPARE(mainWindow->results->dayPicker->text(), shownBefore);
        // Without the network the server is not tried; the check still ends.
        QVERIFY(!mainWindow->State().serverOk);
        QVERIFY(SamePicture(mainWindow->serverIndicator, mainWindow->pendingPicture));
        QVERIFY(signInWindow->startCheckDone);
        QCOMPARE(lab_.CountFtpCommands("USER"), 0);

        // A later result download opens no session.
        QCOMPARE(mainWindow->RunServerAction(DayDownload(u"14010630"_qs)), ActionResult::Refused);
        QCOMPARE(mainWindow->statusLine->text(), Text(orv::msg::kNetworkUpdate));
        QCOMPARE(lab_.CountFtpCommands("USER"), 0);
        QVERIFY(!orv::FileExists(File(u"14010630.txt"_qs)));
    }

    void refusedLogInIsAServerFailureAndTheSignInStillCompletes() {
        QVERIFY(lab_.Control("login refuse"));
        signInWindow->show();  // its timer runs the server check 300 ms later
        signInWindow->accessCodeField->setText(QString::number(lab_.AccessCode()));
        QTest::keyClick(signInWindow->accessCodeField, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow->isVisible(), 30000);
        QVERIFY(mainWindow->State().networkOk);
        QVERIFY(!mainWindow->State().serverOk);
        QVERIFY(SamePicture(mainWindow->serverIndicator, mainWindow->failurePicture));
        QVERIFY(SamePicture(mainWindow->securityIndicator, mainWindow->successPicture));
        QCOMPARE(mainWindow->State().labFolderCode, QString::fromStdString(lab_.Folder()));
        // The refused log-in is said over the day's archive message, and by every
        // action until a check logs in again.
        QTRY_VERIFY_WITH_TIMEOUT(!mainWindow->firstShowTimer->isActive(), 5000);
        const QString refused = QString::fromUtf8(orv::msg::kLogInRefused);
        QCOMPARE(mainWindow->statusLine->text(), refused);
        QVERIFY(mainWindow->refreshTimer->isActive());
        QTest::mouseClick(mainWindow->results->receiveButton, Qt::LeftButton);
        QCOMPARE(mainWindow->statusLine->text(), refused);
        QVERIFY(lab_.Control("login ok"));
        mainWindow->checkServer();
        QVERIFY(mainWindow->State().serverOk);
        mainWindow->CloseSession();
        QTest::mouseClick(mainWindow->results->receiveButton, Qt::LeftButton);
        QCOMPARE(mainWindow->statusLine->text(), mainWindow->results->dateText() + u" File Download succesfully."_qs);
    }

    void actionWhileTheChecksSessionIsOpenFails() {
        mainWindow->checkServer();
        QVERIFY(mainWindow->ftp->IsOpen());
        QCOMPARE(mainWindow->RunServerAction(DayDownload(u"14010630"_qs)), ActionResult::OpenFailed);
        QCOMPARE(mainWindow->statusLine->text(), Text(orv::msg::kServer));
        QCOMPARE(lab_.CountFtpCommands("RETR"), 0);
        QCOMPARE(lab_.CountFtpCommands("USER"), 1);
        QVERIFY(!QApplication::overrideCursor());
    }

    // A save from the main window: the next action logs in with what was saved,
    // the indicators say what the server did, and the gate is what the bill says.
    void savedSettingsReachTheNextActionAndTheGateStaysTheBills() {
        QVERIFY(overdueLab_.WriteSettings(Root().toStdString()));
        CheckAndRefreshAccount();
        QVERIFY(!mainWindow->State().accountOk);
        SaveServerSettings([](orv::ui::ServerSettingsWindow&) {});
        QVERIFY2(!mainWindow->State().accountOk, "a save lifted the accounting lock");
        QVERIFY(!mainWindow->ftp->IsOpen());

        SaveServerSettings([this](orv::ui::ServerSettingsWindow& w) { w.portSpin->setValue(lab_.FtpPort()); });
        QVERIFY(mainWindow->State().serverOk);
        QVERIFY(SamePicture(mainWindow->serverIndicator, mainWindow->successPicture));
        QVERIFY(mainWindow->State().accountOk);  // this laboratory's bill is paid
        QVERIFY(!mainWindow->ftp->IsOpen());
        lab_.ClearLogs();
        QCOMPARE(mainWindow->RunServerAction(DayDownload(u"14010630"_qs)), ActionResult::Done);
        QCOMPARE(lab_.CountFtpCommands("RETR /Text Result/12/14010630.txt"), 1);
        // The refresh asks for log-ins of its own (the check, the watch) and leaves no session open.
        lab_.ClearLogs();
        mainWindow->refresh();
        QVERIFY(lab_.CountFtpCommands("USER") >= 1);
        QVERIFY(!mainWindow->ftp->IsOpen());

        // Nothing listens on the saved port: the indicator and the next action say so.
        SaveServerSettings([](orv::ui::ServerSettingsWindow& w) { w.portSpin->setValue(1); });
        QVERIFY(!mainWindow->State().serverOk);
        QVERIFY(SamePicture(mainWindow->serverIndicator, mainWindow->failurePicture));
        QCOMPARE(mainWindow->RunServerAction(DayDownload(u"14010630"_qs)), ActionResult::Refused);
    }

    void successfulDownloadReplacesTheLocalFile() {
        CheckAndRefreshAccount();
        QVERIFY(orv::WriteFileAtomically(File(u"14010630.txt"_qs), "earlier"));
        lab_.ClearLogs();
        QCOMPARE(mainWindow->RunServerAction(DayDownload(u"14010630"_qs)), ActionResult::Done);
        QCOMPARE(mainWindow->statusLine->text(), u"14010630 File Download succesfully."_qs);
        std::string got, served;
        QVERIFY(orv::ReadWholeFile(File(u"14010630.txt"_qs), got));
        QVERIFY(orv::ReadWholeFile(lab_.ServerFile("Text Result/12/14010630.txt"), served));
        QCOMPARE(got, served);
        QCOMPARE(mainWindow->transferSource, u"/Text Result/12/14010630.txt"_qs);
        QCOMPARE(mainWindow->transferSize, 900);
        QCOMPARE(mainWindow->transferGauge->value(), 900);
        QVERIFY(!mainWindow->ftp->IsOpen());
        const auto commands = lab_.FtpCommands();
        QVERIFY(std::count(commands.begin(), commands.end(), "RETR /Text Result/12/14010630.txt") == 1);
        QVERIFY(!QApplication::overrideCursor());
    }

    void droppedDownloadLeavesNoFileAndKeepsTheEarlierCopy() {
        CheckAndRefreshAccount();
        QVERIFY(orv::WriteFileAtomically(File(u"14010630.txt"_qs), "earlier"));
        QVERIFY(lab_.Control("drop 100 14010630"));
        QCOMPARE(mainWindow->RunServerAction(DayDownload(u"14010630"_qs)), ActionResult::TransferFailed);
        QCOMPARE(mainWindow->statusLine->text(), Text(kNoSample));
        std::string kept;
        QVERIFY(orv::ReadWholeFile(File(u"14010630.txt"_qs), kept));
        QCOMPARE(kept, std::string("earlier"));
        QVERIFY(!mainWindow->ftp->IsOpen());

        // A day with no earlier copy: nothing at all is left behind.
        QVERIFY(lab_.Control("drop 100 14010628"));
        const QStringList before = QDir(Root()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(mainWindow->RunServerAction(DayDownload(u"14010628"_qs)), ActionResult::TransferFailed);
        QCOMPARE(QDir(Root()).entryList(QDir::Files | QDir::Hidden), before);
    }

    void stalledServerEndsInTimeWhileTheWindowKeepsWorking() {
        CheckAndRefreshAccount();
        QVERIFY(lab_.Control("stall RETR"));
        mainWindow->Flash(u"blinking"_qs);
        int ticks = 0;
        QTimer counter;
        connect(&counter, &QTimer::timeout, [&] { ++ticks; });
        counter.start(100);
        // A second server action clicked meanwhile is refused, not run.
        ActionResult second = ActionResult::Done;
        QTimer::singleShot(1000, [&] { second = mainWindow->RunServerAction(DayDownload(u"14010628"_qs)); });
        const auto start = std::chrono::steady_clock::now();
        const ActionResult first = mainWindow->RunServerAction(DayDownload(u"14010630"_qs));
        const auto took = std::chrono::steady_clock::now() - start;
        QCOMPARE(first, ActionResult::TransferFailed);
        QCOMPARE(mainWindow->statusLine->text(), Text(kNoSample));
        QVERIFY2(took < std::chrono::seconds(30), "the read timeout did not end the transfer");
        QVERIFY2(took > std::chrono::seconds(3), "the transfer failed before the read timeout");
        QVERIFY2(ticks >= 10, qPrintable(u"the event loop ran %1 times"_qs.arg(ticks)));
        QCOMPARE(second, ActionResult::Refused);
        QCOMPARE(lab_.CountFtpCommands("RETR /Text Result/12/14010628.txt"), 0);
        QVERIFY(!mainWindow->ServerBusy());
    }

    void gaugeMovesDuringASlowTransfer() {
        CheckAndRefreshAccount();
        QVERIFY(lab_.Control("slow 40000"));  // the 30 kB program file takes about a second
        QList<int> seen;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, [&] { seen << mainWindow->transferGauge->value(); });
        sampler.start(30);
        ServerAction a = ServerAction::Download(u"/Orvanet.exe"_qs, Root() + u"OrvanetVer 22.00.exe"_qs, 5000000);
        a.resetGauge = true;
        a.failureText = u"failed"_qs;
        QCOMPARE(mainWindow->RunServerAction(a), ActionResult::Done);
        sampler.stop();
        QCOMPARE(mainWindow->transferGauge->maximum(), 5000000);
        const auto moving = std::count_if(seen.begin(), seen.end(), [](int v) { return v > 0 && v < 5000000; });
        QVERIFY2(moving >= 2, qPrintable(u"gauge values seen: %1"_qs.arg(seen.size())));
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
    }

    void refreshRunsTheFullCheckOnlyWhenTheStateChanged() {
        // netok false, and the time server answers again: the full check and the account refresh run.
        QVERIFY(lab_.Control("sntp silent"));
        mainWindow->checkServer();
        QVERIFY(!mainWindow->State().networkOk);
        QVERIFY(lab_.Control("sntp ok"));
        lab_.ClearLogs();
        mainWindow->refresh();
        QVERIFY2(mainWindow->State().networkOk, qPrintable(mainWindow->statusLine->text()));
        QVERIFY(mainWindow->State().serverOk);
        QCOMPARE(lab_.CountFtpCommands("USER"), 1);
        QCOMPARE(lab_.CountFtpCommands("RETR /Text Result/12/bill.txt"), 1);
        QVERIFY(!mainWindow->ftp->IsOpen());
        QVERIFY(mainWindow->refreshTimer->isActive());

        // The time server goes silent: the state changed, so the check runs and finds the network down;
        // farok stays true from the earlier check.
        QVERIFY(lab_.Control("sntp silent"));
        mainWindow->refresh();
        QVERIFY(!mainWindow->State().networkOk);
        QVERIFY(mainWindow->State().serverOk);
        QVERIFY(SamePicture(mainWindow->networkIndicator, mainWindow->failurePicture));

        // The request keeps failing with farok true: only the probe runs (no network, no log-in test).
        lab_.ClearLogs();
        mainWindow->refresh();
        QCOMPARE(lab_.FtpCommands().size(), size_t(0));
        QVERIFY(!mainWindow->State().networkOk);
        int probes = 0;
        for (const auto& r : lab_.Requests()) probes += r.rfind("SNTP", 0) == 0;
        QCOMPARE(probes, 1);

        // Back to normal (a full check), then nothing changes: the probe, a log-in test,
        // and the look at today's result file (SIZE and MDTM; the file itself only when it is new).
        QVERIFY(lab_.Control("sntp ok"));
        mainWindow->refresh();
        QVERIFY(mainWindow->State().networkOk);
        mainWindow->refresh();
        lab_.ClearLogs();
        mainWindow->refresh();
        QCOMPARE(lab_.CountFtpCommands("SIZE /Text Result/12/14010630.txt"), 1);
        QCOMPARE(lab_.CountFtpCommands("MDTM /Text Result/12/14010630.txt"), 1);
        QCOMPARE(lab_.CountFtpCommands("RETR"), 0);
        // "[results] watch=false": the probe and the log-in test, no transfer.
        QFile ini(Root() + u"orvanet.ini"_qs);
        QVERIFY(ini.open(QIODevice::Append));
        ini.write("\n[results]\nwatch=false\n");
        ini.close();
        lab_.ClearLogs();
        mainWindow->refresh();
        QCOMPARE(lab_.CountFtpCommands("USER"), 1);
        QCOMPARE(lab_.CountFtpCommands("RETR"), 0);
        QVERIFY(!mainWindow->ftp->IsOpen());
    }
};

QTEST_MAIN(MainformServerTest)
#include "test_main_window_server.moc"
