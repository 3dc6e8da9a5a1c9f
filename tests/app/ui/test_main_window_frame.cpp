// The main window's frame: layout and captions, the status line blink, the
// title blink, the gates of the standard server action, and ending the program.
#include <QDir>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "app/ui/Forms.h"
#include "app/ui/SignInWindow.h"
#include "accounting/ui/AccountingPanel.h"
#include "app/ui/MainWindow.h"
#include "base/ui/Prompts.h"
#include "reception/ui/ReceptionLauncher.h"
#include "reception/ui/ReceptionWindow.h"
#include "server/core/ServerMessages.h"
#include "tests/support/FakeFtpSession.h"

using orv::ActionResult;
using orv::ServerAction;
using orv::test::FakeFtpSession;

namespace {
QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

class MainformFrameTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir workspace_;
    FakeFtpSession* fake_ = nullptr;

    QString Root() const { return workspace_.path() + QStringLiteral("/lab/"); }

    template <class W>
    W* Find(const char* name) {
        auto* w = mainWindow->findChild<W*>(QString::fromLatin1(name));
        if (!w) qWarning("no control %s", name);
        return w;
    }

    ServerAction Download() {
        ServerAction a = ServerAction::Download(u"/Text Result/12/14010630.txt"_qs, Root() + u"14010630.txt"_qs, 900);
        a.testFarok = a.testBillok = true;
        a.failureText = u"failed"_qs;
        a.successText = u"done"_qs;
        return a;
    }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);  // as the program runs: the windows end it
    }
    void init() {
        qputenv("ORVANET_WORKSPACE", Root().toUtf8());
        QDir().mkpath(Root());
        CreateForms();
        auto fake = std::make_unique<FakeFtpSession>();
        fake_ = fake.get();
        mainWindow->ftp = std::move(fake);
        mainWindow->State().labFolderCode = u"12"_qs;
    }
    void cleanup() {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
        DestroyForms();
        QDir(Root()).removeRecursively();
    }

    void layoutCaptionsAndHints() {
        QCOMPARE(mainWindow->size(), QSize(823, 514));
        QCOMPARE(mainWindow->palette().color(QPalette::Window), QColor(220, 224, 250));
        QVERIFY(mainWindow->windowTitle().isEmpty());
        const struct {
            const char* name;
            const char* text;
        } captions[] = {
            {"Label2", "Receive Status :"},
            {"Label5", "^ Download Content ^"},
            {"Label1", "Sending Date"},
            {"SpeedButton3", "روز قبل"},
            {"SpeedButton7", "روز بعد"},
            {"SpeedButton5", "Find Next"},
            {"SpeedButton16", "Receive and Update Report"},
            {"Label12", "Electronic Signature"},
            {"SpeedButton8", "Download Files"},
            {"SpeedButton6", "Save As..."},
            {"SpeedButton11", "Print"},
            {"SpeedButton1", "Accounting"},
            {"SpeedButton20", "Reception"},
            {"Label7", "Program Status"},
            {"Label4", "Show Laws"},
            {"Label3", "Orvanet Ver ..."},
            {"Label19", "22.00"},
            {"Label20", "تخفیف ٪۴"},
            {"Label22", "تخفیف ٪۳"},
            {"Label23", "تخفیف ٪۲"},
            {"Label24", "Days"},
            {"Label14", "Network Connction"},
            {"Label15", "Tarvina Server"},
            {"Label17", "Program Security"},
            {"Label18", "UpTo Date"},
            {"netokb", "check network"},
            {"farokb", "checkserver"},
            {"SpeedButton9", "update"},
        };
        for (const auto& c : captions) {
            QWidget* w = Find<QWidget>(c.name);
            QVERIFY2(w, c.name);
            const QVariant text = w->property("text");
            QCOMPARE(text.toString(), Text(c.text));
        }
        QCOMPARE(Find<QWidget>("SpeedButton18")->toolTip(), u"Referesh"_qs);
        QCOMPARE(Find<QWidget>("Image6")->toolTip(), u"Double Click For Update Program"_qs);
        QCOMPARE(Find<QWidget>("SpeedButton20")->toolTip(), Text("پذیرش بیماران"));
        QVERIFY(Find<QToolButton>("SpeedButton8")->isCheckable());
        for (const char* name : {"Image2", "Image4", "Image5", "Image6", "Image7", "Image8", "Image9"})
            QCOMPARE(Find<QLabel>(name)->pixmap().size(), QSize(24, 24));
        QCOMPARE(mainWindow->accounting->debtGauge->maximum(), 120);
        QVERIFY(!mainWindow->accounting->debtGauge->isTextVisible());
        QCOMPARE(mainWindow->checkFileText->toPlainText(), u"17"_qs);
        QVERIFY(mainWindow->transferGauge->geometry().bottom() == 513);  // along the bottom

        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        for (const char* hidden : {"Image2", "Image5", "Image9", "SpeedButton2", "SpeedButton4", "SpeedButton9",
                                   "SpeedButton15", "SpeedButton21", "netokb", "farokb", "Edit2", "Memo1", "Memo5",
                                   "Panel1", "ListBox1", "ListBox2", "Label5"})
            QVERIFY2(!Find<QWidget>(hidden)->isVisible(), hidden);
        // The indicators start pending.
        for (const char* results : {"SpeedButton16", "StringGrid1", "SolarDatePicker1", "Edit1", "SpeedButton1"})
            QVERIFY2(Find<QWidget>(results)->isEnabled(), results);
        QCOMPARE(mainWindow->networkIndicator->pixmap().toImage(), mainWindow->pendingPicture->pixmap().toImage());
        QCOMPARE(mainWindow->serverIndicator->pixmap().toImage(), mainWindow->pendingPicture->pixmap().toImage());
        for (QTimer* t : mainWindow->findChildren<QTimer*>()) QVERIFY(!t->objectName().isEmpty());
        QCOMPARE(mainWindow->findChildren<QTimer*>(QRegularExpression(u"^Timer[1-6]$"_qs)).size(), 6);
    }

    // The reception window opens wholly on the main window's screen, or where it was last closed.
    void receptionButtonShowsTheReceptionWindow() {
        QSettings(u"Orvanet"_qs, u"Orvanet"_qs).clear();
        QVERIFY(mainWindow->reception->receptionButton->isEnabled());
        mainWindow->show();
        const QRect screen = mainWindow->screen()->availableGeometry();
        for (const bool maximised : {false, true}) {
            if (maximised)
                mainWindow->showMaximized();
            else
                mainWindow->move(screen.right() - 200, screen.top() + 30);
            QTest::mouseClick(mainWindow->reception->receptionButton, Qt::LeftButton);
            QVERIFY(receptionWindow->isVisible());
            QVERIFY(screen.contains(receptionWindow->frameGeometry()));
            receptionWindow->hide();
        }
        receptionWindow->show();
        receptionWindow->move(screen.left() + 12, screen.top() + 34);
        QVERIFY(receptionWindow->close());
        QTest::mouseClick(mainWindow->reception->receptionButton, Qt::LeftButton);
        QCOMPARE(receptionWindow->pos(), QPoint(screen.left() + 12, screen.top() + 34));
        // Remembered for the next run; a place no screen shows any more is not used.
        QCOMPARE(QSettings(u"Orvanet"_qs, u"Orvanet"_qs).value(u"reception/position"_qs).toPoint(), receptionWindow->pos());
        receptionWindow->move(screen.right() + 5000, 0);
        QVERIFY(receptionWindow->close());
        QTest::mouseClick(mainWindow->reception->receptionButton, Qt::LeftButton);
        QVERIFY(screen.contains(receptionWindow->frameGeometry()));
    }

    void statusLineBlinksFiveTimesAndRestartsOnANewMessage() {
        mainWindow->Flash(u"first"_qs);
        QCOMPARE(mainWindow->statusLine->text(), u"first"_qs);
        QVERIFY(mainWindow->statusLine->isHidden());
        QVERIFY(mainWindow->statusBlinkTimer->isActive());
        // Visible from 0.6 s, hidden at 1.2 s, visible at 1.8 s, hidden at 2.4 s, visible from 3.0 s on.
        const QList<bool> pattern{true, false, true, false, true};
        QList<bool> seen;
        for (int tick = 0; tick < 5; ++tick) {
            mainWindow->blinkStatusLine();
            seen << !mainWindow->statusLine->isHidden();
        }
        QCOMPARE(seen, pattern);
        QVERIFY(!mainWindow->statusBlinkTimer->isActive());

        // A second message within the blink starts it again from the beginning.
        mainWindow->Flash(u"first"_qs);
        mainWindow->blinkStatusLine();
        mainWindow->blinkStatusLine();
        mainWindow->Flash(u"second"_qs);
        QCOMPARE(mainWindow->statusBlinkTicks, 0);
        QVERIFY(mainWindow->statusLine->isHidden());
        QVERIFY(mainWindow->statusBlinkTimer->isActive());
        seen.clear();
        for (int tick = 0; tick < 5; ++tick) {
            QVERIFY(mainWindow->statusBlinkTimer->isActive());
            mainWindow->blinkStatusLine();
            seen << !mainWindow->statusLine->isHidden();
        }
        QCOMPARE(seen, pattern);
        QVERIFY(!mainWindow->statusBlinkTimer->isActive());
        QCOMPARE(mainWindow->statusLine->text(), u"second"_qs);

        // The wait message shows at once and does not blink.
        mainWindow->ShowWait();
        QVERIFY(!mainWindow->statusLine->isHidden());
        QCOMPARE(mainWindow->statusLine->text(), Text(orv::msg::kWait));
        QVERIFY(!mainWindow->statusBlinkTimer->isActive());

        // By the clock: visible again from 3 s after the message.
        mainWindow->Flash(u"timed"_qs);
        QTRY_VERIFY_WITH_TIMEOUT(!mainWindow->statusBlinkTimer->isActive(), 10000);
        QVERIFY(!mainWindow->statusLine->isHidden());
    }

    void titleAndAccountingButtonBlinkWithTheWarning() {
        const QString warning = Text(" اخطار پرداخت صورت حساب");
        mainWindow->titleCaption = warning;
        mainWindow->Flash(u"x"_qs);
        mainWindow->blinkStatusLine();
        QVERIFY(mainWindow->titleBlinkTimer->isActive());
        QStringList titles;
        QList<QColor> colours;
        for (int i = 0; i < 4; ++i) {
            mainWindow->blinkTitle();
            titles << mainWindow->windowTitle();
            colours << mainWindow->accounting->accountingButton->palette().color(QPalette::ButtonText);
        }
        QCOMPARE(titles, QStringList({warning, QString(), warning, QString()}));
        QCOMPARE(colours, QList<QColor>({Qt::black, Qt::red, Qt::black, Qt::red}));

        mainWindow->titleCaption = u"   "_qs;  // no overdue bill: the blink stops at the next status tick
        mainWindow->blinkStatusLine();
        QVERIFY(!mainWindow->titleBlinkTimer->isActive());
    }

    void gatesAreTestedInOrderAndOpenNoSession() {
        struct Case {
            bool netok, farok, billok;
            const char* message;
        } cases[] = {
            {false, false, false, orv::msg::kNetworkUpdate},
            {true, false, false, orv::msg::kServer},
            {true, true, false, orv::msg::kAccountingLock},
        };
        for (const auto& c : cases) {
            mainWindow->State().networkOk = c.netok;
            mainWindow->State().serverOk = c.farok;
            mainWindow->State().accountOk = c.billok;
            QCOMPARE(mainWindow->RunServerAction(Download()), ActionResult::Refused);
            QCOMPARE(mainWindow->statusLine->text(), Text(c.message));
            QVERIFY(!QApplication::overrideCursor());
        }
        ServerAction refresh = Download();
        refresh.networkForm = orv::NetworkForm::Refresh;
        mainWindow->State().networkOk = false;
        QCOMPARE(mainWindow->RunServerAction(refresh), ActionResult::Refused);
        QCOMPARE(mainWindow->statusLine->text(), Text(orv::msg::kNetworkRefresh));
        QVERIFY(fake_->Calls().empty());
    }

    void actionOpensTransfersAndClosesAndShowsItsTexts() {
        mainWindow->State().networkOk = mainWindow->State().serverOk = mainWindow->State().accountOk = true;
        fake_->files["/Text Result/12/14010630.txt"] = std::string(300, 'x');
        QCOMPARE(mainWindow->RunServerAction(Download()), ActionResult::Done);
        QCOMPARE(fake_->Calls(), std::vector<std::string>({"OPEN", "GET /Text Result/12/14010630.txt", "CLOSE"}));
        QCOMPARE(mainWindow->statusLine->text(), u"done"_qs);
        QCOMPARE(mainWindow->transferGauge->maximum(), 900);
        QCOMPARE(mainWindow->transferGauge->value(), 900);
        QCOMPARE(mainWindow->transferDest, Root() + u"14010630.txt"_qs);
        QVERIFY(QFile::exists(mainWindow->transferDest));
        QVERIFY(!QApplication::overrideCursor());

        // A failed transfer closes the session and shows the action's own text.
        fake_->failingPaths.insert("/Text Result/12/14010630.txt");
        QCOMPARE(mainWindow->RunServerAction(Download()), ActionResult::TransferFailed);
        QCOMPARE(mainWindow->statusLine->text(), u"failed"_qs);
        QVERIFY(!fake_->IsOpen());
        QVERIFY(!mainWindow->LastServerError().isEmpty());

        // A refused log-in: the server message, nothing transferred.
        fake_->refuseOpen = true;
        QCOMPARE(mainWindow->RunServerAction(Download()), ActionResult::OpenFailed);
        QCOMPARE(mainWindow->statusLine->text(), Text(orv::msg::kServer));
    }

    void uploadsAndListingsThroughTheSameSequence() {
        mainWindow->State().networkOk = mainWindow->State().serverOk = mainWindow->State().accountOk = true;
        fake_->listings["/Help Files"] = {"-rw-r--r-- 1 owner group 68 Dec 08 19:02 Working hours.txt"};
        std::vector<std::string> lines;
        QCOMPARE(mainWindow->RunServerAction(ServerAction::ListFolder(u"/Help Files"_qs, &lines)), ActionResult::Done);
        QCOMPARE(lines.size(), size_t(1));
        QCOMPARE(mainWindow->RunServerAction(ServerAction::UploadBytes(QByteArray(), u"pay/may/x"_qs)),
                 ActionResult::Done);
        QCOMPARE(fake_->files.count("pay/may/x"), size_t(1));
        QCOMPARE(fake_->Calls(), std::vector<std::string>({"OPEN", "CWD /Help Files", "LIST /Help Files", "CLOSE",
                                                           "OPEN", "PUT pay/may/x", "CLOSE"}));
    }

    void closingOrHidingTheMainWindowEndsTheProgram_data() {
        QTest::addColumn<bool>("close");
        QTest::newRow("close") << true;
        QTest::newRow("hide") << false;
    }
    void closingOrHidingTheMainWindowEndsTheProgram() {
        QFETCH(bool, close);
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        QTimer::singleShot(0, mainWindow, [close] { close ? (void)mainWindow->close() : mainWindow->hide(); });
        QTimer safety;  // ends the loop should the window not
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        safety.start(20000);
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void showingRunsTimer1OnceThenTheRefreshTimerRuns() {
        mainWindow->show();
        QVERIFY(mainWindow->firstShowTimer->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!mainWindow->firstShowTimer->isActive(), 5000);
        // The account refresh with the server down re-arms the 35-second refresh.
        QVERIFY(mainWindow->refreshTimer->isActive());
        QCOMPARE(mainWindow->refreshTimer->interval(), 35000);
        QVERIFY(fake_->Calls().empty());
    }
};

QTEST_MAIN(MainformFrameTest)
#include "test_main_window_frame.moc"
