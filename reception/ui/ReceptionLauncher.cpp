#include "reception/ui/ReceptionLauncher.h"

#include <QMessageBox>
#include <QToolButton>

#include "base/ui/Controls.h"
#include "base/ui/Prompts.h"
#include "reception/core/WorklistFiles.h"
#include "reception/ui/ReceptionWindow.h"
#include "server/ui/ServerAction.h"
#include "server/ui/WindowFrame.h"
#include "solar/widgets/TSolarDatePicker.h"

namespace orv::reception {

namespace {

const QString kExportFailedText = QString::fromUtf8(kExportFailed);
const QString kNoExportDate = QStringLiteral(". تاریخ امروز هنوز از سرور زمان دریافت نشده است");

}  // namespace

ReceptionLauncher::ReceptionLauncher(orv::ui::WindowFrame& frame, QObject* parent) : QObject(parent), frame_(frame) {
    QWidget* canvas = frame.Canvas();
    receptionButton = orv::ui::Button(canvas, "SpeedButton20", "Reception", QRect(729, 222, 86, 26), "پذیرش بیماران");
    frame.Anchor(receptionButton, orv::ui::WindowFrame::kTop | orv::ui::WindowFrame::kRight);
    exportButton = orv::ui::Button(canvas, "SpeedButton21", "export", QRect(0, 0, 10, 10));
    exportButton->hide();
    connect(receptionButton, &QToolButton::clicked, this, &ReceptionLauncher::showReceptionWindow);
    connect(exportButton, &QToolButton::clicked, this, &ReceptionLauncher::exportWorklist);
}

void ReceptionLauncher::SetWindow(ReceptionWindow* window) {
    if (window_) disconnect(window_, nullptr, this, nullptr);
    window_ = window;
    if (window_) connect(window_, &ReceptionWindow::exportRequested, this, &ReceptionLauncher::exportWorklist);
}

void ReceptionLauncher::showReceptionWindow() {
    if (window_) window_->ShowBeside(frame_.Canvas());
}

void ReceptionLauncher::exportWorklist() {
    const orv::ui::SessionState& state = frame_.State();
    QWidget* parent = frame_.Canvas();
    const QString date = window_ ? window_->exportDatePicker->GetRawDate() : QString();
    const QString remote =
        QString::fromStdString(ExportRemotePath(state.labFolderCode.toStdString(), date.toStdString()));
    orv::ServerAction a = orv::ServerAction::Upload(frame_.WorkspaceRoot() + QString::fromLatin1(kTodayFile), remote);
    a.resetGauge = true;
    a.testBillok = true;
    a.max = kExportGaugeMax;
    a.failureText = kExportFailedText;
    a.successText = state.shownDay + QStringLiteral(" File Export succesfully.");
    if (state.networkOk && state.accountOk && date.size() != 8) {
        // Without the export date the file would get no name on the server.
        frame_.Flash(kNoExportDate);
        orv::ui::MessageBox(parent, QStringLiteral("Attention"), kNoExportDate);
        return;
    }
    switch (frame_.RunServerAction(a)) {
        case orv::ActionResult::Done:
            orv::ui::MessageBox(parent, QStringLiteral("Attention"),
                                QStringLiteral(" File of Today WorkList, Export succesfully"), QMessageBox::Ok,
                                QMessageBox::Information);
            break;
        case orv::ActionResult::TransferFailed:
            // What the status line says: a refusal is not worth trying again.
            orv::ui::MessageBox(parent, QStringLiteral("Attention"), frame_.StatusText());
            break;
        default:
            break;
    }
}

}  // namespace orv::reception
