#pragma once
// The upper halves (bytes 0x80 to 0xFF) of Windows single-byte code pages as
// UTF-8, made once per code page for the whole program. Code page 1256 comes
// from the program's own converter; any other from the platform's (ICU's
// "windows-N" or "ibm-N" converter on Linux). A code page nobody knows reads as 1252.
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class CodePageTables {
public:
    // The UTF-8 text of byte `byte` (>= 0x80) in code page `codePage`.
    std::string_view Decode(int codePage, unsigned char byte);

private:
    static const std::vector<std::string>& Table(int codePage);

    int lastCodePage_ = -1;
    const std::vector<std::string>* last_ = nullptr;
};

}  // namespace orv
