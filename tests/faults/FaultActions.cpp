#include "tests/faults/FaultActions.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QTest>
#include <QToolButton>

#include "app/ui/Tmainform.h"
#include "app/ui/Forms.h"
#include "results/ui/ReportPreview.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"
#include "server/core/ServerMessages.h"
#include "reception/ui/TForm4.h"
#include "solar/widgets/TSolarDatePicker.h"
#include "tests/faults/FaultBench.h"

using namespace Qt::StringLiterals;

namespace orv::test {
namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }
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
                    [](FaultBench&) { mainform->SpeedButton15Click(); },
                    [](FaultBench&) { mainform->SpeedButton2Click(); },
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
                        mainform->SetDateText(u"1401/06/30"_s);
                    },
                    [](FaultBench&) { mainform->SpeedButton16Click(); },
                    "14010630.txt",
                    u"14010630.txt"_s,
                    u"1401/06/30 File Download succesfully."_s,
                    T(msg::kServer),
                    T(msg::kInterrupted),
                    T(". در اين تاريخ نمونه اي از آزمايشگاه شما هنوز ارسال نگرديده"),
                    T(msg::kLocalFile),
                    "Text Result/12/14010630.txt"});

    // The document of patient 2045's "HCV Qualitative" from the day's grid.
    rows.push_back({u"test document"_s,
                    [](FaultBench& b) {
                        b.PutServerCopy(u"14010630.txt"_s, "Text Result/12/14010630.txt");
                        mainform->SetDateText(u"1401/06/30"_s);
                        mainform->SolarDatePicker1Change();  // the day was already chosen: show it again
                        mainform->StringGrid1->setCurrentIndex(mainform->StringGrid1Cells->index(2, 7));
                    },
                    [](FaultBench&) { mainform->N1->trigger(); },
                    "6-hcvql-2045",
                    u"6-HCVQL-2045.pptx"_s,
                    u"PDF File Download succesfully."_s,
                    T(msg::kServer),
                    T(msg::kInterrupted),
                    T(". جواب اين آزمايش هنوز آماده نميباشد"),
                    T(msg::kLocalFile),
                    "PCR/6-HCVQL-2045.pptx"});
    // The worklist export ("today.txt" up to the laboratory's Res folder). The
    // laboratory's drop and stall faults act on downloads only, so an upload passes them.
    rows.push_back({u"worklist export"_s,
                    [](FaultBench& b) {
                        b.Put(u"today.txt"_s, "1\t\xe3\xcd\xe3\xcf\t34\tFBS\r\n");
                        Form4->SolarDatePicker1->setText(u"1401/06/30"_s);
                    },
                    [](FaultBench&) { mainform->SpeedButton21Click(); },
                    "res/14010630",
                    {},
                    u"1401/06/30 File Export succesfully."_s,
                    T(msg::kServer),
                    {},
                    T(". ارسال لیست امروز به سرور آزمایشگاه تاروینا انجام نشد. لطفا دوباره سعی کنید"),
                    {},
                    {}});

    // The itemised bill of 1401/05 into "temp.qrp", previewed (the preview closes at once).
    rows.push_back({u"month bill"_s,
                    [](FaultBench& b) {
                        b.Put(u"temp.qrp"_s, "earlier bill\r\n");
                        orv::results::ReportPreview::hook = [](QPrintPreviewDialog& d) { d.close(); };
                        mainform->SolarDatePicker2->setText(u"1401/04/15"_s);
                        mainform->SpinButton1UpClick();
                        QCOMPARE(mainform->Edit3->toolTip(), u"1401-05"_s);
                    },
                    [](FaultBench&) { mainform->SpeedButton17Click(); },
                    "1401-05.qrp",
                    u"temp.qrp"_s,
                    T("صورت حساب شما با موفقیت دانلود شد "),
                    T(msg::kServer),
                    T(msg::kInterrupted),
                    T(". اين فايل جهت آزمايشگاه شما آماده نشده.لطفا به حسابداري تماس حاصل کنيد"),
                    T(msg::kLocalFile),
                    "Text Result/12/1401-05.qrp"});

    // A file of the "Download Files" list, double-clicked, with an earlier copy in the workspace.
    rows.push_back({u"listed file"_s,
                    [](FaultBench& b) {
                        b.Put(u"Working hours.txt"_s, "old copy\r\n");
                        if (!mainform->SpeedButton8->isChecked()) mainform->SpeedButton8->click();
                        QVERIFY(mainform->SpeedButton8->isChecked());
                        const auto found = mainform->ListBox1->findItems(u"Working hours.txt"_s, Qt::MatchExactly);
                        QCOMPARE(found.size(), 1);
                        mainform->ListBox1->setCurrentItem(found[0]);
                    },
                    [](FaultBench&) { mainform->ListBox1DblClick(); },
                    "working hours",
                    u"Working hours.txt"_s,
                    u"Working hours.txt Download succesfully."_s,
                    T(msg::kServer),
                    u"Working hours.txt Download failed."_s,
                    u"Working hours.txt Download failed."_s,
                    T(msg::kLocalFile),
                    "Help Files/Working hours.txt"});

    // The recommendation flag clicked, with the last recommendation read already counted.
    rows.push_back({u"recommendation"_s,
                    [](FaultBench& b) {
                        b.Put(u"LastRecommendation.rtf"_s, "{\\rtf1 earlier}\r\n");
                        mainform->RecordRecommendationRead();
                        mainform->RaiseRecommendationFlag();
                    },
                    [](FaultBench&) { mainform->Label16Click(); },
                    "lastrecommendation.rtf",
                    u"LastRecommendation.rtf"_s,
                    u"Last Recommendation File Download succesfully."_s,
                    T(msg::kServer),
                    u"Last Recommendation File Download failed."_s,
                    u"Last Recommendation File Download failed."_s,
                    T(msg::kLocalFile),
                    "Help Files/LastRecommendation.rtf"});

    // "Show Laws": the payment rules; a shown rules file leaves the status line clear.
    rows.push_back({u"payment rules"_s,
                    [](FaultBench& b) { b.Put(u"paymentlaw.rtf"_s, "{\\rtf1 earlier rules}\r\n"); },
                    [](FaultBench&) { mainform->Label4Click(); },
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
    // The laboratory's drop and stall faults act on downloads only, so the upload passes them.
    rows.push_back({u"payment marker"_s,
                    [](FaultBench&) {
                        mainform->SpeedButton1Click();  // the debt calculated
                        QVERIFY(!mainform->nodata);
                    },
                    [](FaultBench&) { mainform->SpeedButton10Click(); },
                    "pay/may/",
                    {},
                    T(".لطفا کمی صبر کنید"),
                    T(msg::kServer),
                    {},
                    T(msg::kServer),
                    {},
                    {}});

    // "Download Files": the help folder's listing shown (a shown list leaves the status line clear).
    // The laboratory's file faults act on files, not on a folder's listing, so it passes them.
    rows.push_back({u"folder list"_s,
                    [](FaultBench&) { mainform->SpeedButton8->setChecked(false); },
                    [](FaultBench&) {
                        mainform->SpeedButton8->click();
                        QCOMPARE(mainform->SpeedButton8->isChecked(), mainform->Label6->text().isEmpty());
                    },
                    "help files",
                    {},
                    {},
                    T(msg::kServer),
                    {},
                    {},
                    {},
                    {}});
    return rows;
}

}  // namespace orv::test
