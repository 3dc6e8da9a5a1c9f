// New results noticed without a click: at every 35-second refresh the main
// window asks the server for the size and time of today's result file (SIZE
// and MDTM, nothing downloaded). When the file has appeared, or changed after
// it was archived, the status line says so, the title blinks and the desktop
// shows a notice; today's file is fetched and shown at once when today is the
// day shown. "[results] watch=false" in orvanet.ini turns it off.
#include <QDateTime>
#include <QFileInfo>
#include <QTimer>

#include "app/ui/DesktopNotice.h"
#include "app/ui/Tmainform.h"
#include "results/core/ResultPaths.h"
#include "results/core/ResultWatch.h"
#include "server/core/ServerSettings.h"

using namespace Qt::StringLiterals;
namespace res = orv::results;

namespace {
constexpr int kTitleBlinks = 20;  // ten seconds of the title blink

res::ArchivedCopy Archived(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    if (!file.isFile()) return {};
    return {true, file.size(), file.lastModified().toSecsSinceEpoch()};
}
}  // namespace

void Tmainform::WatchToday() {
    if (!ResultWatch1 || ServerBusy() || !netok || !farok || ya.isEmpty() || pooshe.isEmpty()) return;
    if (!Settings().resultsWatch) return;
    const QString today = ya + u'/' + ma + u'/' + da;
    const std::string compact = QString(ya + ma + da).toStdString();
    const std::string remote = res::RemoteResultPath(pooshe.toStdString(), compact);

    // On the session the refresh has open, or on one of its own, opened and closed quietly.
    const bool ownSession = !IdFTP1->IsOpen();
    if (ownSession) {
        ConfigureSession();
        orv::FtpResult opened;
        Wait([&] { opened = IdFTP1->Open(); }, [this] { IdFTP1->Abort(); });
        if (!opened) return;
    }
    orv::FtpFileInfo info;
    orv::FtpResult asked;
    Wait([&] { asked = IdFTP1->FileInfo(remote, info); }, [this] { IdFTP1->Abort(); });
    if (ownSession) CloseSession();
    if (!asked) return;

    const std::string local = res::LocalResultPath(WorkspaceRoot().toStdString(), compact);
    const res::WatchEvent event =
        ResultWatch1->Observe(compact, {info.exists, info.size, info.mtime}, Archived(local));
    if (event == res::WatchEvent::None) return;

    if (event == res::WatchEvent::Appeared)
        watchNotice = u". جواب های جدید روز "_s + today + u" از تاروینا رسید - New results of "_s + today;
    else
        watchNotice = u". جواب های روز "_s + today + u" در تاروینا تغییر کرد - Results of "_s + today + u" changed"_s;
    if (DateText() == today)
        watchFetch_ = true;  // today is shown: fetched into the archive and shown once the session is free
    else
        watchNotice += u" (روز نمایش داده شده "_s + DateText() + u" است)"_s;
    Flash(watchNotice);
    orv::ui::DesktopNotice::Show(this, u"Orvanet"_s, watchNotice);
    timerWatch_ = 0;
    Timer7->start();
}

void Tmainform::WatchFetch() {
    if (!watchFetch_) return;
    watchFetch_ = false;
    if (DateText() != ya + u'/' + ma + u'/' + da) return;  // the user moved to another day meanwhile
    SpeedButton16Click();
    if (DateText() == ya + u'/' + ma + u'/' + da) Flash(watchNotice);
}

// The title blinks the notice as it does an account warning, unless that warning is blinking.
void Tmainform::Timer7Timer() {
    if (++timerWatch_ >= kTitleBlinks || isActiveWindow()) {
        Timer7->stop();
        if (!Timer6->isActive()) setWindowTitle(QString());
        return;
    }
    if (Timer6->isActive()) return;
    setWindowTitle(windowTitle().isEmpty() ? watchNotice : QString());
}
