// Any typed text as an access code: a code is taken only when it is 947 times
// (folder code + 1), and the folder code is a plain decimal name.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/core/AccessCode.h"
#include "base/core/SafeName.h"
#include "tests/fuzz/FuzzCheck.h"

using orv::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> folder = orv::FolderCodeOf(typed);
    if (!folder) return 0;
    Check(orv::IsSafeFileName(*folder));
    Check(!folder->empty() && folder->size() <= 11);
    for (size_t i = 0; i < folder->size(); ++i)
        Check(((*folder)[i] >= '0' && (*folder)[i] <= '9') || (i == 0 && (*folder)[i] == '-'));
    const long long code = std::stoll(*folder);
    // The code typed back from the folder code signs the same laboratory in.
    const long long access = orv::kAccessCodeDivisor * (code + 1);
    const std::optional<std::string> again = orv::FolderCodeOf(std::to_string(access));
    Check(again && *again == *folder);
    return 0;
}
