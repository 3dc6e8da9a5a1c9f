#include "reception/core/SexGuess.h"

#include "base/core/Trim.h"
#include "reception/core/BuiltInLists.h"

namespace orv::reception {

namespace {

constexpr std::string_view kNewborn = "نوزاد ";
constexpr size_t kMaxName = 255;     // the name as an 8-bit text
constexpr size_t kMaxNewborn = 50;   // the name after "نوزاد "

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The first `count` characters of a UTF-8 text.
std::string_view FirstChars(std::string_view s, size_t count) {
    size_t i = 0;
    for (size_t n = 0; i < s.size() && n < count; ++n) {
        ++i;
        while (i < s.size() && IsContinuation(static_cast<unsigned char>(s[i]))) ++i;
    }
    return s.substr(0, i);
}

size_t CharCount(std::string_view s) {
    size_t n = 0;
    for (char c : s)
        if (!IsContinuation(static_cast<unsigned char>(c))) ++n;
    return n;
}

}  // namespace

std::string FoldLetters(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const unsigned char next = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
        if ((c == 0xDB && next == 0x8C) || (c == 0xD9 && next == 0x89)) {  // U+06CC, U+0649
            out += "\xD9\x8A";                                              // U+064A
            ++i;
        } else if (c == 0xD9 && next == 0x83) {  // U+0643
            out += "\xDA\xA9";                   // U+06A9
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

MaleNames::MaleNames(const std::vector<std::string>& lines) : lines_(lines) {
    for (const std::string& line : lines_) {
        if (!folded_.empty()) folded_ += "\r\n";
        folded_ += FoldLetters(line);
    }
}

const MaleNames& MaleNames::BuiltIn() {
    static const MaleNames names(BuiltInMaleNames());
    return names;
}

bool MaleNames::Contains(std::string_view name) const {
    if (name.empty()) return false;
    return folded_.find(FoldLetters(name)) != std::string::npos;
}

std::string LookupName(std::string_view firstName) {
    std::string_view name = FirstChars(Trim(firstName), kMaxName);
    const size_t blank = name.find(' ');
    if (blank == std::string_view::npos || CharCount(name.substr(0, blank)) < 2) return std::string(name);
    if (name.starts_with(kNewborn)) return std::string(FirstChars(Trim(name.substr(kNewborn.size())), kMaxNewborn));
    return std::string(name.substr(0, blank));
}

SexGuess GuessSex(int sex, std::string_view firstName, const MaleNames& names) {
    SexGuess guess{sex, LookupName(firstName)};
    if (sex == 0 && !guess.name.empty()) guess.sex = names.Contains(guess.name) ? 2 : 1;
    return guess;
}

}  // namespace orv::reception
