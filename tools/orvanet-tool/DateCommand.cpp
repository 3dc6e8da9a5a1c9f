// orvanet-tool date: solar and Gregorian conversions and Persian number words.
#include <charconv>
#include <iostream>

#include "solar/core/CivilDays.h"
#include "solar/core/ShortDateFormat.h"
#include "solar/core/TPublicUtils.h"
#include "tools/orvanet-tool/ToolCommand.h"

namespace {

constexpr const char* kIso = "yyyy-MM-dd";

int Malformed(const std::string& what) {
    std::cerr << "orvanet-tool date: " << what << "\n";
    return 2;
}

// A Gregorian day in the ISO form YYYY-MM-DD exactly.
bool ReadIso(const std::string& text, int64_t& serial) {
    if (text.size() != 10) return false;
    const auto d = orv::ParseShortDate(text, kIso);
    if (!d) return false;
    serial = orv::days::FromGregorian(d->year, d->month, d->day);
    return true;
}

std::string IsoOf(int64_t serial) { return orv::FormatShortDate(orv::days::ToGregorian(serial), kIso); }

int Run(const std::vector<std::string>& a) {
    if (a.empty()) return Malformed("missing operation (to-solar, to-gregorian, days, words)");
    const std::string& op = a[0];
    if (op == "to-solar" && a.size() == 2) {
        int64_t serial;
        if (!ReadIso(a[1], serial)) return Malformed("not a Gregorian date YYYY-MM-DD: " + a[1]);
        std::cout << TPublicUtils::GregorianToSolar(std::chrono::sys_days{std::chrono::days{serial}}) << "\n";
        return 0;
    }
    if (op == "to-gregorian" && a.size() == 2) {
        Word y, m, d;
        TPublicUtils::SeparateYMD(a[1], dkSolar, y, m, d);
        if (!TPublicUtils::SolarToGregorian(y, m, d)) return Malformed("not a solar date YYYY/MM/DD: " + a[1]);
        std::cout << orv::FormatShortDate({y, m, d}, kIso) << "\n";
        return 0;
    }
    if (op == "days" && a.size() == 3) {
        int64_t from, to;
        if (!ReadIso(a[1], from)) return Malformed("not a Gregorian date YYYY-MM-DD: " + a[1]);
        if (!ReadIso(a[2], to)) return Malformed("not a Gregorian date YYYY-MM-DD: " + a[2]);
        std::string out;
        for (int64_t s = from; s <= to; ++s) {
            out += IsoOf(s);
            out += ' ';
            out += TPublicUtils::GregorianToSolar(std::chrono::sys_days{std::chrono::days{s}});
            out += '\n';
        }
        std::cout << out;
        return 0;
    }
    if (op == "words" && a.size() >= 2) {
        std::string out;
        for (size_t i = 1; i < a.size(); ++i) {
            int32_t n = 0;
            const std::string& t = a[i];
            auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
            if (t.empty() || ec != std::errc() || p != t.data() + t.size() || n < 0)
                return Malformed("not a whole number from 0 to 2147483647: " + t);
            out += t + "\t" + TPublicUtils::ConvertToPersianAlpha(n) + "\n";
        }
        std::cout << out;
        return 0;
    }
    return Malformed("unknown operation or wrong argument count: " + op);
}

const orv::tool::Register reg("date", "date to-solar YYYY-MM-DD | to-gregorian YYYY/MM/DD | days FROM TO | words N...",
                              Run);

}  // namespace
