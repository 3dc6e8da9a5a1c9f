#pragma once
// The form in which patient names and codes are compared when searching the
// archive: the same name is typed with Persian letters on one keyboard and
// Arabic ones on another, and the laboratory's files (code page 1256) hold the
// Arabic forms. Folding makes them equal:
//   ي ى ئ -> ی,  ك -> ک,  ة ۀ -> ه,  أ إ آ ٱ -> ا,  ؤ -> و
//   Persian and Arabic-Indic digits -> 0-9
//   short vowels, tatweel, zero-width joiners and direction marks dropped
//   runs of blanks (ZWNJ counted as none) -> one space, none at either end
//   A-Z -> a-z
#include <string>
#include <string_view>

namespace orv::results {

// UTF-8 in, UTF-8 out; bytes that are not valid UTF-8 are kept as they are.
std::string FoldLetters(std::string_view utf8);
// Appends the folded text to `out` (no allocation beyond its growth).
void AppendFolded(std::string_view utf8, std::string& out);

}  // namespace orv::results
