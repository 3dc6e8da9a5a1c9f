#pragma once
// Reads the central laboratory's rich-text (RTF) documents, as word processors
// on Windows write them, into a RichDocument: text, bold, italic, underline,
// size, colour, alignment, direction, and tables as rows of cells. Pictures,
// fonts, styles, document information and every ignorable destination are
// skipped. Text in code pages (\ansicpg, a font's \fcharset; 1256 above all)
// and in Unicode (\uN with \ucN) comes out as UTF-8.
//
// Malformed input (unbalanced braces, a truncated escape, an absurd number,
// deep nesting) is read as far as it goes: the reader never fails, runs in time
// linear in the input and keeps whatever text it could read.
#include <string_view>

#include "server/core/RichText.h"

namespace orv {

// True when `bytes` begin, after blanks, with "{\rtf".
bool IsRtf(std::string_view bytes);

RichDocument ReadRtf(std::string_view bytes);

// A reference document of either kind: RTF, or a plain text file (UTF-8 or
// UTF-16 with a byte-order mark, else code page 1256), one paragraph per line.
RichDocument ReadDocument(std::string_view bytes);

}  // namespace orv
