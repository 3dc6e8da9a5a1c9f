#include "reception/core/BuiltInLists.h"

#include <string_view>

#include "reception/core/EmbeddedData.h"

namespace orv::reception {

namespace {

// The data files are UTF-8, one entry a line.
std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

}  // namespace

const std::vector<std::string>& BuiltInTests() {
    static const std::vector<std::string> tests = Lines(embedded::kTests);
    return tests;
}

const std::vector<std::string>& BuiltInMaleNames() {
    static const std::vector<std::string> names = Lines(embedded::kMaleNames);
    return names;
}

}  // namespace orv::reception
