#pragma once
// One running copy of the program per workspace, as desktop programs do: a lock
// file in the workspace (the lock a killed copy left is taken over) and a local
// socket named after the workspace, through which a second start asks the
// running copy to bring its windows forward before it ends. Another workspace
// is another lock: its copy runs beside.
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

signals:
    void ActivationRequested();

private:
    QString name_;  // the local socket's name
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
};

}  // namespace orv::ui
