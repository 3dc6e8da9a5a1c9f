#pragma once
// The fixed texts every server action shows on the main window's status line (UTF-8).
#include <string>

#include "server/core/FtpSession.h"

namespace orv::msg {

// Network down: the form that asks the user to update the state...
inline constexpr const char* kNetworkUpdate =
    ". اتصال به شبکه شما قطع و یا بسیار ضعیف ميباشد. لطفا براي اطلاع  بيشتر وضعيت را آپديت کنيد";
// ...and the form that asks for a refresh.
inline constexpr const char* kNetworkRefresh =
    ". اتصال به شبکه شما قطع و یا بسیار ضعیف ميباشد. لطفا براي اطلاع  بيشتر وضعيت را ریفرش کنيد";
inline constexpr const char* kServer = ". سرور آزمايشگاه تاروینا جوابگو نميباشد";
inline constexpr const char* kWait = ". لطفا کمی صبر کنید";
// A transfer that broke off (dropped, stalled, timed out) after the file was found.
inline constexpr const char* kInterrupted = ". دریافت فایل از سرور تاروینا ناتمام ماند، لطفا دوباره سعی کنید";
// The workspace took no file (disk full, folder not writable).
inline constexpr const char* kLocalFile =
    ". فایل در پوشه برنامه ذخیره نشد؛ فضای خالی دیسک و اجازه نوشتن در پوشه را بررسی کنید";
inline constexpr const char* kAccountingLock = ". دسترسي برنامه توسط سيستم حسابداري محدود ميباشد";

// The session did not open for a reason of TLS: said as it is, never as "no answer".
inline constexpr const char* kCertificate =
    ". گواهی امنیتی سرور تاروینا تایید نشد؛ برای حفظ امنیت اطلاعات، وارد سرور نشدیم (TLS)";
inline constexpr const char* kTlsUnavailable =
    ". سرور تاروینا ارتباط امن (TLS) ارائه نمی‌دهد و تنظیم tls=required ارتباط ناامن را نمی‌پذیرد";
inline constexpr const char* kTlsFailed = ". ارتباط امن (TLS) با سرور تاروینا برقرار نشد";
// tls=off, and the server takes no log-in without TLS.
inline constexpr const char* kCleartextRefused =
    ". سرور تاروینا ورود بدون ارتباط امن (TLS) را نمی‌پذیرد؛ در orvanet.ini مقدار tls=try یا tls=required بگذارید";
// The server refused the user name or the password: trying again will not mend it.
inline constexpr const char* kLogInRefused =
    ". سرور تاروینا نام کاربری یا رمز عبور را نپذیرفت؛ تنظیمات ورود (orvanet.ini) را بررسی کنید";
// The folder listing did not come.
inline constexpr const char* kListFailed = ". فهرست فایل های سرور دریافت نشد";
// The folder listing came back with no file to download.
inline constexpr const char* kListEmpty = ". در پوشه فایل های راهنمای سرور تاروینا فایلی برای دریافت نیست";
// A quiet note: the server offers no TLS, so this session is plain FTP (tls=try).
inline constexpr const char* kPlainFtpNote = ". ارتباط با سرور تاروینا بدون رمزنگاری است (plain FTP)";
// The server indicator's hint: what the open session is.
inline constexpr const char* kTlsHint = "TLS";
inline constexpr const char* kPlainHint = "plain FTP";

// The message for a session that did not open.
inline const char* OpenFailure(const FtpResult& opened) {
    switch (opened.failure) {
        case FtpFailure::Certificate:
            return kCertificate;
        case FtpFailure::TlsUnavailable:
            return kTlsUnavailable;
        case FtpFailure::Tls:
            return kTlsFailed;
        case FtpFailure::CleartextRefused:
            return kCleartextRefused;
        case FtpFailure::LogIn:
            return kLogInRefused;
        default:
            return kServer;
    }
}

// A session that cannot open until the settings or the server change: its own
// text stays on every action until a check opens a session again.
inline bool LastsUntilChecked(FtpFailure failure) {
    return failure == FtpFailure::Certificate || failure == FtpFailure::TlsUnavailable || failure == FtpFailure::LogIn ||
           failure == FtpFailure::CleartextRefused;
}

// A technical detail (a server's answer, libcurl's words) after a Persian text:
// an isolated left-to-right run, so its words keep their order in the sentence.
inline std::string WithDetail(const std::string& text, const std::string& detail) {
    if (detail.empty()) return text;
    return text + " (\u2066" + detail + "\u2069)";
}

// No connection was made: the name unknown, nothing listening at the port, or no answer at all.
inline std::string Unreachable(const std::string& host, int port, const std::string& error) {
    std::string lower;
    for (const char c : error) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const std::string where = host + ":" + std::to_string(port);
    std::string text;
    if (lower.find("resolve") != std::string::npos)
        text = ". نام سرور " + host + " شناخته نشد؛ نشانی سرور را در تنظیمات بررسی کنید";
    else if (lower.find("couldn't connect") != std::string::npos || lower.find("refused") != std::string::npos)
        text = ". در " + where + " سروری پاسخ نداد؛ نشانی و درگاه (port) سرور را در تنظیمات بررسی کنید";
    else
        text = ". " + where + " در زمان مقرر پاسخ نداد؛ اتصال شبکه و نشانی سرور را بررسی کنید";
    return WithDetail(text, error);
}

// The server refused a request for good: what it said, short and on one line.
inline std::string Refused(const std::string& serverAnswer) {
    std::string said;
    for (const char c : serverAnswer) said += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    constexpr size_t kShort = 80;
    if (said.size() > kShort) {
        size_t cut = kShort;
        while (cut > 0 && (static_cast<unsigned char>(said[cut]) & 0xC0) == 0x80) --cut;  // whole UTF-8 letters
        said = said.substr(0, cut) + "...";
    }
    return ". سرور تاروینا این درخواست را نپذیرفت: \u2066" + said + "\u2069";
}

// The status line after a failed transfer. A local file that could not be
// written says so whatever the action (`localFailureText`, or the workspace's
// message); a refusal is told in the server's words; a log-in or TLS failure
// by its reason. A download with a "not ready" text (no sample sent yet) says
// it only when the server has no such file, and that the transfer broke off
// otherwise; every other failure is the action's `failureText`.
inline std::string TransferFailure(const FtpResult& result, const std::string& failureText,
                                   const std::string& notReadyText = {}, const std::string& localFailureText = {}) {
    switch (result.failure) {
        case FtpFailure::LocalFile:
            return localFailureText.empty() ? kLocalFile : localFailureText;
        case FtpFailure::Refused:
            return Refused(result.error);
        case FtpFailure::LogIn:
        case FtpFailure::Certificate:
        case FtpFailure::TlsUnavailable:
        case FtpFailure::CleartextRefused:
        case FtpFailure::Tls:
            return OpenFailure(result);
        default:
            break;
    }
    if (notReadyText.empty()) return failureText;
    return result.failure == FtpFailure::RemoteMissing ? notReadyText : kInterrupted;
}

// A file that holds a password and that other users of the computer may read.
inline std::string ReadableByOthersNote(const std::string& fileName) {
    return ". فایل " + fileName + " که رمز عبور در آن است برای دیگر کاربران این رایانه خواندنی است";
}

// A workspace folder that other users of the computer may read or pass through.
inline constexpr const char* kReadableWorkspaceNote =
    ". پوشه کار برنامه که نتایج بیماران در آن است برای دیگر کاربران این رایانه خواندنی است";

}  // namespace orv::msg
