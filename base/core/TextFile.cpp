#include "base/core/TextFile.h"

#include <array>

#include "base/core/CodePage.h"

namespace orv {
namespace {

// Files without a byte-order mark are in Windows code page 1256 (Arabic script,
// Persian letters), the ANSI code page of a Persian Windows desktop.
std::u16string ToUnicode(int codePage, std::string_view bytes) {
    std::u16string out;
    DecodeCodePage(codePage, bytes, out);
    return out;
}

// False when a character has no mapping, not even a best fit; with `substitute`
// such a character becomes "?" and the conversion goes on.
bool FromUnicode(std::u16string_view text, std::string& out, bool substitute = false) {
    return EncodeCodePage(kCodePage1256, text, out, substitute);
}

// The lines of `text` (CR, LF or CR LF ends a line), each made by `convert`.
template <typename Convert>
std::vector<std::string> SplitLinesAs(std::string_view text, Convert convert) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(convert(text.substr(start, i - start)));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(convert(text.substr(start)));
    return lines;
}

std::vector<std::string> SplitLines(std::string_view text) {
    return SplitLinesAs(text, [](std::string_view line) { return std::string(line); });
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
        utf8 = Utf16ToUtf8(Utf8ToUtf16(bytes.substr(3)));  // invalid sequences become U+FFFD
    } else if (StartsWith(bytes, "\xFF\xFE")) {
        c.encoding = TextEncoding::Utf16LE;
        utf8 = Utf16ToUtf8(ToUnicode(kCodePageUtf16LE, bytes.substr(2)));
    } else if (StartsWith(bytes, "\xFE\xFF")) {
        c.encoding = TextEncoding::Utf16BE;
        utf8 = Utf16ToUtf8(ToUnicode(kCodePageUtf16BE, bytes.substr(2)));
    } else {
        // A single-byte code page: CR and LF are its bytes 0x0D and 0x0A and no
        // other character's UTF-8 holds them, so the file is cut into lines first
        // and never held whole in UTF-8 beside its lines.
        c.encoding = TextEncoding::Cp1256;
        c.lines = SplitLinesAs(bytes, Cp1256ToUtf8);
        return c;
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
        if (FromUnicode(Utf8ToUtf16(text), bytes)) {
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
            for (char16_t u : Utf8ToUtf16(text)) {
                const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
                out += le ? lo : hi;
                out += le ? hi : lo;
            }
            return out;
        }
        default:
            return "\xEF\xBB\xBF" + Utf16ToUtf8(Utf8ToUtf16(text));
    }
}

FileResult WriteTextFile(const std::string& path, const std::vector<std::string>& lines, TextEncoding encoding) {
    return WriteFileAtomically(path, EncodeText(lines, encoding));
}

// Code page 1256 is a single-byte code page: each byte's UTF-8 form is taken once
// from the platform's converter, and a file is then decoded by table, in one pass.
std::string Cp1256ToUtf8(std::string_view bytes) {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> t;
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            t[b] = Utf16ToUtf8(ToUnicode(kCodePage1256, std::string_view(&c, 1)));
        }
        return t;
    }();
    size_t size = 0;
    for (const unsigned char b : bytes) size += b < 0x80 ? 1 : table[b].size();
    std::string out;
    out.reserve(size);
    for (const unsigned char b : bytes) {
        if (b < 0x80)
            out += static_cast<char>(b);
        else
            out += table[b];
    }
    return out;
}

std::string Utf8ToCp1256(std::string_view utf8, bool* lossless) {
    const std::u16string text = Utf8ToUtf16(utf8);
    std::string out;
    const bool ok = FromUnicode(text, out);
    // Characters without a mapping become "?" here; callers that must not lose them check `lossless`.
    if (!ok) FromUnicode(text, out, true);
    if (lossless) *lossless = ok;
    return out;
}

}  // namespace orv
