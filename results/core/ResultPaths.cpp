#include "results/core/ResultPaths.h"

#include "base/core/RemotePath.h"

namespace orv::results {

namespace {
std::string_view Part(std::string_view text, size_t from, size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string_view();
}
}  // namespace

std::string CompactDate(std::string_view dateText) {
    std::string compact;
    compact += Part(dateText, 0, 4);
    compact += Part(dateText, 5, 2);
    compact += Part(dateText, 8, 2);
    return compact;
}

std::string ResultFileName(std::string_view compactDate) { return std::string(compactDate) + ".txt"; }

std::string RemoteResultPath(std::string_view folderCode, std::string_view compactDate) {
    return remote::Path({remote::kResults, folderCode, ResultFileName(compactDate)});
}

std::string LocalResultPath(std::string_view root, std::string_view compactDate) {
    return std::string(root) + ResultFileName(compactDate);
}

}  // namespace orv::results
