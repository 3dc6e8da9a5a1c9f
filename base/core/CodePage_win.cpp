// Code page conversions on the Windows API (MultiByteToWideChar and
// WideCharToMultiByte), which take Windows' own best fits.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/core/CodePage.h"

namespace orv {
namespace {

std::u16string FromWide(const wchar_t* p, int n) { return std::u16string(reinterpret_cast<const char16_t*>(p), n); }
const wchar_t* Wide(std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); }

// The first code point of each run of ten decimal digits (Unicode 15, as ICU 72
// on Linux classes them), beyond ASCII.
constexpr char32_t kDigitZeros[] = {
    0x660,   0x6F0,   0x7C0,   0x966,   0x9E6,   0xA66,   0xAE6,   0xB66,   0xBE6,   0xC66,   0xCE6,   0xD66,
    0xDE6,   0xE50,   0xED0,   0xF20,   0x1040,  0x1090,  0x17E0,  0x1810,  0x1946,  0x19D0,  0x1A80,  0x1A90,
    0x1B50,  0x1BB0,  0x1C40,  0x1C50,  0xA620,  0xA8D0,  0xA900,  0xA9D0,  0xA9F0,  0xAA50,  0xABF0,  0xFF10,
    0x104A0, 0x10D30, 0x11066, 0x110F0, 0x11136, 0x111D0, 0x112F0, 0x11450, 0x114D0, 0x11650, 0x116C0, 0x11730,
    0x118E0, 0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x11F50, 0x16A60, 0x16AC0, 0x16B50, 0x1D7CE, 0x1D7D8, 0x1D7E2,
    0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0, 0x1E4F0, 0x1E950, 0x1FBF0,
};

// Code page 1256 as ICU's "windows-1256" converter writes it on Linux, so a text
// is saved alike on both: the code points it drops (default-ignorable ones, such
// as zero width space and the direction marks it has no byte for) ...
constexpr std::pair<char32_t, char32_t> kCp1256Dropped[] = {
    {0x34F, 0x34F}, {0x61C, 0x61C}, {0x115F, 0x1160}, {0x17B4, 0x17B5}, {0x180B, 0x180F}, {0x200B, 0x200B},
    {0x202A, 0x202E}, {0x2060, 0x206F}, {0x3164, 0x3164}, {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0},
    {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF}
};
// ... and its best fits, each as the character the code page holds exactly:
// Persian yeh as Arabic yeh, Persian and Arabic-Indic digits as ASCII digits,
// Arabic presentation forms as their letters. Fullwidth ASCII (U+FF01 to
// U+FF5E) fits ASCII, apart from this table.
constexpr std::pair<char16_t, char16_t> kCp1256Fits[] = {
    {0x191, 0x46}, {0x2CB, 0x60}, {0x660, 0x30}, {0x661, 0x31}, {0x662, 0x32}, {0x663, 0x33}, {0x664, 0x34},
    {0x665, 0x35}, {0x666, 0x36}, {0x667, 0x37}, {0x668, 0x38}, {0x669, 0x39}, {0x66B, 0x2C}, {0x66C, 0x2E},
    {0x6CC, 0x64A}, {0x6F0, 0x30}, {0x6F1, 0x31}, {0x6F2, 0x32}, {0x6F3, 0x33}, {0x6F4, 0x34}, {0x6F5, 0x35},
    {0x6F6, 0x36}, {0x6F7, 0x37}, {0x6F8, 0x38}, {0x6F9, 0x39}, {0x203E, 0xAF}, {0xFB56, 0x67E}, {0xFB57, 0x67E},
    {0xFB58, 0x67E}, {0xFB59, 0x67E}, {0xFB66, 0x679}, {0xFB67, 0x679}, {0xFB68, 0x679}, {0xFB69, 0x679}, {0xFB7A, 0x686},
    {0xFB7B, 0x686}, {0xFB7C, 0x686}, {0xFB7D, 0x686}, {0xFB88, 0x688}, {0xFB89, 0x688}, {0xFB8A, 0x698}, {0xFB8B, 0x698},
    {0xFB8C, 0x691}, {0xFB8D, 0x691}, {0xFB8E, 0x6A9}, {0xFB8F, 0x6A9}, {0xFB90, 0x6A9}, {0xFB91, 0x6A9}, {0xFB92, 0x6AF},
    {0xFB93, 0x6AF}, {0xFB94, 0x6AF}, {0xFB95, 0x6AF}, {0xFB9E, 0x6BA}, {0xFB9F, 0x6BA}, {0xFBA6, 0x6C1}, {0xFBA7, 0x6C1},
    {0xFBA8, 0x6C1}, {0xFBA9, 0x6C1}, {0xFBAA, 0x6BE}, {0xFBAB, 0x6BE}, {0xFBAC, 0x6BE}, {0xFBAD, 0x6BE}, {0xFBAE, 0x6D2},
    {0xFBAF, 0x6D2}, {0xFE70, 0x64B}, {0xFE71, 0x64B}, {0xFE72, 0x64C}, {0xFE73, 0x20}, {0xFE74, 0x64D}, {0xFE76, 0x64E},
    {0xFE77, 0x64E}, {0xFE78, 0x64F}, {0xFE79, 0x64F}, {0xFE7A, 0x650}, {0xFE7B, 0x650}, {0xFE7C, 0x651}, {0xFE7D, 0x651},
    {0xFE7E, 0x652}, {0xFE7F, 0x652}, {0xFE80, 0x621}, {0xFE81, 0x622}, {0xFE82, 0x622}, {0xFE83, 0x623}, {0xFE84, 0x623},
    {0xFE85, 0x624}, {0xFE86, 0x624}, {0xFE87, 0x625}, {0xFE88, 0x625}, {0xFE89, 0x626}, {0xFE8A, 0x626}, {0xFE8B, 0x626},
    {0xFE8C, 0x626}, {0xFE8D, 0x627}, {0xFE8E, 0x627}, {0xFE8F, 0x628}, {0xFE90, 0x628}, {0xFE91, 0x628}, {0xFE92, 0x628},
    {0xFE93, 0x629}, {0xFE94, 0x629}, {0xFE95, 0x62A}, {0xFE96, 0x62A}, {0xFE97, 0x62A}, {0xFE98, 0x62A}, {0xFE99, 0x62B},
    {0xFE9A, 0x62B}, {0xFE9B, 0x62B}, {0xFE9C, 0x62B}, {0xFE9D, 0x62C}, {0xFE9E, 0x62C}, {0xFE9F, 0x62C}, {0xFEA0, 0x62C},
    {0xFEA1, 0x62D}, {0xFEA2, 0x62D}, {0xFEA3, 0x62D}, {0xFEA4, 0x62D}, {0xFEA5, 0x62E}, {0xFEA6, 0x62E}, {0xFEA7, 0x62E},
    {0xFEA8, 0x62E}, {0xFEA9, 0x62F}, {0xFEAA, 0x62F}, {0xFEAB, 0x630}, {0xFEAC, 0x630}, {0xFEAD, 0x631}, {0xFEAE, 0x631},
    {0xFEAF, 0x632}, {0xFEB0, 0x632}, {0xFEB1, 0x633}, {0xFEB2, 0x633}, {0xFEB3, 0x633}, {0xFEB4, 0x633}, {0xFEB5, 0x634},
    {0xFEB6, 0x634}, {0xFEB7, 0x634}, {0xFEB8, 0x634}, {0xFEB9, 0x635}, {0xFEBA, 0x635}, {0xFEBB, 0x635}, {0xFEBC, 0x635},
    {0xFEBD, 0x636}, {0xFEBE, 0x636}, {0xFEBF, 0x636}, {0xFEC0, 0x636}, {0xFEC1, 0x637}, {0xFEC2, 0x637}, {0xFEC3, 0x637},
    {0xFEC4, 0x637}, {0xFEC5, 0x638}, {0xFEC6, 0x638}, {0xFEC7, 0x638}, {0xFEC8, 0x638}, {0xFEC9, 0x639}, {0xFECA, 0x639},
    {0xFECB, 0x639}, {0xFECC, 0x639}, {0xFECD, 0x63A}, {0xFECE, 0x63A}, {0xFECF, 0x63A}, {0xFED0, 0x63A}, {0xFED1, 0x641},
    {0xFED2, 0x641}, {0xFED3, 0x641}, {0xFED4, 0x641}, {0xFED5, 0x642}, {0xFED6, 0x642}, {0xFED7, 0x642}, {0xFED8, 0x642},
    {0xFED9, 0x643}, {0xFEDA, 0x643}, {0xFEDB, 0x643}, {0xFEDC, 0x643}, {0xFEDD, 0x644}, {0xFEDE, 0x644}, {0xFEDF, 0x644},
    {0xFEE0, 0x644}, {0xFEE1, 0x645}, {0xFEE2, 0x645}, {0xFEE3, 0x645}, {0xFEE4, 0x645}, {0xFEE5, 0x646}, {0xFEE6, 0x646},
    {0xFEE7, 0x646}, {0xFEE8, 0x646}, {0xFEE9, 0x647}, {0xFEEA, 0x647}, {0xFEEB, 0x647}, {0xFEEC, 0x647}, {0xFEED, 0x648},
    {0xFEEE, 0x648}, {0xFEEF, 0x649}, {0xFEF0, 0x649}, {0xFEF1, 0x64A}, {0xFEF2, 0x64A}, {0xFEF3, 0x64A}, {0xFEF4, 0x64A}
};

bool Cp1256Dropped(char32_t cp) {
    const auto* next = std::upper_bound(std::begin(kCp1256Dropped), std::end(kCp1256Dropped), cp,
                                        [](char32_t c, const auto& range) { return c < range.first; });
    return next != std::begin(kCp1256Dropped) && cp <= (next - 1)->second;
}

// The text with code page 1256's best fits and drops made, for an exact conversion.
std::u16string Cp1256Fitted(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            const char32_t cp = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            if (!Cp1256Dropped(cp)) out.append(text.substr(i, 2));
            ++i;
            continue;
        }
        if (Cp1256Dropped(u)) continue;
        if (u >= 0xFF01 && u <= 0xFF5E) {
            out += static_cast<char16_t>(u - 0xFEE0);
            continue;
        }
        const auto* fit = std::lower_bound(std::begin(kCp1256Fits), std::end(kCp1256Fits), u,
                                           [](const auto& f, char16_t c) { return f.first < c; });
        out += fit != std::end(kCp1256Fits) && fit->first == u ? fit->second : u;
    }
    return out;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view s) {
    if (s.empty()) return {};
    const int size = static_cast<int>(s.size());
    std::wstring out(s.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), size, out.data(), size);
    return FromWide(out.data(), std::max(n, 0));
}

std::string Utf16ToUtf8(std::u16string_view s) {
    if (s.empty()) return {};
    const int size = static_cast<int>(s.size());
    std::string out(s.size() * 3, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, Wide(s), size, out.data(), size * 3, nullptr, nullptr);
    out.resize(static_cast<size_t>(std::max(n, 0)));
    return out;
}

bool DecodeCodePage(int codePage, std::string_view bytes, std::u16string& out) {
    out.clear();
    if (codePage == kCodePageUtf16LE || codePage == kCodePageUtf16BE) {
        // As ICU reads it: a lone surrogate or a last odd byte becomes U+FFFD.
        const bool le = codePage == kCodePageUtf16LE;
        std::u16string units;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const auto lo = static_cast<unsigned char>(bytes[le ? i : i + 1]);
            const auto hi = static_cast<unsigned char>(bytes[le ? i + 1 : i]);
            units += static_cast<char16_t>(lo | (hi << 8));
        }
        const auto high = [](char16_t u) { return u >= 0xD800 && u < 0xDC00; };
        const auto low = [](char16_t u) { return u >= 0xDC00 && u < 0xE000; };
        for (size_t i = 0; i < units.size(); ++i) {
            if (high(units[i]) && i + 1 < units.size() && low(units[i + 1])) {
                out += units[i];
                out += units[++i];
            } else {
                out += high(units[i]) || low(units[i]) ? u'\uFFFD' : units[i];
            }
        }
        if (bytes.size() % 2 != 0) out += u'\uFFFD';
        return true;
    }
    if (!IsValidCodePage(static_cast<UINT>(codePage))) return false;
    if (bytes.empty()) return true;
    const int size = static_cast<int>(bytes.size());
    std::wstring wide(bytes.size() * 2, L'\0');
    const int n = MultiByteToWideChar(static_cast<UINT>(codePage), MB_ERR_INVALID_CHARS, bytes.data(), size,
                                      wide.data(), static_cast<int>(wide.size()));
    if (n <= 0) return false;
    out = FromWide(wide.data(), n);
    return true;
}

bool EncodeCodePage(int codePage, std::u16string_view text, std::string& out, bool substitute) {
    out.clear();
    if (!IsValidCodePage(static_cast<UINT>(codePage))) return false;
    // Code page 1256 takes the fits above and nothing else; any other code page
    // takes Windows' own best fits.
    std::u16string fitted;
    DWORD flags = 0;
    if (codePage == kCodePage1256) {
        fitted = Cp1256Fitted(text);
        text = fitted;
        flags = WC_NO_BEST_FIT_CHARS;
    }
    if (text.empty()) return true;
    const int size = static_cast<int>(text.size());
    out.resize(text.size() * 4);
    // A character with no form takes the default character and sets `usedDefault`.
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(static_cast<UINT>(codePage), flags, Wide(text), size, out.data(),
                                      static_cast<int>(out.size()), "?", &usedDefault);
    if (n <= 0 || (usedDefault && !substitute)) {
        out.clear();
        return false;
    }
    out.resize(static_cast<size_t>(n));
    return true;
}

int DecimalDigitValue(char32_t cp) {
    if (cp >= U'0' && cp <= U'9') return static_cast<int>(cp - U'0');
    const auto* next = std::upper_bound(std::begin(kDigitZeros), std::end(kDigitZeros), cp);
    if (next == std::begin(kDigitZeros)) return -1;
    const char32_t zero = *(next - 1);
    return cp - zero < 10 ? static_cast<int>(cp - zero) : -1;
}

}  // namespace orv
