// One running copy of the program per workspace: the lock, the call that
// brings the running copy forward, and real starts of the program (a second
// start on a workspace ends at once, another workspace runs beside, a killed
// copy's lock is taken over).
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>

#include "app/ui/SingleInstance.h"

using orv::ui::SingleInstance;

class SingleInstanceTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString Workspace(const char* name) const { return dir_.path() + u'/' + QString::fromLatin1(name) + u'/'; }

    // The program on `workspace`, its servers on closed local ports (nothing leaves the machine).
    std::unique_ptr<QProcess> Start(const QString& workspace) const {
        QDir().mkpath(workspace);
        QFile ini(workspace + u"orvanet.ini"_qs);
        if (!ini.exists() && ini.open(QIODevice::WriteOnly))
            ini.write("[ftp]\nhost=127.0.0.1\nport=1\n[sntp]\nhost=127.0.0.1\nport=1\ntimeout_ms=300\n");
        ini.close();
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"ORVANET_WORKSPACE"_qs, workspace);
        env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QString::fromLatin1(ORVANET_PROGRAM), {});
        return p;
    }
    static bool Locked(const QString& workspace) { return QFile::exists(workspace + u".orvanet.lock"_qs); }

private slots:
    void secondCopyOnAWorkspaceComesForward() {
        const QString a = Workspace("a"), b = Workspace("b");
        SingleInstance first(a), second(a), beside(b);
        QVERIFY(first.Acquire());
        QVERIFY(!second.Acquire());
        QVERIFY(beside.Acquire());
        QSignalSpy forward(&first, &SingleInstance::ActivationRequested);
        QVERIFY(second.NotifyRunning());
        QTRY_COMPARE(forward.count(), 1);
    }

    // A lock no running copy answers for: written on another computer (a copied
    // workspace) or left empty by a power cut. A live copy's lock is not.
    void lockNobodyAnswersForIsTakenOver() {
        const QByteArray locks[] = {"", "4242\norvanet\nanother-computer\n0123456789abcdef\n"};
        int n = 0;
        for (const QByteArray& content : locks) {
            const QString w = Workspace(n++ ? "copied" : "power-cut");
            QDir().mkpath(w);
            QFile lock(w + u".orvanet.lock"_qs);
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write(content);
            lock.close();
            SingleInstance start(w);
            QCOMPARE(start.Claim(300), SingleInstance::Start::Run);
            SingleInstance again(w);
            QSignalSpy forward(&start, &SingleInstance::ActivationRequested);
            QCOMPARE(again.Claim(), SingleInstance::Start::BroughtForward);
            QTRY_COMPARE(forward.count(), 1);
        }
    }

    // Asked to come forward before anything listens (the start waits for the secret store): not lost.
    void activationBeforeAnyoneListensComesLater() {
        const QString w = Workspace("waiting");
        SingleInstance first(w), second(w);
        QVERIFY(first.Acquire());
        QVERIFY(second.NotifyRunning());
        QTest::qWait(300);  // the request arrives while nothing is connected
        QSignalSpy forward(&first, &SingleInstance::ActivationRequested);
        QTRY_COMPARE(forward.count(), 1);
    }

    void programStartsOncePerWorkspace() {
        const QString one = Workspace("one"), two = Workspace("two");
        auto running = Start(one);
        QVERIFY(running->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(Locked(one), 10000);
        // A second start on the same workspace ends within a second or two.
        QElapsedTimer took;
        took.start();
        auto again = Start(one);
        QVERIFY(again->waitForFinished(3000));
        QCOMPARE(again->exitStatus(), QProcess::NormalExit);
        QCOMPARE(again->exitCode(), 0);
        QVERIFY2(took.elapsed() < 2500, qPrintable(QString::number(took.elapsed())));
        // Another workspace runs beside it.
        auto other = Start(two);
        QTRY_VERIFY_WITH_TIMEOUT(Locked(two), 10000);
        QVERIFY(!other->waitForFinished(1500));
        // A killed copy's lock is taken over by the next start.
        ::kill(static_cast<pid_t>(running->processId()), SIGKILL);
        QVERIFY(running->waitForFinished(5000));
        QVERIFY(Locked(one));
        auto next = Start(one);
        QVERIFY(!next->waitForFinished(2500));
        QCOMPARE(next->state(), QProcess::Running);
        for (QProcess* p : {other.get(), next.get()}) {
            p->terminate();
            if (!p->waitForFinished(5000)) p->kill();
            p->waitForFinished(2000);
        }
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "test_single_instance.moc"
