#pragma once
// Changes an INI file's text key by key and keeps every other line as written:
// comments, blank lines, keys and sections the program does not know. Sections
// and keys are matched exactly, as the settings reader matches them.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/core/AtomicFile.h"

namespace orv {

class IniText {
public:
    explicit IniText(std::string_view text = {});

    bool Has(std::string_view section, std::string_view key) const;
    // Replaces the key's value (keeping a comment after it on its line), or adds
    // the key at the end of its section, or the section at the end of the text.
    // A value the reader would cut or split (";", ",", quotes, backslashes, spaces
    // at its ends) is written quoted.
    void Set(std::string_view section, std::string_view key, std::string_view value);
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
};

// Reads the file (a missing one is empty), applies `edit` and writes it whole in
// its place with `mode`. A save is dated at least a millisecond after the file it
// replaced, so a reader that watches size and time sees every save.
FileResult EditIniFile(const std::string& path, const std::function<void(IniText&)>& edit,
                       unsigned mode = kPrivateFileMode);

}  // namespace orv
