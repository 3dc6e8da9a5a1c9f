#pragma once
// Conversions between Unicode and the byte encodings of the program's files:
// ICU on Linux (CodePage_icu.cpp), the Windows API on Windows (CodePage_win.cpp).
// Code pages are Windows code page numbers; 1200 and 1201 are UTF-16 LE and BE.
#include <string>
#include <string_view>

namespace orv {

inline constexpr int kCodePage1256 = 1256;
inline constexpr int kCodePageUtf16LE = 1200;
inline constexpr int kCodePageUtf16BE = 1201;

// UTF-8 <-> UTF-16; a malformed sequence or a lone surrogate becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

// The text of `bytes` in `codePage`; false when the code page is unknown here or
// the bytes are not whole characters in it.
bool DecodeCodePage(int codePage, std::string_view bytes, std::u16string& out);

// `text` in `codePage`, taking Windows' best fits for characters outside it (in
// 1256: Persian yeh U+06CC -> 0xED, Persian and Arabic-Indic digits -> ASCII
// digits). False when a character has no form there, not even a best fit; with
// `substitute` such a character becomes "?" and the conversion goes on.
bool EncodeCodePage(int codePage, std::u16string_view text, std::string& out, bool substitute = false);

// The value of a decimal digit of any script (ASCII, Arabic-Indic, Persian, ...),
// -1 for any other character.
int DecimalDigitValue(char32_t cp);
// Every decimal digit of any script (Persian, Arabic-Indic, ...) as its ASCII
// digit; everything else (and bytes that are no UTF-8) as it is.
std::string AsciiDigits(std::string_view utf8);

}  // namespace orv
