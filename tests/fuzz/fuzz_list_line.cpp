// Any listing lines parse without a crash; a parsed name is the whole rest of
// its line (a link's up to its target); and a name offered for download, joined to the workspace folder,
// names a file directly in that folder.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/core/SafeName.h"
#include "server/core/FolderListing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= bytes.size()) {
        const size_t end = bytes.find('\n', start);
        lines.emplace_back(bytes.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    for (const std::string& line : lines) {
        const auto f = orv::ParseListLine(line);
        if (!f) continue;
        std::string_view rest(line);
        while (!rest.empty() && (rest.back() == '\r' || rest.back() == '\n')) rest.remove_suffix(1);
        // (A link's name stops before its " -> target".)
        const bool whole = rest.ends_with(f->name) || rest.find(f->name + " -> ") != std::string_view::npos;
        if (f->name.empty() || !whole) std::abort();
        (void)orv::SizeOrZero(f->size);
    }
    const std::filesystem::path workspace("/workspace");
    for (const orv::ListedFile& f : orv::DownloadableFiles(lines)) {
        const std::string local = orv::ListedNameText(f.name);
        if (f.folder || !orv::IsSafeFileName(local)) std::abort();
        const std::filesystem::path joined = (workspace / local).lexically_normal();
        if (joined.parent_path() != workspace || joined.filename() != std::filesystem::path(local).filename())
            std::abort();
    }
    return 0;
}
