// The main window's timers and checks when things overlap: the start-up account
// refresh arriving while another server action runs, the title blink during a
// status blink, and the indicators while a check cannot finish.
#include <QDir>
#include <QtTest>
#include <filesystem>
#include <thread>

#include "app/ui/Forms.h"
#include "app/ui/SignInWindow.h"
#include "accounting/ui/AccountingPanel.h"
#include "app/ui/MainWindow.h"
#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"
#include "server/core/ServerMessages.h"
#include "tests/support/CentralLab.h"
#include "tests/support/LabWindow.h"
#include "tests/support/PromptRecorder.h"

using namespace Qt::StringLiterals;
using orv::ActionResult;
using orv::ServerAction;

namespace {
using orv::test::SamePicture;
}  // namespace

class MainformReliabilityTest : public QObject {
    Q_OBJECT
    orv::test::CentralLab lab_;
    orv::test::LabWindow window_;
    std::unique_ptr<PromptRecorder> prompts_;

    QString Root() const { return window_.Root(); }

    ServerAction DayDownload(const QString& day) const {
        ServerAction a = ServerAction::Download(u"/Text Result/"_s + mainWindow->State().labFolderCode + u"/"_s + day + u".txt"_s,
                                                Root() + day + u".txt"_s, 900);
        a.testFarok = a.testBillok = true;
        a.failureText = u"failed"_s;
        a.successText = day + u" File Download succesfully."_s;
        return a;
    }

private slots:
    void initTestCase() { QVERIFY2(lab_.Start(orv::test::QuickFtpLab()), lab_.Error().c_str()); }
    void init() {
        QVERIFY(lab_.Control("reset"));
        lab_.ClearLogs();
        prompts_ = std::make_unique<PromptRecorder>();
        window_.Create(lab_, "21");
    }
    void cleanup() {
        window_.Destroy();
        prompts_.reset();
    }

    // The start-up account refresh comes while another server action waits for
    // the network: it runs once that action has ended, and the session the
    // server check left open is closed, so the next action works.
    void startUpRefreshWaitsForTheRunningAction() {
        mainWindow->checkServer();
        QVERIFY(mainWindow->State().serverOk);
        QVERIFY(mainWindow->ftp->IsOpen());
        mainWindow->State().accountOk = false;
        bool billokWhileBusy = true;
        QTimer::singleShot(100, mainWindow, [&] {
            QVERIFY(mainWindow->ServerBusy());
            mainWindow->afterFirstShow();  // the start-up timer fires while another action waits
            billokWhileBusy = mainWindow->State().accountOk;
        });
        // Another server action waits a second for the network.
        mainWindow->Wait([] { std::this_thread::sleep_for(std::chrono::seconds(1)); }, [] {});
        QVERIFY2(!billokWhileBusy, "the gate was opened by a refresh that did not run");
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow->accounting->billText->toPlainText().contains(u"22.00"_s), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!mainWindow->ServerBusy(), 10000);
        QVERIFY(!mainWindow->ftp->IsOpen());
        QVERIFY(mainWindow->State().accountOk);
        QCOMPARE(lab_.CountFtpCommands("RETR /Text Result/12/bill.txt"), 1);
        QCOMPARE(mainWindow->RunServerAction(DayDownload(u"14010630"_s)), ActionResult::Done);
    }

    // A save killed mid-write left its hidden temporary file: the start removes it.
    void startRemovesLeftoversOfKilledSaves() {
        const std::string leftover = QString(Root() + u".14010630.txt.part-Q1w2E3"_s).toStdString();
        QVERIFY(orv::WriteFileAtomically(leftover, std::string(4096, 'x')));
        std::filesystem::last_write_time(leftover,
                                         std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
        QVERIFY(orv::WriteFileAtomically(QString(Root() + u"14010630.txt"_s).toStdString(), "kept"));
        signInWindow->show();
        QVERIFY(!orv::FileExists(leftover));
        QVERIFY(orv::FileExists(QString(Root() + u"14010630.txt"_s).toStdString()));
        QVERIFY(orv::FileExists(QString(Root() + u"check.txt"_s).toStdString()));
        signInWindow->hide();
    }

    // Status blinks do not hold back the title blink: it keeps its one-second beat.
    void titleBlinkKeepsItsBeatDuringStatusBlinks() {
        mainWindow->titleCaption = QString::fromUtf8(" اخطار پرداخت صورت حساب");
        mainWindow->titleBlinkTimer->start();
        QTest::qWait(500);
        mainWindow->blinkStatusLine();  // a status blink tick
        QVERIFY(mainWindow->titleBlinkTimer->isActive());
        QVERIFY2(mainWindow->titleBlinkTimer->remainingTime() <= 600,
                 qPrintable(u"the title blink was restarted: %1 ms to go"_s.arg(mainWindow->titleBlinkTimer->remainingTime())));
        // Over one status blink the title changes at least twice.
        int changes = 0;
        connect(mainWindow, &QWidget::windowTitleChanged, [&] { ++changes; });
        mainWindow->Flash(u"blinking"_s);
        QTest::qWait(3200);
        QVERIFY2(changes >= 2, qPrintable(u"%1 title changes"_s.arg(changes)));
        mainWindow->titleCaption = u"   "_s;
        mainWindow->blinkStatusLine();
        QVERIFY(!mainWindow->titleBlinkTimer->isActive());
    }

    // While a check cannot finish, the indicators and the status line claim no
    // success; when it ends they show what it found.
    void indicatorsArePendingUntilTheCheckEnds_data() {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<bool>("network");
        QTest::addColumn<bool>("server");
        QTest::newRow("time server silent, log-in stalled")
            << QStringList{u"sntp silent"_s, u"stall USER"_s} << false << false;
        QTest::newRow("log-in stalled") << QStringList{u"stall USER"_s} << true << false;
        QTest::newRow("log-in refused") << QStringList{u"login refuse"_s} << true << false;
    }
    void indicatorsArePendingUntilTheCheckEnds() {
        QFETCH(QStringList, faults);
        QFETCH(bool, network);
        QFETCH(bool, server);
        // A good start: both indicators on success, the account refreshed.
        mainWindow->checkServer();
        mainWindow->accounting->refreshAccount();
        QVERIFY(SamePicture(mainWindow->serverIndicator, mainWindow->successPicture));
        QCOMPARE(mainWindow->statusLine->text(), u"Succese."_s);
        for (const QString& f : faults) QVERIFY(lab_.Control(f.toStdString()));
        bool claimedSuccess = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (!mainWindow->ServerBusy()) return;
            if (SamePicture(mainWindow->networkIndicator, mainWindow->successPicture) || SamePicture(mainWindow->serverIndicator, mainWindow->successPicture) ||
                mainWindow->statusLine->text() == u"Succese."_s)
                claimedSuccess = true;
        });
        watch.start(50);
        mainWindow->refresh();  // the refresh
        QTRY_VERIFY_WITH_TIMEOUT(!mainWindow->ServerBusy(), 30000);
        watch.stop();
        QVERIFY2(!claimedSuccess, "an indicator or the status line showed success while the check ran");
        QVERIFY(SamePicture(mainWindow->networkIndicator, network ? mainWindow->successPicture : mainWindow->failurePicture));
        // Without the network the server is not tried: its indicator stays pending.
        QVERIFY(SamePicture(mainWindow->serverIndicator, !network ? mainWindow->pendingPicture : server ? mainWindow->successPicture : mainWindow->failurePicture));
        if (network) QCOMPARE(mainWindow->State().serverOk, server);
        QVERIFY(!mainWindow->ftp->IsOpen());
    }
};

QTEST_MAIN(MainformReliabilityTest)
#include "test_main_window_reliability.moc"
