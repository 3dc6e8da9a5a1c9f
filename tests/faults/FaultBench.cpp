#include "tests/faults/FaultBench.h"

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <csignal>

#include "app/ui/Forms.h"
#include "app/ui/SignInWindow.h"
#include "accounting/ui/AccountingPanel.h"
#include "app/ui/MainWindow.h"
#include "base/core/AtomicFile.h"

namespace orv::test {

FaultBench::FaultBench(CentralLab& l) : lab(l) {}

FaultBench::~FaultBench() {
    DiskFull(false);
    ReadOnly(false);
}

QString FaultBench::Root() const { return window_.Root(); }

void FaultBench::Open() {
    prompts = std::make_unique<PromptRecorder>();
    window_.Create(lab, "17");
    // The Desktop inside the workspace, so that the local faults and the snapshot reach it.
    signInWindow->desktopFolder = Root() + QStringLiteral("Desktop");
    QDir().mkpath(signInWindow->desktopFolder);
    window_.Show();
}

void FaultBench::Close() {
    DiskFull(false);
    ReadOnly(false);
    window_.Destroy();
    prompts.reset();
}

void FaultBench::StartUp() {
    mainWindow->checkServer();
    mainWindow->accounting->refreshAccount();
}

void FaultBench::Put(const QString& name, const std::string& bytes) const {
    QVERIFY(WriteFileAtomically(QString(Root() + name).toStdString(), bytes));
}

std::string FaultBench::Served(const std::string& relative) const {
    std::string bytes;
    ReadWholeFile(lab.ServerFile(relative), bytes);
    return bytes;
}

void FaultBench::PutServerCopy(const QString& name, const std::string& served) const { Put(name, Served(served)); }

std::map<std::string, std::string> FaultBench::Snapshot() const {
    std::map<std::string, std::string> files;
    QDirIterator it(Root(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        // The archive's index is derived from the day files and changes with them.
        if (it.fileName().startsWith(QStringLiteral(".orvanet-archive.sqlite"))) continue;
        std::string bytes;
        ReadWholeFile(path.toStdString(), bytes);
        files[QDir(Root()).relativeFilePath(path).toStdString()] = bytes;
    }
    return files;
}

void FaultBench::DiskFull(bool on) {
    if (on == diskFull_) return;
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    static rlimit saved = limit;
    if (on) {
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
        saved = limit;
        limit.rlim_cur = 8;  // fewer bytes than any file the actions fetch
    } else {
        limit = saved;
    }
    setrlimit(RLIMIT_FSIZE, &limit);
    diskFull_ = on;
}

bool FaultBench::ReadOnly(bool on) {
    if (on == readOnly_) return true;
    const QByteArray path = QDir::cleanPath(Root()).toLocal8Bit();
    const QByteArray desk = QDir::cleanPath(Root() + QStringLiteral("Desktop")).toLocal8Bit();
    if (on) {
        // A read-only mount binds root as well; a user who is not root is bound by the folders' modes.
        if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0) {
            if (::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
                ::umount2(path.constData(), MNT_DETACH);
                return false;
            }
            mounted_ = true;
        } else if (::geteuid() != 0) {
            if (::chmod(path.constData(), 0555) != 0 || ::chmod(desk.constData(), 0555) != 0) return false;
        } else {
            return false;
        }
    } else if (mounted_) {
        ::umount2(path.constData(), MNT_DETACH);
        mounted_ = false;
    } else {
        ::chmod(desk.constData(), 0755);
        ::chmod(path.constData(), 0755);
    }
    readOnly_ = on;
    return true;
}

}  // namespace orv::test
