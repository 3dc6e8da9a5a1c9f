#include "reception/core/TestCatalogue.h"

#include <algorithm>

#include "reception/core/BuiltInLists.h"

namespace orv::reception {

std::string FoldCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

void SortTests(std::vector<std::string>& names) {
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return FoldCase(a) < FoldCase(b); });
}

TestCatalogue::TestCatalogue(std::vector<std::string> names) : names_(std::move(names)) {
    SortTests(names_);
    folded_.reserve(names_.size());
    for (const std::string& n : names_) folded_.push_back(FoldCase(n));
}

TestCatalogue TestCatalogue::BuiltIn() { return TestCatalogue(BuiltInTests()); }

std::vector<int> TestCatalogue::Related(std::string_view fragment) const {
    std::vector<int> found;
    if (fragment.empty()) return found;
    const std::string wanted = FoldCase(fragment);
    // A name listed twice (the built-in list has FBS, Hb, CBC and ESR twice) is offered once:
    // picking it selects the first test of that name either way.
    for (size_t i = 0; i < folded_.size(); ++i) {
        if (folded_[i].find(wanted) == std::string::npos) continue;
        if (!found.empty() && names_[static_cast<size_t>(found.back())] == names_[i]) continue;
        found.push_back(static_cast<int>(i));
    }
    return found;
}

int TestCatalogue::IndexOf(std::string_view name) const {
    const auto it = std::find(names_.begin(), names_.end(), name);
    return it == names_.end() ? -1 : static_cast<int>(it - names_.begin());
}

int FindCode(const std::vector<std::string>& codes, std::string_view code) {
    if (code.empty()) return -1;
    for (size_t i = 0; i < codes.size(); ++i)
        if (EqualsIgnoringCase(codes[i], code)) return static_cast<int>(i);
    return -1;
}

void AssignCode(std::vector<std::string>& codes, int index, const std::string& code, int testCount) {
    if (index < 0) return;
    const size_t wanted = static_cast<size_t>(std::max(testCount, index + 1));
    if (codes.size() < wanted) codes.resize(wanted);
    codes[static_cast<size_t>(index)] = code;
}

bool HoldsTest(const std::vector<std::string>& tests, std::string_view name) {
    return std::any_of(tests.begin(), tests.end(), [&](const std::string& t) { return EqualsIgnoringCase(t, name); });
}

}  // namespace orv::reception
