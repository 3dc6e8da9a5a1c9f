// The standard server action sequence (ServerAction.h), shared by every server action.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "app/ui/MainWindow.h"

#include "base/ui/Prompts.h"
#include "server/core/ServerMessages.h"

namespace {

int GaugeValue(qint64 bytes) { return static_cast<int>(std::clamp<qint64>(bytes, 0, INT_MAX)); }

}  // namespace

void MainWindow::CloseSession() {
    // Off the UI thread: saying goodbye to a server that stopped answering may take a while.
    Wait([this] { ftp->Close(); }, [this] { ftp->Abort(); });
}

QString MainWindow::ServerDownMessage() const {
    return QString::fromUtf8(orv::msg::LastsUntilChecked(serverDown_.failure) ? orv::msg::OpenFailure(serverDown_)
                                                                               : orv::msg::kServer);
}

void MainWindow::NoteOpenFailure(const orv::FtpResult& opened) {
    serverDown_ = opened;
    if (orv::msg::LastsUntilChecked(opened.failure)) MarkServerDown(opened);
}

void MainWindow::MarkServerDown(const orv::FtpResult& why) {
    state_.serverOk = false;
    serverDown_ = why;
    SetPicture(serverIndicator, failurePicture);
    serverIndicator->setToolTip({});
}

orv::ActionResult MainWindow::RunServerAction(const orv::ServerAction& a) {
    using orv::ActionResult;
    if (ServerBusy()) {
        orv::ui::Beep();
        return ActionResult::Refused;
    }
    lastError_.clear();
    lastFailure_ = orv::FtpFailure::None;
    if (a.resetGauge) transferGauge->setValue(0);
    if (a.testNetok && !state_.networkOk) {
        Flash(a.networkForm == orv::NetworkForm::Update ? orv::msg::kNetworkUpdate : orv::msg::kNetworkRefresh);
        NormalCursor();
        return ActionResult::Refused;
    }
    if (a.testFarok && !state_.serverOk) {
        Flash(ServerDownMessage());
        NormalCursor();
        return ActionResult::Refused;
    }
    if (a.testBillok && !state_.accountOk) {
        Flash(orv::msg::kAccountingLock);
        NormalCursor();
        return ActionResult::Refused;
    }
    Hourglass();
    ShowWait();
    // An action meant for the session a check left open opens its own when there is none.
    if ((a.openSession || !ftp->IsOpen()) && state_.networkOk) {
        ConfigureSession();
        orv::FtpResult opened;
        Wait([&] { opened = ftp->Open(); }, [this] { ftp->Abort(); });
        if (!opened) {
            lastError_ = QString::fromStdString(opened.error);
            lastFailure_ = opened.failure;
            NoteOpenFailure(opened);
            Flash(orv::msg::OpenFailure(opened));
            NormalCursor();
            return ActionResult::OpenFailed;
        }
        ShowSecurity();
    }
    transferSize = a.max;
    transferSource = a.source;
    transferDest = a.dest;

    // The gauge follows the transfer: the worker counts, a UI statusBlinkTicks shows the count.
    transferGauge->setRange(0, std::max(1, GaugeValue(transferSize)));
    transferGauge->setValue(0);
    std::atomic<qint64> done{0};
    ftp->SetProgress([&done](int64_t bytes) { done = bytes; });
    QTimer gauge;
    gauge.setInterval(50);
    connect(&gauge, &QTimer::timeout, this, [&] {
        transferGauge->setValue(std::min(GaugeValue(done), transferGauge->maximum()));
        transferGauge->repaint();
    });
    gauge.start();
    orv::FtpResult moved;
    if (a.transfer) {
        Wait([&] { moved = a.transfer(*ftp); }, [this] { ftp->Abort(); });
    } else {
        moved = orv::FtpResult::Fail("no transfer given");
    }
    gauge.stop();
    ftp->SetProgress({});
    transferGauge->setValue(std::min(GaugeValue(done), transferGauge->maximum()));

    if (!moved) {
        // The session is closed whatever the state flags say, so the next action can open its own.
        lastError_ = QString::fromStdString(moved.error);
        lastFailure_ = moved.failure;
        CloseSession();
        ProcessMessages();
        Flash(a.FailureMessage(moved));
        NormalCursor();
        return ActionResult::TransferFailed;
    }
    ProcessMessages();
    CloseSession();
    ProcessMessages();
    if (!a.successText.isEmpty()) Flash(a.successText);
    transferGauge->setValue(transferGauge->maximum());
    NormalCursor();
    return ActionResult::Done;
}
