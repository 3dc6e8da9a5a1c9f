#pragma once
// Sign-in: an access code is 947 x (folder code + 1); the folder code names the
// laboratory's directory on the central laboratory's server.
#include <optional>
#include <string>

namespace orv {

constexpr int kAccessCodeDivisor = 947;

// The laboratory folder code for a typed access code (trimmed, a decimal 32-bit
// integer), or nothing when the code is refused.
std::optional<std::string> FolderCodeOf(const std::string& typed);

}  // namespace orv
