// The standard server action sequence (ServerAction.h), shared by every server action.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "app/ui/Tmainform.h"

#include "base/ui/Prompts.h"
#include "server/core/ServerMessages.h"

namespace {

int GaugeValue(qint64 bytes) { return static_cast<int>(std::clamp<qint64>(bytes, 0, INT_MAX)); }

}  // namespace

void Tmainform::CloseSession() {
    // Off the UI thread: saying goodbye to a server that stopped answering may take a while.
    Wait([this] { IdFTP1->Close(); }, [this] { IdFTP1->Abort(); });
}

QString Tmainform::ServerDownMessage() const {
    return QString::fromUtf8(orv::msg::LastsUntilChecked(serverDown_.failure) ? orv::msg::OpenFailure(serverDown_)
                                                                               : orv::msg::kServer);
}

void Tmainform::NoteOpenFailure(const orv::FtpResult& opened) {
    serverDown_ = opened;
    if (orv::msg::LastsUntilChecked(opened.failure)) MarkServerDown(opened);
}

void Tmainform::MarkServerDown(const orv::FtpResult& why) {
    farok = false;
    serverDown_ = why;
    SetPicture(Image8, Image5);
    Image8->setToolTip({});
}

orv::ActionResult Tmainform::RunServerAction(const orv::ServerAction& a) {
    using orv::ActionResult;
    if (ServerBusy()) {
        orv::ui::Beep();
        return ActionResult::Refused;
    }
    lastError_.clear();
    lastFailure_ = orv::FtpFailure::None;
    if (a.resetGauge) ProgressBar1->setValue(0);
    if (a.testNetok && !netok) {
        Flash(a.networkForm == orv::NetworkForm::Update ? orv::msg::kNetworkUpdate : orv::msg::kNetworkRefresh);
        NormalCursor();
        return ActionResult::Refused;
    }
    if (a.testFarok && !farok) {
        Flash(ServerDownMessage());
        NormalCursor();
        return ActionResult::Refused;
    }
    if (a.testBillok && !billok) {
        Flash(orv::msg::kAccountingLock);
        NormalCursor();
        return ActionResult::Refused;
    }
    Hourglass();
    ShowWait();
    if (a.openSession && netok) {
        ConfigureSession();
        orv::FtpResult opened;
        Wait([&] { opened = IdFTP1->Open(); }, [this] { IdFTP1->Abort(); });
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
    max = a.max;
    source = a.source;
    dest = a.dest;

    // The gauge follows the transfer: the worker counts, a UI timer shows the count.
    ProgressBar1->setRange(0, std::max(1, GaugeValue(max)));
    ProgressBar1->setValue(0);
    std::atomic<qint64> done{0};
    IdFTP1->SetProgress([&done](int64_t bytes) { done = bytes; });
    QTimer gauge;
    gauge.setInterval(50);
    connect(&gauge, &QTimer::timeout, this, [&] {
        ProgressBar1->setValue(std::min(GaugeValue(done), ProgressBar1->maximum()));
        ProgressBar1->repaint();
    });
    gauge.start();
    orv::FtpResult moved;
    if (a.transfer) {
        Wait([&] { moved = a.transfer(*IdFTP1); }, [this] { IdFTP1->Abort(); });
    } else {
        moved = orv::FtpResult::Fail("no transfer given");
    }
    gauge.stop();
    IdFTP1->SetProgress({});
    ProgressBar1->setValue(std::min(GaugeValue(done), ProgressBar1->maximum()));

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
    ProgressBar1->setValue(ProgressBar1->maximum());
    NormalCursor();
    return ActionResult::Done;
}
