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
#include "accounting/core/Account.h"
#include "base/core/TextFile.h"
#include "results/ui/ResultsView.h"
#include "server/core/FtpSession.h"
#include "server/core/PasswordStore.h"
#include "server/core/ServerSettings.h"
#include "server/core/SntpClient.h"
#include "server/ui/ServerAction.h"
#include "server/ui/WindowFrame.h"

namespace orv::docs {
struct Place;
}  // namespace orv::docs
namespace orv::ui {
class Anchors;
}  // namespace orv::ui
namespace orv::accounting {
class SpinButton;
}  // namespace orv::accounting

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
    int timerr2 = 0;  // new-notice blink ticks
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
    QLabel *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr, *Label6 = nullptr,
           *Label7 = nullptr, *Label16 = nullptr, *Label19 = nullptr, *Label20 = nullptr, *Label22 = nullptr,
           *Label23 = nullptr, *Label24 = nullptr;
    QLabel *Label14 = nullptr, *Label15 = nullptr, *Label17 = nullptr, *Label18 = nullptr;  // indicator captions
    QLabel *Image2 = nullptr, *Image4 = nullptr, *Image5 = nullptr, *Image6 = nullptr,
           *Image7 = nullptr, *Image8 = nullptr, *Image9 = nullptr, *Image10 = nullptr;
    QListWidget *ListBox1 = nullptr, *ListBox2 = nullptr;
    TSolarDatePicker* SolarDatePicker2 = nullptr;        // hidden, in the accounting panel: date arithmetic
    TSolarMonthCalendar* SolarMonthCalendar2 = nullptr;  // hidden, in the accounting panel
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton8 = nullptr, *SpeedButton9 = nullptr,
                *SpeedButton15 = nullptr, *SpeedButton18 = nullptr, *SpeedButton20 = nullptr, *SpeedButton21 = nullptr;
    QToolButton* serverSettingsButton = nullptr;
    QToolButton *netokb = nullptr, *farokb = nullptr;
    QPlainTextEdit *Memo1 = nullptr, *Memo5 = nullptr;
    QProgressBar *Gauge1 = nullptr, *ProgressBar1 = nullptr;
    QFrame* Panel1 = nullptr;
    QTimer *Timer1 = nullptr, *Timer2 = nullptr, *Timer3 = nullptr, *Timer4 = nullptr, *Timer5 = nullptr,
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
    orv::FtpResult OpenSession() override;

    // --- the day's results: the day row, the grid, the search, the report, the watch
    orv::results::ResultsView* results = nullptr;

    // reception
    void SpeedButton21Click();  // the worklist export (run by the reception window)
    void BuildReception();      // the "Reception" button usable, the export wired

public slots:
    // --- handlers
    void SpeedButton15Click();  // server check
    void netokbClick();         // network check
    void farokbClick();         // server test
    void SpeedButton18Click();  // refresh
    void SpeedButton20Click();  // reception window
    void SpeedButton2Click();   // account refresh
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer() { SpeedButton18Click(); }
    void Timer4Timer();
    void Timer5Timer();
    void Timer6Timer();

    // documents: the help folder list, the recommendation flag, the payment rules,
    // normal values and test prices (TmainformReference.cpp)
    void SpeedButton8Click();  // "Download Files"
    void ListBox1DblClick();
    void Label16Click();  // the recommendation flag
    void Label4Click();   // "Show Laws"
    void Label28Click();  // "< مشاهده قوانین پرداخت >"
    void N2Click();       // normal values of the selected test
    void N3Click();       // price of the selected test
    bool RecommendationFlagged() const;
    void RaiseRecommendationFlag();
    void BuildReference();
    void ShowFolderList();
    void FillFolderList(const std::vector<std::string>& lines);
    void RecordRecommendationRead();
    void OpenReference(const QString& path);
    // Hands a file to the desktop's program for it; a program that then fails
    // to open it is said on the status line. False when no program took it.
    bool HandToDesktop(const QString& path);
    void SayNotOpened(const QString& path);
    void ShowTestsInformation(const orv::docs::Place& doc, bool restartFlash);
    bool FetchTestsDocument();
    // accounting (TmainformAccount.cpp, TmainformPayment.cpp, TmainformUpdate.cpp)
public:
    double tav = 0;      // sample-volume factor, bill line 4
    int maxb = 120;      // overdue limit in days, bill line 5
    QString parmah;      // period of the first unpaid month, e.g. 1401/05
    bool par = false;    // a payment was requested in this run
    bool ver = false;    // the program was found current
    bool nodata = true;  // the bill has no unpaid month
    qint64 kol = 0;      // the first unpaid month's amount, rials
    qint64 m = 0;        // the same after both discounts
    QString pardata;     // the payment record
    QString ghabz;       // the last message's name
    QLabel *Label32 = nullptr, *Label21 = nullptr, *Label35 = nullptr, *Label10 = nullptr, *Label8 = nullptr,
           *Label25 = nullptr, *Label26 = nullptr, *Label29 = nullptr, *Label27 = nullptr, *Label33 = nullptr,
           *Label28 = nullptr;
    QPlainTextEdit *Memo2 = nullptr, *Memo3 = nullptr;
    QToolButton *SpeedButton10 = nullptr, *SpeedButton12 = nullptr, *SpeedButton13 = nullptr,
                *SpeedButton14 = nullptr, *SpeedButton17 = nullptr, *calculat = nullptr;
    QLineEdit* Edit3 = nullptr;
    orv::accounting::SpinButton* SpinButton1 = nullptr;
    // The random message number 0..999 (tests fix it).
    std::function<int()> MessageNumber;
    // The bill lines held in Memo1.
    std::vector<std::string> BillLines() const;
    // Today's solar date from the last network check, ya/ma/da.
    std::string Today() const;
public slots:
    void SpeedButton1Click();   // open the accounting panel
    void SpeedButton12Click();  // close it
    void SpeedButton13Click();  // update current payment
    void calculatClick();       // debt calculation
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void SpeedButton17Click();     // the chosen month's bill
    void SpeedButton10Click();     // payment request
    void SpeedButton10DblClick();
    void SpeedButton14Click();     // send the message
    void Image6DblClick();         // update indicator
    void SpeedButton9Click();      // update download
private:
    void BuildAccounting();
    void VersionCheck(const orv::accounting::Account& account);
    void RaiseNotice();
    void ShowMonthChoice();
    QString billUnreadable_;  // why the last downloaded bill could not be read; empty when it was
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
