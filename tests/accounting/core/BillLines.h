#pragma once
// Bill lines for the accounting tests, laid out as the central laboratory writes them.
#include <string>
#include <vector>

namespace orv::test {

// A month record: state in column 1, the label from column 3 (period from
// column 5), the amount right-aligned to end at column 44.
inline std::string BillRecordLine(const std::string& state, const std::string& period, const std::string& amount) {
    std::string label = "  " + period;
    label.resize(11, ' ');
    std::string head = state + " " + label + " ";
    std::string padded = amount.size() < 30 ? std::string(30 - amount.size(), ' ') + amount : amount;
    return head + padded;
}

// Lines 1 to 5, then the records.
inline std::vector<std::string> BillLines(const std::vector<std::string>& records, const std::string& sampleFactor = "1",
                                          const std::string& limit = "90", const std::string& version = "22.00",
                                          const std::string& counter = "18") {
    std::vector<std::string> lines{"آزمايشگاه نمونه", version, counter, sampleFactor, limit};
    lines.insert(lines.end(), records.begin(), records.end());
    return lines;
}

}  // namespace orv::test
