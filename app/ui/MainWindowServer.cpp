// The reachability checks: server check, network check, server test and the refresh.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "app/ui/Forms.h"
#include "app/ui/SignInWindow.h"
#include "accounting/ui/AccountingPanel.h"
#include "app/ui/MainWindow.h"
#include "base/core/TextFile.h"

#include "results/ui/ResultsView.h"
#include "base/ui/Prompts.h"
#include "server/core/OffUiThread.h"
#include "server/core/ServerMessages.h"
#include "server/core/TodayFromTimeServer.h"
#include "server/ui/ServerSettingsWindow.h"

void MainWindow::Wait(const std::function<void()>& work, const std::function<void()>& cancel) {
    ++busy_;
    orv::RunOffUiThread(work, cancel);
    --busy_;
}

void MainWindow::RunWhenIdle(std::function<void()> work) {
    if (!ServerBusy()) {
        work();
        return;
    }
    // Looked at again from the window's own message loop, not from inside the running action.
    QTimer::singleShot(50, this, [this, work = std::move(work)]() mutable { RunWhenIdle(std::move(work)); });
}

void MainWindow::ConfigureSession() {
    const orv::ServerSettings s = Settings();
    ftp->Configure(s.Ftp());
    NoteReadableSettings();
    timeClient.host = s.sntpHost;
    timeClient.port = s.sntpPort;
    timeClient.timeoutMs = s.sntpTimeoutMs;
}

void MainWindow::ShowServerSettings(const QString& reason) {
    if (auto* open = findChild<orv::ui::ServerSettingsWindow*>()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new orv::ui::ServerSettingsWindow(WorkspaceRoot(), state_.labFolderCode, this);
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->SetReason(reason);
    const orv::ServerSettings running = Settings();
    const orv::OutsidePassword outside = orv::ReadOutsidePassword(running);
    const QString locked = outside.place == orv::PasswordPlace::Nowhere
                               ? QString()
                               : QStringLiteral("(از فایل %1)").arg(QString::fromStdString(outside.path));
    window->KeepPasswordWith(passwordKnown_ ? std::optional(running.ftpPassword) : std::nullopt,
                             [this](orv::ServerSettings s, const orv::ServerSettings& inherited,
                                    const std::optional<std::string>& typed, std::string* error) {
                                 return SaveSettings(std::move(s), typed, error, &inherited);
                             },
                             locked);
    if (const QScreen* screen = isVisible() ? this->screen() : QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    connect(window, &orv::ui::ServerSettingsWindow::Saved, this,
            [this] { RunWhenIdle([this] { CheckSavedSettings(); }); });
    window->show();
}

void MainWindow::CheckSavedSettings() {
    // The session of the old settings ends; the check and the account refresh run
    // with the new ones as at start, and leave no session open behind them.
    const bool gateBefore = state_.accountOk;
    bool billRead = false;
    CloseSession();
    checkServer();
    // Before the sign-in the start's own account refresh runs, on the session the check left open.
    if (state_.labFolderCode.isEmpty()) return;
    for (int i = 0; i < 3; ++i) ProcessMessages();
    const auto read = connect(accounting, &orv::accounting::AccountingPanel::accountRead, this,
                              [&billRead] { billRead = true; });
    accounting->refreshAccount();
    disconnect(read);
    // The check opened the gate; only a bill read now may say otherwise than before.
    if (!billRead) state_.accountOk = gateBefore;
    if (ftp->IsOpen()) CloseSession();
}

void MainWindow::checkServer() {
    if (ServerBusy()) {
        orv::ui::Beep();
        return;
    }
    ShowWait();
    const orv::TextReadResult check = orv::ReadTextFile(signInWindow->LocalFile(QStringLiteral("check.txt")));
    bool number = false;
    state_.noticeRead = check.ok && !check.content.lines.empty()
                ? QString::fromStdString(check.content.lines[0]).trimmed().toInt(&number)
                : 0;
    if (!number) state_.noticeRead = 0;
    state_.accountOk = true;
    SetPicture(networkIndicator, pendingPicture);
    SetPicture(serverIndicator, pendingPicture);
    SetPicture(upToDateIndicator, pendingPicture);
    ProcessMessages();
    NetworkCheck();
    ProcessMessages();
    ServerTest();
    ProcessMessages();
}

void MainWindow::checkNetwork() {
    if (ServerBusy()) return orv::ui::Beep();
    NetworkCheck();
}

void MainWindow::testServer() {
    if (ServerBusy()) return orv::ui::Beep();
    ServerTest();
}

void MainWindow::NetworkCheck() {
    ConfigureSession();
    orv::SntpAnswer answer;
    std::atomic<bool> cancel{false};
    Wait([&] { answer = timeClient.Request(&cancel); }, [&] { cancel = true; });
    if (answer.received) orv::ui::Beep();
    // An answer that is no valid time, or a clock before 1397, is a network
    // failure; the date fields then keep the last good day.
    const std::string solar = orv::SolarToday(answer);
    const QString today = QString::fromStdString(solar);
    if (solar.empty()) {
        SetPicture(networkIndicator, failurePicture);
        state_.networkOk = false;
        Flash(orv::msg::kNetworkRefresh);
        return;
    }
    state_.networkOk = true;
    if (state_.year.isEmpty()) emit FirstTodayKnown(today);  // the reception window takes it
    results->showToday(today);
    state_.year = today.left(4);
    state_.month = today.mid(5, 2);
    state_.day = today.mid(8, 2);
    SetPicture(networkIndicator, successPicture);
}

void MainWindow::ServerTest() {
    if (!state_.networkOk) {
        signInWindow->startCheckDone = true;
        return;
    }
    if (ftp->IsOpen()) CloseSession();  // an earlier check's: this one logs in with the settings of now
    ConfigureSession();
    orv::FtpResult opened;
    Wait([&] { opened = ftp->Open(); }, [&] { ftp->Abort(); });
    if (opened) {
        serverDown_ = {};
        SetPicture(serverIndicator, successPicture);
        ShowSecurity();
        state_.serverOk = true;
        signInWindow->startCheckDone = true;
        orv::ui::Beep();
    } else {
        MarkServerDown(opened);
        Flash(orv::msg::OpenFailure(opened));
        signInWindow->startCheckDone = true;
    }
}

void MainWindow::refresh() {
    refreshTimer->start();  // the next periodic refresh is 35 seconds from now
    if (ServerBusy()) return;
    // Until the refresh knows, the indicators and the status line claim nothing.
    const QString shown = statusLine->text();
    const QPixmap serverShown = serverIndicator->pixmap();
    SetPicture(networkIndicator, pendingPicture);
    SetPicture(serverIndicator, pendingPicture);
    ShowWait();
    ConfigureSession();
    orv::SntpAnswer probe;
    std::atomic<bool> cancel{false};
    Wait([&] { probe = timeClient.Request(&cancel); }, [&] { cancel = true; });
    if (state_.networkOk == probe.received && state_.serverOk) {
        // The network is as it was. The server is asked for a log-in as well, so
        // one that stopped taking them shows as down instead of keeping its success.
        // A session still open here is one a check left behind: it says nothing of a log-in now.
        if (ftp->IsOpen()) CloseSession();
        const bool loggedIn = !state_.networkOk || LogInWorks();
        SetPicture(networkIndicator, state_.networkOk ? successPicture : failurePicture);
        if (!loggedIn) {
            state_.serverOk = false;
            SetPicture(serverIndicator, failurePicture);
            Flash(ServerDownMessage());
            return;
        }
        if (state_.networkOk)
            SetPicture(serverIndicator, successPicture);
        else
            serverIndicator->setPixmap(serverShown);  // not tried without the network
        SetStatus(shown);
        results->watchToday();
        results->watchFetch();
        return;
    }
    checkServer();
    for (int i = 0; i < 3; ++i) ProcessMessages();
    results->watchToday();  // on the session the server check left open
    accounting->refreshAccount();
    results->watchFetch();
}

bool MainWindow::LogInWorks() {
    orv::FtpResult opened;
    Wait([&] { opened = ftp->Open(); }, [this] { ftp->Abort(); });
    if (!opened) {
        lastError_ = QString::fromStdString(opened.error);
        serverDown_ = opened;
        return false;
    }
    CloseSession();
    return true;
}
