#pragma once
// The lists compiled into the program from reception/core/data: the test
// catalogue (tests.txt) and the male first names (male-names.txt), UTF-8.
#include <string>
#include <vector>

namespace orv::reception {

// The catalogue in its file order (sorted by TestCatalogue).
const std::vector<std::string>& BuiltInTests();
const std::vector<std::string>& BuiltInMaleNames();

}  // namespace orv::reception
