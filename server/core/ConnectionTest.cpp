#include "server/core/ConnectionTest.h"

#include <algorithm>
#include <cctype>

#include "base/core/RemotePath.h"
#include "server/core/ServerMessages.h"
#include "server/core/TodayFromTimeServer.h"

namespace orv {
namespace {

bool Says(const std::string& text, const char* words) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find(words) != std::string::npos;
}

std::string Endpoint(const std::string& host, int port) { return host + ":" + std::to_string(port); }

}  // namespace

const char* StepName(ConnectionStep step) {
    switch (step) {
        case ConnectionStep::TimeServer:
            return "سرور زمان";
        case ConnectionStep::Connection:
            return "اتصال TCP";
        case ConnectionStep::Tls:
            return "ارتباط امن (TLS)";
        case ConnectionStep::LogIn:
            return "ورود";
        case ConnectionStep::Folder:
            return "پوشه آزمایشگاه";
    }
    return "";
}

std::string CertificateReason(const std::string& error) {
    if (Says(error, "cannot be read")) return "فایل مرجع گواهی (ca_file) خوانده نشد";
    if (Says(error, "subject name") || Says(error, "does not match") || Says(error, "hostname mismatch"))
        return "نام گواهی با نام سرور یکی نیست";
    if (Says(error, "expired")) return "تاریخ گواهی گذشته است";
    if (Says(error, "issuer") || Says(error, "self-signed") || Says(error, "self signed") || Says(error, "unknown ca") ||
        Says(error, "authority"))
        return "صادرکننده گواهی شناخته نیست";
    return "گواهی پذیرفته نشد";
}

StepReport CheckLabFolder(FtpSession& session, const std::string& folderCode) {
    const std::string folder = remote::Path({remote::kResults, folderCode}) + "/";
    const FtpResult found = session.ChangeDir(folder);
    if (found) return {ConnectionStep::Folder, StepState::Passed, "پوشه " + folder + " روی سرور هست"};
    if (found.failure == FtpFailure::RemoteMissing)
        return {ConnectionStep::Folder, StepState::Failed, "پوشه " + folder + " روی سرور تاروینا نیست"};
    return {ConnectionStep::Folder, StepState::Failed, msg::TransferFailure(found, msg::kServer)};
}

bool RunConnectionTest(const ServerSettings& settings, const std::string& folderCode, SntpClient& sntp,
                       FtpSession& session, const std::function<void(const StepReport&)>& report,
                       const std::atomic<bool>* cancel) {
    bool allPassed = true;
    const auto say = [&](ConnectionStep step, StepState state, std::string text) {
        if (state == StepState::Failed) allPassed = false;
        report({step, state, std::move(text)});
    };
    const std::string notTried = "آزموده نشد";

    sntp.host = settings.sntpHost;
    sntp.port = settings.sntpPort;
    sntp.timeoutMs = settings.sntpTimeoutMs;
    const SntpAnswer answer = sntp.Request(cancel);
    const std::string today = SolarToday(answer);
    if (!today.empty())
        say(ConnectionStep::TimeServer, StepState::Passed, "پاسخ داد؛ امروز " + today);
    else
        say(ConnectionStep::TimeServer, StepState::Failed,
            msg::WithDetail(msg::kNetworkRefresh, Endpoint(settings.sntpHost, settings.sntpPort) + ": " +
                                                      (answer.error.empty() ? "no answer" : answer.error)));

    session.Close();
    session.Configure(settings.Ftp());
    const FtpResult opened = session.Open();
    const std::string server = Endpoint(settings.ftpHost, settings.ftpPort);
    if (!opened && opened.failure == FtpFailure::Unreachable) {
        say(ConnectionStep::Connection, StepState::Failed,
            msg::Unreachable(settings.ftpHost, settings.ftpPort, opened.error));
        for (const ConnectionStep s : {ConnectionStep::Tls, ConnectionStep::LogIn, ConnectionStep::Folder})
            say(s, StepState::Skipped, notTried);
        return false;
    }
    say(ConnectionStep::Connection, StepState::Passed, "برقرار شد با " + server);

    const bool tlsFailed = opened.failure == FtpFailure::Certificate || opened.failure == FtpFailure::TlsUnavailable ||
                           opened.failure == FtpFailure::Tls || opened.failure == FtpFailure::CleartextRefused;
    if (tlsFailed) {
        std::string why = msg::OpenFailure(opened);
        if (opened.failure == FtpFailure::Certificate) why += " — " + CertificateReason(opened.error);
        if (opened.failure == FtpFailure::CleartextRefused) why = msg::WithDetail(why, opened.error);
        say(ConnectionStep::Tls, StepState::Failed, why);
        for (const ConnectionStep s : {ConnectionStep::LogIn, ConnectionStep::Folder})
            say(s, StepState::Skipped, notTried);
        return false;
    }
    const FtpSecurity reached = opened ? session.Security() : session.LastOpenSecurity();
    if (settings.ftpTls == FtpTls::Off)
        say(ConnectionStep::Tls, StepState::Caution, "خاموش (tls=off): رمز عبور و فایل‌ها بدون رمزنگاری می‌روند");
    else if (reached == FtpSecurity::Tls)
        say(ConnectionStep::Tls, StepState::Passed, "برقرار شد و گواهی سرور تایید شد");
    else if (reached == FtpSecurity::Plain)
        say(ConnectionStep::Tls, StepState::Caution, std::string(msg::kPlainFtpNote) + " — سرور TLS ارائه نمی‌دهد");
    else
        say(ConnectionStep::Tls, StepState::Skipped, notTried);

    if (!opened) {
        const std::string why = opened.failure == FtpFailure::LogIn ? msg::kLogInRefused
                                                                    : msg::WithDetail(msg::kServer, opened.error);
        say(ConnectionStep::LogIn, StepState::Failed, why);
        say(ConnectionStep::Folder, StepState::Skipped, notTried);
        return false;
    }
    say(ConnectionStep::LogIn, StepState::Passed, "نام کاربری و رمز عبور پذیرفته شد (" + settings.ftpUser + ")");

    if (folderCode.empty()) {
        say(ConnectionStep::Folder, StepState::Skipped, "کد پوشه آزمایشگاه داده نشده است");
    } else {
        const StepReport folder = CheckLabFolder(session, folderCode);
        say(folder.step, folder.state, folder.text);
    }
    session.Close();
    return allPassed;
}

}  // namespace orv
