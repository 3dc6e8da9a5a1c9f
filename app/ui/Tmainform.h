#pragma once
// The main window: status line, status indicators, timers, the server link and
// the places of the controls the other areas bring to life. Its handlers are
// split by concern over TmainformFrame.cpp (layout, status line, blinks),
// TmainformServer.cpp (checks and refresh), TmainformAction.cpp (the standard
// server action), and one file per area (TmainformAccount.cpp, ...).
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStringList>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include "solar/widgets/TSolarDatePicker.h"
#include "solar/widgets/TSolarMonthCalendar.h"

#include "app/core/ProxyFile.h"
#include "base/core/TextFile.h"
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

class QAction;
class QMenu;
class QPainter;

class Tmainform : public QWidget, public orv::ui::WindowFrame {
    Q_OBJECT

public:
    explicit Tmainform(QWidget* parent = nullptr);
    ~Tmainform() override;

    // --- working state, shared with the parts (WindowFrame::State)
    orv::ui::SessionState state_;
    QString& pooshe = state_.labFolderCode;
    bool& netok = state_.networkOk;
    bool& farok = state_.serverOk;
    bool& billok = state_.accountOk;
    bool& block = state_.accountBlocked;
    int& alarm = state_.noticeRead;
    QString &ya = state_.year, &ma = state_.month, &da = state_.day;
    qint64 max = 0;      // expected size of the transfer about to start
    QString source, dest, ser;
    int timer = 0;    // status line blink ticks
    QString cap;      // text of the title blink

    // Proxy settings from "pro.txt": the FTP client's, and the time client's SOCKS
    // settings. As configured both connections stay direct.
    orv::ProxySettings ftpProxy;
    orv::ProxySettings sntpProxy;

    // The one FTP session and the SNTP client. Tests may put a fake session in.
    std::unique_ptr<orv::FtpSession> IdFTP1;
    orv::SntpClient IdSNTP1;

    // --- controls (object names as here)
    QLabel* Image1 = nullptr;  // banner
    QLabel *Label2 = nullptr, *Label6 = nullptr, *Label7 = nullptr;
    QLabel *Label14 = nullptr, *Label15 = nullptr, *Label17 = nullptr, *Label18 = nullptr;  // indicator captions
    QLabel *Image2 = nullptr, *Image4 = nullptr, *Image5 = nullptr, *Image6 = nullptr,
           *Image7 = nullptr, *Image8 = nullptr, *Image9 = nullptr, *Image10 = nullptr;
    QToolButton *SpeedButton15 = nullptr, *SpeedButton18 = nullptr;
    QToolButton* serverSettingsButton = nullptr;
    QToolButton *netokb = nullptr, *farokb = nullptr;
    QPlainTextEdit* Memo5 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QTimer *Timer1 = nullptr, *Timer2 = nullptr, *Timer3 = nullptr,
           *Timer6 = nullptr;

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
    // Sets an indicator to the success (Image2), failure (Image5) or pending (Image9) picture.
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
    // ends the open session and checks the server again with the new settings.
    void ShowServerSettings(const QString& reason = {});
    // Runs blocking `work` off the UI thread while the window keeps running (and
    // server actions are refused); `cancel` makes it end early should the program quit.
    void Wait(const std::function<void()>& work, const std::function<void()>& cancel) override;
    // Settings from orvanet.ini in the workspace root (read at every check), with
    // the password from the secret store when the file holds none.
    orv::ServerSettings Settings() const override;
    // The secret store and the password read from it at start (main.cpp).
    void UsePasswordStore(orv::PasswordStore* store, std::optional<std::string> storedPassword);
    // Saves the settings with a new FTP password, the password where it is kept
    // (the store when one answers, else orvanet.ini); false with `error` set.
    bool SaveSettings(orv::ServerSettings settings, const std::string& password, std::string* error = nullptr,
                      const orv::ServerSettings* inherited = nullptr);
    QString WorkspaceRoot() const override;  // the sign-in window's root

    std::vector<std::string> Memo5Lines() const;  // default content of "check.txt"

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
    void SetIndicator(orv::ui::Indicator which, orv::ui::IndicatorState state) override;
    QWidget* IndicatorWidget(orv::ui::Indicator which) override;
    void ResetTransferGauge() override;
    void FillTransferGauge() override;
    orv::FtpSession& Session() override { return *IdFTP1; }
    void StartRefreshTimer() override;
    void RecordNoticeRead(const QString& counter) override;
    void CheckServer() override { SpeedButton15Click(); }
    orv::FtpResult OpenSession() override;

    // --- the day's results: the day row, the grid, the search, the report, the watch
    orv::results::ResultsView* results = nullptr;

    // The "Reception" button and the worklist export.
    orv::reception::ReceptionLauncher* reception = nullptr;

public slots:
    // --- handlers
    void SpeedButton15Click();  // server check
    void netokbClick();         // network check
    void farokbClick();         // server test
    void SpeedButton18Click();  // refresh
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer() { SpeedButton18Click(); }
    void Timer6Timer();

public:
    // The reference documents: the help folder list, the recommendation flag,
    // the payment rules, normal values and test prices.
    orv::ui::ReferenceDocuments* reference = nullptr;
    // The accounting panel and the program update.
public:
    orv::accounting::AccountingPanel* accounting = nullptr;
    orv::accounting::ProgramUpdate* update = nullptr;
private:
    // end accounting

public:
    // --- everyday use (TmainformLayout.cpp)
    // The window grows from its 823 x 514: controls keep to the edges they are
    // anchored to. Another area's control joins with Anchoring->Add(control, sides).
    orv::ui::Anchors* Anchoring = nullptr;

signals:
    // The first good network check of the run: today's solar date text.
    void FirstTodayKnown(const QString& solarDate);

protected:
    void resizeEvent(QResizeEvent* event) override;  // everyday use
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildFrame();
    void BuildIndicators();
    void ConnectHandlers();
    void FormShow();
    void NetworkCheck();
    void ServerTest();
    // Opens a session and closes it again: whether the server takes our log-in now.
    bool LogInWorks();
    void ConfigureSession();
    // everyday use
    void BuildEveryday();
    void AnchorControls();
    void SetTabOrder();
    // Notes of the session's security (TmainformNotes.cpp).
    void ShowSecurity();
    void NoteReadableSettings();
    void ShowNotes();
    void LaterShowNotes(int ms);

    int busy_ = 0;
    QString lastError_;
    orv::PasswordStore* passwordStore_ = nullptr;   // none in the tests
    std::optional<std::string> storedPassword_;     // the FTP password from the store
    orv::FtpFailure lastFailure_ = orv::FtpFailure::None;
    orv::FtpResult serverDown_;  // the last failed open of a check or an action
    // A session that did not open: remembered, and for a reason that lasts the server is down.
    void NoteOpenFailure(const orv::FtpResult& opened);
    // farok false, the failure picture without a hint, and why remembered.
    void MarkServerDown(const orv::FtpResult& why);
    std::vector<std::function<void(bool)>> titleBlinkListeners_;
    QStringList notes_;  // waiting to be shown
    QStringList noted_;  // shown (or waiting) in this run
    bool notesPending_ = false;
};
