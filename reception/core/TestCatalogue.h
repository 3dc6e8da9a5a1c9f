#pragma once
// The test names that can be requested (the built-in catalogue or "tests.txt"),
// kept sorted without regard to case, with the related-tests search and the
// laboratory's own short codes, line by line parallel to the sorted names.
#include <string>
#include <string_view>
#include <vector>

namespace orv::reception {

// ASCII letters folded to lower case; other bytes as they are (Persian letters have no case).
std::string FoldCase(std::string_view utf8);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Sorted without regard to case; equal names keep their order (duplicates stay).
void SortTests(std::vector<std::string>& names);

class TestCatalogue {
public:
    TestCatalogue() = default;
    // Sorts `names`.
    explicit TestCatalogue(std::vector<std::string> names);
    static TestCatalogue BuiltIn();

    const std::vector<std::string>& Names() const { return names_; }
    int size() const { return static_cast<int>(names_.size()); }

    // Indexes, in list order, of every name containing `fragment` without regard
    // to case; an empty fragment matches nothing.
    std::vector<int> Related(std::string_view fragment) const;
    // Index of the first name equal to `name`, or -1.
    int IndexOf(std::string_view name) const;

private:
    std::vector<std::string> names_;
    std::vector<std::string> folded_;
};

// Index of the first code equal to `code` without regard to case, or -1 (an empty code matches nothing).
int FindCode(const std::vector<std::string>& codes, std::string_view code);

// Code `index` := `code`; a code list shorter than the test list is first
// extended with empty lines to the test list's length, so the code lands on its test.
void AssignCode(std::vector<std::string>& codes, int index, const std::string& code, int testCount);

// True when `tests` holds `name`, without regard to case.
bool HoldsTest(const std::vector<std::string>& tests, std::string_view name);

}  // namespace orv::reception
