#pragma once
// Writes and reads Unicode code points as UTF-8 (the texts every area holds).
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

inline void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `at`; returns its length, 0 when malformed.
inline size_t DecodeUtf8(std::string_view s, size_t at, char32_t& cp) {
    const auto b = static_cast<unsigned char>(s[at]);
    size_t len = 0;
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    if ((b & 0xE0) == 0xC0) {
        len = 2;
        cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        len = 3;
        cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        len = 4;
        cp = b & 0x07;
    } else {
        return 0;
    }
    if (at + len > s.size()) return 0;
    for (size_t i = 1; i < len; ++i) {
        const auto c = static_cast<unsigned char>(s[at + i]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    return len;
}

}  // namespace orv
