// orvanet-tool rtf FILE: a reference document's plain text in UTF-8, one
// paragraph per line, the cells of a table row separated by a tab. A plain text
// file (code page 1256, or with a byte-order mark) prints as it reads.
#include <filesystem>
#include <iostream>

#include "base/core/AtomicFile.h"
#include "server/core/RtfReader.h"
#include "tools/orvanet-tool/ToolCommand.h"

namespace {

int RtfCommand(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "orvanet-tool rtf: give one file\n";
        return 2;
    }
    std::string bytes;
    std::string error;
    std::error_code ec;
    if (std::filesystem::is_directory(args[0], ec)) error = args[0] + " is a folder";
    if (!error.empty() || !orv::ReadWholeFile(args[0], bytes, &error)) {
        std::cerr << "orvanet-tool rtf: " << error << "\n";
        return 2;
    }
    for (const orv::RichParagraph& p : orv::ReadDocument(bytes).paragraphs) {
        std::string line = p.Text();
        // A line break inside a paragraph keeps the paragraph on one line.
        for (char& c : line)
            if (c == '\n') c = ' ';
        std::cout << line << '\n';
    }
    return 0;
}

const orv::tool::Register kRegister("rtf", "rtf FILE", RtfCommand);

}  // namespace
