#pragma once
// One running copy of the program per workspace, as desktop programs do: a lock
// file in the workspace and a local socket named after the workspace, through
// which a second start asks the running copy to bring its windows forward before
// it ends. A lock no running copy answers for on the socket (a killed copy's, one
// written on another computer and copied with the workspace, an empty one left
// by a power cut) is taken over. Another workspace is another lock: its copy runs beside.
#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

namespace orv::ui {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& workspaceRoot, QObject* parent = nullptr);

    // True when this copy may use the workspace: it holds the lock (or no lock
    // can be made there at all, and the program runs as it would without one).
    bool Acquire();
    // Asks the copy holding the workspace to come forward; true when it was reached.
    bool NotifyRunning(int timeoutMs = 1500);

    enum class Start {
        Run,             // this copy holds the workspace
        BroughtForward,  // another copy holds it and was asked to come forward
        Unanswered,      // another copy holds it and does not answer
    };
    // Acquire, else ask the holder to come forward, else take over the lock
    // nobody answered for (refused while a live copy on this computer holds it).
    Start Claim(int timeoutMs = 1500);

signals:
    // A second start asked this copy to come forward. One asked for before
    // anything listens (while the start waits for the secret store) comes as
    // soon as something does.
    void ActivationRequested();

protected:
    void connectNotify(const QMetaMethod& signal) override;

private:
    void Listen();
    bool pendingActivation_ = false;
    QString name_;  // the local socket's name
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
};

}  // namespace orv::ui
