#pragma once
// The fixed texts every server action shows on the main window's status line (UTF-8).
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

}  // namespace orv::msg
