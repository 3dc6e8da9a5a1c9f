#pragma once
// The patient's sex guessed from the first name against the list of male first
// names. Both sides are compared after folding the letters that a Persian and an
// Arabic keyboard type differently (yeh, kaf), so "علی" typed on a Persian
// keyboard finds "علي" of the list.
#include <string>
#include <string_view>
#include <vector>

namespace orv::reception {

// Persian yeh U+06CC and alef maksura U+0649 become Arabic yeh U+064A (as code
// page 1256 stores them); Arabic kaf U+0643 becomes keheh U+06A9.
std::string FoldLetters(std::string_view utf8);

class MaleNames {
public:
    MaleNames() = default;
    explicit MaleNames(const std::vector<std::string>& lines);
    // The built-in list.
    static const MaleNames& BuiltIn();

    // True when the list's text, its lines joined by line breaks, contains `name`
    // (a part of a line counts); never for an empty name.
    bool Contains(std::string_view name) const;
    size_t size() const { return lines_.size(); }
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
    std::string folded_;  // the lines joined by CR LF, folded
};

// The part of a first name that is looked up: a name whose first blank stands
// after its second character is cut there, except after "نوزاد " (newborn), where
// the text after the blank is taken.
std::string LookupName(std::string_view firstName);

struct SexGuess {
    int sex = 0;       // the selection afterwards: 1 "زن", 2 "مرد", or the one given
    std::string name;  // the name looked up (shown above the custom-code box)
};

// A sex already chosen (anything but 0) is kept; with sex 0 the name decides,
// unless it is empty.
SexGuess GuessSex(int sex, std::string_view firstName, const MaleNames& names);

}  // namespace orv::reception
