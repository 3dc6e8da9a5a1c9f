#pragma once
// Changes an INI file's text key by key and keeps every other line as written:
// comments, blank lines, keys and sections the program does not know, a UTF-8
// byte-order mark and CR LF line ends. Sections and keys are matched exactly, as
// the settings reader (Qt's) matches them, and found where it finds them: a header
// is "[" up to the first "]", or to the end of an unclosed one, whatever follows.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/core/AtomicFile.h"

namespace orv {

class IniText {
public:
    explicit IniText(std::string_view text = {});

    bool Has(std::string_view section, std::string_view key) const;
    // The value of the key's last line (the one the reader takes) as this class
    // writes values: quotes and a doubled leading "@" undone. Nothing when the key is not there.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Replaces the key's value (keeping a comment after it on its line), or adds
    // the key at the end of its section, or the section at the end of the text.
    // A value the reader would cut or split (";", ",", quotes, backslashes, spaces
    // at its ends) is written quoted, a leading "@" doubled. A value with a line
    // break is refused (false, the text unchanged).
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of the key in the section.
    void Remove(std::string_view section, std::string_view key);
    std::string Text() const;

private:
    struct Line {
        std::string text;
        std::string section;  // the section the line belongs to
        std::string key;      // empty for comments, blank lines and section headers
    };
    // The index after the section's last key line, or npos when the section is not there.
    size_t EndOfSection(std::string_view section) const;
    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
    bool crlf_ = false;
};

// Reads the file (a missing one is empty), applies `edit` and writes it whole in
// its place with `mode`. A save is dated at least a millisecond after the file it
// replaced, so a reader that watches size and time sees every save.
FileResult EditIniFile(const std::string& path, const std::function<void(IniText&)>& edit,
                       unsigned mode = kPrivateFileMode);

}  // namespace orv
