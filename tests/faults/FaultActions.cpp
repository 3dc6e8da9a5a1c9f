#include "tests/faults/FaultActions.h"

#include <QAction>
#include <QLabel>

#include "app/ui/Tmainform.h"
#include "app/ui/Forms.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"
#include "server/core/ServerMessages.h"
#include "reception/ui/TForm4.h"
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
    return rows;
}

}  // namespace orv::test
