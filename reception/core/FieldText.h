#pragma once
// What a worklist field may hold. "today.txt" is read by the central laboratory
// in code page 1256, one patient a line, fields divided by ";" and "[": digits
// are kept as ASCII digits whatever keyboard typed them, and a character the
// code page has no form for (beyond its best fits: Persian yeh, Persian digits)
// or a line break never enters a record.
#include <string>
#include <string_view>

#include "base/core/CodePage.h"

namespace orv::reception {

// Every decimal digit of any script (Persian, Arabic-Indic, ...) as its ASCII digit.
using ::orv::AsciiDigits;

// The first character code page 1256 cannot hold, not even by a best fit; empty
// when every character fits.
std::string UnfitCharacter(std::string_view utf8);

// A character for a message: itself and its code point, e.g. "«ۀ» (U+06C0)".
std::string CharacterName(std::string_view character);

// True for a line break or any other control character.
bool HoldsControl(std::string_view utf8);

}  // namespace orv::reception
