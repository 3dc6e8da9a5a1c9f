#pragma once
// Every file the program writes is written to a temporary file beside it and
// renamed over the old one only when it is complete.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

struct FileResult {
    bool ok = false;
    std::string error;  // for the user; empty when ok
    explicit operator bool() const { return ok; }
};

// Permission bits of the files written: patients' results, bills, the worklist
// and the settings are readable by their owner alone, and a save over a file
// that others could read leaves one that they cannot.
inline constexpr unsigned kPrivateFileMode = 0600;
// The workspace folder the program creates: its owner's alone.
inline constexpr unsigned kPrivateFolderMode = 0700;

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes, unsigned mode = kPrivateFileMode);

// A temporary file beside `path`, for writers that stream (downloads): Commit()
// renames it over `path`; destroying it uncommitted removes it.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path, unsigned mode = kPrivateFileMode);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Error() const { return error_; }
    const std::string& TempPath() const { return temp_; }
    bool Write(const void* data, size_t size);
    FileResult Commit();
    void Discard();

private:
    std::string path_;
    std::string temp_;
    std::string error_;
    int fd_ = -1;
    unsigned long long written_ = 0;  // bytes written so far
    unsigned long long flushed_ = 0;  // bytes handed to the disk ahead of Commit()
};

// Removes the hidden ".NAME.part-XXXXXX" files that saves killed mid-write left
// in `dir` (not those written in the last minute, which a running save may still
// own); the number removed.
int RemoveSaveLeftovers(const std::string& dir);

// The files in `dir` (not its folders), any path length; empty when it cannot be read.
struct FolderFile {
    std::string name;     // UTF-8
    bool link = false;    // a symbolic link (or, on Windows, a reparse point)
    double ageSeconds = 0;  // since its last write
};
std::vector<FolderFile> FilesIn(const std::string& dir);
bool RemoveFile(const std::string& path);

bool FileExists(const std::string& path);
// True when the group or others may read the file, or, for a folder, list it or
// open the files in it whose names they know (false for a missing path).
bool ReadableByOthers(const std::string& path);
// Creates `path` (and the folders above it that are missing) when it is not
// there: the last folder with kPrivateFolderMode. An existing folder is left as
// it is. False with a message when it cannot.
bool CreatePrivateFolder(const std::string& path, std::string* error = nullptr);
// A UTF-8 path as the file system takes it (on Windows a wide path, given the
// \\?\ prefix when it is longer than the old 260-character limit allows).
std::filesystem::path NativePath(const std::string& utf8);
// Opens a file for reading in binary mode, any name and length on every
// platform; nullptr with errno set when it cannot. `size` gets its length.
std::FILE* OpenForReading(const std::string& path, int64_t* size = nullptr);
// Reads a whole file; false with a message when it cannot.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

}  // namespace orv
