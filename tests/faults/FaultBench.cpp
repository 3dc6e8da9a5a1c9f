#include "tests/faults/FaultBench.h"

#include <sys/mount.h>
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "app/ui/Forms.h"
#include "app/ui/TForm1.h"
#include "app/ui/Tmainform.h"
#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"

namespace orv::test {

FaultBench::FaultBench(CentralLab& l) : lab(l), dir_(std::make_unique<QTemporaryDir>()) {}

FaultBench::~FaultBench() {
    DiskFull(false);
    ReadOnly(false);
}

QString FaultBench::Root() const { return dir_->path() + QStringLiteral("/lab/"); }

void FaultBench::Open() {
    qputenv("ORVANET_WORKSPACE", Root().toUtf8());
    QDir().mkpath(Root());
    lab.WriteSettings(Root().toStdString());
    WriteTextFile(QString(Root() + QStringLiteral("check.txt")).toStdString(), {"17"});
    prompts = std::make_unique<PromptRecorder>();
    CreateForms();
    mainform->pooshe = QString::fromStdString(lab.Folder());
    mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainform));
    QTRY_VERIFY(!mainform->Timer1->isActive());
}

void FaultBench::Close() {
    DiskFull(false);
    ReadOnly(false);
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    DestroyForms();
    prompts.reset();
    QDir(Root()).removeRecursively();
}

void FaultBench::StartUp() {
    mainform->SpeedButton15Click();
    mainform->SpeedButton2Click();
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
    if (on) {
        if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) != 0) return false;
        if (::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            ::umount2(path.constData(), MNT_DETACH);
            return false;
        }
    } else {
        ::umount2(path.constData(), MNT_DETACH);
    }
    readOnly_ = on;
    return true;
}

}  // namespace orv::test
