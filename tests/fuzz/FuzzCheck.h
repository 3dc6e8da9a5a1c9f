#pragma once
// A property of a fuzz target: a broken one aborts, which libFuzzer reports with the input.
#include <cstdlib>

namespace orv::fuzz {
inline void Check(bool ok) {
    if (!ok) std::abort();
}
}  // namespace orv::fuzz
