// Any bytes read as a rich-text document without a crash or a hang, and the
// reader keeps text: ordinary characters in an RTF body come out as the code
// page gives them, and a file that is not RTF reads as the text-file helper
// reads it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/core/TextFile.h"
#include "server/core/RtfReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orv::RichDocument doc = orv::ReadRtf(bytes);
    (void)doc.PlainText();

    // Not RTF: the text file's lines, one paragraph each.
    if (!orv::IsRtf(bytes)) {
        const orv::TextContent text = orv::DecodeText(bytes);
        const orv::RichDocument plain = orv::ReadDocument(bytes);
        if (plain.paragraphs.size() != text.lines.size()) std::abort();
        for (size_t i = 0; i < text.lines.size(); ++i)
            if (plain.paragraphs[i].Text() != text.lines[i]) std::abort();
    }

    // The same bytes without markup as the body of an RTF document.
    std::string body;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x20 && c != '\\' && c != '{' && c != '}') body += c;
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1256 " + body + "}";
    if (orv::ReadRtf(rtf).PlainText() != orv::Cp1256ToUtf8(body)) std::abort();
    return 0;
}
