// Every server action under every fault, against the local central laboratory:
// the status line tells what really happened, the window keeps painting, the
// session ends closed, no earlier workspace file is lost or changed, nothing
// partial or temporary is left, and once the fault is cleared the same action
// works again.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include "app/ui/Forms.h"
#include "app/ui/MainWindow.h"
#include "server/core/ServerMessages.h"
#include "tests/faults/FaultActions.h"
#include "tests/faults/FaultBench.h"
#include "tests/support/TestSlice.h"

using namespace Qt::StringLiterals;
using orv::test::FaultAction;
using orv::test::FaultBench;
using orv::test::Outcome;

namespace {

enum class Local { None, DiskFull, ReadOnly };

struct Fault {
    const char* name;
    std::vector<std::string> commands;  // laboratory fault commands; "%" stands for the action's file
    Local local;
    Outcome outcome;
};

const std::vector<Fault>& Faults() {
    static const std::vector<Fault> faults = {
        {"log-in refused", {"login refuse"}, Local::None, Outcome::LogInRefused},
        {"log-in never answered", {"stall USER"}, Local::None, Outcome::LogIn},
        {"data dropped after 10 bytes", {"drop 10 %"}, Local::None, Outcome::Broken},
        {"data stalled after 10 bytes", {"stall-data 10 %"}, Local::None, Outcome::Broken},
        {"slow line", {"slow 20000"}, Local::None, Outcome::Success},
        {"file missing", {"missing %"}, Local::None, Outcome::Missing},
        {"disk full", {}, Local::DiskFull, Outcome::LocalFile},
        {"workspace not writable", {}, Local::ReadOnly, Outcome::LocalFile},
    };
    return faults;
}

// The status line for an outcome; none when the action succeeds anyway.
std::optional<QString> Failure(const FaultAction& a, Outcome o) {
    switch (o) {
        case Outcome::Success:
            return std::nullopt;
        case Outcome::LogIn:
            return a.logIn;
        case Outcome::LogInRefused:  // said as it is wherever a log-in is tried
            return a.logIn ? std::optional(QString::fromUtf8(orv::msg::kLogInRefused)) : std::nullopt;
        case Outcome::Broken:
            return a.broken;
        case Outcome::Missing:
            return a.missing;
        case Outcome::LocalFile:
            return a.localFile;
    }
    return std::nullopt;
}

bool IsTemporary(const std::string& name) { return name.find(".part-") != std::string::npos; }

}  // namespace

class FaultMatrixTest : public QObject {
    Q_OBJECT
    orv::test::CentralLab lab_;
    std::unique_ptr<FaultBench> bench_;
    std::map<std::string, int> cells_;  // outcome counts for the closing line

private slots:
    void initTestCase() { QVERIFY2(lab_.Start(orv::test::QuickFtpLab()), lab_.Error().c_str()); }
    void init() {
        QVERIFY(lab_.Control("reset"));
        bench_ = std::make_unique<FaultBench>(lab_);
        bench_->Open();
        bench_->StartUp();  // a good start: the gates are open and the check's session is closed
        QVERIFY(mainWindow->State().networkOk && mainWindow->State().serverOk && mainWindow->State().accountOk);
        QVERIFY(!mainWindow->ftp->IsOpen());
    }
    void cleanup() {
        bench_->Close();
        bench_.reset();
        lab_.Control("reset");
    }
    void cleanupTestCase() {
        QString counts;
        for (const auto& [k, n] : cells_) counts += QString::fromStdString(k) + u": "_s + QString::number(n) + u"  "_s;
        qInfo("fault matrix: %s", qPrintable(counts));
    }

    void actionUnderFault_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("fault");
        const auto actions = orv::test::Actions();
        int row = 0;
        for (size_t a = 0; a < actions.size(); ++a)
            for (size_t f = 0; f < Faults().size(); ++f)
                if (orv::test::InThisSlice(row++))
                    QTest::newRow(qPrintable(actions[a].name + u" / "_s + QString::fromLatin1(Faults()[f].name)))
                        << int(a) << int(f);
    }
    void actionUnderFault() {
        QFETCH(int, action);
        QFETCH(int, fault);
        const FaultAction a = orv::test::Actions()[size_t(action)];
        const Fault& f = Faults()[size_t(fault)];
        a.before(*bench_);
        const std::optional<QString> failure = Failure(a, f.outcome);
        const bool fails = failure.has_value();
        const QString expected = failure.value_or(a.success);
        const bool boxed = !a.box.isEmpty() && f.outcome != Outcome::LogIn && f.outcome != Outcome::LogInRefused && (fails || a.boxTellsSuccess);

        for (std::string c : f.commands) {
            if (const size_t at = c.find('%'); at != std::string::npos) c.replace(at, 1, a.remote);
            QVERIFY2(lab_.Control(c), c.c_str());
        }
        bench_->prompts->Clear();
        const auto before = bench_->Snapshot();
        if (f.local == Local::DiskFull) bench_->DiskFull(true);
        if (f.local == Local::ReadOnly && !bench_->ReadOnly(true))
            QSKIP("mounting the workspace read-only is not allowed here");

        // The window keeps painting: a 50 ms tick repaints it, and no gap between ticks grows long.
        int paints = 0;
        qint64 longestGap = 0;
        QElapsedTimer sinceTick;
        sinceTick.start();
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, mainWindow, [&] {
            longestGap = std::max(longestGap, sinceTick.restart());
            mainWindow->statusLine->repaint();
            ++paints;
        });
        ticker.start(50);
        QElapsedTimer took;
        took.start();
        a.run(*bench_);
        ticker.stop();
        bench_->DiskFull(false);
        bench_->ReadOnly(false);

        QCOMPARE(mainWindow->statusLine->text(), expected);
        // No message box but the confirmations a good run asks and the box that tells the failure.
        QVERIFY2(bench_->prompts->messages.size() == qsizetype(a.asks + (boxed ? 1 : 0)),
                 qPrintable(bench_->prompts->messages.join(u"; "_s)));
        if (boxed) {
            const QString told = bench_->prompts->messages.last();
            QVERIFY2(told.startsWith(a.box + u'|') && told.size() > a.box.size() + 1, qPrintable(told));
        }
        QVERIFY2(longestGap < 1000, qPrintable(u"the window stood still for %1 ms"_s.arg(longestGap)));
        if (took.elapsed() > 500) QVERIFY(paints >= took.elapsed() / 200);
        QVERIFY(!mainWindow->ftp->IsOpen());
        QVERIFY(!mainWindow->ServerBusy());
        QVERIFY(!QApplication::overrideCursor());

        // The workspace: the same files as before, but for the target a good run replaced.
        const auto after = bench_->Snapshot();
        for (const auto& [name, bytes] : after) QVERIFY2(!IsTemporary(name), name.c_str());
        auto expectedFiles = before;
        if (!fails && !a.target.isEmpty()) expectedFiles[a.target.toStdString()] = bench_->Served(a.served);
        if (f.outcome == Outcome::Missing && a.missingRemovesTarget) expectedFiles.erase(a.target.toStdString());
        QCOMPARE(after.size(), expectedFiles.size());
        for (const auto& [name, bytes] : expectedFiles) {
            QVERIFY2(after.count(name), name.c_str());
            QVERIFY2(after.at(name) == bytes, name.c_str());
        }
        ++cells_[fails ? "failed with the true message" : "succeeded"];

        // Cleared, the user refreshes and tries again: it works.
        if (!fails) return;
        QVERIFY(lab_.Control("reset"));
        bench_->StartUp();
        a.before(*bench_);
        a.run(*bench_);
        QCOMPARE(mainWindow->statusLine->text(), a.success);
        QVERIFY(!mainWindow->ftp->IsOpen());
        if (!a.target.isEmpty()) {
            const auto again = bench_->Snapshot();
            QVERIFY(again.at(a.target.toStdString()) == bench_->Served(a.served));
        }
    }
};

QTEST_MAIN(FaultMatrixTest)
#include "FaultMatrixTest.moc"
