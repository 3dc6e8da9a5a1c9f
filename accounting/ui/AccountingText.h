#pragma once
// What the accounting windows share: UTF-8 to Qt text, and the user's number format.
#include <QString>
#include <string>

#include "accounting/core/Account.h"

namespace orv::accounting {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }

// The user's number format, as the bill's decimals are read and the amounts written.
NumberFormat UserNumberFormat();

}  // namespace orv::accounting
