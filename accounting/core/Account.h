#pragma once
// The laboratory's account as the bill gives it: the account refresh's reading
// of lines 1 to 5 and its overdue check, and the debt calculation of the
// accounting panel with its two discounts and the payment record. One call
// computes everything; the window only shows the texts.
//
//   Account a = CalculateAccount(billLines, "1401/09/01", "120", {".", ","});
//   if (!a.ok) show a.error, keep the previous figures
//   the delay gauge := a.gauge (when a.hasUnpaid); the panel's texts := a.debt.totalText, ...; ...
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "accounting/core/BillNumbers.h"

namespace orv::accounting {

// The debt calculation: the panel's texts and the payment's figures.
struct Debt {
    bool ok = true;        // false: an amount or a period was not readable (error says which)
    std::string error;
    bool noUnpaidMonth = true;    // no unpaid record
    std::vector<std::string> unpaidLines;  // one line per unpaid month
    // The panel's texts: the total debt, the payable month, its amount, the
    // good-payment discount, the sample-volume discount, the amount after both.
    std::string totalText, payableMonthText, monthAmountText, paymentDiscountText, volumeDiscountText,
        afterDiscountsText;
    // Of the oldest unpaid month (only when noUnpaidMonth is false):
    std::string label;       // period label, e.g. 1401-05 or 2^1401-05
    std::string instalment;  // "1" or the instalment's number
    std::string firstUnpaidMonth;      // 1401/05
    int64_t total = 0;       // T, the sum of the unpaid amounts
    int64_t monthAmount = 0;         // the month's amount
    int64_t m = 0;           // the amount after both discounts
    int d = 0;               // days from the due date to today, 0 before it
    int L = 0;               // days of the three months from the billed month
    double s = 0;            // good-payment discount, percent, two decimals
    int v = 0;               // sample-volume discount, percent
    std::string paymentRecord;     // the payment record
    std::string windowEnd;   // the first day of the billed month plus three months
};

struct Account {
    bool ok = true;     // false: line 2 or 4 is not a number; nothing below is valid
    std::string error;  // names the line and its value
    std::string name;           // line 1
    std::string version;        // line 2, trimmed
    double versionNumber = 0;
    int counter = 10;           // line 3, or 10
    double sampleFactor = 0;             // line 4
    bool block = false;         // line 5 is a whole number
    int overdueLimitDays = 120;             // line 5, or 120
    // The overdue check, at the first unpaid record with a readable period.
    bool hasUnpaid = false;
    std::string firstUnpaidMonth;
    std::string dueDate;  // the first day of the month after firstUnpaidMonth
    int overdueDays = 0;  // days since the due date plus 1; 0 before the due date
    int gauge = 0;        // the same, held within 0..120
    bool warning = false;  // due, and overdueDays reached overdueLimitDays
    bool gateOpen = true; // the warning closes the gate only with the lock on
    Debt debt;
};

// `lines` are the bill's lines (UTF-8), `today` a solar date text such as
// 1401/09/01, `folderCode` the laboratory's folder code.
Account CalculateAccount(const std::vector<std::string>& lines, std::string_view today,
                         std::string_view folderCode, const NumberFormat& format);

// The month chooser's texts for a solar date text: the month name, the year
// ("مرداد ماه  1401  ") and the month key (1401-05) naming the month's bill.
struct MonthChoice {
    std::string text;
    std::string key;
};
MonthChoice ChooseMonth(std::string_view solarDate);

// The payment record: label x label with "^" -> "y", "-" -> "h" x code x 100 s x v x d.
std::string PaymentRecord(std::string_view label, std::string_view folderCode, double s, int v, int d,
                          const NumberFormat& format);

}  // namespace orv::accounting
