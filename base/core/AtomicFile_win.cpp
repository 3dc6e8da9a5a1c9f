// Atomic saves on Windows: a new temporary file beside the target, its data
// flushed (FlushFileBuffers), then moved over the old file with
// MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH), which returns
// once the new name is on the disk. Windows keeps no POSIX permission bits: a
// private file is guarded by the folder's access list.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "base/core/AtomicFile.h"

namespace orv {
namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    std::wstring out(utf8.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(),
                                      static_cast<int>(out.size()));
    out.resize(static_cast<size_t>(n > 0 ? n : 0));
    return out;
}

std::string Reason(int err) { return std::strerror(err); }
std::string LastError() { return std::system_category().message(static_cast<int>(GetLastError())); }

size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

std::string DirOf(const std::string& path) {
    const size_t slash = LastSeparator(path);
    if (slash == std::string::npos) return ".";
    return path.substr(0, slash == 0 || path[slash - 1] == ':' ? slash + 1 : slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = LastSeparator(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ".NAME.part-XXXXXX" with six random letters or digits, made new (never opened
// over an existing file).
int CreateTemporary(const std::string& path, std::string& temp) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::string base = DirOf(path);
    if (base.back() != '/' && base.back() != '\\') base += '/';
    base += "." + NameOf(path) + ".part-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = base;
        for (int i = 0; i < 6; ++i) temp += kLetters[random() % (sizeof kLetters - 1)];
        const int fd = _wopen(Wide(temp).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT,
                              _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path, unsigned) : path_(std::move(path)) {
    std::string temp;
    fd_ = CreateTemporary(path_, temp);
    if (fd_ < 0) {
        error_ = "Cannot create a file in " + DirOf(path_) + ": " + Reason(errno);
        return;
    }
    temp_ = temp;
}

bool AtomicFileWriter::Write(const void* data, size_t size) {
    if (fd_ < 0) return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const unsigned chunk = static_cast<unsigned>(size < (1u << 30) ? size : (1u << 30));
        const int n = _write(fd_, p, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = "Cannot write " + path_ + ": " + Reason(errno);
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
        written_ += static_cast<unsigned long long>(n);
    }
    return true;
}

FileResult AtomicFileWriter::Commit() {
    if (fd_ < 0) return {false, error_.empty() ? "Cannot write " + path_ : error_};
    if (!error_.empty()) {
        Discard();
        return {false, error_};
    }
    // The data reaches the disk before the name does, so a crash leaves the old file or the new one.
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
    if (handle == INVALID_HANDLE_VALUE || !FlushFileBuffers(handle)) {
        error_ = "Cannot write " + path_ + ": " + LastError();
        Discard();
        return {false, error_};
    }
    if (_close(fd_) != 0) {
        error_ = "Cannot write " + path_ + ": " + Reason(errno);
        fd_ = -1;
        Discard();
        return {false, error_};
    }
    fd_ = -1;
    if (!MoveFileExW(Wide(temp_).c_str(), Wide(path_).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error_ = "Cannot replace " + path_ + ": " + LastError();
        Discard();
        return {false, error_};
    }
    temp_.clear();
    return {true, {}};
}

void AtomicFileWriter::Discard() {
    if (fd_ >= 0) {
        _close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        _wunlink(Wide(temp_).c_str());
        temp_.clear();
    }
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Windows keeps access lists, not the POSIX group and other bits.
bool ReadableByOthers(const std::string&) { return false; }

// A folder under the user's profile inherits the profile's access list, which is the user's own.
bool CreatePrivateFolder(const std::string& path, std::string* error) {
    std::error_code ec;
    const std::filesystem::path folder(Wide(path));
    if (std::filesystem::is_directory(folder, ec)) return true;
    if (std::filesystem::create_directories(folder, ec) || std::filesystem::is_directory(folder, ec)) return true;
    if (error) *error = "Cannot create " + path + ": " + ec.message();
    return false;
}

}  // namespace orv
