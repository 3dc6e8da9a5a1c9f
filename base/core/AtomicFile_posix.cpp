// Atomic saves on POSIX: mkstemp, fsync, rename over the old file, and the
// folder synced after the rename.
#include "base/core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace orv {
namespace {

std::string Reason(int err) { return std::strerror(err); }

std::string DirOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path, unsigned mode) : path_(std::move(path)) {
    std::string pattern = DirOf(path_) + "/." + NameOf(path_) + ".part-XXXXXX";
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0) {
        error_ = "Cannot create a file in " + DirOf(path_) + ": " + Reason(errno);
        return;
    }
    temp_ = pattern;
    ::fchmod(fd_, static_cast<mode_t>(mode));
}

bool AtomicFileWriter::Write(const void* data, size_t size) {
    if (fd_ < 0) return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = "Cannot write " + path_ + ": " + Reason(errno);
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
        written_ += static_cast<unsigned long long>(n);
    }
#ifdef __linux__
    // A large file goes to the disk while it is still arriving, so the flush in
    // Commit() waits for its last few megabytes only, not for all of it.
    constexpr unsigned long long kStep = 8ull << 20;
    if (written_ - flushed_ >= kStep) {
        ::sync_file_range(fd_, static_cast<off_t>(flushed_), static_cast<off_t>(written_ - flushed_),
                          SYNC_FILE_RANGE_WRITE);
        flushed_ = written_;
    }
#endif
    return true;
}

FileResult AtomicFileWriter::Commit() {
    if (fd_ < 0) return {false, error_.empty() ? "Cannot write " + path_ : error_};
    if (!error_.empty()) {
        Discard();
        return {false, error_};
    }
    // The data reaches the disk before the name does, so a crash leaves the old file or the new one.
    if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
        error_ = "Cannot write " + path_ + ": " + Reason(errno);
        fd_ = -1;
        Discard();
        return {false, error_};
    }
    fd_ = -1;
    if (::rename(temp_.c_str(), path_.c_str()) != 0) {
        error_ = "Cannot replace " + path_ + ": " + Reason(errno);
        Discard();
        return {false, error_};
    }
    temp_.clear();
    // The new name reaches the disk as well: after a power cut the folder shows the new file, not the old one.
    const int dir = ::open(DirOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {true, {}};
}

void AtomicFileWriter::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

std::filesystem::path NativePath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::FILE* OpenForReading(const std::string& path, int64_t* size) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f && size) {
        struct stat st {};
        *size = ::fstat(::fileno(f), &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
    }
    return f;
}

std::vector<FolderFile> FilesIn(const std::string& dir) {
    namespace fs = std::filesystem;
    std::vector<FolderFile> files;
    std::error_code ec;
    fs::directory_iterator it(NativePath(dir), ec);
    if (ec) return files;
    const auto now = fs::file_time_type::clock::now();
    for (const fs::directory_entry& entry : it) {
        if (!entry.is_regular_file(ec)) continue;
        const auto written = entry.last_write_time(ec);
        if (ec) continue;
        const std::u8string name = entry.path().filename().u8string();
        files.push_back({std::string(name.begin(), name.end()), entry.is_symlink(ec),
                         std::chrono::duration<double>(now - written).count()});
    }
    return files;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ReadableByOthers(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    mode_t open = S_IRGRP | S_IROTH;
    if (S_ISDIR(st.st_mode)) open |= S_IXGRP | S_IXOTH;  // day files have names anyone can guess
    return (st.st_mode & open) != 0;
}

bool CreatePrivateFolder(const std::string& path, std::string* error) {
    namespace fs = std::filesystem;
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return true;
    const fs::path above = fs::path(folder).parent_path();
    if (!above.empty() && !fs::is_directory(above, ec)) fs::create_directories(above, ec);
    if (::mkdir(folder.c_str(), static_cast<mode_t>(kPrivateFolderMode)) == 0) return true;
    const int err = errno;
    if (err == EEXIST && fs::is_directory(folder, ec)) return true;  // made meanwhile
    if (error) *error = "Cannot create " + folder + ": " + Reason(err);
    return false;
}

}  // namespace orv
