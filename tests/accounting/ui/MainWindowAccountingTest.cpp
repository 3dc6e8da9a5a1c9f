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
        mainform->SpeedButton15Click();
        QVERIFY(mainform->netok && mainform->farok);
        mainform->accounting->refreshAccount();
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
        mainform->netok = mainform->farok = false;
        lab_.ClearLogs();
    }
    void cleanup() { w_.Close(); }

    void refreshReadsTheBillAndLeavesTheGateOpen() {
        CheckAndRefresh();
        const acc::Account expected = Expected(lab_);
        QCOMPARE(w_.Status(), u"Succese."_s);
        QCOMPARE(mainform->cap, u"   "_s);
        QCOMPARE(mainform->accounting->labNameLabel->text(), u"آزمايشگاه نمونه مرکزي"_s);
        QCOMPARE(StdLines(mainform->accounting->BillLines()), ServerBill(lab_));
        QVERIFY(mainform->billok);
        QVERIFY(mainform->block);
        QCOMPARE(mainform->accounting->overdueLimitDays, 90);
        QCOMPARE(mainform->accounting->firstUnpaidMonth, u"1401/05"_s);
        QCOMPARE(mainform->accounting->debtGauge->value(), 30);  // 29 days from 1401/06/01, plus 1
        QCOMPARE(mainform->accounting->debtGauge->value(), expected.gauge);
        QVERIFY(mainform->Timer3->isActive());
        // Version 22.00 as published: current.
        QVERIFY(mainform->update->programCurrent);
        QCOMPARE(mainform->Image6->pixmap().toImage(), mainform->Image2->pixmap().toImage());
        // Notice counter 18 over the 17 of check.txt: the flag goes up.
        QCOMPARE(mainform->reference->recommendationFlag->text(), u"New Massage.Plz Click here"_s);
        QCOMPARE(mainform->reference->recommendationFlag->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(mainform->reference->flagBlink->isActive());
        QCOMPARE(lab_.CountFtpCommands("RETR /Text Result/12/bill.txt"), 1);
    }

    void overdueBillClosesTheGateForTheResultDownload() {
        overdueLab_.WriteSettings(w_.RootStd());
        CheckAndRefresh();
        QCOMPARE(w_.Status(), u". اخطار پرداخت صورت حساب"_s);
        QCOMPARE(mainform->cap, u" اخطار پرداخت صورت حساب"_s);
        QVERIFY(!mainform->billok);
        QCOMPARE(mainform->accounting->debtGauge->value(), 120);
        mainform->results->setDateText(u"1401/06/30"_s);
        mainform->results->receiveAndUpdate();
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kAccountingLock));
        QVERIFY(!QFile::exists(w_.Root() + u"14010630.txt"_s));
    }

    void unreadableLineKeepsThePreviousBillAndTheRefreshTimer() {
        CheckAndRefresh();
        const std::vector<std::string> good = StdLines(mainform->accounting->BillLines());
        std::vector<std::string> bad = originalBill_;
        bad[3] = "1/2";
        bad[0] = "another name";
        WriteServerBill(lab_, bad);
        mainform->Timer3->stop();
        CheckAndRefresh();
        QVERIFY2(w_.Status().contains(u"line 4"_s), qPrintable(w_.Status()));
        QVERIFY(w_.Status().contains(u"1/2"_s));
        QCOMPARE(StdLines(mainform->accounting->BillLines()), good);
        QCOMPARE(mainform->accounting->labNameLabel->text(), u"آزمايشگاه نمونه مرکزي"_s);
        QVERIFY(mainform->Timer3->isActive());
    }

    // With no earlier bill to keep, the Accounting button says why it opens nothing.
    void unreadableBillWithoutAnEarlierOneIsNamedByTheAccountingButton() {
        for (const auto& [index, value] : {std::pair{1, "v22"}, std::pair{3, "x1"}}) {
            std::vector<std::string> bad = originalBill_;
            bad[index] = value;
            WriteServerBill(lab_, bad);
            CheckAndRefresh();
            QVERIFY(StdLines(mainform->accounting->BillLines()).empty());
            mainform->Flash(u"something else"_s);
            QTest::mouseClick(mainform->accounting->accountingButton, Qt::LeftButton);
            QVERIFY(!mainform->accounting->isVisible());
            QVERIFY2(w_.Status().contains(u"line %1"_s.arg(index + 1)), qPrintable(w_.Status()));
            QVERIFY(w_.Status().contains(QString::fromUtf8(value)));
        }
    }

    void panelShowsTheDebtAndDiscounts() {
        PromptRecorder prompts;
        mainform->accounting->openPanel();  // nothing reachable yet: nothing opens
        QVERIFY(!mainform->accounting->isVisible());
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kNetworkRefresh));
        mainform->netok = true;  // the server alone is down
        mainform->accounting->openPanel();
        QVERIFY(!mainform->accounting->isVisible());
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kServer));
        mainform->netok = false;
        CheckAndRefresh();
        mainform->results->setDateText(u"1401/06/30"_s);
        QTest::mouseClick(mainform->accounting->accountingButton, Qt::LeftButton);
        QVERIFY(mainform->accounting->isVisible());
        const acc::Debt expected = Expected(lab_).debt;
        QCOMPARE(mainform->accounting->unpaidMonthsText->toPlainText(), Q(expected.unpaidLines[0] + "\n" + expected.unpaidLines[1]));
        QCOMPARE(mainform->accounting->totalDebtLabel->text(), u" کل بدهی  :          170,000,000  ریال "_s);
        QCOMPARE(mainform->accounting->payableMonthLabel->text(), u" ماه قابل پرداخت  : پرداخت 1 از مرداد ماه  1401"_s);
        QCOMPARE(mainform->accounting->monthAmountLabel->text(), Q(expected.monthAmountText));
        QCOMPARE(mainform->accounting->paymentDiscountLabel->text(), Q(expected.paymentDiscountText));
        QCOMPARE(mainform->accounting->volumeDiscountLabel->text(), Q(expected.volumeDiscountText));
        QCOMPARE(mainform->accounting->amountAfterDiscountsLabel->text(), Q(expected.afterDiscountsText));
        QVERIFY(!mainform->accounting->noUnpaidMonth);
        QCOMPARE(mainform->accounting->paymentRecord, u"1401-05x1401h05x12x303x2x29"_s);
        QCOMPARE(mainform->accounting->amountAfterDiscounts, expected.m);
        // The month chooser starts at the day shown; later steps go from the end of the window.
        QCOMPARE(mainform->accounting->monthField->text(), u"شهريور ماه  1401  "_s);
        QCOMPARE(mainform->accounting->monthField->toolTip(), u"1401-06"_s);
        QTest::mouseClick(mainform->accounting->monthSpin->Up(), Qt::LeftButton);
        QCOMPARE(mainform->accounting->monthField->toolTip(), u"1401-09"_s);
        mainform->accounting->previousMonth();
        QCOMPARE(mainform->accounting->monthField->toolTip(), u"1401-08"_s);
        QTest::mouseClick(mainform->accounting->closeButton, Qt::LeftButton);
        QVERIFY(!mainform->accounting->isVisible());
    }

    void payLeavesTheMarkerAndOpensThePaymentPage() {
        PromptRecorder prompts;
        prompts.openSucceeds = true;
        orv::ui::SetOpenResponder([&](const QUrl& url) {
            prompts.opened << url;
            return Fetch(url);
        });
        CheckAndRefresh();
        mainform->accounting->openPanel();
        mainform->accounting->messageText->setPlainText(u"پیام نیمه کاره"_s);
        lab_.ClearLogs();
        QTest::mouseClick(mainform->accounting->payButton, Qt::LeftButton);
        QVERIFY(!mainform->accounting->payButton->isEnabled());
        QVERIFY(mainform->accounting->payAgainTimer->isActive());
        QVERIFY(mainform->accounting->paymentRequested);
        QVERIFY(!mainform->accounting->isVisible());
        QCOMPARE(mainform->accounting->messageText->toPlainText(), u"پیام نیمه کاره"_s);
        const QString marker = Q(lab_.ServerFile("pay/may/" + mainform->accounting->paymentRecord.toStdString()));
        QVERIFY(QFile::exists(marker));
        QCOMPARE(QFileInfo(marker).size(), 0);
        QCOMPARE(prompts.opened.size(), 1);
        const std::string expectedQuery = "GET /page1.aspx?Lablbl=" + acc::PercentEncode("آزمايشگاه نمونه مرکزي") +
                                          "&Amount=" + std::to_string(mainform->accounting->amountAfterDiscounts) +
                                          "&ResNum=" + mainform->accounting->paymentRecord.toStdString();
        QTRY_VERIFY([&] {
            for (const std::string& r : lab_.Requests())
                if (r.find(expectedQuery) != std::string::npos) return true;
            return false;
        }());
        QCOMPARE(prompts.opened[0].port(), lab_.HttpPort());
        // A second click while the button is off does nothing.
        QTest::mouseClick(mainform->accounting->payButton, Qt::LeftButton);
        QCOMPARE(prompts.opened.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(mainform->accounting->payButton->isEnabled(), 4000);
        // From now on the Accounting button runs the check and the refresh before it calculates.
        lab_.ClearLogs();
        mainform->accounting->openPanel();
        QVERIFY(mainform->accounting->isVisible());
        QCOMPARE(lab_.CountFtpCommands("RETR /Text Result/12/bill.txt"), 1);
    }

    // Pay pressed while another server action runs: the panel stays and the status line says why.
    void payWhileAnotherActionRunsKeepsThePanel() {
        PromptRecorder prompts;
        CheckAndRefresh();
        mainform->accounting->openPanel();
        QVERIFY(mainform->accounting->isVisible());
        lab_.ClearLogs();
        std::atomic<bool> release{false};
        QTimer::singleShot(0, mainform, [&] {
            mainform->accounting->requestPayment();
            release = true;
        });
        mainform->Wait(
            [&] {
                while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            },
            [&] { release = true; });
        QVERIFY(mainform->accounting->isVisible());
        QVERIFY(!mainform->accounting->paymentRequested);
        QVERIFY(prompts.opened.isEmpty());
        QCOMPARE(lab_.CountFtpCommands("STOR"), 0);
        QVERIFY2(w_.Status().contains(u"در حال اجرا"_s), qPrintable(w_.Status()));
        mainform->accounting->requestPayment();  // once the other action has ended, it pays
        QVERIFY(mainform->accounting->paymentRequested);
        QCOMPARE(prompts.opened.size(), 1);
    }

    // Send without the network: the network message, as other actions say it.
    void sendWithoutTheNetworkSaysSo() {
        PromptRecorder prompts;
        CheckAndRefresh();
        mainform->netok = false;
        mainform->accounting->messageText->setPlainText(u"بعدا ارسال شود"_s);
        lab_.ClearLogs();
        mainform->accounting->sendMessage();
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kNetworkRefresh));
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(mainform->accounting->messageText->toPlainText(), u"بعدا ارسال شود"_s);
        QCOMPARE(lab_.CountFtpCommands("STOR"), 0);
    }

    void noNoticeWhenCheckFileSaysZeroAndNoPanelWithoutABill() {
        QVERIFY(orv::WriteTextFile(w_.RootStd() + "check.txt", {"0"}));
        mainform->SpeedButton15Click();
        QVERIFY(mainform->netok && mainform->farok);
        mainform->accounting->openPanel();  // no bill loaded yet
        QVERIFY(!mainform->accounting->isVisible());
        mainform->accounting->refreshAccount();
        QVERIFY(mainform->reference->recommendationFlag->text().isEmpty());
        QVERIFY(!mainform->reference->flagBlink->isActive());
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
            mainform->accounting->openPanel();
            QVERIFY(mainform->accounting->isVisible());
            lab_.ClearLogs();
            mainform->accounting->requestPayment();
            QCOMPARE(w_.Status(), u". هیچ مقداری جهت پرداخت مهیا نمیباشد"_s);
            QVERIFY2(prompts.opened.isEmpty(), amount);
            QCOMPARE(lab_.CountFtpCommands("STOR"), 0);
            QVERIFY(!mainform->accounting->paymentRequested);
            QVERIFY(mainform->accounting->isVisible());
        }
        QVERIFY(mainform->accounting->amountAfterDiscountsLabel->text().startsWith(u"مبلغ پس از تخفیف"_s));  // the figures are still shown
        WriteServerBill(lab_, head);
        CheckAndRefresh();
        mainform->accounting->openPanel();
        QVERIFY(mainform->accounting->noUnpaidMonth);
        QCOMPARE(mainform->accounting->payableMonthLabel->text(), u" هیچ بدهی وجود ندارد "_s);
        const int beeps = prompts.beeps;
        QTest::mouseDClick(mainform->accounting->payButton, Qt::LeftButton);
        QVERIFY(prompts.messages.contains(u"attention|لطفا فقط یکبار کلیک نمایید"_s));
        QCOMPARE(prompts.beeps, beeps + 1);
    }

    void messageLandsInTheCommentsFolder() {
        PromptRecorder prompts;
        CheckAndRefresh();
        mainform->accounting->messageText->setPlainText(u"سلام\nلطفا تست جدید"_s);
        QTest::mouseClick(mainform->accounting->sendButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), u"پیغام شما با موفقیت ارسال گردید"_s);
        QVERIFY(mainform->accounting->messageText->toPlainText().isEmpty());
        QVERIFY(mainform->accounting->lastMessageName.startsWith(u"12-1401-06-30-"_s));
        const std::string path = lab_.ServerFile("Text Result/12/comments/" + mainform->accounting->lastMessageName.toStdString() + ".txt");
        QCOMPARE(Bytes(path), orv::Utf8ToCp1256("سلام\r\nلطفا تست جدید\r\n"));
    }

    void messageNameAlreadyOnTheServerIsPassedOver() {
        PromptRecorder prompts;
        CheckAndRefresh();
        const std::string folder = lab_.ServerFile("Text Result/12/comments/");
        for (int n : {998, 999, 0})
            QVERIFY(orv::WriteFileAtomically(folder + "12-1401-06-30-" + std::to_string(n) + ".txt", "earlier"));
        mainform->accounting->messageNumber = [] { return 998; };
        mainform->accounting->messageText->setPlainText(u"پیام دوم"_s);
        mainform->accounting->sendMessage();
        QCOMPARE(mainform->accounting->lastMessageName, u"12-1401-06-30-1"_s);
        QCOMPARE(Bytes(folder + "12-1401-06-30-1.txt"), orv::Utf8ToCp1256("پیام دوم\r\n"));
        for (int n : {998, 999, 0}) QCOMPARE(Bytes(folder + "12-1401-06-30-" + std::to_string(n) + ".txt"), "earlier");
        // An empty memo sends an empty file.
        mainform->accounting->messageNumber = [] { return 5; };
        mainform->accounting->sendMessage();
        QCOMPARE(mainform->accounting->lastMessageName, u"12-1401-06-30-5"_s);
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
        lab_.Control("drop 5 comments/12-1401-06-30-40");
        mainform->accounting->messageNumber = [] { return 40; };
        mainform->accounting->messageText->setPlainText(u"پیام تازه"_s);
        mainform->accounting->sendMessage();
        QCOMPARE(Bytes(earlier), "an earlier message of the day");
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages[0].startsWith(u"Error|"_s));
        QCOMPARE(mainform->accounting->messageText->toPlainText(), u"پیام تازه"_s);
        QVERIFY(!QFile::exists(Q(folder + "12-1401-06-30-41.txt")));
        lab_.Control("reset");
        mainform->accounting->sendMessage();  // cleared: the next free name takes it
        QCOMPARE(Bytes(folder + "12-1401-06-30-41.txt"), orv::Utf8ToCp1256("پیام تازه\r\n"));
        QCOMPARE(Bytes(earlier), "an earlier message of the day");
        for (int n : {40, 41}) QFile::remove(Q(folder + "12-1401-06-30-" + std::to_string(n) + ".txt"));
    }

    void failedMessageKeepsTheText() {
        PromptRecorder prompts;
        CheckAndRefresh();
        lab_.Control("missing comments");
        mainform->accounting->messageText->setPlainText(u"نگه داشته شود"_s);
        mainform->accounting->sendMessage();
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages[0].startsWith(u"Error|"_s));
        QCOMPARE(mainform->accounting->messageText->toPlainText(), u"نگه داشته شود"_s);
    }

    void monthBillIsDownloadedAndPreviewed() {
        PromptRecorder prompts;
        CheckAndRefresh();
        mainform->accounting->openPanel();
        for (int i = 0; i < 3; ++i) mainform->accounting->previousMonth();  // from 1401/08 to 1401/05
        QCOMPARE(mainform->accounting->monthField->toolTip(), u"1401-05"_s);
        int pages = 0;
        orv::results::ReportPreview::hook = [&](QPrintPreviewDialog& dialog) {
            auto* widget = dialog.findChild<QPrintPreviewWidget*>();
            pages = widget ? widget->pageCount() : -1;
            dialog.close();
        };
        mainform->accounting->fetchMonthBill();
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
        for (int i = 0; i < 3; ++i) mainform->accounting->previousMonth();
        mainform->accounting->fetchMonthBill();
        QCOMPARE(w_.Status(), u". اين فايل جهت آزمايشگاه شما آماده نشده.لطفا به حسابداري تماس حاصل کنيد"_s);
        QCOMPARE(pages, 0);
        QFile again(w_.Root() + u"temp.qrp"_s);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), saved);

        // A cut download leaves the earlier file too.
        for (int i = 0; i < 2; ++i) mainform->accounting->nextMonth();
        QCOMPARE(mainform->accounting->monthField->toolTip(), u"1401-04"_s);
        lab_.Control("drop 1000 1401-04.qrp");
        mainform->accounting->fetchMonthBill();
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
            mainform->accounting->fetchMonthBill();
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
        Form1->desk = desk.path();
        CheckAndRefresh();
        mainform->update->onIndicatorDoubleClicked();
        QCOMPARE(w_.Status(), u". برنامه به روز است و نیازی به آپدیت نمیباشد"_s);
        QVERIFY(QDir(desk.path()).isEmpty());
    }

    void newerVersionIsSavedOnTheDesktop() {
        PromptRecorder prompts;
        QTemporaryDir desk;
        Form1->desk = desk.path();
        std::vector<std::string> bill = originalBill_;
        bill[1] = " 22.5 ";
        WriteServerBill(lab_, bill);
        CheckAndRefresh();
        QVERIFY(!mainform->update->programCurrent);
        QCOMPARE(mainform->Image6->pixmap().toImage(), mainform->Image5->pixmap().toImage());
        // A download cut short leaves nothing on the Desktop.
        lab_.Control("drop 1000 orvanet.exe");
        QTest::mouseDClick(mainform->Image6, Qt::LeftButton);
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kInterrupted));  // not the Desktop's fault
        QVERIFY(QDir(desk.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
        lab_.Control("reset");
        QTest::mouseDClick(mainform->Image6, Qt::LeftButton);
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
        Form1->desk = desk.path();
        CheckAndRefresh();
        QVERIFY(mainform->update->programCurrent);
        std::vector<std::string> bill = originalBill_;
        bill[1] = "22.5";
        WriteServerBill(lab_, bill);
        CheckAndRefresh();
        QVERIFY(!mainform->update->programCurrent);
        QCOMPARE(mainform->Image6->pixmap().toImage(), mainform->Image5->pixmap().toImage());
        mainform->update->onIndicatorDoubleClicked();
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
        Form1->FormCreate();
        const QString desktop = home.path() + u"/Miz kar"_s;
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        QCOMPARE(Form1->desk, desktop);
        QVERIFY(!QFileInfo::exists(desktop));
        std::vector<std::string> bill = originalBill_;
        bill[1] = "22.5";
        WriteServerBill(lab_, bill);
        CheckAndRefresh();
        mainform->update->onIndicatorDoubleClicked();
        QCOMPARE(Bytes(desktop.toStdString() + "/OrvanetVer 22.5.exe"), Bytes(lab_.ServerFile("Orvanet.exe")));
        QVERIFY(w_.Status().contains(u"OrvanetVer 22.5.exe"_s));
    }

    void lowerPublishedVersionCountsAsCurrent() {
        std::vector<std::string> bill = originalBill_;
        bill[1] = "21.9";
        WriteServerBill(lab_, bill);
        CheckAndRefresh();
        QVERIFY(mainform->update->programCurrent);
        QCOMPARE(mainform->Image6->pixmap().toImage(), mainform->Image2->pixmap().toImage());
    }

    void beforeAnyRefreshTheDoubleClickDownloads() {
        PromptRecorder prompts;
        QTemporaryDir desk;
        Form1->desk = desk.path();
        mainform->SpeedButton15Click();
        mainform->CloseSession();  // as the refresh would, had it run
        QVERIFY(!mainform->update->programCurrent);
        mainform->update->onIndicatorDoubleClicked();
        QCOMPARE(Bytes(desk.path().toStdString() + "/OrvanetVer .exe"), Bytes(lab_.ServerFile("Orvanet.exe")));
    }

    void unsafeVersionNameIsRefused() {
        PromptRecorder prompts;
        QTemporaryDir desk;
        Form1->desk = desk.path() + u"/inner"_s;
        QDir().mkpath(Form1->desk);
        CheckAndRefresh();
        mainform->update->programCurrent = false;
        for (const char* version : {"1/../../x", "..", "a\\b"}) {
            std::vector<std::string> bill = originalBill_;
            bill[1] = version;
            QStringList lines;
            for (const std::string& l : bill) lines << Q(l);
            mainform->accounting->billText->setPlainText(lines.join(u'\n'));
            lab_.ClearLogs();
            mainform->update->onIndicatorDoubleClicked();
            QVERIFY2(w_.Status().contains(u"معتبر"_s), qPrintable(w_.Status()));
            QCOMPARE(lab_.CountFtpCommands("RETR"), 0);
        }
        QVERIFY(QDir(desk.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
    }
};

QTEST_MAIN(MainWindowAccountingTest)
#include "MainWindowAccountingTest.moc"
