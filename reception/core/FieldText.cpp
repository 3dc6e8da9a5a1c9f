#include "reception/core/FieldText.h"

#include <cstdio>

#include "base/core/CodePage.h"
#include "base/core/TextFile.h"
#include "base/core/Utf8.h"

namespace orv::reception {

std::string UnfitCharacter(std::string_view utf8) {
    bool lossless = true;
    Utf8ToCp1256(utf8, &lossless);
    if (lossless) return {};
    for (size_t at = 0; at < utf8.size();) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(utf8, at, cp);
        const std::string_view character = utf8.substr(at, len == 0 ? 1 : len);
        Utf8ToCp1256(character, &lossless);
        if (!lossless || len == 0) return std::string(character);
        at += len;
    }
    return {};
}

std::string CharacterName(std::string_view character) {
    char32_t cp = 0;
    if (character.empty() || DecodeUtf8(character, 0, cp) == 0) cp = 0xFFFD;
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
    return "«" + std::string(character) + "» (" + code + ")";
}

bool HoldsControl(std::string_view utf8) {
    for (size_t at = 0; at < utf8.size();) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(utf8, at, cp);
        if (len == 0) {
            ++at;
            continue;
        }
        if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0) || cp == 0x2028 || cp == 0x2029) return true;
        at += len;
    }
    return false;
}

}  // namespace orv::reception
