// orvanet-tool server check|results|documents|export --code N [--day YYYY/MM/DD]:
// the program's server actions without a window, for scripts and for fetching
// each day's results unattended. They read orvanet.ini from the workspace
// (ORVANET_WORKSPACE, else ~/TarvinaLabData/) as the program does, pass the
// same gates (network, server, accounting lock), and write the same files.
// A failure prints the text the program's status line would show on stderr
// and ends with status 1; a malformed argument ends with status 2.
#include <QCoreApplication>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

#include "accounting/core/Account.h"
#include "accounting/core/AccountFiles.h"
#include "app/core/Workspace.h"
#include "base/core/CodePage.h"
#include "base/core/TextFile.h"
#include "reception/core/QualityControl.h"
#include "reception/core/WorklistFiles.h"
#include "results/core/ResultPaths.h"
#include "results/core/ResultTable.h"
#include "server/core/ConnectionTest.h"
#include "server/core/CurlFtpSession.h"
#include "server/core/FolderListing.h"
#include "server/core/PasswordStore.h"
#include "server/core/ReferenceDocuments.h"
#include "server/core/ServerMessages.h"
#include "server/core/ServerSettings.h"
#include "server/core/SntpClient.h"
#include "server/core/TodayFromTimeServer.h"
#include "solar/core/TPublicUtils.h"
#include "tools/orvanet-tool/ToolCommand.h"

namespace {

constexpr const char* kName = "orvanet-tool server: ";
constexpr const char* kUsage = "server check|results|documents|export --code N [--day YYYY/MM/DD]";

struct Arguments {
    std::string action;
    std::string code;
    std::string day;  // YYYY/MM/DD; empty: today from the time server
};

std::optional<Arguments> Parse(const std::vector<std::string>& args) {
    Arguments a;
    if (args.empty() || (args[0] != "check" && args[0] != "results" && args[0] != "documents" && args[0] != "export")) {
        std::cerr << kName << "usage: " << kUsage << "\n";
        return std::nullopt;
    }
    a.action = args[0];
    const bool takesDay = a.action == "results" || a.action == "export";
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool known = arg == "--code" || (arg == "--day" && takesDay);
        if (!known || i + 1 >= args.size()) {
            std::cerr << kName << "unexpected argument \"" << arg << "\" (" << kUsage << ")\n";
            return std::nullopt;
        }
        (arg == "--code" ? a.code : a.day) = args[++i];
    }
    a.code = orv::AsciiDigits(a.code);  // Persian or Arabic-Indic digits as typed on a Persian keyboard
    if (!orv::tool::AllDigits(a.code) || a.code.size() > 9) {
        std::cerr << kName << "--code needs the laboratory folder code, a whole number (12 for access code 12311)\n";
        return std::nullopt;
    }
    if (!a.day.empty() && (a.day.size() != 10 || !TPublicUtils::IsDateValid(dkSolar, a.day))) {
        std::cerr << kName << "--day \"" << a.day << "\" is not a solar date YYYY/MM/DD\n";
        return std::nullopt;
    }
    return a;
}

std::string WorkspaceRoot() {
    const char* home = std::getenv("HOME");
    const char* chosen = std::getenv("ORVANET_WORKSPACE");
    return orv::SettleLinuxWorkspace({}, home ? home : "", chosen ? chosen : "").root;
}

// A workspace named by ORVANET_WORKSPACE that is no folder is a mistyped name:
// said as such, not as the network failure its missing settings would give.
std::optional<std::string> ChosenWorkspaceProblem(const std::string& root) {
    const char* chosen = std::getenv("ORVANET_WORKSPACE");
    if (!chosen || !*chosen) return std::nullopt;
    const std::string named = std::string("ORVANET_WORKSPACE=\"") + chosen + "\"";
    std::error_code error;
    if (!std::filesystem::is_directory(root, error)) return named + " is not a folder";
    return std::nullopt;
}

int Fail(const std::string& statusLine) {
    std::cerr << statusLine << "\n";
    return 1;
}

// The server link as the main window holds it: the settings of the workspace,
// the time server, one FTP session at a time.
class Headless {
public:
    // As the program starts: the password from a systemd credential or the file
    // password_file= names, else from the secret store when one runs (moved there
    // from orvanet.ini), else from the file. Empty when none gives one: what to say then.
    std::string LoadSettings() {
        static int argc = 1;
        static char name[] = "orvanet-tool";
        static char* argv[] = {name, nullptr};
        // The store's calls wait in a Qt event loop; the application object lives to the end.
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
        orv::KeychainPasswordStore store;
        const orv::StartSettings start = orv::LoadSettingsAtStart(root_, store);
        settings_ = start.settings;
        if (start.place != orv::PasswordPlace::Nowhere && start.passwordKnown) return {};
        if (const orv::OutsidePassword outside = orv::ReadOutsidePassword(settings_); !outside.problem.empty())
            return std::string(kName) + "the FTP password file " + outside.problem;
        return std::string(kName) + orv::NoPasswordMessage(root_, store.Available());
    }

    explicit Headless(std::string root) : root_(std::move(root)), noPassword_(LoadSettings()) {
        session_.Configure(settings_.Ftp());
        sntp_.host = settings_.sntpHost;
        sntp_.port = settings_.sntpPort;
        sntp_.timeoutMs = settings_.sntpTimeoutMs;
    }
    ~Headless() { session_.Close(); }

    const std::string& Root() const { return root_; }
    // Why no log-in can be tried (no password anywhere); empty when one can.
    const std::string& NoPassword() const { return noPassword_; }
    orv::FtpSession& Session() { return session_; }

    // Today from the time server; empty when the network check fails.
    std::string NetworkCheck() { return orv::SolarToday(sntp_.Request()); }
    orv::FtpResult Open() { return session_.Open(); }

    // The accounting gate: closed only when the bill, read as the account refresh
    // reads it, is overdue with the lock on. A bill that cannot be had or read leaves it open.
    bool AccountingGateOpen(const std::string& code, const std::string& today) {
        std::string bill;
        if (!session_.GetMemory(orv::accounting::BillPath(code), bill)) return true;
        const orv::accounting::Account account =
            orv::accounting::CalculateAccount(orv::DecodeText(bill).lines, today, code, {".", ","});
        return !account.ok || account.gateOpen;
    }

private:
    std::string root_;
    orv::ServerSettings settings_;
    std::string noPassword_;
    orv::CurlFtpSession session_;
    orv::SntpClient sntp_;
};

// The network, the log-in and the laboratory's folder, as the settings window's test looks at them.
int Check(Headless& h, const Arguments& a) {
    const std::string today = h.NetworkCheck();
    std::string server = "skipped", security, folder = "skipped";
    std::string failure;
    if (today.empty()) {
        failure = orv::msg::kNetworkRefresh;
    } else if (const orv::FtpResult opened = h.Open(); !opened) {
        server = "failed";
        failure = orv::msg::OpenFailure(opened);
    } else {
        server = "ok";
        security = h.Session().Security() == orv::FtpSecurity::Tls ? "tls" : "plain";
        const orv::StepReport found = orv::CheckLabFolder(h.Session(), a.code);
        folder = found.state == orv::StepState::Passed ? "ok" : "failed";
        if (found.state != orv::StepState::Passed) failure = found.text;
    }
    std::cout << "network\t" << (today.empty() ? "failed" : "ok") << "\n"
              << "server\t" << server << "\n"
              << "security\t" << security << "\n"
              << "today\t" << today << "\n"
              << "folder\t" << folder << "\n";
    return failure.empty() ? 0 : Fail(failure);
}

// The gates and the session of a server action: network, then the session,
// then (for `lockable` actions) the accounting lock. The day is --day, else today.
std::optional<int> Begin(Headless& h, const Arguments& a, bool lockable, std::string& day) {
    const std::string today = h.NetworkCheck();
    if (today.empty()) return Fail(orv::msg::kNetworkUpdate);
    if (const orv::FtpResult opened = h.Open(); !opened) return Fail(orv::msg::OpenFailure(opened));
    if (lockable && !h.AccountingGateOpen(a.code, today)) return Fail(orv::msg::kAccountingLock);
    day = a.day.empty() ? today : a.day;
    return std::nullopt;
}

int Results(Headless& h, const Arguments& a) {
    std::string day;
    if (auto refused = Begin(h, a, true, day)) return *refused;
    const std::string compact = orv::results::CompactDate(day);
    const std::string local = orv::results::LocalResultPath(h.Root(), compact);
    // Into the archive only once the whole file is here: a failure keeps the earlier copy.
    const orv::FtpResult got = h.Session().GetFile(orv::results::RemoteResultPath(a.code, compact), local);
    if (!got) return Fail(orv::msg::TransferFailure(got, orv::msg::kInterrupted, orv::results::kNoSampleYet));
    const orv::TextReadResult read = orv::ReadTextFile(local);
    const orv::results::ResultTable table(read.content.lines);
    std::cout << "saved\t" << local << "\n"
              << "rows\t" << table.RowCount() << "\n";
    return 0;
}

int Documents(Headless& h, const Arguments& a) {
    std::string day;
    if (auto refused = Begin(h, a, false, day)) return *refused;
    std::vector<std::string> lines;
    orv::FtpResult listed = h.Session().ChangeDir(orv::docs::kHelpFolder);
    if (listed) listed = h.Session().List(lines);
    if (!listed) return Fail(orv::msg::TransferFailure(listed, orv::msg::kListFailed));
    const std::vector<orv::ListedFile> files = orv::DownloadableFiles(lines);
    if (files.empty()) return Fail(orv::msg::kListEmpty);
    for (const orv::ListedFile& f : files) std::cout << orv::ListedNameText(f.name) << "\n";
    return 0;
}

int Export(Headless& h, const Arguments& a) {
    std::string day;
    if (auto refused = Begin(h, a, true, day)) return *refused;
    const std::string remote = orv::reception::ExportRemotePath(a.code, orv::results::CompactDate(day));
    const std::string list = h.Root() + orv::reception::kTodayFile;
    // The central laboratory reads code page 1256: a list that does not fit is not sent.
    const orv::TextReadResult read = orv::ReadTextFile(list);
    if (!read.ok) return Fail(std::string(kName) + read.error);
    if (const auto unfit = orv::reception::CheckCodePage(read.content.lines)) return Fail(unfit->message);
    const orv::FtpResult sent = h.Session().PutFile(list, remote);
    if (!sent) return Fail(orv::msg::TransferFailure(sent, orv::reception::kExportFailed));
    std::cout << "sent\t" << remote << "\n";
    return 0;
}

int Run(const std::vector<std::string>& args) {
    const std::optional<Arguments> a = Parse(args);
    if (!a) return 2;
    const std::string root = WorkspaceRoot();
    if (const auto problem = ChosenWorkspaceProblem(root)) {
        std::cerr << kName << *problem << "\n";
        return 2;
    }
    Headless h(root);
    if (!h.NoPassword().empty()) return Fail(h.NoPassword());
    if (a->action == "check") return Check(h, *a);
    if (a->action == "results") return Results(h, *a);
    if (a->action == "documents") return Documents(h, *a);
    return Export(h, *a);
}

static orv::tool::Register reg("server", kUsage, [](const std::vector<std::string>& args) { return Run(args); });

}  // namespace
