// Any bytes read as a bill give an account without a crash, and its figures
// agree: one list line per unpaid record, the discounts within their ranges,
// the amount after discounts never above the month's amount, the gauge within 0..120.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "accounting/core/Account.h"
#include "base/core/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orv::TextContent text = orv::DecodeText(bytes);
    const orv::accounting::Account a =
        orv::accounting::CalculateAccount(text.lines, "1401/06/30", "12", orv::accounting::NumberFormat{".", ","});
    if (!a.ok) return 0;
    if (a.gauge < 0 || a.gauge > 120) std::abort();
    if (!a.gateOpen && !(a.warning && a.block)) std::abort();
    const orv::accounting::Debt& d = a.debt;
    if (!d.ok) return 0;
    size_t unpaid = 0;
    for (size_t i = 5; i < text.lines.size(); ++i)
        if (!text.lines[i].empty() && text.lines[i][0] == '0') ++unpaid;
    if (d.unpaidLines.size() != unpaid || d.noUnpaidMonth != (unpaid == 0)) std::abort();
    if (d.noUnpaidMonth) return 0;
    if (d.s < 0 || d.s > 4 || d.v < 0 || d.v > 4) std::abort();
    if (d.monthAmount >= 0 && (d.m < 0 || d.m > d.monthAmount)) std::abort();
    if (d.paymentRecord.rfind(d.label + "x", 0) != 0) std::abort();
    return 0;
}
