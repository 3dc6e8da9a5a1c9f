#pragma once
// The server actions of the fault matrix, one row each. A row says how to bring
// the main window to the point where the user starts the action, how to start
// it, which server file the data faults hit, which local file it writes, and
// what the status line says for each kind of outcome.
//
// To add an action, add a row to Actions() below: `before` makes the state the
// user starts from (the start-up check has already run and closed its session),
// `run` presses the button, `remote` is a pattern of the server path it fetches
// (as the laboratory's fault commands match it), `target` the workspace file it
// writes (empty for none, relative to the workspace; the Desktop is its
// "Desktop" folder), and the texts. An action whose file stays in memory gives
// no text for the two local faults; an action that uses an open session gives
// none for the log-in faults.
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv::test {

class FaultBench;

enum class Outcome { Success, LogIn, LogInRefused, Broken, Missing, LocalFile };

struct FaultAction {
    QString name;
    std::function<void(FaultBench&)> before;
    std::function<void(FaultBench&)> run;
    std::string remote;  // fault pattern of the server file, lower case with "/"
    QString target;      // the workspace file it writes; empty: none
    QString success;     // the status line after a good run
    // The status line for each failing outcome; none: the action succeeds anyway.
    std::optional<QString> logIn, broken, missing, localFile;
    // The server's copy of `target`, relative to the laboratory's root.
    std::string served;
    // A file the server no longer has is not kept locally either: the missing
    // fault removes `target` (every other fault keeps the copy from before).
    bool missingRemovesTarget = false;
    // A transfer that fails once the session is open is told in a message box
    // with this caption (and the status line as given); empty: no box.
    QString box = {};
    // So is a transfer that succeeds.
    bool boxTellsSuccess = false;
    // Message boxes shown whatever the outcome (a confirmation answered OK).
    int asks = 0;
};

std::vector<FaultAction> Actions();

}  // namespace orv::test
