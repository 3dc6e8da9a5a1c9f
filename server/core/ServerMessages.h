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
inline constexpr const char* kAccountingLock = ". دسترسي برنامه توسط سيستم حسابداري محدود ميباشد";

}  // namespace orv::msg
