#include "tests/faults/FaultActions.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/ui/Forms.h"
#include "accounting/ui/AccountingPanel.h"
#include "accounting/ui/ProgramUpdate.h"
#include "app/ui/MainWindow.h"
#include "base/core/AtomicFile.h"
#include "server/ui/ReferenceDocuments.h"
#include "server/ui/TestsInfoWindow.h"
#include "reception/ui/ReceptionLauncher.h"
#include "reception/ui/ReceptionWindow.h"
#include "results/ui/ReportPreview.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"
#include "server/core/ServerMessages.h"
#include "solar/widgets/TSolarDatePicker.h"
#include "tests/faults/FaultBench.h"

using namespace Qt::StringLiterals;

namespace orv::test {
namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }

// An upload into a place the server has not got: a refusal, in the server's words.
const QString kUploadRefused = QString::fromStdString(msg::Refused("550 No such file or directory."));

// The day 1401/06/30 in the grid with patient 2045's "HCV Qualitative" cell current.
void ChooseTestCell(FaultBench& b) {
    b.PutServerCopy(u"14010630.txt"_s, "Text Result/12/14010630.txt");
    mainWindow->results->setDateText(u"1401/06/30"_s);
    mainWindow->results->showDay();  // the day was already chosen: show it again
    mainWindow->results->resultGrid->setCurrentIndex(mainWindow->results->resultModel->index(2, 7));
}

// The tests-information window opens modally: once it has settled (its document
// loaded, or asked for and fetched), `then` runs (the user's "Update", say) and it is closed.
void WhenTestsWindowSettles(std::function<void()> then) {
    auto* poll = new QTimer(mainWindow);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, then] {
        // Settled: shown, its first look done (the hourglass goes when the document is loaded), nothing running.
        if (!testsInfoWindow->isVisible() || testsInfoWindow->loadTimer->isActive() || mainWindow->ServerBusy() ||
            QApplication::overrideCursor())
            return;
        poll->stop();
        if (then) then();
        testsInfoWindow->close();
        poll->deleteLater();
    });
    poll->start(50);
}

constexpr const char* kExportFailed = ". ارسال لیست امروز به سرور آزمایشگاه تاروینا انجام نشد. لطفا دوباره سعی کنید";

// The message row's earlier message of the day on the server, under the name the sending tries first.
const std::string kEarlierMessage = "Text Result/12/comments/12-1401-06-30-40.txt";
}  // namespace

std::vector<FaultAction> Actions() {
    std::vector<FaultAction> rows;

    // The start-up check with the account refresh that closes its session.
    rows.push_back({u"server check"_s,
                    [](FaultBench&) {},
                    [](FaultBench& b) { b.StartUp(); },
                    "no-such-file",
                    {},
                    u"Succese."_s,
                    T(msg::kServer),
                    {},
                    {},
                    {},
                    {}});

    // The account refresh through the session the check left open.
    rows.push_back({u"account refresh"_s,
                    [](FaultBench&) { mainWindow->checkServer(); },
                    [](FaultBench&) { mainWindow->accounting->refreshAccount(); },
                    "bill.txt",
                    {},
                    u"Succese."_s,
                    {},
                    T(msg::kServer),
                    T(msg::kServer),
                    {},
                    {}});

    // "Receive and Update Report" for 1401/06/30, with an earlier copy of the day in the workspace.
    rows.push_back({u"day result"_s,
                    [](FaultBench& b) {
                        b.Put(u"14010630.txt"_s, "earlier copy\r\n");
                        mainWindow->results->setDateText(u"1401/06/30"_s);
                    },
                    [](FaultBench&) { mainWindow->results->receiveAndUpdate(); }, "14010630.txt", u"14010630.txt"_s,
                    u"1401/06/30 File Download succesfully."_s, T(msg::kServer), T(msg::kInterrupted),
                    T(". در اين تاريخ نمونه اي از آزمايشگاه شما هنوز ارسال نگرديده"), T(msg::kLocalFile),
                    "Text Result/12/14010630.txt"});

    // The document of patient 2045's "HCV Qualitative" from the day's grid.
    rows.push_back({u"test document"_s, ChooseTestCell, [](FaultBench&) { mainWindow->results->testDocumentAction->trigger(); }, "6-hcvql-2045",
                    u"6-HCVQL-2045.pptx"_s, u"PDF File Download succesfully."_s, T(msg::kServer), T(msg::kInterrupted),
                    T(". جواب اين آزمايش هنوز آماده نميباشد"), T(msg::kLocalFile), "PCR/6-HCVQL-2045.pptx"});
    // The worklist export ("today.txt" up to the laboratory's Res folder): the
    // data faults cut the upload.
    FaultAction worklist{u"worklist export"_s,
                         [](FaultBench& b) {
                             b.Put(u"today.txt"_s, "1\t\xe3\xcd\xe3\xcf\t34\tFBS\r\n");
                             receptionWindow->exportDatePicker->setText(u"1401/06/30"_s);
                         },
                         [](FaultBench&) { mainWindow->reception->exportWorklist(); },
                         "res/14010630",
                         {},
                         u"1401/06/30 File Export succesfully."_s,
                         T(msg::kServer),
                         T(kExportFailed),
                         kUploadRefused,
                         {},
                         {}};
    worklist.box = u"Attention"_s;
    worklist.boxTellsSuccess = true;
    rows.push_back(worklist);

    // The itemised bill of 1401/05 into "temp.qrp", previewed (the preview closes at once).
    rows.push_back({u"month bill"_s,
                    [](FaultBench& b) {
                        b.Put(u"temp.qrp"_s, "earlier bill\r\n");
                        orv::results::ReportPreview::hook = [](QPrintPreviewDialog& d) { d.close(); };
                        mainWindow->accounting->monthDate->setText(u"1401/04/15"_s);
                        mainWindow->accounting->nextMonth();
                        QCOMPARE(mainWindow->accounting->monthField->toolTip(), u"1401-05"_s);
                    },
                    [](FaultBench&) { mainWindow->accounting->fetchMonthBill(); }, "1401-05.qrp", u"temp.qrp"_s,
                    T("صورت حساب شما با موفقیت دانلود شد "), T(msg::kServer), T(msg::kInterrupted),
                    T(". اين فايل جهت آزمايشگاه شما آماده نشده.لطفا به حسابداري تماس حاصل کنيد"), T(msg::kLocalFile),
                    "Text Result/12/1401-05.qrp"});

    // A file of the "Download Files" list, double-clicked, with an earlier copy in the workspace.
    rows.push_back({u"listed file"_s,
                    [](FaultBench& b) {
                        b.Put(u"Working hours.txt"_s, "old copy\r\n");
                        if (!mainWindow->reference->downloadFilesButton->isChecked()) mainWindow->reference->downloadFilesButton->click();
                        QVERIFY(mainWindow->reference->downloadFilesButton->isChecked());
                        const auto found = mainWindow->reference->folderList->findItems(u"Working hours.txt"_s, Qt::MatchExactly);
                        QCOMPARE(found.size(), 1);
                        mainWindow->reference->folderList->setCurrentItem(found[0]);
                    },
                    [](FaultBench&) { mainWindow->reference->openHelpFile(); }, "working hours", u"Working hours.txt"_s,
                    u"Working hours.txt Download succesfully."_s, T(msg::kServer),
                    u"Working hours.txt Download failed."_s, u"Working hours.txt Download failed."_s,
                    T(msg::kLocalFile), "Help Files/Working hours.txt"});

    // The recommendation flag clicked, with the last recommendation read already counted.
    rows.push_back({u"recommendation"_s,
                    [](FaultBench& b) {
                        b.Put(u"LastRecommendation.rtf"_s, "{\\rtf1 earlier}\r\n");
                        mainWindow->reference->recordRecommendationRead();
                        mainWindow->reference->raiseRecommendationFlag();
                    },
                    [](FaultBench&) { mainWindow->reference->openRecommendation(); }, "lastrecommendation.rtf",
                    u"LastRecommendation.rtf"_s, u"Last Recommendation File Download succesfully."_s, T(msg::kServer),
                    u"Last Recommendation File Download failed."_s, u"Last Recommendation File Download failed."_s,
                    T(msg::kLocalFile), "Help Files/LastRecommendation.rtf"});

    // "Show Laws": the payment rules; a shown rules file leaves the status line clear.
    rows.push_back({u"payment rules"_s,
                    [](FaultBench& b) { b.Put(u"paymentlaw.rtf"_s, "{\\rtf1 earlier rules}\r\n"); },
                    [](FaultBench&) { mainWindow->reference->showPaymentRules(); },
                    "paymentlaw.rtf",
                    u"paymentlaw.rtf"_s,
                    {},
                    T(msg::kServer),
                    T(msg::kInterrupted),
                    u"File not exist"_s,
                    T(msg::kLocalFile),
                    "Text Result/PaymentLaw.rtf",
                    true});

    // "Pay": the empty payment marker up to "pay/may", then the payment page.
    // The marker is empty, so no data fault can cut it.
    rows.push_back({u"payment marker"_s,
                    [](FaultBench&) {
                        mainWindow->accounting->openPanel();  // the debt calculated
                        QVERIFY(!mainWindow->accounting->noUnpaidMonth);
                    },
                    [](FaultBench&) { mainWindow->accounting->requestPayment(); },
                    "pay/may/",
                    {},
                    T(".لطفا کمی صبر کنید"),
                    T(msg::kServer),
                    {},
                    kUploadRefused,
                    {},
                    {}});

    // "Download Files": the help folder's listing shown (a shown list leaves the status line clear).
    // The laboratory's file faults act on files, not on a folder's listing, so it passes them.
    rows.push_back({u"folder list"_s,
                    [](FaultBench&) { mainWindow->reference->downloadFilesButton->setChecked(false); },
                    [](FaultBench&) {
                        mainWindow->reference->downloadFilesButton->click();
                        QCOMPARE(mainWindow->reference->downloadFilesButton->isChecked(), mainWindow->statusLine->text().isEmpty());
                    },
                    "help files",
                    {},
                    {},
                    T(msg::kServer),
                    {},
                    {},
                    {},
                    {}});

    // The program update: a newer version published, the indicator double-clicked,
    // the program saved on the Desktop.
    {
        FaultAction update{u"program update"_s,
                           [](FaultBench&) {
                               QStringList bill = mainWindow->accounting->billText->toPlainText().split(u'\n');
                               QVERIFY(bill.size() > 2);
                               bill[1] = u"22.5"_s;
                               mainWindow->accounting->billText->setPlainText(bill.join(u'\n'));
                               mainWindow->update->programCurrent = false;
                           },
                           [](FaultBench&) { mainWindow->update->onIndicatorDoubleClicked(); },
                           "orvanet.exe",
                           u"Desktop/OrvanetVer 22.5.exe"_s,
                           T(". نسخه جديد نرم افزار در دسکتاپ شما دانلود شد: OrvanetVer 22.5.exe"),
                           T(msg::kServer),
                           T(msg::kInterrupted),
                           T(". نسخه جدید برنامه هنوز بر روی سرور تاروینا قرار نگرفته است"),
                           T("مشکلی برای ذخیره برنامه بر روی دسکتاپ وجود دارد"),
                           "Orvanet.exe"};
        rows.push_back(update);
    }

    // A message to the laboratory, whose first name is taken by an earlier message:
    // the names are looked at in the folder's listing and by SIZE and MDTM, and
    // the data faults cut the message's upload under the next name. A failed
    // sending is told in an "Error" box; the earlier message is never written over.
    {
        FaultAction message{
            u"message"_s,
            [](FaultBench& b) {
                QDir(QString::fromStdString(b.lab.ServerFile("Text Result/12/comments"))).removeRecursively();
                QDir().mkpath(QString::fromStdString(b.lab.ServerFile("Text Result/12/comments")));
                QVERIFY(WriteFileAtomically(b.lab.ServerFile(kEarlierMessage), "an earlier message"));
                mainWindow->accounting->messageNumber = [] { return 40; };
                mainWindow->accounting->messageText->setPlainText(u"سلام، لطفا تست جدید اضافه شود"_s);
            },
            [](FaultBench& b) {
                mainWindow->accounting->sendMessage();
                QCOMPARE(b.Served(kEarlierMessage), std::string("an earlier message"));
            },
            "comments/",
            {},
            T("پیغام شما با موفقیت ارسال گردید"),
            T(msg::kServer),
            T(". پیغام شما ارسال نشد، لطفا دوباره سعی کنید"),
            kUploadRefused,
            std::nullopt,
            {}};
        message.box = u"Error"_s;
        rows.push_back(message);
    }

    // Normal values from the grid's menu with no local copy: the window asks, and fetches it.
    {
        FaultAction normal{u"normal values"_s,
                           ChooseTestCell,
                           [](FaultBench&) {
                               WhenTestsWindowSettles({});
                               mainWindow->results->normalValuesAction->trigger();
                           },
                           "lastnormalvalue.rtf",
                           u"LastNormalValue.rtf"_s,
                           {},  // the document shown, the search for the test clears the status line
                           T(msg::kServer),
                           u"LastNormalValue.rtf Download failed."_s,
                           u"LastNormalValue.rtf Download failed."_s,
                           T(msg::kLocalFile),
                           "Help Files/LastNormalValue.rtf"};
        normal.asks = 1;
        rows.push_back(normal);
    }

    // Test prices with an earlier copy shown, then the window's "Update".
    rows.push_back({u"test prices update"_s,
                    [](FaultBench& b) {
                        ChooseTestCell(b);
                        // An earlier list, in which the chosen test is found too.
                        b.Put(u"LastPriceOfTests.txt"_s,
                              "earlier prices\r\n" + b.Served("Help Files/LastPriceOfTests.txt"));
                    },
                    [](FaultBench&) {
                        WhenTestsWindowSettles([] { testsInfoWindow->updateDocument(); });
                        mainWindow->results->testPriceAction->trigger();
                    },
                    "lastpriceoftests.txt",
                    u"LastPriceOfTests.txt"_s,
                    {},  // the document shown, the search for the test clears the status line
                    T(msg::kServer),
                    u"LastPriceOfTests.txt Download failed."_s,
                    u"LastPriceOfTests.txt Download failed."_s,
                    T(msg::kLocalFile),
                    "Help Files/LastPriceOfTests.txt"});
    return rows;
}

}  // namespace orv::test
