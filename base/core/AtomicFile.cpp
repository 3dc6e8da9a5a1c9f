#include "base/core/AtomicFile.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <cstring>
#include <fstream>

namespace orv {

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes, unsigned mode) {
    AtomicFileWriter writer(path, mode);
    if (!writer.IsOpen()) return {false, writer.Error()};
    if (!writer.Write(bytes.data(), bytes.size())) return {false, writer.Error()};
    return writer.Commit();
}

namespace {
// ".NAME.part-XXXXXX" as mkstemp fills the pattern of AtomicFileWriter: six letters or digits.
bool IsSaveLeftoverName(std::string_view name) {
    constexpr std::string_view kPart = ".part-";
    if (name.size() < 1 + 1 + kPart.size() + 6 || name.front() != '.') return false;
    const std::string_view tail = name.substr(name.size() - 6);
    for (char ch : tail)
        if (!std::isalnum(static_cast<unsigned char>(ch))) return false;
    return name.substr(name.size() - 6 - kPart.size(), kPart.size()) == kPart;
}
}  // namespace

int RemoveSaveLeftovers(const std::string& dir) {
    int removed = 0;
    for (const FolderFile& file : FilesIn(dir)) {
        if (file.link || !IsSaveLeftoverName(file.name) || file.ageSeconds <= 60) continue;
        if (RemoveFile(dir + "/" + file.name)) ++removed;
    }
    return removed;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error) {
    std::ifstream in(NativePath(path), std::ios::binary | std::ios::ate);
    if (!in) {
        if (error) *error = "Cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    const std::streamoff size = in.tellg();
    in.seekg(0);
    bytes.resize(size > 0 ? static_cast<size_t>(size) : 0);
    if (size > 0 && !in.read(bytes.data(), size)) {
        if (error) *error = "Cannot read " + path;
        return false;
    }
    return true;
}

}  // namespace orv
