#include "accounting/core/BillRecord.h"

#include "base/core/Trim.h"

namespace orv::accounting {

namespace {

// The byte where character `n` (0-based) of the UTF-8 line starts; the line's
// size when it has fewer characters.
size_t CharStart(std::string_view line, size_t n) {
    size_t at = 0;
    for (; at < line.size(); ++at) {
        if ((static_cast<unsigned char>(line[at]) & 0xC0) == 0x80) continue;  // inside a character
        if (n-- == 0) return at;
    }
    return line.size();
}

}  // namespace

std::string_view Columns(std::string_view line, size_t first, size_t last) {
    if (first < 1 || last < first) return {};
    const size_t from = CharStart(line, first - 1);
    const size_t to = CharStart(line.substr(from), last - first + 1);
    return line.substr(from, to);
}

BillRecord ReadBillRecord(std::string_view line) {
    BillRecord r;
    r.unpaid = !line.empty() && line.front() == '0';
    r.label = std::string(orv::Trim(Columns(line, 3, 13)));
    std::string rec;
    if (Columns(line, 6, 6) == "^") {
        r.instalment = std::string(Columns(line, 5, 5));
        // Columns 5-6 go, so the period and the amount stand where a plain month has them.
        rec = std::string(Columns(line, 1, 4)) + std::string(line.substr(Columns(line, 1, 6).size()));
    } else {
        rec = std::string(line);
        r.instalment = "1";
    }
    r.year = std::string(orv::Trim(Columns(rec, 5, 8)));
    r.month = std::string(orv::Trim(Columns(rec, 10, 11)));
    r.amountText = std::string(Columns(rec, 15, 44));
    return r;
}

bool ValidPeriod(const BillRecord& r) {
    auto digits = [](const std::string& s, size_t n) {
        if (s.size() != n) return false;
        for (char c : s)
            if (c < '0' || c > '9') return false;
        return true;
    };
    if (!digits(r.year, 4) || !digits(r.month, 2)) return false;
    const int month = (r.month[0] - '0') * 10 + (r.month[1] - '0');
    return month >= 1 && month <= 12;
}

}  // namespace orv::accounting
