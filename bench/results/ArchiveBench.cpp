// The archive's index on ten years of a busy laboratory: 3,600 days of 300
// patients (1.08 million lines, about 130 MB of code page 1256 files), made up
// at run time in a folder of its own (kept for the next run, never committed).
// Each figure is printed with its goal:
//
//   first build           every day read into a new index (the window does it in the background)
//   start, nothing new    open the index and look at every day file's size and time
//   search / history      orvanet-tool results search|history as a user runs it: a fresh
//                         process each time, wall time and peak resident size (median of 5)
//   in-process queries    the window's searches while typing (200 hits shown) and a history
//
//   bench_archive [FOLDER]   (default: the system's temporary folder/orv-archive-ten-years)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/core/TextFile.h"
#include "bench/results/PatientNames.h"
#include "results/core/ArchiveIndex.h"
#include "results/core/PatientHistory.h"

using namespace orv::results;
namespace fs = std::filesystem;

namespace {

constexpr int kDays = 3600;
constexpr int kPatientsPerDay = 300;
constexpr int kPopulation = 150000;  // the laboratory's patients over ten years
const char* const kRegular = "پرستو ميرزايي";  // comes every 30th day, origin code 777777
const char* const kSuffixes[] = {"", "زاده", "پور", "نيا", "فر", "راد"};
const char* const kTests[] = {"FBS=",  "HbA1c=", "Chol=", "TG=",  "Urea=", "Creat=",
                              "TSH=",  "CBC=",   "ALT=",  "AST=", "Ferritin=", "Vit D="};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::string DayName(int d) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d%02d%02d", 1395 + d / 360, 1 + (d % 360) / 30, 1 + d % 30);
    return name;
}

std::string PatientName(unsigned p) {
    using orv::bench::kFamilyNames, orv::bench::kFirstNames;
    return std::string(kFirstNames[p % 10]) + " " + kFamilyNames[(p / 10) % 17] + kSuffixes[(p / 170) % 6] +
           (p % 7 == 0 ? std::string(" ") + kFirstNames[(p / 1020) % 10] : std::string());
}

// The day files, written once (a file "complete" says the folder holds them all).
void MakeArchive(const std::string& folder) {
    if (fs::exists(folder + "complete")) return;
    std::printf("writing the ten-year archive into %s ...\n", folder.c_str());
    fs::create_directories(folder);
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFFFF; };
    for (int d = 0; d < kDays; ++d) {
        std::string text;
        for (int r = 1; r <= kPatientsPerDay; ++r) {
            const long n = static_cast<long>(d) * kPatientsPerDay + r;
            // Some patients come often: a square skews the choice towards the low numbers.
            const unsigned x = next() % 4096;
            unsigned p = (x * x / 4096 * (kPopulation / 4096) + next() % 37) % kPopulation;
            std::string name = PatientName(p), origin = std::to_string(100000 + p);
            if (d % 30 == 7 && r == 1 + d % kPatientsPerDay) name = kRegular, origin = "777777";
            std::string line = std::to_string(r) + "   " + std::to_string(3000000 + n) + "   " + origin + "   " +
                               std::to_string(1 + p % 90) + "   " + name + "   ";
            const unsigned tests = 3 + next() % 5;
            for (unsigned t = 0; t < tests; ++t) {
                const unsigned which = (next() + t) % 12;
                line += kTests[which];
                line += which == 7 ? std::string("normal") : std::to_string(next() % 300) + "." + std::to_string(next() % 10);
                line += "   ";
            }
            text += orv::Utf8ToCp1256(line) + "\r\n";
        }
        std::ofstream(folder + DayName(d) + ".txt", std::ios::binary) << text;
    }
    std::ofstream(folder + "complete") << "1";
}

struct ChildRun {
    double seconds = 0;
    long peakKb = 0;
    size_t lines = 0;
};

// One orvanet-tool run in a fresh process: its wall time and its own peak resident size.
ChildRun RunTool(const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) return {};
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        std::vector<char*> argv{const_cast<char*>(ORV_TOOL)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(ORV_TOOL, argv.data());
        _exit(127);
    }
    close(out[1]);
    ChildRun run;
    char buffer[65536];
    for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) > 0;)
        run.lines += static_cast<size_t>(std::count(buffer, buffer + got, '\n'));
    close(out[0]);
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    run.seconds = Seconds(start);
    run.peakKb = usage.ru_maxrss;
    return run;
}

void ToolFigure(const char* what, const std::vector<std::string>& args) {
    std::vector<ChildRun> runs;
    for (int i = 0; i < 5; ++i) runs.push_back(RunTool(args));
    std::sort(runs.begin(), runs.end(), [](const ChildRun& a, const ChildRun& b) { return a.seconds < b.seconds; });
    long peak = 0;
    for (const ChildRun& r : runs) peak = std::max(peak, r.peakKb);
    std::printf("  %-34s %7.3f s  %6.1f MB resident  %7zu lines   (goal <= 0.3 s, <= 60 MB)\n", what,
                runs[2].seconds, peak / 1024.0, runs[2].lines);
}

void InProcess(const char* what, const std::function<size_t()> query) {
    std::vector<double> times;
    size_t found = 0;
    for (int i = 0; i < 7; ++i) {
        const auto start = std::chrono::steady_clock::now();
        found = query();
        times.push_back(Seconds(start));
    }
    std::sort(times.begin(), times.end());
    std::printf("  %-34s %7.1f ms  %7zu found\n", what, times[3] * 1000, found);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder =
        argc > 1 ? std::string(argv[1]) + "/" : (fs::temp_directory_path() / "orv-archive-ten-years").string() + "/";
    MakeArchive(folder);
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(folder + ArchiveIndex::kFileName + suffix);

    std::printf("ten-year archive: %d days x %d patients\n", kDays, kPatientsPerDay);
    {
        const auto start = std::chrono::steady_clock::now();
        struct rusage before {}, after {};
        getrusage(RUSAGE_SELF, &before);
        ArchiveIndex index(folder);
        const size_t read = index.Sync();
        getrusage(RUSAGE_SELF, &after);
        auto cpu = [](const rusage& u) {
            return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
        };
        std::printf("  %-34s %7.1f s   (%.1f s of processor) %zu days, %zu lines   (goal <= 60 s, in the background)\n",
                    "first build", Seconds(start), cpu(after) - cpu(before), read, index.PatientCount());
    }
    std::printf("  %-34s %7.1f MB\n", "index on disk", fs::file_size(folder + ArchiveIndex::kFileName) / 1048576.0);
    {
        std::vector<double> times;
        size_t read = 0;
        for (int i = 0; i < 5; ++i) {
            const auto start = std::chrono::steady_clock::now();
            ArchiveIndex index(folder);
            read += index.Sync();
            times.push_back(Seconds(start));
        }
        std::sort(times.begin(), times.end());
        std::printf("  %-34s %7.1f ms  %zu days read   (goal: no day file read)\n", "start, nothing changed",
                    times[2] * 1000, read);
    }
    std::printf("orvanet-tool, a fresh process each run (median of 5):\n");
    ToolFigure("search by family name", {"results", "search", folder, "رضایی"});
    ToolFigure("search by whole name", {"results", "search", folder, "پرستو میرزایی"});
    ToolFigure("search by origin code", {"results", "search", folder, "777777"});
    ToolFigure("search by reference code", {"results", "search", folder, "3512345"});
    ToolFigure("search by two letters", {"results", "search", folder, "پر"});
    ToolFigure("history by name", {"results", "history", folder, "پرستو میرزایی"});
    ToolFigure("history by code", {"results", "history", folder, "777777"});

    std::printf("in the window's process (200 hits shown while typing):\n");
    ArchiveIndex index(folder);
    for (const char* typed : {"ر", "رض", "رضا", "رضایی", "پرستو", "31", "3512", "777777", "ناشناس"})
        InProcess((std::string("search \"") + typed + "\"").c_str(), [&] { return index.Search(typed, 201).size(); });
    InProcess("history by name, read from the days", [&] { return FindHistory(index, "پرستو میرزایی").size(); });
    return 0;
}
