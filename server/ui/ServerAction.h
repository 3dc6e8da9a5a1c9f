#pragma once
// One server action of the main window, described as data and run by
// MainWindow::RunServerAction, which follows the standard sequence:
//
//   1. gauge := 0 (resetGauge)
//   2. gates in this order: netok (network message of networkForm), farok (server
//      message), billok (accounting-lock message); a closed gate stops the action
//   3. hourglass cursor, wait message on the status line
//   4. open the session (openSession; only while netok); a failed open: server message
//   5. max, source, dest := the action's
//   6. transfer on a worker thread while the window keeps running; on failure:
//      close, flash failureText
//   7. close, flash successText, gauge := max, normal cursor
//
// A second server action started while one runs is refused (Refused, with a beep).
//
//   ServerAction a = ServerAction::Download(remote, local, 900);
//   a.testFarok = a.testBillok = a.resetGauge = true;
//   a.failureText = ...; a.successText = rowday + u" File Download succesfully."_s;
//   if (RunServerAction(a) == ActionResult::Done) { load the file ... }
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "server/core/FtpSession.h"

namespace orv {

enum class NetworkForm { Update, Refresh };

enum class ActionResult {
    Refused,         // a gate was closed, or another server action was running
    OpenFailed,      // the session did not open (server message shown)
    TransferFailed,  // the transfer failed (failureText shown)
    Done,            // transferred (successText shown)
};

struct ServerAction {
    using Transfer = std::function<FtpResult(FtpSession&)>;

    bool resetGauge = false;
    bool testNetok = true;
    NetworkForm networkForm = NetworkForm::Update;
    bool testFarok = false;
    bool testBillok = false;
    // false: use the session the server check left open (the account refresh).
    bool openSession = true;

    qint64 max = 0;
    QString source;
    QString dest;
    Transfer transfer;  // runs on a worker thread, with the session open

    QString failureText;
    // A download whose "not ready" text (no sample sent yet, result not ready)
    // is true only when the server has no such file: shown then; a transfer that
    // broke off shows the interrupted message instead of failureText.
    QString notReadyText;
    // A local file that could not be written (disk full, folder not writable);
    // empty: the workspace's message. An action saving elsewhere names its place.
    QString localFailureText;
    QString successText;  // empty: the status line is left as it is

    // The status line after a failed transfer (msg::TransferFailure).
    QString FailureMessage(const FtpResult& result) const;

    // A download into a local file: replaced only when the whole file arrived.
    static ServerAction Download(const QString& remote, const QString& local, qint64 max);
    // A download into memory; `out` must outlive the action (a field or a local of the caller).
    static ServerAction DownloadToMemory(const QString& remote, std::string* out, qint64 max);
    static ServerAction Upload(const QString& local, const QString& remote);
    static ServerAction UploadBytes(const QByteArray& bytes, const QString& remote);
    // Change directory to `folder`, then its long listing into `lines`.
    static ServerAction ListFolder(const QString& folder, std::vector<std::string>* lines);
};

}  // namespace orv
