// Any bytes decode as a text file; what decoding gives, encoding in the same
// encoding and decoding again gives back (lines and encoding), so a file read
// and saved unchanged keeps its content.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/core/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orv::TextContent first = orv::DecodeText(bytes);
    orv::TextEncoding used{};
    const std::string saved = orv::EncodeText(first.lines, first.encoding, &used);
    const orv::TextContent again = orv::DecodeText(saved);
    if (again.encoding != used) std::abort();
    // Lines that hold a lone CR or LF come back split; otherwise they come back whole.
    bool plain = true;
    for (const auto& line : first.lines)
        if (line.find_first_of("\r\n") != std::string::npos) plain = false;
    if (plain && used == first.encoding && again.lines != first.lines) {
        // A last empty line is written as a final line break, which adds no line.
        if (!(first.lines.size() == again.lines.size() + 1 && first.lines.back().empty())) std::abort();
    }
    return 0;
}
