#include "base/core/AtomicFile.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <cstring>
#include <fstream>

namespace orv {
namespace {

// Paths are UTF-8 on every platform; Windows takes them as wide strings.
std::filesystem::path FsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

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
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(FsPath(dir), ec);
    if (ec) return 0;
    const auto recent = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    int removed = 0;
    for (const fs::directory_entry& entry : it) {
        const std::u8string name = entry.path().filename().u8string();
        if (!IsSaveLeftoverName(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()))) continue;
        if (!entry.is_regular_file(ec) || entry.is_symlink(ec)) continue;
        if (entry.last_write_time(ec) > recent || ec) continue;
        if (fs::remove(entry.path(), ec)) ++removed;
    }
    return removed;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error) {
    std::ifstream in(FsPath(path), std::ios::binary | std::ios::ate);
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
