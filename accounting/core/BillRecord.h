#pragma once
// One month record of the bill (line 6 on), read by its fixed columns.
//
//   column 1       "0" unpaid, anything else settled
//   columns 3-13   the period label: blanks, then the period from column 5
//   columns 15-44  the amount in rials
//
// A plain month has the period yyyy-mm in columns 5-11; an instalment has "^"
// in column 6: its number in column 5, then yyyy-mm in columns 7-13, and its
// amount is read after removing columns 5-6.
#include <string>
#include <string_view>

namespace orv::accounting {

struct BillRecord {
    bool unpaid = false;
    std::string label;        // columns 3-13, trimmed
    std::string instalment;   // "1" for a plain month, else column 5
    std::string year;         // trimmed
    std::string month;        // trimmed
    std::string amountText;   // the amount's columns, untrimmed
};

// Characters `first` to `last` (1-based, inclusive) of the UTF-8 line; fewer
// when it is shorter. A column is a character, whatever its bytes.
std::string_view Columns(std::string_view line, size_t first, size_t last);

// The record of a non-empty bill line.
BillRecord ReadBillRecord(std::string_view line);

// The period year + "/" + month, e.g. 1401/05.
inline std::string Period(const BillRecord& r) { return r.year + "/" + r.month; }

// True when the period names a month of a four-digit year ("1401", "05").
bool ValidPeriod(const BillRecord& r);

}  // namespace orv::accounting
