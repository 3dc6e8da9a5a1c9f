// What the user waits on, measured on the real windows (offscreen) against the
// local laboratory on loopback; each figure is printed with its goal.
//
//   bench_window gaps      the main window during a 100 MB download run as a standard server
//                          action, and during a 2 MB one at 64 KB/s: a 5 ms timer records the
//                          gaps between its ticks (longest, 99th percentile); the gauge's moves
//   bench_window startup   process start to the sign-in window's first paint, and Ok to the
//                          main window's first paint: 10 fresh processes, medians
//   bench_window memory    peak resident size after showing a 50,000-line result day
//   bench_window           all three
//   bench_window archive FOLDER
//                          resident size of the main window signed in on a workspace holding
//                          the ten-year archive that bench_archive made in FOLDER (its index
//                          in step), after a search across every day and a patient's history
//
// The start-up and memory figures come from fresh child processes of this program that
// start the windows as main.cpp does.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/ui/AppFonts.h"
#include "app/ui/Forms.h"
#include "app/ui/SignInWindow.h"
#include "app/ui/MainWindow.h"
#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"
#include "results/ui/ArchiveSearcher.h"
#include "results/ui/ResultGridModel.h"
#include "results/ui/ResultsView.h"
#include "solar/widgets/SolarLook.h"
#include "tests/support/CentralLab.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
// steady_clock is CLOCK_MONOTONIC: one clock for a parent and its children.
long long NowNs() { return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

// A workspace with settings for `lab` and "check.txt".
std::string Workspace(const QTemporaryDir& dir, const orv::test::CentralLab& lab) {
    const std::string root = dir.path().toStdString() + "/ws/";
    QDir().mkpath(QString::fromStdString(root));
    lab.WriteSettings(root);
    orv::WriteTextFile(root + "check.txt", {"17"});
    return root;
}

bool MakeServerFile(const orv::test::CentralLab& lab, const std::string& relative, size_t size) {
    std::string bytes(size, 'x');
    for (size_t i = 0; i < size; i += 61) bytes[i] = static_cast<char>('a' + i % 26);
    return orv::WriteFileAtomically(lab.ServerFile(relative), bytes).ok;
}

// ---- the window during a transfer

struct Gaps {
    double longest = 0, p99 = 0, gaugeLongest = 0, seconds = 0;
    bool ok = false;
};

Gaps RunDownload(const QString& remote, const QString& local, qint64 size) {
    Gaps g;
    std::vector<double> gaps, gaugeGaps;
    auto last = Clock::now();
    auto lastGauge = last;
    auto begin = last;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        gaps.push_back(Ms(now - last));
        if (qEnvironmentVariableIsSet("BENCH_WINDOW_TRACE") && gaps.back() > 8)
            std::fprintf(stderr, "gap %.1f ms ending %.1f ms into the action\n", gaps.back(), Ms(now - begin));
        last = now;
    });
    const auto conn = QObject::connect(mainWindow->transferGauge, &QProgressBar::valueChanged, [&] {
        const auto now = Clock::now();
        gaugeGaps.push_back(Ms(now - lastGauge));
        lastGauge = now;
    });
    orv::ServerAction a = orv::ServerAction::Download(remote, local, size);
    a.resetGauge = a.testFarok = a.testBillok = true;
    a.failureText = QStringLiteral("failed");
    a.successText = QStringLiteral("done");
    const auto start = Clock::now();
    last = lastGauge = begin = start;
    tick.start();
    g.ok = mainWindow->RunServerAction(a) == orv::ActionResult::Done;
    tick.stop();
    QObject::disconnect(conn);
    g.seconds = Ms(Clock::now() - start) / 1000;
    g.longest = gaps.empty() ? 0 : *std::max_element(gaps.begin(), gaps.end());
    g.p99 = Percentile(gaps, 0.99);
    g.gaugeLongest = gaugeGaps.empty() ? 0 : *std::max_element(gaugeGaps.begin(), gaugeGaps.end());
    return g;
}

int GapsBench() {
    orv::test::CentralLab lab;
    if (!lab.Start()) return std::fprintf(stderr, "%s\n", lab.Error().c_str()), 1;
    QTemporaryDir dir;
    const std::string root = Workspace(dir, lab);
    qputenv("ORVANET_WORKSPACE", QByteArray::fromStdString(root));
    const size_t big = 100u << 20, small = 2u << 20;
    QDir().mkpath(QString::fromStdString(lab.ServerFile("bench")));
    if (!MakeServerFile(lab, "bench/big.bin", big) || !MakeServerFile(lab, "bench/small.bin", small)) return 1;

    CreateForms();
    mainWindow->State().labFolderCode = QStringLiteral("12");
    mainWindow->show();
    mainWindow->firstShowTimer->stop();  // the start-up refresh would be a server action of its own
    mainWindow->State().networkOk = mainWindow->State().serverOk = mainWindow->State().accountOk = true;
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300) QApplication::processEvents();

    const QString local = QString::fromStdString(root);
    Gaps full = RunDownload(QStringLiteral("/bench/big.bin"), local + QStringLiteral("big.bin"), big);
    std::printf("window during a 100 MB download (%.2f s): longest gap %.1f ms, 99th percentile %.1f ms  "
                "(goal: longest <= 16 ms)%s\n",
                full.seconds, full.longest, full.p99, full.ok && full.longest <= 16 ? "" : "  MISSED");
    lab.Control("slow 65536");
    Gaps slow = RunDownload(QStringLiteral("/bench/small.bin"), local + QStringLiteral("small.bin"), small);
    std::printf("window during a 2 MB download at 64 KB/s (%.1f s, %s): longest gap %.1f ms, 99th percentile %.1f ms, "
                "gauge moved at least every %.0f ms  (goal: longest <= 16 ms, gauge <= 500 ms)%s\n",
                slow.seconds, slow.ok ? "arrived" : "FAILED", slow.longest, slow.p99, slow.gaugeLongest,
                slow.ok && slow.longest <= 16 && slow.gaugeLongest <= 500 ? "" : "  MISSED");
    DestroyForms();
    return full.ok && slow.ok ? 0 : 1;
}

// ---- start-up

// The child: the program's start as main.cpp does it, then the sign-in as a user does it.
int StartupChild(long long spawnNs, const QString& code) {
    int argc = 1;
    char name[] = "orvanet";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanet"));
    QApplication::setQuitOnLastWindowClosed(false);
    orv::ui::InstallFonts();
    orv::solar::UseLocaleShortDateFormat();
    CreateForms();

    struct Probe : QObject {
        long long spawn = 0, okNs = 0;
        double signin = -1, main = -1;
        QString code;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() != QEvent::Paint) return false;
            if (o == signInWindow && signin < 0) {
                signin = (NowNs() - spawn) / 1e6;
                // Wait, as a user typing the code does, for the start-up check to end; then Ok.
                auto* poll = new QTimer(signInWindow);
                poll->setInterval(2);
                QObject::connect(poll, &QTimer::timeout, [this, poll] {
                    if (!signInWindow->startCheckDone) return;
                    poll->stop();
                    signInWindow->accessCodeField->setText(code);
                    okNs = NowNs();
                    signInWindow->okButton->click();
                });
                poll->start();
            } else if (o == mainWindow && main < 0 && okNs) {
                main = (NowNs() - okNs) / 1e6;
                std::printf("signin_ms=%.1f main_ms=%.1f\n", signin, main);
                std::fflush(stdout);
                std::_Exit(0);  // measured; nothing to save
            }
            return false;
        }
    } probe;
    probe.spawn = spawnNs;
    probe.code = code;
    app.installEventFilter(&probe);
    signInWindow->show();
    QTimer::singleShot(20000, [] { std::_Exit(3); });
    return QApplication::exec();
}

int StartupBench(const char* self) {
    orv::test::CentralLab lab;
    if (!lab.Start()) return std::fprintf(stderr, "%s\n", lab.Error().c_str()), 1;
    QTemporaryDir dir;
    const std::string root = Workspace(dir, lab);
    std::vector<double> signin, main;
    for (int i = 0; i < 10; ++i) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORVANET_WORKSPACE"), QString::fromStdString(root));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        const long long spawn = NowNs();
        child.start(QString::fromLocal8Bit(self), {QStringLiteral("--startup-child"), QString::number(spawn),
                                                    QString::number(lab.AccessCode())});
        if (!child.waitForFinished(30000) || child.exitCode() != 0) {
            std::fprintf(stderr, "start-up child failed: %s\n", child.readAllStandardError().constData());
            return 1;
        }
        double s = -1, m = -1;
        std::sscanf(child.readAllStandardOutput().constData(), "signin_ms=%lf main_ms=%lf", &s, &m);
        signin.push_back(s);
        main.push_back(m);
    }
    const double s = Median(signin), m = Median(main);
    std::printf("start-up: process start to the sign-in window's first paint %.0f ms (goal <= 200 ms)%s\n", s,
                s <= 200 ? "" : "  MISSED");
    std::printf("          Ok to the main window's first paint %.0f ms (goal <= 150 ms)%s\n", m,
                m <= 150 ? "" : "  MISSED");
    return 0;
}

// ---- memory

// A line of /proc/self/status in kB: VmRSS (resident now) or VmHWM (its peak).
long StatusKb(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}
long PeakResidentKb() { return StatusKb("VmHWM:"); }
long ResidentKb() { return StatusKb("VmRSS:"); }

// A child process's application with the program's fonts and windows made.
struct WindowChild {
    int argc = 1;
    char name[8] = "orvanet";
    char* argv[2] = {name, nullptr};
    QApplication app{argc, argv};
    WindowChild() {
        orv::ui::InstallFonts();
        CreateForms();
    }
};

void RunEvents(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

int MemoryChild() {
    WindowChild child;
    const long before = PeakResidentKb();
    mainWindow->show();
    mainWindow->firstShowTimer->stop();
    mainWindow->results->setDateText(QStringLiteral("1401/06/30"));
    mainWindow->results->showDay();
    RunEvents(500);
    const int rows = mainWindow->results->resultModel->rowCount();
    std::printf("rows=%d before_kb=%ld peak_kb=%ld\n", rows, before, PeakResidentKb());
    std::fflush(stdout);
    std::_Exit(0);
}

int ArchiveChild() {
    WindowChild child;
    QElapsedTimer ready;
    ready.start();
    mainWindow->show();
    mainWindow->firstShowTimer->stop();
    mainWindow->results->setDateText(QStringLiteral("1404/12/29"));
    mainWindow->results->showDay();
    while (!mainWindow->results->archiveSearcher->Ready() && ready.elapsed() < 600000) RunEvents(20);
    const double readyMs = static_cast<double>(ready.elapsed());
    RunEvents(300);
    const long signedIn = ResidentKb();
    QTest::mouseClick(mainWindow->results->allDaysButton, Qt::LeftButton);
    QElapsedTimer typed;
    typed.start();
    for (const char* text : {"ر", "رض", "رضا", "رضای", "رضایی"}) mainWindow->results->searchField->setText(QString::fromUtf8(text));
    const double typingMs = static_cast<double>(typed.elapsed());
    const int hits = mainWindow->results->hitList->count();
    mainWindow->results->showPatientHistory(QStringLiteral("پرستو میرزایی"));
    RunEvents(500);
    std::printf("ready_ms=%.0f signed_in_kb=%ld typing_ms=%.0f hits=%d after_kb=%ld peak_kb=%ld\n", readyMs, signedIn,
                typingMs, hits, ResidentKb(), PeakResidentKb());
    std::fflush(stdout);
    std::_Exit(0);
}

int ArchiveBench(const char* self, const QString& folder) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ORVANET_WORKSPACE"), folder.endsWith(u'/') ? folder : folder + u'/');
    child.setProcessEnvironment(env);
    child.start(QString::fromLocal8Bit(self), {QStringLiteral("--archive-child")});
    if (!child.waitForFinished(900000) || child.exitCode() != 0) return 1;
    double readyMs = 0, typingMs = 0;
    long signedIn = 0, after = 0, peak = 0;
    int hits = 0;
    std::sscanf(child.readAllStandardOutput().constData(),
                "ready_ms=%lf signed_in_kb=%ld typing_ms=%lf hits=%d after_kb=%ld peak_kb=%ld", &readyMs, &signedIn,
                &typingMs, &hits, &after, &peak);
    std::printf("archive: index in step %.1f s after the window showed; resident %.0f MB signed in, %.0f MB after a "
                "search typed letter by letter (%.0f ms for 5 letters, %d lines listed) and a history; peak %.0f MB "
                "(goal <= 120 MB)%s\n",
                readyMs / 1000, signedIn / 1024.0, after / 1024.0, typingMs, hits, peak / 1024.0,
                after / 1024.0 <= 120 ? "" : "  MISSED");
    return hits > 0 ? 0 : 1;
}

// The day's file, 50,000 lines of 25 fields as the server sends them (code page 1256).
bool WriteBigDay(const std::string& path) {
    const char* const names[] = {"محمد رضا کاظمي", "فاطمه  گلي", "علی احمدی", "زهرا رضایی", "حسین  کریمی"};
    std::vector<std::string> lines;
    for (int i = 1; i <= 50000; ++i) {
        std::string line = std::to_string(i) + "   R" + std::to_string(140000 + i) + "   " + std::to_string(i % 997) +
                           "   " + std::to_string(20 + i % 60) + "   " + names[i % 5] + "   ";
        for (int t = 0; t < 20; ++t) line += "Test" + std::to_string(t) + "=" + std::to_string((i * 7 + t) % 300) + "   ";
        lines.push_back(std::move(line));
    }
    return orv::WriteTextFile(path, lines).ok;
}

int MemoryBench(const char* self) {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString() + "/";
    if (!WriteBigDay(root + "14010630.txt")) return 1;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ORVANET_WORKSPACE"), QString::fromStdString(root));
    child.setProcessEnvironment(env);
    child.start(QString::fromLocal8Bit(self), {QStringLiteral("--memory-child")});
    if (!child.waitForFinished(60000) || child.exitCode() != 0) return 1;
    int rows = 0;
    long before = 0, peak = 0;
    std::sscanf(child.readAllStandardOutput().constData(), "rows=%d before_kb=%ld peak_kb=%ld", &rows, &before, &peak);
    std::printf("memory: peak resident size after showing a 50,000-line result day (%d grid rows) %.0f MB (%.0f MB before loading it) "
                "(goal <= 150 MB)%s\n",
                rows, peak / 1024.0, before / 1024.0, peak / 1024.0 <= 150 ? "" : "  MISSED");
    return rows > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--startup-child") == 0)
        return StartupChild(std::atoll(argv[2]), QString::fromLatin1(argv[3]));
    if (argc >= 2 && std::strcmp(argv[1], "--memory-child") == 0) return MemoryChild();
    if (argc >= 2 && std::strcmp(argv[1], "--archive-child") == 0) return ArchiveChild();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    orv::ui::InstallFonts();
    const std::string what = argc > 1 ? argv[1] : "all";
    if (what == "archive") return argc > 2 ? ArchiveBench(argv[0], QString::fromLocal8Bit(argv[2])) : 2;
    int status = 0;
    if (what == "all" || what == "gaps") status |= GapsBench();
    if (what == "all" || what == "startup") status |= StartupBench(argv[0]);
    if (what == "all" || what == "memory") status |= MemoryBench(argv[0]);
    return status;
}
