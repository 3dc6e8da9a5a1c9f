#include "base/core/TextFile.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <array>
#include <memory>

namespace orv {
namespace {

// Windows code page 1256 (Arabic script, Persian letters), the ANSI code page
// of a Persian Windows desktop; ICU's converter name.
constexpr const char* kCp1256 = "windows-1256";

struct ConverterDeleter {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterDeleter>;

Converter Open(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    Converter c(ucnv_open(name, &status));
    return U_SUCCESS(status) ? std::move(c) : nullptr;
}

std::u16string ToUnicode(const char* name, std::string_view bytes) {
    Converter c = Open(name);
    if (!c || bytes.empty()) return {};
    std::u16string out(bytes.size() * 2 + 2, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(c.get(), out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                                    static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) return {};
    out.resize(static_cast<size_t>(n));
    return out;
}

// False when a character has no mapping, not even a best fit; with `substitute`
// such a character becomes "?" and the conversion goes on.
bool FromUnicode(const char* name, std::u16string_view text, std::string& out, bool substitute = false) {
    out.clear();
    Converter c = Open(name);
    if (!c) return false;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFallback(c.get(), true);
    if (substitute)
        ucnv_setSubstChars(c.get(), "?", 1, &status);
    else
        ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (text.empty()) return U_SUCCESS(status);
    out.resize(text.size() * 4 + 4);
    const int32_t n = ucnv_fromUChars(c.get(), out.data(), static_cast<int32_t>(out.size()), text.data(),
                                      static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status)) {
        out.clear();
        return false;
    }
    out.resize(static_cast<size_t>(n));
    return true;
}

std::u16string FromUtf8(std::string_view s) {
    if (s.empty()) return {};
    std::u16string out(s.size() + 1, u'\0');
    int32_t n = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &n, s.data(), static_cast<int32_t>(s.size()),
                         0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? static_cast<size_t>(n) : 0);
    return out;
}

std::string ToUtf8(std::u16string_view s) {
    if (s.empty()) return {};
    std::string out(s.size() * 3 + 1, '\0');
    int32_t n = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &n, s.data(), static_cast<int32_t>(s.size()),
                       0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? static_cast<size_t>(n) : 0);
    return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

TextContent DecodeText(std::string_view bytes) {
    TextContent c;
    std::string utf8;
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        c.encoding = TextEncoding::Utf8Bom;
        utf8 = ToUtf8(FromUtf8(bytes.substr(3)));  // invalid sequences become U+FFFD
    } else if (StartsWith(bytes, "\xFF\xFE")) {
        c.encoding = TextEncoding::Utf16LE;
        utf8 = ToUtf8(ToUnicode("UTF-16LE", bytes.substr(2)));
    } else if (StartsWith(bytes, "\xFE\xFF")) {
        c.encoding = TextEncoding::Utf16BE;
        utf8 = ToUtf8(ToUnicode("UTF-16BE", bytes.substr(2)));
    } else {
        c.encoding = TextEncoding::Cp1256;
        utf8 = Cp1256ToUtf8(bytes);
    }
    c.lines = SplitLines(utf8);
    return c;
}

TextReadResult ReadTextFile(const std::string& path) {
    TextReadResult r;
    std::string bytes;
    if (!ReadWholeFile(path, bytes, &r.error)) return r;
    r.content = DecodeText(bytes);
    r.ok = true;
    return r;
}

std::string EncodeText(const std::vector<std::string>& lines, TextEncoding wanted, TextEncoding* used) {
    const std::string text = Joined(lines);
    if (wanted == TextEncoding::Cp1256) {
        std::string bytes;
        if (FromUnicode(kCp1256, FromUtf8(text), bytes)) {
            if (used) *used = TextEncoding::Cp1256;
            return bytes;
        }
        wanted = TextEncoding::Utf8Bom;  // keep every character rather than write "?"
    }
    if (used) *used = wanted;
    std::string out;
    switch (wanted) {
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE: {
            const bool le = wanted == TextEncoding::Utf16LE;
            out = le ? "\xFF\xFE" : "\xFE\xFF";
            for (char16_t u : FromUtf8(text)) {
                const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
                out += le ? lo : hi;
                out += le ? hi : lo;
            }
            return out;
        }
        default:
            return "\xEF\xBB\xBF" + ToUtf8(FromUtf8(text));
    }
}

FileResult WriteTextFile(const std::string& path, const std::vector<std::string>& lines, TextEncoding encoding) {
    return WriteFileAtomically(path, EncodeText(lines, encoding));
}

// Code page 1256 is a single-byte code page: each byte's UTF-8 form is taken once
// from ICU's converter, and a file is then decoded by table, in one pass.
std::string Cp1256ToUtf8(std::string_view bytes) {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> t;
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            t[b] = ToUtf8(ToUnicode(kCp1256, std::string_view(&c, 1)));
        }
        return t;
    }();
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const unsigned char b : bytes) {
        if (b < 0x80)
            out += static_cast<char>(b);
        else
            out += table[b];
    }
    return out;
}

std::string Utf8ToCp1256(std::string_view utf8, bool* lossless) {
    const std::u16string text = FromUtf8(utf8);
    std::string out;
    const bool ok = FromUnicode(kCp1256, text, out);
    // Characters without a mapping become "?" here; callers that must not lose them check `lossless`.
    if (!ok) FromUnicode(kCp1256, text, out, true);
    if (lossless) *lossless = ok;
    return out;
}

}  // namespace orv
