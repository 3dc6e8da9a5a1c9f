// Quiet notes on the status line: what protects the session, and settings files
// and a workspace that others may read.
#include <QLabel>
#include <QTimer>

#include "app/ui/SignInWindow.h"
#include "app/ui/MainWindow.h"
#include "base/core/AtomicFile.h"
#include "server/core/ServerMessages.h"

// The server indicator's hint names what the open session is; a plain session
// that asked for TLS where offered is said once, quietly.
void MainWindow::ShowSecurity() {
    const orv::FtpSecurity security = ftp->Security();
    if (security == orv::FtpSecurity::Closed) return;
    const bool tls = security == orv::FtpSecurity::Tls;
    serverIndicator->setToolTip(QString::fromUtf8(tls ? orv::msg::kTlsHint : orv::msg::kPlainHint));
    if (!tls && Settings().ftpTls == orv::FtpTls::Try) Note(QString::fromUtf8(orv::msg::kPlainFtpNote));
}

void MainWindow::NoteReadableSettings() {
    for (const char* name : {orv::kSettingsFileName, "pro.txt"}) {
        const QString path = WorkspaceRoot() + QString::fromLatin1(name);
        if (orv::ReadableByOthers(path.toStdString())) Note(QString::fromStdString(orv::msg::ReadableByOthersNote(name)));
    }
    if (orv::ReadableByOthers(WorkspaceRoot().toStdString())) Note(QString::fromUtf8(orv::msg::kReadableWorkspaceNote));
}

void MainWindow::Note(const QString& text) {
    if (noted_.contains(text)) return;
    noted_ << text;
    notes_ << text;
    LaterShowNotes(500);
}

void MainWindow::LaterShowNotes(int ms) {
    if (notesPending_) return;
    notesPending_ = true;
    QTimer::singleShot(ms, this, &MainWindow::ShowNotes);
}

void MainWindow::ShowNotes() {
    notesPending_ = false;
    if (notes_.isEmpty()) return;
    // Not over a blinking message, a wait message or a hidden window: later.
    if (!isVisible() || statusBlinkTimer->isActive() || ServerBusy() || firstShowTimer->isActive()) return LaterShowNotes(500);
    // One at a time, so none is cut; the next a few seconds later.
    SetStatus(notes_.takeFirst());
    statusLine->show();
    if (!notes_.isEmpty()) LaterShowNotes(4000);
}
