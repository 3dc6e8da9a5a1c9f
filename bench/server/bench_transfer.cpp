// Large transfers through CurlFtpSession against the curl command-line tool, in
// one run against the local laboratory on loopback, alternated, medians:
//
//   download  100 MB  CurlFtpSession::GetFile (an atomic file, flushed to disk)  vs  curl -o
//   upload     20 MB  CurlFtpSession::PutFile                                     vs  curl -T
//   TLS       100 MB  GetFile over TLS (tls=required)  vs  over plain FTP
//
// Both sides are timed from the log-in to the file complete: ours around Open() and
// the transfer, curl's by its own %{time_total} (connect to done, no process start).
// curl does not flush its file to disk; the time that flush takes is printed beside.
//
//   bench_transfer [RUNS]   (5 by default)
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <cstdio>
#include <string>
#include <vector>

#include "base/core/AtomicFile.h"
#include "server/core/CurlFtpSession.h"
#include "tests/support/CentralLab.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Bytes that do not compress, made fast.
bool MakeFile(const std::string& path, size_t size) {
    std::string bytes(size, '\0');
    uint64_t x = 0x9E3779B97F4A7C15ull;
    for (size_t i = 0; i + 8 <= size; i += 8) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        std::memcpy(&bytes[i], &x, 8);
    }
    return orv::WriteFileAtomically(path, bytes).ok;
}

double FlushSeconds(const std::string& path) {
    const auto start = Clock::now();
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return Seconds(start);
}

struct Lab {
    orv::test::CentralLab lab;
    std::string url;  // ftp://127.0.0.1:PORT
    std::string userpass;
};

// Ours: log-in, transfer, done (the session is closed after the clock stops).
double Ours(const orv::FtpEndpoint& e, const std::function<orv::FtpResult(orv::FtpSession&)>& op) {
    orv::CurlFtpSession session;
    session.Configure(e);
    const auto start = Clock::now();
    orv::FtpResult r = session.Open();
    if (r) r = op(session);
    const double s = Seconds(start);
    session.Close();
    if (!r) {
        std::fprintf(stderr, "transfer failed: %s\n", r.error.c_str());
        std::exit(1);
    }
    return s;
}

double Curl(const Lab& lab, QStringList args) {
    QProcess curl;
    args.prepend(QStringLiteral("%{time_total}"));
    args.prepend(QStringLiteral("-w"));
    args << QStringLiteral("--user") << QString::fromStdString(lab.userpass) << QStringLiteral("-sS");
    curl.start(QStringLiteral("curl"), args);
    if (!curl.waitForFinished(600000) || curl.exitCode() != 0) {
        std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
        std::exit(1);
    }
    return curl.readAllStandardOutput().trimmed().toDouble();
}

void Report(const char* what, double mb, const std::vector<double>& ours, const std::vector<double>& theirs,
            const char* theirName, double goal) {
    const double o = Median(ours), t = Median(theirs);
    std::printf("%-9s %6.0f MB  ours %7.1f MB/s (%.3f s)  %s %7.1f MB/s (%.3f s)  ours/%s = %.2f  (goal >= %.2f)%s\n",
                what, mb, mb / o, o, theirName, mb / t, t, theirName, t / o, goal, t / o >= goal ? "" : "  MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    Lab lab;
    orv::test::CentralLabOptions options;
    options.tls = "on";  // plain log-ins still work: one laboratory serves both
    if (!lab.lab.Start(options)) {
        std::fprintf(stderr, "%s\n", lab.lab.Error().c_str());
        return 1;
    }
    const orv::ServerSettings s = lab.lab.Settings();
    lab.url = "ftp://" + s.ftpHost + ":" + std::to_string(s.ftpPort);
    lab.userpass = s.ftpUser + ":" + s.ftpPassword;
    orv::FtpEndpoint plain = s.Ftp();
    plain.tls = orv::FtpTls::Off;
    orv::FtpEndpoint tls = s.Ftp();
    tls.tls = orv::FtpTls::Required;

    // The large files live in temporary folders only.
    QDir().mkpath(QString::fromStdString(lab.lab.ServerFile("bench")));
    const size_t downMb = 100, upMb = 20;
    QTemporaryDir local;
    const std::string dir = local.path().toStdString();
    if (!MakeFile(lab.lab.ServerFile("bench/big.bin"), downMb << 20) || !MakeFile(dir + "/up.bin", upMb << 20)) {
        std::fprintf(stderr, "cannot write the test files\n");
        return 1;
    }
    const QString remoteBig = QString::fromStdString(lab.url + "/bench/big.bin");

    std::vector<double> ours, curl, flush;
    for (int i = 0; i < runs; ++i) {
        ours.push_back(Ours(plain, [&](orv::FtpSession& f) { return f.GetFile("/bench/big.bin", dir + "/ours.bin"); }));
        ::unlink((dir + "/ours.bin").c_str());
        curl.push_back(Curl(lab, {QStringLiteral("-o"), QString::fromStdString(dir + "/curl.bin"), remoteBig}));
        flush.push_back(FlushSeconds(dir + "/curl.bin"));
        ::unlink((dir + "/curl.bin").c_str());
    }
    Report("download", downMb, ours, curl, "curl", 0.95);
    std::printf("          flushing curl's file to disk takes %.3f s (median); ours/curl with it flushed too = %.2f\n",
                Median(flush), (Median(curl) + Median(flush)) / Median(ours));

    ours.clear();
    curl.clear();
    for (int i = 0; i < runs; ++i) {
        ours.push_back(Ours(plain, [&](orv::FtpSession& f) { return f.PutFile(dir + "/up.bin", "/bench/up-ours.bin"); }));
        curl.push_back(Curl(lab, {QStringLiteral("-T"), QString::fromStdString(dir + "/up.bin"),
                                  QString::fromStdString(lab.url + "/bench/up-curl.bin")}));
    }
    Report("upload", upMb, ours, curl, "curl", 0.95);

    std::vector<double> overTls, overPlain;
    for (int i = 0; i < runs; ++i) {
        overTls.push_back(Ours(tls, [&](orv::FtpSession& f) {
            if (f.Security() != orv::FtpSecurity::Tls) return orv::FtpResult::Fail("the session is not TLS");
            return f.GetFile("/bench/big.bin", dir + "/tls.bin");
        }));
        ::unlink((dir + "/tls.bin").c_str());
        overPlain.push_back(
            Ours(plain, [&](orv::FtpSession& f) { return f.GetFile("/bench/big.bin", dir + "/plain.bin"); }));
        ::unlink((dir + "/plain.bin").c_str());
    }
    if (lab.lab.CountFtpCommands("(data channel protected)") < runs) {
        std::fprintf(stderr, "the laboratory saw no protected data channel\n");
        return 1;
    }
    const double t = Median(overTls), p = Median(overPlain);
    std::printf("TLS       %6zu MB  over TLS %7.1f MB/s (%.3f s)  plain FTP %7.1f MB/s (%.3f s)  TLS costs %.0f%% of the "
                "time\n",
                downMb, downMb / t, t, downMb / p, p, (t / p - 1) * 100);
    return 0;
}
