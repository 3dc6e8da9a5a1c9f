// The main window's accounting half against the local central laboratory: the
// account refresh with its gate, version indicator and notice flag, the
// accounting panel, payment, messages, the month bill and the program update.
#include <curl/curl.h>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <atomic>
#include <thread>

#include "server/ui/ReferenceDocuments.h"
#include "accounting/core/Account.h"
#include "accounting/core/AccountFiles.h"
#include "accounting/ui/AccountingPanel.h"
#include "accounting/ui/ProgramUpdate.h"
#include "accounting/ui/SpinButton.h"
#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"
#include "results/ui/ReportPreview.h"
#include "server/core/ServerMessages.h"
#include "tests/accounting/core/BillLines.h"
#include "tests/results/ui/ResultsWindow.h"
#include "tests/support/PromptRecorder.h"

using namespace Qt::StringLiterals;
using orv::test::CentralLab;
using orv::test::CentralLabOptions;
namespace acc = orv::accounting;

namespace {

// 2022-09-21 is 1401/06/30.
const char* const kToday = "2022-09-21T09:00:00";

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string Bytes(const std::string& path) {
    std::string bytes;
    if (!orv::ReadWholeFile(path, bytes)) return "(unreadable)";
    return bytes;
}

// The browser's part: fetches the address the program handed to the desktop.
bool Fetch(const QUrl& url) {
    CURL* curl = curl_easy_init();
    const QByteArray address = url.toEncoded();
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(
        curl, CURLOPT_WRITEFUNCTION, +[](char*, size_t size, size_t n, void*) { return size * n; });
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, 5000L);
    const bool ok = curl_easy_perform(curl) == CURLE_OK;
    curl_easy_cleanup(curl);
    return ok;
}

std::vector<std::string> ServerBill(const CentralLab& lab) {
    return orv::ReadTextFile(lab.ServerFile("Text Result/12/bill.txt")).content.lines;
}

std::vector<std::string> StdLines(const QStringList& lines) {
    std::vector<std::string> out;
    for (const QString& l : lines) out.push_back(l.toStdString());
    return out;
}

void WriteServerBill(const CentralLab& lab, const std::vector<std::string>& lines) {
    QVERIFY(orv::WriteTextFile(lab.ServerFile("Text Result/12/bill.txt"), lines));
}

}  // namespace

class MainWindowAccountingTest : public QObject {
    Q_OBJECT
    CentralLab lab_;
    CentralLab overdueLab_;
    orv::test::ResultsWindow w_;
    std::vector<std::string> originalBill_;

    // The server check and the account refresh, as the start-up runs them.
    void CheckAndRefresh() {
        mainWindow->checkServer();
        QVERIFY(mainWindow->State().networkOk && mainWindow->State().serverOk);
        mainWindow->accounting->refreshAccount();
    }
    // What the accounting logic computes for the laboratory's bill today.
    acc::Account Expected(const CentralLab& lab) const {
        return acc::CalculateAccount(ServerBill(lab), "1401/06/30", "12", {".", ","});
    }

private slots:
    void initTestCase() {
        QVERIFY2(lab_.Start(CentralLabOptions::Fixed(kToday)), lab_.Error().c_str());
        CentralLabOptions overdue = CentralLabOptions::Fixed(kToday);
        overdue.overdue = true;
        QVERIFY2(overdueLab_.Start(overdue), overdueLab_.Error().c_str());
        originalBill_ = ServerBill(lab_);
    }
    void init() {
        lab_.Control("reset");
        WriteServerBill(lab_, originalBill_);
        w_.Open(lab_);
        QVERIFY(orv::WriteTextFile(w_.RootStd() + "check.txt", {"17"}));
        mainWindow->State().networkOk = mainWindow->State().serverOk = false;
        lab_.ClearLogs();
    }
    void cleanup() { w_.Close(); }

    void refreshReadsTheBillAndLeavesTheGateOpen() {
        CheckAndRefresh();
        const acc::Account expected = Expected(lab_);
        QCOMPARE(w_.Status(), u"Succese."_s);
        QCOMPARE(mainWindow->titleCaption, u"   "_s);
        QCOMPARE(mainWindow->accounting->labNameLabel->text(), u"آزمايشگاه نمونه مرکزي"_s);
        QCOMPARE(StdLines(mainWindow->accounting->BillLines()), ServerBill(lab_));
        QVERIFY(mainWindow->State().accountOk);
        QVERIFY(mainWindow->State().accountBlocked);
        QCOMPARE(mainWindow->accounting->overdueLimitDays, 90);
        QCOMPARE(mainWindow->accounting->firstUnpaidMonth, u"1401/05"_s);
        QCOMPARE(mainWindow->accounting->debtGauge->value(), 30);  // 29 days from 1401/06/01, plus 1
        QCOMPARE(mainWindow->accounting->debtGauge->value(), expected.gauge);
        QVERIFY(mainWindow->refreshTimer->isActive());
        // Version 22.00 as published: current.
        QVERIFY(mainWindow->update->programCurrent);
        QCOMPARE(mainWindow->upToDateIndicator->pixmap().toImage(), mainWindow->successPicture->pixmap().toImage());
        // Notice counter 18 over the 17 of check.txt: the flag goes up.
        QCOMPARE(mainWindow->reference->recommendationFlag->text(), u"New Massage.Plz Click here"_s);
        QCOMPARE(mainWindow->reference->recommendationFlag->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(mainWindow->reference->flagBlink->isActive());
        QCOMPARE(lab_.CountFtpCommands("RETR /Text Result/12/bill.txt"), 1);
    }

    void overdueBillClosesTheGateForTheResultDownload() {
        overdueLab_.WriteSettings(w_.RootStd());
        CheckAndRefresh();
        QCOMPARE(w_.Status(), u". اخطار پرداخت صورت حساب"_s);
        QCOMPARE(mainWindow->titleCaption, u" اخطار پرداخت صورت حساب"_s);
        QVERIFY(!mainWindow->State().accountOk);
        QCOMPARE(mainWindow->accounting->debtGauge->value(), 120);
        mainWindow->results->setDateText(u"1401/06/30"_s);
        mainWindow->results->receiveAndUpdate();
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kAccountingLock));
        QVERIFY(!QFile::exists(w_.Root() + u"14010630.txt"_s));
    }

    void unreadableLineKeepsThePreviousBillAndTheRefreshTimer() {
        CheckAndRefresh();
        const std::vector<std::string> good = StdLines(mainWindow->accounting->BillLines());
        std::vector<std::string> bad = originalBill_;
        bad[3] = "1/2";
        bad[0] = "another name";
        WriteServerBill(lab_, bad);
        mainWindow->refreshTimer->stop();
        CheckAndRefresh();
        QVERIFY2(w_.Status().contains(u"line 4"_s), qPrintable(w_.Status()));
        QVERIFY(w_.Status().contains(u"1/2"_s));
        QCOMPARE(StdLines(mainWindow->accounting->BillLines()), good);
        QCOMPARE(mainWindow->accounting->labNameLabel->text(), u"آزمايشگاه نمونه مرکزي"_s);
        QVERIFY(mainWindow->refreshTimer->isActive());
    }

    // With no earlier bill to keep, the Accounting button says why it opens nothing.
    void unreadableBillWithoutAnEarlierOneIsNamedByTheAccountingButton() {
        for (const auto& [index, value] : {std::pair{1, "v22"}, std::pair{3, "x1"}}) {
            std::vector<std::string> bad = originalBill_;
            bad[index] = value;
            WriteServerBill(lab_, bad);
            CheckAndRefresh();
            QVERIFY(StdLines(mainWindow->accounting->BillLines()).empty());
            mainWindow->Flash(u"something else"_s);
            QTest::mouseClick(mainWindow->accounting->accountingButton, Qt::LeftButton);
            QVERIFY(!mainWindow->accounting->isVisible());
            QVERIFY2(w_.Status().contains(u"line %1"_s.arg(index + 1)), qPrintable(w_.Status()));
            QVERIFY(w_.Status().contains(QString::fromUtf8(value)));
        }
    }

    void panelShowsTheDebtAndDiscounts() {
        PromptRecorder prompts;
        mainWindow->accounting->openPanel();  // nothing reachable yet: nothing opens
        QVERIFY(!mainWindow->accounting->isVisible());
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kNetworkRefresh));
        mainWindow->State().networkOk = true;  // the server alone is down
        mainWindow->accounting->openPanel();
        QVERIFY(!mainWindow->accounting->isVisible());
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kServer));
        mainWindow->State().networkOk = false;
        CheckAndRefresh();
        mainWindow->results->setDateText(u"1401/06/30"_s);
        QTest::mouseClick(mainWindow->accounting->accountingButton, Qt::LeftButton);
        QVERIFY(mainWindow->accounting->isVisible());
        const acc::Debt expected = Expected(lab_).debt;
        QCOMPARE(mainWindow->accounting->unpaidMonthsText->toPlainText(), Q(expected.unpaidLines[0] + "\n" + expected.unpaidLines[1]));
        QCOMPARE(mainWindow->accounting->totalDebtLabel->text(), u" کل بدهی  :          170,000,000  ریال "_s);
        QCOMPARE(mainWindow->accounting->payableMonthLabel->text(), u" ماه قابل پرداخت  : پرداخت 1 از مرداد ماه  1401"_s);
        QCOMPARE(mainWindow->accounting->monthAmountLabel->text(), Q(expected.monthAmountText));
        QCOMPARE(mainWindow->accounting->paymentDiscountLabel->text(), Q(expected.paymentDiscountText));
        QCOMPARE(mainWindow->accounting->volumeDiscountLabel->text(), Q(expected.volumeDiscountText));
        QCOMPARE(mainWindow->accounting->amountAfterDiscountsLabel->text(), Q(expected.afterDiscountsText));
        QVERIFY(!mainWindow->accounting->noUnpaidMonth);
        QCOMPARE(mainWindow->accounting->paymentRecord, u"1401-05x1401h05x12x303x2x29"_s);
        QCOMPARE(mainWindow->accounting->amountAfterDiscounts, expected.m);
        // The month chooser starts at the day shown; later steps go from the end of the window.
        QCOMPARE(mainWindow->accounting->monthField->text(), u"شهريور ماه  1401  "_s);
        QCOMPARE(mainWindow->accounting->monthField->toolTip(), u"1401-06"_s);
        QTest::mouseClick(mainWindow->accounting->monthSpin->Up(), Qt::LeftButton);
        QCOMPARE(mainWindow->accounting->monthField->toolTip(), u"1401-09"_s);
        mainWindow->accounting->previousMonth();
        QCOMPARE(mainWindow->accounting->monthField->toolTip(), u"1401-08"_s);
        QTest::mouseClick(mainWindow->accounting->closeButton, Qt::LeftButton);
        QVERIFY(!mainWindow->accounting->isVisible());
    }

    void payLeavesTheMarkerAndOpensThePaymentPage() {
        PromptRecorder prompts;
        prompts.openSucceeds = true;
        orv::ui::SetOpenResponder([&](const QUrl& url) {
            prompts.opened << url;
            return Fetch(url);
        });
        CheckAndRefresh();
        mainWindow->accounting->openPanel();
        mainWindow->accounting->messageText->setPlainText(u"پیام نیمه کاره"_s);
        lab_.ClearLogs();
        QTest::mouseClick(mainWindow->accounting->payButton, Qt::LeftButton);
        QVERIFY(!mainWindow->accounting->payButton->isEnabled());
        QVERIFY(mainWindow->accounting->payAgainTimer->isActive());
        QVERIFY(mainWindow->accounting->paymentRequested);
        QVERIFY(!mainWindow->accounting->isVisible());
        QCOMPARE(mainWindow->accounting->messageText->toPlainText(), u"پیام نیمه کاره"_s);
        const QString marker = Q(lab_.ServerFile("pay/may/" + mainWindow->accounting->paymentRecord.toStdString()));
        QVERIFY(QFile::exists(marker));
        QCOMPARE(QFileInfo(marker).size(), 0);
        QCOMPARE(prompts.opened.size(), 1);
        const std::string expectedQuery = "GET /page1.aspx?Lablbl=" + acc::PercentEncode("آزمايشگاه نمونه مرکزي") +
                                          "&Amount=" + std::to_string(mainWindow->accounting->amountAfterDiscounts) +
                                          "&ResNum=" + mainWindow->accounting->paymentRecord.toStdString();
        QTRY_VERIFY([&] {
            for (const std::string& r : lab_.Requests())
                if (r.find(expectedQuery) != std::string::npos) return true;
            return false;
        }());
        QCOMPARE(prompts.opened[0].port(), lab_.HttpPort());
        // A second click while the button is off does nothing.
        QTest::mouseClick(mainWindow->accounting->payButton, Qt::LeftButton);
        QCOMPARE(prompts.opened.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow->accounting->payButton->isEnabled(), 10000);  // after its 3 s pause
        // From now on the Accounting button runs the check and the refresh before it calculates.
        lab_.ClearLogs();
        mainWindow->accounting->openPanel();
        QVERIFY(mainWindow->accounting->isVisible());
        QCOMPARE(lab_.CountFtpCommands("RETR /Text Result/12/bill.txt"), 1);
    }

    // Pay pressed while another server action runs: the panel stays and the status line says why.
    void payWhileAnotherActionRunsKeepsThePanel() {
        PromptRecorder prompts;
        CheckAndRefresh();
        mainWindow->accounting->openPanel();
        QVERIFY(mainWindow->accounting->isVisible());
        lab_.ClearLogs();
        std::atomic<bool> release{false};
        QTimer::singleShot(0, mainWindow, [&] {
            mainWindow->accounting->requestPayment();
            release = true;
        });
        mainWindow->Wait(
            [&] {
                while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            },
            [&] { release = true; });
        QVERIFY(mainWindow->accounting->isVisible());
        QVERIFY(!mainWindow->accounting->paymentRequested);
        QVERIFY(prompts.opened.isEmpty());
        QCOMPARE(lab_.CountFtpCommands("STOR"), 0);
        QVERIFY2(w_.Status().contains(u"در حال اجرا"_s), qPrintable(w_.Status()));
        mainWindow->accounting->requestPayment();  // once the other action has ended, it pays
        QVERIFY(mainWindow->accounting->paymentRequested);
        QCOMPARE(prompts.opened.size(), 1);
        QVERIFY2(!w_.Status().contains(u"باز نشد"_s), qPrintable(w_.Status()));
        // No program takes the page: the status line says so, with the address, instead of "please wait".
        for (const bool takenThenFailed : {false, true}) {
            prompts.openSucceeds = takenThenFailed;
            prompts.openFailsLater = takenThenFailed;
            QTRY_VERIFY_WITH_TIMEOUT(mainWindow->accounting->payButton->isEnabled(), 10000);
            mainWindow->accounting->requestPayment();
            QTRY_VERIFY2(w_.Status().contains(u"صفحه پرداخت باز نشد"_s), qPrintable(w_.Status()));
            QVERIFY2(w_.Status().contains(u"ResNum="_s + mainWindow->accounting->paymentRecord), qPrintable(w_.Status()));
        }
    }

    // Send without the network: the network message, as other actions say it.
    void sendWithoutTheNetworkSaysSo() {
        PromptRecorder prompts;
        CheckAndRefresh();
        mainWindow->State().networkOk = false;
        mainWindow->accounting->messageText->setPlainText(u"بعدا ارسال شود"_s);
        lab_.ClearLogs();
        mainWindow->accounting->sendMessage();
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kNetworkRefresh));
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(mainWindow->accounting->messageText->toPlainText(), u"بعدا ارسال شود"_s);
        QCOMPARE(lab_.CountFtpCommands("STOR"), 0);
    }

    void noNoticeWhenCheckFileSaysZeroAndNoPanelWithoutABill() {
        QVERIFY(orv::WriteTextFile(w_.RootStd() + "check.txt", {"0"}));
        mainWindow->checkServer();
        QVERIFY(mainWindow->State().networkOk && mainWindow->State().serverOk);
        mainWindow->accounting->openPanel();  // no bill loaded yet
        QVERIFY(!mainWindow->accounting->isVisible());
        mainWindow->accounting->refreshAccount();
        QVERIFY(mainWindow->reference->recommendationFlag->text().isEmpty());
        QVERIFY(!mainWindow->reference->flagBlink->isActive());
    }

    // Nothing unpaid, or an oldest month that comes to nothing or less: nothing to pay.
    void payWithNothingDueSendsNothing() {
        PromptRecorder prompts;
        const std::vector<std::string> head(originalBill_.begin(), originalBill_.begin() + 5);
        for (const char* amount : {"", "0", "-5000"}) {
            std::vector<std::string> bill = head;
            if (*amount) bill.push_back(orv::test::BillRecordLine("0", "1401-05", amount));
            WriteServerBill(lab_, bill);
            CheckAndRefresh();
            mainWindow->accounting->openPanel();
            QVERIFY(mainWindow->accounting->isVisible());
            lab_.ClearLogs();
            mainWindow->accounting->requestPayment();
            QCOMPARE(w_.Status(), u". هیچ مقداری جهت پرداخت مهیا نمیباشد"_s);
            QVERIFY2(prompts.opened.isEmpty(), amount);
            QCOMPARE(lab_.CountFtpCommands("STOR"), 0);
            QVERIFY(!mainWindow->accounting->paymentRequested);
            QVERIFY(mainWindow->accounting->isVisible());
        }
        QVERIFY(mainWindow->accounting->amountAfterDiscountsLabel->text().startsWith(u"مبلغ پس از تخفیف"_s));  // the figures are still shown
        WriteServerBill(lab_, head);
        CheckAndRefresh();
        mainWindow->accounting->openPanel();
        QVERIFY(mainWindow->accounting->noUnpaidMonth);
        QCOMPARE(mainWindow->accounting->payableMonthLabel->text(), u" هیچ بدهی وجود ندارد "_s);
        const int beeps = prompts.beeps;
        QTest::mouseDClick(mainWindow->accounting->payButton, Qt::LeftButton);
        QVERIFY(prompts.messages.contains(u"attention|لطفا فقط یکبار کلیک نمایید"_s));
        QCOMPARE(prompts.beeps, beeps + 1);
    }

    void messageLandsInTheCommentsFolder() {
        PromptRecorder prompts;
        CheckAndRefresh();
        mainWindow->accounting->messageText->setPlainText(u"سلام\nلطفا تست جدید"_s);
        QTest::mouseClick(mainWindow->accounting->sendButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), u"پیغام شما با موفقیت ارسال گردید"_s);
        QVERIFY(mainWindow->accounting->messageText->toPlainText().isEmpty());
        QVERIFY(mainWindow->accounting->lastMessageName.startsWith(u"12-1401-06-30-"_s));
        const std::string path = lab_.ServerFile("Text Result/12/comments/" + mainWindow->accounting->lastMessageName.toStdString() + ".txt");
        QCOMPARE(Bytes(path), orv::Utf8ToCp1256("سلام\r\nلطفا تست جدید\r\n"));
    }

    void messageNameAlreadyOnTheServerIsPassedOver() {
        PromptRecorder prompts;
        CheckAndRefresh();
        const std::string folder = lab_.ServerFile("Text Result/12/comments/");
        for (int n : {998, 999, 0})
            QVERIFY(orv::WriteFileAtomically(folder + "12-1401-06-30-" + std::to_string(n) + ".txt", "earlier"));
        mainWindow->accounting->messageNumber = [] { return 998; };
        mainWindow->accounting->messageText->setPlainText(u"پیام دوم"_s);
        mainWindow->accounting->sendMessage();
        QCOMPARE(mainWindow->accounting->lastMessageName, u"12-1401-06-30-1"_s);
        QCOMPARE(Bytes(folder + "12-1401-06-30-1.txt"), orv::Utf8ToCp1256("پیام دوم\r\n"));
        for (int n : {998, 999, 0}) QCOMPARE(Bytes(folder + "12-1401-06-30-" + std::to_string(n) + ".txt"), "earlier");
        // An empty memo sends an empty file.
        mainWindow->accounting->messageNumber = [] { return 5; };
        mainWindow->accounting->sendMessage();
        QCOMPARE(mainWindow->accounting->lastMessageName, u"12-1401-06-30-5"_s);
        QCOMPARE(Bytes(folder + "12-1401-06-30-5.txt"), "");
        QCOMPARE(w_.Status(), u"پیغام شما با موفقیت ارسال گردید"_s);
        for (int n : {998, 999, 0, 1, 5}) QFile::remove(Q(folder + "12-1401-06-30-" + std::to_string(n) + ".txt"));
    }

    // A look at a taken name that breaks off must not make the name look free:
    // the earlier message stays as it was and the sending is reported failed.
    void brokenLookAtANameNeverOverwritesIt() {
        PromptRecorder prompts;
        CheckAndRefresh();
        const std::string folder = lab_.ServerFile("Text Result/12/comments/");
        const std::string earlier = folder + "12-1401-06-30-40.txt";
        QVERIFY(orv::WriteFileAtomically(earlier, "an earlier message of the day"));
        lab_.Control("stall LIST");  // the look at the folder's names gets no answer
        mainWindow->accounting->messageNumber = [] { return 40; };
        mainWindow->accounting->messageText->setPlainText(u"پیام تازه"_s);
        mainWindow->accounting->sendMessage();
        QCOMPARE(Bytes(earlier), "an earlier message of the day");
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages[0].startsWith(u"Error|"_s));
        QCOMPARE(mainWindow->accounting->messageText->toPlainText(), u"پیام تازه"_s);
        QVERIFY(!QFile::exists(Q(folder + "12-1401-06-30-41.txt")));
        lab_.Control("reset");
        mainWindow->accounting->sendMessage();  // cleared: the next free name takes it
        QCOMPARE(Bytes(folder + "12-1401-06-30-41.txt"), orv::Utf8ToCp1256("پیام تازه\r\n"));
        QCOMPARE(Bytes(earlier), "an earlier message of the day");
        for (int n : {40, 41}) QFile::remove(Q(folder + "12-1401-06-30-" + std::to_string(n) + ".txt"));
    }

    // A comments folder whose files may be written but not read: the names it
    // lists are passed over; one that lists nothing either is not written to at all.
    void uploadOnlyFolderNeverHasAMessageOverwritten() {
        PromptRecorder prompts;
        CheckAndRefresh();
        const std::string folder = lab_.ServerFile("Text Result/12/comments/");
        const std::string earlier = folder + "12-1401-06-30-40.txt";
        QVERIFY(orv::WriteFileAtomically(earlier, "an earlier message of the day"));
        lab_.Control("deny READ /comments");
        mainWindow->accounting->messageNumber = [] { return 40; };
        mainWindow->accounting->messageText->setPlainText(u"پیام تازه"_s);
        mainWindow->accounting->sendMessage();
        QCOMPARE(w_.Status(), u"پیغام شما با موفقیت ارسال گردید"_s);
        QCOMPARE(mainWindow->accounting->lastMessageName, u"12-1401-06-30-41"_s);
        QCOMPARE(Bytes(earlier), "an earlier message of the day");

        lab_.Control("deny DIRS /comments");
        mainWindow->accounting->messageText->setPlainText(u"پیام سوم"_s);
        mainWindow->accounting->sendMessage();
        QCOMPARE(Bytes(earlier), "an earlier message of the day");
        QVERIFY(!QFile::exists(Q(folder + "12-1401-06-30-42.txt")));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages[0].startsWith(u"Error|. سرور تاروینا فهرست پیغام های پیشین را نشان نمی دهد"_s));
        QCOMPARE(mainWindow->accounting->messageText->toPlainText(), u"پیام سوم"_s);
        lab_.Control("reset");
        for (int n : {40, 41}) QFile::remove(Q(folder + "12-1401-06-30-" + std::to_string(n) + ".txt"));
    }

    void failedMessageKeepsTheText() {
        PromptRecorder prompts;
        CheckAndRefresh();
        lab_.Control("missing comments");
        mainWindow->accounting->messageText->setPlainText(u"نگه داشته شود"_s);
        mainWindow->accounting->sendMessage();
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages[0].startsWith(u"Error|"_s));
        QCOMPARE(mainWindow->accounting->messageText->toPlainText(), u"نگه داشته شود"_s);
    }

    void monthBillIsDownloadedAndPreviewed() {
        PromptRecorder prompts;
        CheckAndRefresh();
        mainWindow->accounting->openPanel();
        for (int i = 0; i < 3; ++i) mainWindow->accounting->previousMonth();  // from 1401/08 to 1401/05
        QCOMPARE(mainWindow->accounting->monthField->toolTip(), u"1401-05"_s);
        int pages = 0;
        orv::results::ReportPreview::hook = [&](QPrintPreviewDialog& dialog) {
            auto* widget = dialog.findChild<QPrintPreviewWidget*>();
            pages = widget ? widget->pageCount() : -1;
            dialog.close();
        };
        mainWindow->accounting->fetchMonthBill();
        QCOMPARE(w_.Status(), u"صورت حساب شما با موفقیت دانلود شد "_s);
        QCOMPARE(lab_.CountFtpCommands("RETR /Text Result/12/1401-05.qrp"), 1);
        QVERIFY(pages >= 1);
        const QByteArray saved = [&] {
            QFile f(w_.Root() + u"temp.qrp"_s);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        QVERIFY(saved.startsWith("%PDF"));

        // A month not published: the message, and the earlier bill stays whole.
        pages = 0;
        for (int i = 0; i < 3; ++i) mainWindow->accounting->previousMonth();
        mainWindow->accounting->fetchMonthBill();
        QCOMPARE(w_.Status(), u". اين فايل جهت آزمايشگاه شما آماده نشده.لطفا به حسابداري تماس حاصل کنيد"_s);
        QCOMPARE(pages, 0);
        QFile again(w_.Root() + u"temp.qrp"_s);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), saved);

        // A cut download leaves the earlier file too.
        for (int i = 0; i < 2; ++i) mainWindow->accounting->nextMonth();
        QCOMPARE(mainWindow->accounting->monthField->toolTip(), u"1401-04"_s);
        lab_.Control("drop 1000 1401-04.qrp");
        mainWindow->accounting->fetchMonthBill();
        QCOMPARE(pages, 0);
        QFile third(w_.Root() + u"temp.qrp"_s);
        QVERIFY(third.open(QIODevice::ReadOnly));
        QCOMPARE(third.readAll(), saved);

        // A bill in the reporting program's own format is kept as the month's
        // file and handed to the desktop's program for it, which the status line says.
        lab_.Control("reset");
        QVERIFY(orv::WriteFileAtomically(lab_.ServerFile("Text Result/12/1401-04.qrp"), "not a PDF report"));
        const QString kept = w_.Root() + u"1401-04.qrp"_s;
        for (const bool taken : {true, false}) {
            prompts.Clear();
            prompts.openSucceeds = taken;
            mainWindow->accounting->fetchMonthBill();
            QCOMPARE(pages, 0);
            QCOMPARE(prompts.OpenedFiles(), QStringList{kept});
            QCOMPARE(Bytes(kept.toStdString()), "not a PDF report");
            QVERIFY2(w_.Status().contains(u"1401-04.qrp"_s), qPrintable(w_.Status()));
            QVERIFY(!w_.Status().contains(u"قابل نمایش نیست"_s));
        }
        orv::results::ReportPreview::hook = nullptr;
    }

    void updateIndicatorAndDownload() {
        PromptRecorder prompts;
        QTemporaryDir desk;
        signInWindow->desktopFolder = desk.path();
        CheckAndRefresh();
        mainWindow->update->onIndicatorDoubleClicked();
        QCOMPARE(w_.Status(), u". برنامه به روز است و نیازی به آپدیت نمیباشد"_s);
        QVERIFY(QDir(desk.path()).isEmpty());
    }

    void newerVersionIsSavedOnTheDesktop() {
        PromptRecorder prompts;
        QTemporaryDir desk;
        signInWindow->desktopFolder = desk.path();
        std::vector<std::string> bill = originalBill_;
        bill[1] = " 22.5 ";
        WriteServerBill(lab_, bill);
        CheckAndRefresh();
        QVERIFY(!mainWindow->update->programCurrent);
        QCOMPARE(mainWindow->upToDateIndicator->pixmap().toImage(), mainWindow->failurePicture->pixmap().toImage());
        // A download cut short leaves nothing on the Desktop.
        lab_.Control("drop 1000 orvanet.exe");
        QTest::mouseDClick(mainWindow->upToDateIndicator, Qt::LeftButton);
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kInterrupted));  // not the Desktop's fault
        QVERIFY(QDir(desk.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
        lab_.Control("reset");
        QTest::mouseDClick(mainWindow->upToDateIndicator, Qt::LeftButton);
        // Here the program is downloaded, not installed: the status line names the file.
        QCOMPARE(w_.Status(), u". نسخه جديد نرم افزار در دسکتاپ شما دانلود شد: OrvanetVer 22.5.exe"_s);
        QCOMPARE(QDir(desk.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        QCOMPARE(Bytes(desk.path().toStdString() + "/OrvanetVer 22.5.exe"), Bytes(lab_.ServerFile("Orvanet.exe")));
    }

    // A version published during the run turns the indicator to failure, and the
    // double click then downloads it.
    void versionPublishedDuringTheRunIsOfferedAgain() {
        PromptRecorder prompts;
        QTemporaryDir desk;
        signInWindow->desktopFolder = desk.path();
        CheckAndRefresh();
        QVERIFY(mainWindow->update->programCurrent);
        std::vector<std::string> bill = originalBill_;
        bill[1] = "22.5";
        WriteServerBill(lab_, bill);
        CheckAndRefresh();
        QVERIFY(!mainWindow->update->programCurrent);
        QCOMPARE(mainWindow->upToDateIndicator->pixmap().toImage(), mainWindow->failurePicture->pixmap().toImage());
        mainWindow->update->onIndicatorDoubleClicked();
        QVERIFY(QFile::exists(desk.path() + u"/OrvanetVer 22.5.exe"_s));
    }

    // The Desktop is the folder the desktop names (user-dirs.dirs), made when missing.
    void updateGoesToTheDesktopTheDesktopNames() {
        PromptRecorder prompts;
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (home.path() + u"/.config"_s).toUtf8());
        QDir().mkpath(home.path() + u"/.config"_s);
        QVERIFY(orv::WriteTextFile(home.path().toStdString() + "/.config/user-dirs.dirs",
                                   {"XDG_DESKTOP_DIR=\"$HOME/Miz kar\""}));
        signInWindow->settleWorkspace();
        const QString desktop = home.path() + u"/Miz kar"_s;
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        QCOMPARE(signInWindow->desktopFolder, desktop);
        QVERIFY(!QFileInfo::exists(desktop));
        std::vector<std::string> bill = originalBill_;
        bill[1] = "22.5";
        WriteServerBill(lab_, bill);
        CheckAndRefresh();
        mainWindow->update->onIndicatorDoubleClicked();
        QCOMPARE(Bytes(desktop.toStdString() + "/OrvanetVer 22.5.exe"), Bytes(lab_.ServerFile("Orvanet.exe")));
        QVERIFY(w_.Status().contains(u"OrvanetVer 22.5.exe"_s));
    }

    void lowerPublishedVersionCountsAsCurrent() {
        std::vector<std::string> bill = originalBill_;
        bill[1] = "21.9";
        WriteServerBill(lab_, bill);
        CheckAndRefresh();
        QVERIFY(mainWindow->update->programCurrent);
        QCOMPARE(mainWindow->upToDateIndicator->pixmap().toImage(), mainWindow->successPicture->pixmap().toImage());
    }

    void beforeAnyRefreshTheDoubleClickDownloads() {
        PromptRecorder prompts;
        QTemporaryDir desk;
        signInWindow->desktopFolder = desk.path();
        mainWindow->checkServer();
        mainWindow->CloseSession();  // as the refresh would, had it run
        QVERIFY(!mainWindow->update->programCurrent);
        mainWindow->update->onIndicatorDoubleClicked();
        QCOMPARE(Bytes(desk.path().toStdString() + "/OrvanetVer .exe"), Bytes(lab_.ServerFile("Orvanet.exe")));
    }

    void unsafeVersionNameIsRefused() {
        PromptRecorder prompts;
        QTemporaryDir desk;
        signInWindow->desktopFolder = desk.path() + u"/inner"_s;
        QDir().mkpath(signInWindow->desktopFolder);
        CheckAndRefresh();
        mainWindow->update->programCurrent = false;
        for (const char* version : {"1/../../x", "..", "a\\b"}) {
            std::vector<std::string> bill = originalBill_;
            bill[1] = version;
            QStringList lines;
            for (const std::string& l : bill) lines << Q(l);
            mainWindow->accounting->billText->setPlainText(lines.join(u'\n'));
            lab_.ClearLogs();
            mainWindow->update->onIndicatorDoubleClicked();
            QVERIFY2(w_.Status().contains(u"معتبر"_s), qPrintable(w_.Status()));
            QCOMPARE(lab_.CountFtpCommands("RETR"), 0);
        }
        QVERIFY(QDir(desk.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
    }
};

QTEST_MAIN(MainWindowAccountingTest)
#include "MainWindowAccountingTest.moc"
