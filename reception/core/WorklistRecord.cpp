#include "reception/core/WorklistRecord.h"

#include <charconv>

namespace orv::reception {

namespace {

// The text before `divider`; `rest` loses it and the divider. Without the
// divider the field is the whole rest.
std::string_view TakeField(std::string_view& rest, char divider) {
    const size_t at = rest.find(divider);
    if (at == std::string_view::npos) {
        std::string_view field = rest;
        rest = {};
        return field;
    }
    std::string_view field = rest.substr(0, at);
    rest.remove_prefix(at + 1);
    return field;
}

}  // namespace

int ParseIndex(std::string_view text, int fallback) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return fallback;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return fallback;
    return value;
}

WorklistRecord LoadRecord(std::string_view line) {
    WorklistRecord r;
    std::string_view rest = line;
    r.receipt = TakeField(rest, ';');
    r.firstName = TakeField(rest, ';');
    r.familyName = TakeField(rest, ';');
    r.age = TakeField(rest, ';');
    r.ageUnit = ParseIndex(TakeField(rest, ';'));
    r.father = TakeField(rest, ';');
    r.sex = ParseIndex(TakeField(rest, '['));
    r.tests = SplitTests(rest);
    return r;
}

std::vector<std::string> SplitTests(std::string_view tests) {
    std::vector<std::string> names;
    while (!tests.empty()) {
        std::string_view name = TakeField(tests, ';');
        if (!name.empty()) names.emplace_back(name);
    }
    return names;
}

std::string StoreRecord(const WorklistRecord& r) {
    std::string line;
    line.reserve(64 + r.tests.size() * 12);
    for (const std::string* field : {&r.receipt, &r.firstName, &r.familyName, &r.age}) {
        line += *field;
        line += ';';
    }
    line += std::to_string(r.ageUnit);
    line += ';';
    line += r.father;
    line += ';';
    line += std::to_string(r.sex);
    line += '[';
    for (const std::string& test : r.tests) {
        line += TestNameForRecord(test);
        line += ';';
    }
    return line;
}

std::string TestNameForRecord(std::string_view name) {
    std::string stored(name);
    for (char& c : stored)
        if (c == ';') c = ',';
    return stored;
}

std::string NewPatientRecord(std::string_view receipt) { return std::string(receipt) + ";;;;0;;0["; }

std::string_view RecordReceipt(std::string_view line) { return line.substr(0, line.find(';')); }

std::vector<std::string_view> LeadingFields(std::string_view line, int count) {
    std::vector<std::string_view> fields;
    for (int i = 0; i < count; ++i) fields.push_back(TakeField(line, ';'));
    return fields;
}

bool IsFieldText(std::string_view text) { return text.find_first_of(";[") == std::string_view::npos; }

}  // namespace orv::reception
