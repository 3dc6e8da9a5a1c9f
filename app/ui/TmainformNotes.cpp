// Quiet notes on the status line: what protects the session, and settings files
// and a workspace that others may read.
#include <QLabel>
#include <QTimer>

#include "app/ui/TForm1.h"
#include "app/ui/Tmainform.h"
#include "base/core/AtomicFile.h"
#include "server/core/ServerMessages.h"

// The server indicator's hint names what the open session is; a plain session
// that asked for TLS where offered is said once, quietly.
void Tmainform::ShowSecurity() {
    const orv::FtpSecurity security = IdFTP1->Security();
    if (security == orv::FtpSecurity::Closed) return;
    const bool tls = security == orv::FtpSecurity::Tls;
    Image8->setToolTip(QString::fromUtf8(tls ? orv::msg::kTlsHint : orv::msg::kPlainHint));
    if (!tls && Settings().ftpTls == orv::FtpTls::Try) Note(QString::fromUtf8(orv::msg::kPlainFtpNote));
}

void Tmainform::NoteReadableSettings() {
    for (const char* name : {orv::kSettingsFileName, "pro.txt"}) {
        const QString path = WorkspaceRoot() + QString::fromLatin1(name);
        if (orv::ReadableByOthers(path.toStdString())) Note(QString::fromStdString(orv::msg::ReadableByOthersNote(name)));
    }
    if (orv::ReadableByOthers(WorkspaceRoot().toStdString())) Note(QString::fromUtf8(orv::msg::kReadableWorkspaceNote));
}

void Tmainform::Note(const QString& text) {
    if (noted_.contains(text)) return;
    noted_ << text;
    notes_ << text;
    LaterShowNotes(500);
}

void Tmainform::LaterShowNotes(int ms) {
    if (notesPending_) return;
    notesPending_ = true;
    QTimer::singleShot(ms, this, &Tmainform::ShowNotes);
}

void Tmainform::ShowNotes() {
    notesPending_ = false;
    if (notes_.isEmpty()) return;
    // Not over a blinking message, a wait message or a hidden window: later.
    if (!isVisible() || Timer2->isActive() || ServerBusy() || Timer1->isActive()) return LaterShowNotes(500);
    // One at a time, so none is cut; the next a few seconds later.
    Label6->setText(notes_.takeFirst());
    Label6->show();
    if (!notes_.isEmpty()) LaterShowNotes(4000);
}
