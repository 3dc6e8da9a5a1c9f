#include "accounting/core/AccountFiles.h"

#include "base/core/RemotePath.h"
#include "base/core/SafeName.h"

namespace orv::accounting {

std::string BillPath(std::string_view folderCode) {
    return remote::Path({remote::kResults, folderCode, "bill.txt"});
}

std::string MonthBillPath(std::string_view folderCode, std::string_view monthKey) {
    return remote::Path({remote::kResults, folderCode, MonthBillFileName(monthKey)});
}

std::string MonthBillFileName(std::string_view monthKey) { return std::string(monthKey) + ".qrp"; }

std::string PaymentMarkerPath(std::string_view paymentRecord) {
    return remote::Path({remote::kPayments, remote::kPaymentMarkers, paymentRecord});
}

std::string PercentEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string PaymentAddress(std::string_view host, int port, std::string_view labName, int64_t amount,
                           std::string_view paymentRecord) {
    return "http://" + std::string(host) + ":" + std::to_string(port) + "/page1.aspx?Lablbl=" +
           PercentEncode(labName) + "&Amount=" + PercentEncode(std::to_string(amount)) +
           "&ResNum=" + PercentEncode(paymentRecord);
}

std::string MessageName(std::string_view folderCode, std::string_view ya, std::string_view ma, std::string_view da,
                        int n) {
    return std::string(folderCode) + "-" + std::string(ya) + "-" + std::string(ma) + "-" + std::string(da) + "-" +
           std::to_string(n);
}

std::string CommentsFolder(std::string_view folderCode) {
    return remote::Path({remote::kResults, folderCode, remote::kComments});
}

std::string MessagePath(std::string_view folderCode, std::string_view name) {
    return CommentsFolder(folderCode) + "/" + std::string(name) + ".txt";
}

std::optional<int> FreeMessageNumber(int first, const std::function<bool(int)>& taken) {
    constexpr int kNumbers = 1000;
    first = ((first % kNumbers) + kNumbers) % kNumbers;
    for (int i = 0; i < kNumbers; ++i) {
        const int n = (first + i) % kNumbers;
        if (!taken(n)) return n;
    }
    return std::nullopt;
}

std::optional<std::string> UpdateFileName(std::string_view publishedVersion) {
    std::string name = "OrvanetVer " + std::string(publishedVersion) + ".exe";
    if (!orv::IsSafeFileName(name)) return std::nullopt;
    return name;
}

}  // namespace orv::accounting
