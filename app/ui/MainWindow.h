#pragma once
// The main window: the frame around the parts of each area. It keeps the
// banner, the status line and its blink, the title blink, the four indicators
// under "Program Status", the timers, the network and server checks with the
// 35-second refresh, and the one server action that runs at a time; the parts
// reach these through WindowFrame. The parts own their controls and handlers:
//
//   results     the day row, the grid, the search, receive, print, save, the watch (results/ui/ResultsView)
//   reference   the help files, the recommendation, normal values and prices (server/ui/ReferenceDocuments)
//   accounting  the bill, the debt, payment, messages, the month bill (accounting/ui/AccountingPanel)
//   update      the version check and the program's download (accounting/ui/ProgramUpdate)
//   reception   the "Reception" button and the worklist export (reception/ui/ReceptionLauncher)
//
// The frame's code: MainWindow.cpp (composing the parts), MainWindowFrame.cpp
// (controls, status line, blinks), MainWindowLayout.cpp (growing, Tab order),
// MainWindowServer.cpp (checks and refresh), MainWindowAction.cpp (the server
// action), MainWindowNotes.cpp (notes on the session's security).
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStringList>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/core/ProxyFile.h"
#include "results/ui/ResultsView.h"
#include "server/core/FtpSession.h"
#include "server/core/PasswordStore.h"
#include "server/core/ServerSettings.h"
#include "server/core/SntpClient.h"
#include "server/ui/ServerAction.h"
#include "server/ui/WindowFrame.h"

namespace orv::ui {
class Anchors;
class ReferenceDocuments;
}  // namespace orv::ui
namespace orv::accounting {
class AccountingPanel;
class ProgramUpdate;
}  // namespace orv::accounting
namespace orv::reception {
class ReceptionLauncher;
}  // namespace orv::reception

class MainWindow : public QWidget, public orv::ui::WindowFrame {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- the run's state, shared with the parts (WindowFrame::State)
    orv::ui::SessionState state_;
    // The last server action's expected size, remote and local file.
    qint64 transferSize = 0;
    QString transferSource, transferDest;
    int statusBlinkTicks = 0;  // ticks of the status line's blink
    QString titleCaption;      // the title blink's text; "   " for none

    // Proxy settings from "pro.txt": the FTP client's, and the time client's SOCKS
    // settings. As configured both connections stay direct.
    orv::ProxySettings ftpProxy;
    orv::ProxySettings sntpProxy;

    // The one FTP session and the SNTP client. Tests may put a fake session in.
    std::unique_ptr<orv::FtpSession> ftp;
    orv::SntpClient timeClient;

    // --- the frame's controls (their object names, the designer's, in MainWindowFrame.cpp)
    QLabel* banner = nullptr;
    QLabel* statusCaption = nullptr;  // "Receive Status :"
    QLabel* statusLine = nullptr;
    QLabel* debtGaugeIcon = nullptr;  // beside the accounting panel's payment-delay gauge
    QLabel* programStatusCaption = nullptr;
    // The indicators and their captions, and the three pictures they show.
    QLabel *networkIndicator = nullptr, *serverIndicator = nullptr, *securityIndicator = nullptr,
           *upToDateIndicator = nullptr;
    QLabel *networkCaption = nullptr, *serverCaption = nullptr, *securityCaption = nullptr, *upToDateCaption = nullptr;
    QLabel *successPicture = nullptr, *failurePicture = nullptr, *pendingPicture = nullptr;
    QToolButton* refreshButton = nullptr;         // "⟳"
    QToolButton* serverSettingsButton = nullptr;  // "⚙"
    // Hidden buttons the checks run by.
    QToolButton *serverCheckButton = nullptr, *networkCheckButton = nullptr, *serverTestButton = nullptr;
    QPlainTextEdit* checkFileText = nullptr;  // what "check.txt" holds: the last notice read
    QProgressBar* transferGauge = nullptr;
    QTimer* firstShowTimer = nullptr;    // the first day shown and the account refreshed once the window shows
    QTimer* statusBlinkTimer = nullptr;  // the status line's blink
    QTimer* refreshTimer = nullptr;      // the 35-second refresh
    QTimer* titleBlinkTimer = nullptr;   // the title blink of an overdue bill

    // --- status line
    // Shows a message with the blink (restarts it when one is running).
    void Flash(const QString& message) override;
    void Flash(const char* utf8) { Flash(QString::fromUtf8(utf8)); }
    void Flash(const std::string& utf8) { Flash(QString::fromStdString(utf8)); }
    // The wait message, without the blink.
    void ShowWait() override;
    // A quiet note (no blink, no beep), shown once per run on the status line as
    // soon as it is not blinking and no server work runs.
    void Note(const QString& text) override;
    // Sets an indicator to the picture `holder` keeps (success, failure or pending).
    void SetPicture(QLabel* indicator, QLabel* holder);

    // --- cursor and event pumping of server work
    void Hourglass() override;
    void NormalCursor() override;
    // Lets pending window messages run (a click on a server action meanwhile is refused).
    void ProcessMessages() override;
    // True while a server action or check waits for the network.
    bool ServerBusy() const override { return busy_ > 0; }
    // Runs `work` now, or, while another server action is running, as soon as it has ended.
    void RunWhenIdle(std::function<void()> work) override;

    // --- the server link
    // The standard server action sequence (see ServerAction.h).
    orv::ActionResult RunServerAction(const orv::ServerAction& action) override;
    // Why the last action failed (for logs and tests; never shown, holds no password).
    QString LastServerError() const override { return lastError_; }
    // What kind of failure ended the last transfer (None after a good one).
    orv::FtpFailure LastServerFailure() const override { return lastFailure_; }
    // What a closed server gate says: the server message, or, after a log-in
    // refused or a certificate that failed, that reason until a check opens a session.
    QString ServerDownMessage() const override;
    // Closes the session off the UI thread.
    void CloseSession() override;
    // The server settings window; `reason` says why it opened by itself. A save
    // ends the open session and runs the check and the account refresh with what was saved.
    void ShowServerSettings(const QString& reason = {});
    // Runs blocking `work` off the UI thread while the window keeps running (and
    // server actions are refused); `cancel` makes it end early should the program quit.
    void Wait(const std::function<void()>& work, const std::function<void()>& cancel) override;
    // Settings from orvanet.ini in the workspace root (read at every check), with
    // the password from the secret store when the file holds none.
    orv::ServerSettings Settings() const override;
    // The secret store and what the start made of the password (main.cpp): a note
    // of the start is said once on the status line.
    void UsePasswordStore(orv::PasswordStore* store, const orv::StartSettings& start);
    // Saves the settings, with a new FTP password when one was typed, the password
    // where it is kept (the store when one answers, else orvanet.ini); false with `error` set.
    bool SaveSettings(orv::ServerSettings settings, const std::optional<std::string>& password,
                      std::string* error = nullptr, const orv::ServerSettings* inherited = nullptr);
    QString WorkspaceRoot() const override;  // the sign-in window's root

    std::vector<std::string> CheckFileLines() const;  // what "check.txt" is written with

    // --- the rest of the frame the parts reach (WindowFrame)
    QWidget* Canvas() override { return this; }
    void Anchor(QWidget* control, int sides) override;
    orv::ui::SessionState& State() override { return state_; }
    QString DesktopFolder() const override;
    void SetStatus(const QString& text) override;
    QString StatusText() const override;
    void RestartBlink() override;
    void SetTitleBlink(const QString& caption) override;
    void OnTitleBlink(std::function<void(bool captionShown)> listener) override;
    bool TitleBlinking() const override { return titleBlinkTimer->isActive(); }
    void SetIndicator(orv::ui::Indicator which, orv::ui::IndicatorState state) override;
    QWidget* IndicatorWidget(orv::ui::Indicator which) override;
    void ResetTransferGauge() override;
    void FillTransferGauge() override;
    orv::FtpSession& Session() override { return *ftp; }
    void StartRefreshTimer() override;
    void RecordNoticeRead(const QString& counter) override;
    bool HandToDesktop(const QString& path) override;
    void SayNotOpened(const QString& path) override;
    void CheckServer() override { checkServer(); }
    orv::FtpResult OpenSession() override;

    // --- the parts
    orv::results::ResultsView* results = nullptr;
    orv::ui::ReferenceDocuments* reference = nullptr;
    orv::accounting::AccountingPanel* accounting = nullptr;
    orv::accounting::ProgramUpdate* update = nullptr;
    orv::reception::ReceptionLauncher* reception = nullptr;

    // The window grows from its 823 x 514: controls keep to the edges they are
    // anchored to (Anchor).
    orv::ui::Anchors* anchors = nullptr;

public slots:
    // The server check: the network, then the server's log-in, the indicators.
    void checkServer();
    void checkNetwork();
    void testServer();
    // The refresh ("⟳" and every 35 seconds): the check, the account, today's file.
    void refresh();
    void afterFirstShow();
    void blinkStatusLine();
    void onRefreshTimer() { refresh(); }
    void blinkTitle();

signals:
    // The first good network check of the run: today's solar date text.
    void FirstTodayKnown(const QString& solarDate);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildFrame();
    void BuildIndicators();
    void ConnectHandlers();
    void prepareOnShow();
    void NetworkCheck();
    void ServerTest();
    // After a save of the server settings: the check and the account refresh with them.
    void CheckSavedSettings();
    // Opens a session and closes it again: whether the server takes our log-in now.
    bool LogInWorks();
    void ConfigureSession();
    // growing and the Tab order
    void BuildEveryday();
    void AnchorControls();
    void SetTabOrder();
    // Notes of the session's security (MainWindowNotes.cpp).
    void ShowSecurity();
    void NoteReadableSettings();
    void ShowNotes();
    void LaterShowNotes(int ms);

    int busy_ = 0;
    QFont statusFont_;  // the status line's own type, before a long sentence made it smaller
    QString lastError_;
    orv::PasswordStore* passwordStore_ = nullptr;   // none in the tests
    std::optional<std::string> storedPassword_;     // the FTP password from the store
    bool passwordKnown_ = true;                     // false: the store did not give it at start
    orv::FtpFailure lastFailure_ = orv::FtpFailure::None;
    orv::FtpResult serverDown_;  // the last failed open of a check or an action
    // A session that did not open: remembered, and for a reason that lasts the server is down.
    void NoteOpenFailure(const orv::FtpResult& opened);
    // state_.serverOk false, the failure picture without a hint, and why remembered.
    void MarkServerDown(const orv::FtpResult& why);
    std::vector<std::function<void(bool)>> titleBlinkListeners_;
    QStringList notes_;  // waiting to be shown
    QStringList noted_;  // shown (or waiting) in this run
    bool notesPending_ = false;
};
