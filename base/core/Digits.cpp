#include "base/core/CodePage.h"
#include "base/core/Utf8.h"

namespace orv {

std::string AsciiDigits(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(utf8, at, cp);
        if (len == 0) {
            out += utf8[at++];
            continue;
        }
        const int digit = cp >= 0x80 ? DecimalDigitValue(cp) : -1;
        if (digit >= 0)
            out += static_cast<char>('0' + digit);
        else
            out.append(utf8.substr(at, len));
        at += len;
    }
    return out;
}

}  // namespace orv
