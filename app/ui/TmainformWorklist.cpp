// The worklist export: the reception window's "today.txt", as saved, into the
// laboratory's "Res" folder on the server under the export date.
#include <QLabel>

#include "app/ui/Tmainform.h"
#include "app/ui/Forms.h"
#include "base/ui/Prompts.h"
#include "reception/core/WorklistFiles.h"
#include "reception/ui/TForm4.h"
#include "solar/widgets/TSolarDatePicker.h"

namespace {

const QString kExportFailed = QString::fromUtf8(orv::reception::kExportFailed);
const QString kNoExportDate = QStringLiteral(". تاریخ امروز هنوز از سرور زمان دریافت نشده است");

}  // namespace

void Tmainform::BuildReception() {
    // The way into the reception window.
    SpeedButton20->setEnabled(true);
    connect(SpeedButton21, &QToolButton::clicked, this, &Tmainform::SpeedButton21Click);
}

void Tmainform::SpeedButton21Click() {
    const QString date = Form4 ? Form4->SolarDatePicker1->GetRawDate() : QString();
    const QString remote = QString::fromStdString(orv::reception::ExportRemotePath(pooshe.toStdString(), date.toStdString()));
    orv::ServerAction a = orv::ServerAction::Upload(WorkspaceRoot() + QString::fromLatin1(orv::reception::kTodayFile), remote);
    a.resetGauge = true;
    a.testBillok = true;
    a.max = orv::reception::kExportGaugeMax;
    a.failureText = kExportFailed;
    a.successText = State().shownDay + QStringLiteral(" File Export succesfully.");
    if (netok && billok && date.size() != 8) {
        // Without the export date the file would get no name on the server.
        Flash(kNoExportDate);
        orv::ui::MessageBox(this, QStringLiteral("Attention"), kNoExportDate);
        return;
    }
    switch (RunServerAction(a)) {
        case orv::ActionResult::Done:
            orv::ui::MessageBox(this, QStringLiteral("Attention"), QStringLiteral(" File of Today WorkList, Export succesfully"),
                                QMessageBox::Ok, QMessageBox::Information);
            break;
        case orv::ActionResult::TransferFailed:
            // What the status line says: a refusal is not worth trying again.
            orv::ui::MessageBox(this, QStringLiteral("Attention"), Label6->text());
            break;
        default:
            break;
    }
}
