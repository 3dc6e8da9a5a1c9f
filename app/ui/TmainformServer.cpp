// The reachability checks: server check, network check, server test and the refresh.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "app/ui/Forms.h"
#include "app/ui/TForm1.h"
#include "accounting/ui/AccountingPanel.h"
#include "app/ui/Tmainform.h"
#include "base/core/TextFile.h"

#include "results/ui/ResultsView.h"
#include "base/ui/Prompts.h"
#include "server/core/OffUiThread.h"
#include "server/core/ServerMessages.h"
#include "server/core/TodayFromTimeServer.h"
#include "server/ui/ServerSettingsWindow.h"

void Tmainform::Wait(const std::function<void()>& work, const std::function<void()>& cancel) {
    ++busy_;
    orv::RunOffUiThread(work, cancel);
    --busy_;
}

void Tmainform::RunWhenIdle(std::function<void()> work) {
    if (!ServerBusy()) {
        work();
        return;
    }
    // Looked at again from the window's own message loop, not from inside the running action.
    QTimer::singleShot(50, this, [this, work = std::move(work)]() mutable { RunWhenIdle(std::move(work)); });
}

void Tmainform::ConfigureSession() {
    const orv::ServerSettings s = Settings();
    IdFTP1->Configure(s.Ftp());
    NoteReadableSettings();
    IdSNTP1.host = s.sntpHost;
    IdSNTP1.port = s.sntpPort;
    IdSNTP1.timeoutMs = s.sntpTimeoutMs;
}

void Tmainform::ShowServerSettings(const QString& reason) {
    if (auto* open = findChild<orv::ui::ServerSettingsWindow*>()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new orv::ui::ServerSettingsWindow(WorkspaceRoot(), pooshe, this);
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->SetReason(reason);
    window->KeepPasswordWith(Settings().ftpPassword, [this](orv::ServerSettings s, const orv::ServerSettings& inherited,
                                                            std::string* error) {
        const std::string password = s.ftpPassword;
        return SaveSettings(std::move(s), password, error, &inherited);
    });
    if (const QScreen* screen = isVisible() ? this->screen() : QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    // The next action opens a new session with what was saved; the check says at once whether it answers.
    connect(window, &orv::ui::ServerSettingsWindow::Saved, this, [this] {
        RunWhenIdle([this] {
            CloseSession();
            SpeedButton15Click();
        });
    });
    window->show();
}

void Tmainform::SpeedButton15Click() {
    if (ServerBusy()) {
        orv::ui::Beep();
        return;
    }
    ShowWait();
    const orv::TextReadResult check = orv::ReadTextFile(Form1->LocalFile(QStringLiteral("check.txt")));
    bool number = false;
    alarm = check.ok && !check.content.lines.empty()
                ? QString::fromStdString(check.content.lines[0]).trimmed().toInt(&number)
                : 0;
    if (!number) alarm = 0;
    billok = true;
    SetPicture(Image4, Image9);
    SetPicture(Image8, Image9);
    SetPicture(Image6, Image9);
    ProcessMessages();
    NetworkCheck();
    ProcessMessages();
    ServerTest();
    ProcessMessages();
}

void Tmainform::netokbClick() {
    if (ServerBusy()) return orv::ui::Beep();
    NetworkCheck();
}

void Tmainform::farokbClick() {
    if (ServerBusy()) return orv::ui::Beep();
    ServerTest();
}

void Tmainform::NetworkCheck() {
    ConfigureSession();
    orv::SntpAnswer answer;
    std::atomic<bool> cancel{false};
    Wait([&] { answer = IdSNTP1.Request(&cancel); }, [&] { cancel = true; });
    if (answer.received) orv::ui::Beep();
    // An answer that is no valid time, or a clock before 1397, is a network
    // failure; the date fields then keep the last good day.
    const std::string solar = orv::SolarToday(answer);
    const QString today = QString::fromStdString(solar);
    if (solar.empty()) {
        SetPicture(Image4, Image5);
        netok = false;
        Flash(orv::msg::kNetworkRefresh);
        return;
    }
    netok = true;
    if (ya.isEmpty()) emit FirstTodayKnown(today);  // the reception window takes it
    results->showToday(today);
    ya = today.left(4);
    ma = today.mid(5, 2);
    da = today.mid(8, 2);
    SetPicture(Image4, Image2);
}

void Tmainform::ServerTest() {
    if (!netok) {
        Form1->waite = true;
        return;
    }
    ConfigureSession();
    orv::FtpResult opened;
    Wait([&] { opened = IdFTP1->Open(); }, [&] { IdFTP1->Abort(); });
    if (opened) {
        serverDown_ = {};
        SetPicture(Image8, Image2);
        ShowSecurity();
        farok = true;
        Form1->waite = true;
        orv::ui::Beep();
    } else {
        MarkServerDown(opened);
        Flash(orv::msg::OpenFailure(opened));
        Form1->waite = true;
    }
}

void Tmainform::SpeedButton18Click() {
    Timer3->start();  // the next periodic refresh is 35 seconds from now
    if (ServerBusy()) return;
    // Until the refresh knows, the indicators and the status line claim nothing.
    const QString shown = Label6->text();
    const QPixmap serverShown = Image8->pixmap();
    SetPicture(Image4, Image9);
    SetPicture(Image8, Image9);
    ShowWait();
    ConfigureSession();
    orv::SntpAnswer probe;
    std::atomic<bool> cancel{false};
    Wait([&] { probe = IdSNTP1.Request(&cancel); }, [&] { cancel = true; });
    if (netok == probe.received && farok) {
        // The network is as it was. The server is asked for a log-in as well, so
        // one that stopped taking them shows as down instead of keeping its success.
        const bool loggedIn = !netok || IdFTP1->IsOpen() || LogInWorks();
        SetPicture(Image4, netok ? Image2 : Image5);
        if (!loggedIn) {
            farok = false;
            SetPicture(Image8, Image5);
            Flash(ServerDownMessage());
            return;
        }
        if (netok)
            SetPicture(Image8, Image2);
        else
            Image8->setPixmap(serverShown);  // not tried without the network
        Label6->setText(shown);
        results->watchToday();
        results->watchFetch();
        return;
    }
    SpeedButton15Click();
    for (int i = 0; i < 3; ++i) ProcessMessages();
    results->watchToday();  // on the session the server check left open
    accounting->refreshAccount();
    results->watchFetch();
}

bool Tmainform::LogInWorks() {
    orv::FtpResult opened;
    Wait([&] { opened = IdFTP1->Open(); }, [this] { IdFTP1->Abort(); });
    if (!opened) {
        lastError_ = QString::fromStdString(opened.error);
        serverDown_ = opened;
        return false;
    }
    CloseSession();
    return true;
}
