#pragma once
// The main window as its parts see it. The results view, the accounting panel,
// the reference documents, the program update and the reception launcher each
// own their controls and handlers; what they share (the status line, the
// indicators, the server action, the session's state, the workspace) they
// reach through this frame, which the main window implements.
//
//   orv::ServerAction a = orv::ServerAction::Download(remote, local, size);
//   a.testFarok = true;
//   if (frame.RunServerAction(a) == orv::ActionResult::Done) frame.FillTransferGauge();
#include <QString>
#include <functional>
#include <string>

#include "server/core/FtpSession.h"
#include "server/core/ServerSettings.h"
#include "server/ui/ServerAction.h"

class QWidget;

namespace orv::ui {

// The four indicators under "Program Status".
enum class Indicator { Network, Server, Security, UpToDate };
enum class IndicatorState { Success, Failure, Pending };

// What the parts share of the run: set by the checks and the account refresh,
// read by the server actions.
struct SessionState {
    QString labFolderCode;        // the laboratory's folder on the server, from the access code
    bool networkOk = false;       // the last network check reached the time server
    bool serverOk = false;        // the server took our log-in at the last check
    bool accountOk = false;       // no overdue bill closes the gate on server work
    bool accountBlocked = false;  // the bill asks to close that gate once payment is overdue
    int noticeRead = 0;           // the message counter last read ("check.txt")
    QString year, month, day;     // today's solar date from the last good network check
    QString shownDay;             // the day the results view shows, as its date text

    // Today's solar date, "YYYY/MM/DD".
    std::string Today() const { return QString(year + u'/' + month + u'/' + day).toStdString(); }
};

class WindowFrame {
public:
    virtual ~WindowFrame() = default;

    // The window the parts place their controls on, at its design coordinates
    // (823 x 514); Anchor says which of its edges a control keeps to as it grows.
    virtual QWidget* Canvas() = 0;
    enum Side { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };
    virtual void Anchor(QWidget* control, int sides) = 0;

    virtual SessionState& State() = 0;
    virtual QString WorkspaceRoot() const = 0;  // ends with its separator
    virtual QString DesktopFolder() const = 0;  // no trailing separator

    // --- the status line
    // Shows a message with the blink (restarting a blink that runs).
    virtual void Flash(const QString& message) = 0;
    void Flash(const char* utf8) { Flash(QString::fromUtf8(utf8)); }
    void Flash(const std::string& utf8) { Flash(QString::fromStdString(utf8)); }
    virtual void ShowWait() = 0;                      // the wait message, without the blink
    virtual void SetStatus(const QString& text) = 0;  // without the blink
    virtual QString StatusText() const = 0;
    virtual void RestartBlink() = 0;  // the blink again over the text shown
    // A quiet note shown once per run when the status line is free.
    virtual void Note(const QString& text) = 0;
    // The title blink: `caption` in the title every other second ("   " stops it);
    // each tick tells `listener` whether the title shows it.
    virtual void SetTitleBlink(const QString& caption) = 0;
    virtual void OnTitleBlink(std::function<void(bool captionShown)> listener) = 0;
    virtual bool TitleBlinking() const = 0;

    // --- the indicators
    virtual void SetIndicator(Indicator which, IndicatorState state) = 0;
    virtual QWidget* IndicatorWidget(Indicator which) = 0;

    // --- cursor, event pumping and the transfer gauge
    virtual void Hourglass() = 0;
    virtual void NormalCursor() = 0;
    virtual void ProcessMessages() = 0;  // a click on a server action meanwhile is refused
    virtual void ResetTransferGauge() = 0;
    virtual void FillTransferGauge() = 0;

    // --- the server
    // The standard server action (ServerAction.h); one at a time.
    virtual ActionResult RunServerAction(const ServerAction& action) = 0;
    virtual bool ServerBusy() const = 0;
    // Runs `work` now, or as soon as the server action that runs has ended.
    virtual void RunWhenIdle(std::function<void()> work) = 0;
    // Runs blocking `work` off the UI thread while the window keeps running.
    virtual void Wait(const std::function<void()>& work, const std::function<void()>& cancel) = 0;
    virtual QString LastServerError() const = 0;
    virtual FtpFailure LastServerFailure() const = 0;
    virtual QString ServerDownMessage() const = 0;
    virtual void CloseSession() = 0;
    virtual FtpSession& Session() = 0;
    virtual ServerSettings Settings() const = 0;
    // The 35-second refresh: started again after the account refresh.
    virtual void StartRefreshTimer() = 0;

    // The central laboratory's notice numbered `counter` (digits) was read:
    // kept in "check.txt" so that the next start does not raise it again.
    virtual void RecordNoticeRead(const QString& counter) = 0;

    // Hands a local file to the desktop's program for it; a program that then
    // fails to open it is said on the status line (SayNotOpened). False when
    // no program took it.
    virtual bool HandToDesktop(const QString& path) = 0;
    virtual void SayNotOpened(const QString& path) = 0;

    // The server check (network, log-in, the indicators) as the refresh runs it:
    // the accounting panel's "update current payment" starts with it.
    virtual void CheckServer() = 0;
    // Opens the session with the settings as they are now, off the UI thread: the
    // results view's quiet look at today's file when the refresh left none open.
    virtual FtpResult OpenSession() = 0;
};

}  // namespace orv::ui
