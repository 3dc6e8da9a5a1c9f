#include "server/core/CodePageTable.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <memory>

#include "base/core/TextFile.h"

namespace orv {
namespace {

constexpr int kFallbackCodePage = 1252;

// Byte 0x80 + i of the code page as UTF-8; empty when ICU does not know it.
std::vector<std::string> IcuTable(int codePage) {
    std::vector<std::string> table;
    for (const std::string& name : {"windows-" + std::to_string(codePage), "ibm-" + std::to_string(codePage)}) {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UConverter, void (*)(UConverter*)> cnv(ucnv_open(name.c_str(), &status), ucnv_close);
        if (U_FAILURE(status) || !cnv) continue;
        // Multi-byte code pages (932, 936, ...) are read byte by byte: a lead byte alone is no character.
        table.resize(128);
        for (int i = 0; i < 128; ++i) {
            const char byte = static_cast<char>(0x80 + i);
            UChar units[4];
            status = U_ZERO_ERROR;
            ucnv_reset(cnv.get());
            const int32_t len = ucnv_toUChars(cnv.get(), units, 4, &byte, 1, &status);
            std::string utf8;
            if (U_SUCCESS(status) && len > 0) {
                char out[16];
                int32_t written = 0;
                status = U_ZERO_ERROR;
                u_strToUTF8(out, sizeof out, &written, units, len, &status);
                if (U_SUCCESS(status)) utf8.assign(out, static_cast<size_t>(written));
            }
            table[i] = utf8.empty() ? "\uFFFD" : utf8;
        }
        return table;
    }
    return table;
}

}  // namespace

const std::vector<std::string>& CodePageTables::Table(int codePage) {
    auto it = tables_.find(codePage);
    if (it != tables_.end()) return it->second;
    std::vector<std::string> table;
    if (codePage == 1256) {
        table.resize(128);
        for (int i = 0; i < 128; ++i) {
            const char byte = static_cast<char>(0x80 + i);
            table[i] = Cp1256ToUtf8(std::string_view(&byte, 1));
        }
    } else {
        table = IcuTable(codePage);
        if (table.empty() && codePage != kFallbackCodePage) return Table(kFallbackCodePage);
        if (table.empty()) table.assign(128, "\uFFFD");
    }
    return tables_.emplace(codePage, std::move(table)).first->second;
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
