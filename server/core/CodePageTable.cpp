#include "server/core/CodePageTable.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "base/core/CodePage.h"
#include "base/core/TextFile.h"

namespace orv {
namespace {

constexpr int kFallbackCodePage = 1252;

// Byte 0x80 + i of the code page as UTF-8; empty when the platform does not know it.
std::vector<std::string> PlatformTable(int codePage) {
    std::u16string probe;
    if (!DecodeCodePage(codePage, "a", probe)) return {};
    // Multi-byte code pages (932, 936, ...) are read byte by byte: a lead byte alone is no character.
    std::vector<std::string> table(128);
    for (int i = 0; i < 128; ++i) {
        const char byte = static_cast<char>(0x80 + i);
        std::u16string units;
        const std::string utf8 =
            DecodeCodePage(codePage, std::string_view(&byte, 1), units) ? Utf16ToUtf8(units) : std::string();
        table[i] = utf8.empty() ? "\uFFFD" : utf8;
    }
    return table;
}

// The table of a code page, empty when nobody knows it.
std::vector<std::string> MakeTable(int codePage) {
    if (codePage != 1256) return PlatformTable(codePage);
    std::vector<std::string> table(128);
    for (int i = 0; i < 128; ++i) {
        const char byte = static_cast<char>(0x80 + i);
        table[i] = Cp1256ToUtf8(std::string_view(&byte, 1));
    }
    return table;
}

// How many unknown code pages are remembered: documents naming ever new ones
// are asked about again rather than fill memory.
constexpr size_t kUnknownRemembered = 64;

}  // namespace

const std::vector<std::string>& CodePageTables::Table(int codePage) {
    // Made once for the whole program; tables are never dropped, so a reference stays good.
    static std::mutex mutex;
    static std::map<int, std::vector<std::string>> known;
    static std::set<int> unknown;
    const std::lock_guard<std::mutex> lock(mutex);
    for (const int page : {codePage, kFallbackCodePage}) {
        if (const auto it = known.find(page); it != known.end()) return it->second;
        if (unknown.count(page) != 0) continue;
        std::vector<std::string> table = MakeTable(page);
        if (!table.empty()) return known.emplace(page, std::move(table)).first->second;
        if (unknown.size() < kUnknownRemembered) unknown.insert(page);
    }
    // Not even the fallback is known.
    return known.emplace(kFallbackCodePage, std::vector<std::string>(128, "\uFFFD")).first->second;
}

std::string_view CodePageTables::Decode(int codePage, unsigned char byte) {
    if (byte < 0x80) return {};
    if (codePage != lastCodePage_) {
        last_ = &Table(codePage);
        lastCodePage_ = codePage;
    }
    return (*last_)[byte - 0x80];
}

}  // namespace orv
