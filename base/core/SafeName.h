#pragma once
// Names that come from the server (listed files, document keys, published
// program versions) become local file names; one that could reach outside the
// folder it is saved in is refused.
#include <string_view>

namespace orv {

// False for an empty name and for one holding "/", "\", ".." or a control character.
bool IsSafeFileName(std::string_view name);

}  // namespace orv
