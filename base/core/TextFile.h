#pragma once
// The program's local text files: UTF-8 or UTF-16 (either byte order) when the
// file starts with a byte-order mark, otherwise Windows code page 1256. A file
// is written back in the encoding it was read in, with CR LF line ends; a final
// line break adds no line.
#include <string>
#include <string_view>
#include <vector>

#include "base/core/AtomicFile.h"

namespace orv {

enum class TextEncoding { Cp1256, Utf8Bom, Utf16LE, Utf16BE };

struct TextContent {
    std::vector<std::string> lines;  // UTF-8, without line ends
    TextEncoding encoding = TextEncoding::Cp1256;
};

struct TextReadResult {
    bool ok = false;
    std::string error;  // for the user; empty when ok
    TextContent content;
};

// Splits at CR LF, LF or a lone CR.
TextContent DecodeText(std::string_view bytes);
TextReadResult ReadTextFile(const std::string& path);

// The bytes that would be written. Code page 1256 takes the Windows best fit for
// Persian letters outside it (U+06CC -> 0xED, Persian digits -> ASCII digits);
// a text holding any other character the code page lacks is encoded as UTF-8
// with a byte-order mark instead, so nothing typed is lost. `used` tells which.
std::string EncodeText(const std::vector<std::string>& lines, TextEncoding wanted, TextEncoding* used = nullptr);

// Written whole or not at all; a failed write keeps the earlier file.
FileResult WriteTextFile(const std::string& path, const std::vector<std::string>& lines,
                         TextEncoding encoding = TextEncoding::Cp1256);

// Code page 1256 <-> UTF-8 for single strings (the server's file names and bodies).
std::string Cp1256ToUtf8(std::string_view bytes);
std::string Utf8ToCp1256(std::string_view utf8, bool* lossless = nullptr);

}  // namespace orv
