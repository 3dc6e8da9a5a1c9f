#include "app/ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMetaMethod>
#include <QThread>

#include "app/core/KeptFiles.h"
#include "base/core/AtomicFile.h"

namespace orv::ui {

namespace {
QString CanonicalFolder(const QString& root) {
    CreatePrivateFolder(root.toStdString());
    const QString canonical = QDir(root).canonicalPath();
    return canonical.isEmpty() ? QDir(root).absolutePath() : canonical;
}
}  // namespace

SingleInstance::SingleInstance(const QString& workspaceRoot, QObject* parent)
    : QObject(parent), lock_(CanonicalFolder(workspaceRoot) + u'/' + QString::fromLatin1(kWorkspaceLockName)) {
    const QByteArray folder = CanonicalFolder(workspaceRoot).toUtf8();
    name_ = QStringLiteral("orvanet-") +
            QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(20));
    lock_.setStaleLockTime(0);  // a running copy's lock never ages: only a dead copy's is taken over
}

bool SingleInstance::Acquire() {
    if (!lock_.tryLock(0)) return lock_.error() != QLockFile::LockFailedError;
    Listen();
    return true;
}

void SingleInstance::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(name_);  // the socket a killed copy left behind (the lock is ours now)
    server_->listen(name_);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            peer->disconnectFromServer();
            if (isSignalConnected(QMetaMethod::fromSignal(&SingleInstance::ActivationRequested)))
                emit ActivationRequested();
            else
                pendingActivation_ = true;
        }
    });
}

void SingleInstance::connectNotify(const QMetaMethod& signal) {
    if (signal != QMetaMethod::fromSignal(&SingleInstance::ActivationRequested) || !pendingActivation_) return;
    pendingActivation_ = false;
    QMetaObject::invokeMethod(this, &SingleInstance::ActivationRequested, Qt::QueuedConnection);
}

SingleInstance::Start SingleInstance::Claim(int timeoutMs) {
    if (Acquire()) return Start::Run;
    if (NotifyRunning(timeoutMs)) return Start::BroughtForward;
    // Nobody answers: a lock from another computer or an empty one goes. One a
    // live copy here holds stays (its file lock keeps the file from being removed).
    if (!lock_.removeStaleLockFile() || !lock_.tryLock(0)) return Start::Unanswered;
    Listen();
    return Start::Run;
}

bool SingleInstance::NotifyRunning(int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    // The running copy may be starting and not listen yet: a few tries.
    while (waited.elapsed() < timeoutMs) {
        QLocalSocket socket;
        socket.connectToServer(name_);
        if (socket.waitForConnected(250)) {
            socket.write("show\n");
            socket.waitForBytesWritten(250);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

}  // namespace orv::ui
