#pragma once
// Names and addresses of the accounting work: the bill and the month bills on
// the server, the payment marker and page, messages, and the program update.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orv::accounting {

// "/Text Result/" + code + "/bill.txt"
std::string BillPath(std::string_view folderCode);
// "/Text Result/" + code + "/" + month key + ".qrp"
std::string MonthBillPath(std::string_view folderCode, std::string_view monthKey);
inline constexpr const char* kMonthBillFile = "temp.qrp";
// The month's own file in the workspace, month key + ".qrp", for a bill the
// preview does not show.
std::string MonthBillFileName(std::string_view monthKey);

// "/pay/may/" + the payment record.
std::string PaymentMarkerPath(std::string_view paymentRecord);

// Every byte but A-Z a-z 0-9 - . _ ~ as %XX (UTF-8 bytes as they are).
std::string PercentEncode(std::string_view text);
// http://host:port/page1.aspx?Lablbl=name&Amount=m&ResNum=paymentRecord, each value percent-encoded.
std::string PaymentAddress(std::string_view host, int port, std::string_view labName, int64_t amount,
                           std::string_view paymentRecord);

// code-year-month-day-n, e.g. 120-1401-06-30-457.
std::string MessageName(std::string_view folderCode, std::string_view ya, std::string_view ma, std::string_view da,
                        int n);
// "/Text Result/" + code + "/comments"
std::string CommentsFolder(std::string_view folderCode);
// "/Text Result/" + code + "/comments/" + name + ".txt"
std::string MessagePath(std::string_view folderCode, std::string_view name);
// The message number: `first` when its name is free, else the next free one of
// 0..999 going round; none when all are taken. `taken(n)` says whether the name
// with number n is already on the server.
std::optional<int> FreeMessageNumber(int first, const std::function<bool(int)>& taken);

// "/Orvanet.exe"
inline constexpr const char* kProgramPath = "/Orvanet.exe";
// "OrvanetVer " + version + ".exe"; none when the name would not be a plain
// file name (a "/", "\", ".." or a control character in the version).
std::optional<std::string> UpdateFileName(std::string_view publishedVersion);

}  // namespace orv::accounting
