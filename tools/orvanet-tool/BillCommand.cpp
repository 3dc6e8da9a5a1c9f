// orvanet-tool bill FILE --today YYYY/MM/DD --code N: a bill file read as the
// account refresh and the debt calculation read it, one "key<TAB>value" per line.
#include <iostream>

#include "accounting/core/Account.h"
#include "base/core/CodePage.h"
#include "base/core/TextFile.h"
#include "solar/core/TPublicUtils.h"
#include "tools/orvanet-tool/ToolCommand.h"

namespace {

constexpr const char* kName = "orvanet-tool bill: ";


void Put(const char* key, const std::string& value) { std::cout << key << '\t' << value << '\n'; }

void Print(const orv::accounting::Account& a, const orv::accounting::NumberFormat& en) {
    Put("warning", a.warning ? "yes" : "no");
    Put("gate", a.gateOpen ? "open" : "closed");
    if (a.hasUnpaid) {
        Put("overdue_days", std::to_string(a.overdueDays));
        Put("gauge", std::to_string(a.gauge));
    }
    const orv::accounting::Debt& d = a.debt;
    Put("nodata", d.noUnpaidMonth ? "true" : "false");
    for (const std::string& line : d.unpaidLines) Put("memo3", line);
    Put("Label35", d.totalText);
    Put("Label10", d.payableMonthText);
    Put("Label8", d.monthAmountText);
    Put("Label26", d.paymentDiscountText);
    Put("Label29", d.volumeDiscountText);
    Put("Label27", d.afterDiscountsText);
    if (d.noUnpaidMonth) return;
    Put("pardata", d.paymentRecord);
    Put("kol", std::to_string(d.monthAmount));
    Put("m", std::to_string(d.m));
    Put("days", std::to_string(d.d));
    Put("discount", orv::accounting::ShortNumber(d.s, en));
    Put("volume", std::to_string(d.v));
    Put("parmah", d.firstUnpaidMonth);
}

int Run(const std::vector<std::string>& args) {
    std::string file, today, code;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "--today" || arg == "--code") && i + 1 < args.size()) {
            std::string& target = arg == "--today" ? today : code;
            if (!target.empty()) {
                std::cerr << kName << arg << " is given twice\n";
                return 2;
            }
            target = args[++i];
        } else if (arg.starts_with("--") || !file.empty()) {
            std::cerr << kName << "unexpected argument \"" << arg << "\"\n";
            return 2;
        } else {
            file = arg;
        }
    }
    if (file.empty() || today.empty() || code.empty()) {
        std::cerr << kName << "usage: bill FILE --today YYYY/MM/DD --code N\n";
        return 2;
    }
    if (today.size() != 10 || today[4] != '/' || today[7] != '/' || !TPublicUtils::IsDateValid(dkSolar, today, "yyyy/MM/dd")) {
        std::cerr << kName << "\"" << today << "\" is not a solar date YYYY/MM/DD\n";
        return 2;
    }
    code = orv::AsciiDigits(code);  // Persian or Arabic-Indic digits as typed on a Persian keyboard
    if (!orv::tool::AllDigits(code)) {
        std::cerr << kName << "the folder code \"" << code << "\" is not a whole number\n";
        return 2;
    }
    const orv::TextReadResult read = orv::ReadTextFile(file);
    if (!read.ok) {
        std::cerr << kName << read.error << "\n";
        return 2;
    }
    const orv::accounting::NumberFormat en{".", ","};
    const orv::accounting::Account a = orv::accounting::CalculateAccount(read.content.lines, today, code, en);
    if (!a.ok || !a.debt.ok) {
        std::cerr << kName << (a.ok ? a.debt.error : a.error) << "\n";
        return 2;
    }
    Print(a, en);
    return 0;
}

const orv::tool::Register kBill("bill", "bill FILE --today YYYY/MM/DD --code N", Run);

}  // namespace
