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
        default:
            return kServer;
    }
}

// A file that holds a password and that other users of the computer may read.
inline std::string ReadableByOthersNote(const std::string& fileName) {
    return ". فایل " + fileName + " که رمز عبور در آن است برای دیگر کاربران این رایانه خواندنی است";
}

}  // namespace orv::msg
