// Atomic saves on Windows: a new temporary file beside the target, its data
// flushed (FlushFileBuffers), then moved over the old file with
// MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH), which returns
// once the new name is on the disk; while another program (a virus scanner, a
// viewer) holds the old file open, the move is tried again for a few seconds.
// Windows keeps no POSIX permission bits: a private file is guarded by its
// folder's access list, which the workspace folder gets as its own (the user,
// the system and the administrators, as in the user's profile), so that one at a
// drive's root does not take the root's "every user may read".
// Paths longer than the old 260-character limit are handed over with \\?\.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>
#include <thread>

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

// What Windows takes at any length: a path whose full form is longer than the old
// limit becomes \\?\C:\... or \\?\UNC\server\... (which also turns off the
// reading of "/" and "..", so the full form, made by Windows, is used).
std::wstring WinPath(const std::string& utf8) {
    std::wstring wide = Wide(utf8);
    constexpr size_t kShortEnough = 240;  // CreateDirectoryW stops at 248
    if (wide.rfind(L"\\\\?\\", 0) == 0) return wide;
    DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return wide;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    full.resize(n);
    if (full.size() < kShortEnough) return wide;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
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

// The move over the old file, tried again while another program has the old
// file open (a scanner looking at a new file, a viewer): up to about 5 s.
bool MoveOver(const std::wstring& from, const std::wstring& to) {
    DWORD pause = 20;
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD error = GetLastError();
        const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                          error == ERROR_ACCESS_DENIED;  // a file open without delete sharing says this
        if (!held || attempt == 20) {
            SetLastError(error);
            return false;
        }
        Sleep(pause);
        pause = pause < 250 ? pause * 2 : 250;
    }
}

struct LocalFreer {
    void operator()(void* p) const { LocalFree(p); }
};

// The string form of the signed-in user's security identifier ("S-1-5-21-...").
std::wstring UserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[size ? size : 1]);
    std::wstring out;
    if (size && GetTokenInformation(token, TokenUser, buffer.get(), size, &size)) {
        wchar_t* text = nullptr;
        if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.get())->User.Sid, &text)) {
            out = text;
            LocalFree(text);
        }
    }
    CloseHandle(token);
    return out;
}

// Full control for the user, the system and the administrators, none taken from
// the folder above; for a folder, passed on to every file and folder inside.
std::unique_ptr<void, LocalFreer> OwnersAloneDescriptor(bool folder) {
    const std::wstring user = UserSid();
    if (user.empty()) return nullptr;
    const std::wstring to = folder ? L"(A;OICI;FA;;;" : L"(A;;FA;;;";
    const std::wstring sddl = L"D:P" + to + user + L")" + to + L"SY)" + to + L"BA)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return nullptr;
    return std::unique_ptr<void, LocalFreer>(descriptor);
}

bool IsUserSystemOrAdministrators(PSID sid, PSID user) {
    return (user && EqualSid(sid, user)) || IsWellKnownSid(sid, WinLocalSystemSid) ||
           IsWellKnownSid(sid, WinBuiltinAdministratorsSid);
}

// ".NAME.part-XXXXXX" with six random letters or digits, made new (never opened
// over an existing file). A private file (no group or other bits in `mode`) gets
// the owners-alone access list of its own, as 0600 does on Linux: a save over a
// file others could read leaves one they cannot.
int CreateTemporary(const std::string& path, unsigned mode, std::string& temp) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::string base = DirOf(path);
    if (base.back() != '/' && base.back() != '\\') base += '/';
    base += "." + NameOf(path) + ".part-";
    const auto descriptor = (mode & 077) == 0 ? OwnersAloneDescriptor(false) : nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = base;
        for (int i = 0; i < 6; ++i) temp += kLetters[random() % (sizeof kLetters - 1)];
        const HANDLE handle = CreateFileW(WinPath(temp).c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &attributes,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
            if (fd < 0) CloseHandle(handle);
            return fd;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            errno = error == ERROR_ACCESS_DENIED ? EACCES : error == ERROR_PATH_NOT_FOUND ? ENOENT : EIO;
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

std::filesystem::path NativePath(const std::string& utf8) { return std::filesystem::path(WinPath(utf8)); }

std::FILE* OpenForReading(const std::string& path, int64_t* size) {
    std::FILE* f = _wfopen(WinPath(path).c_str(), L"rb");
    if (f && size) {
        const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
        LARGE_INTEGER length{};
        *size = GetFileSizeEx(handle, &length) ? static_cast<int64_t>(length.QuadPart) : 0;
    }
    return f;
}

AtomicFileWriter::AtomicFileWriter(std::string path, unsigned mode) : path_(std::move(path)) {
    std::string temp;
    fd_ = CreateTemporary(path_, mode, temp);
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
    if (!MoveOver(WinPath(temp_), WinPath(path_))) {
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
        _wunlink(WinPath(temp_).c_str());
        temp_.clear();
    }
}

std::string Utf8(const wchar_t* wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
    return out;
}

std::vector<FolderFile> FilesIn(const std::string& dir) {
    std::vector<FolderFile> files;
    std::wstring pattern = WinPath(dir);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return files;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        files.push_back({Utf8(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0,
                         (ticks(now) - ticks(found.ftLastWriteTime)) / 1e7});  // 100 ns ticks
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

bool RemoveFile(const std::string& path) { return DeleteFileW(WinPath(path).c_str()) != FALSE; }

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(WinPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Whether the access list lets anyone but the user, the system and the
// administrators read the file, or list the folder or read the files in it.
bool ReadableByOthers(const std::string& path) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const std::wstring native = WinPath(path);
    if (GetNamedSecurityInfoW(native.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    std::unique_ptr<void, LocalFreer> freeDescriptor(descriptor);
    if (!dacl) return true;  // no access list: everyone may do anything
    std::unique_ptr<unsigned char[]> userBuffer;
    PSID user = nullptr;
    if (const std::wstring sid = UserSid(); !sid.empty()) {
        PSID converted = nullptr;
        if (ConvertStringSidToSidW(sid.c_str(), &converted)) {
            const DWORD length = GetLengthSid(converted);
            userBuffer.reset(new unsigned char[length]);
            CopySid(length, userBuffer.get(), converted);
            user = userBuffer.get();
            LocalFree(converted);
        }
    }
    constexpr ACCESS_MASK kReading = FILE_READ_DATA | GENERIC_READ | GENERIC_ALL;  // FILE_LIST_DIRECTORY is FILE_READ_DATA
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* entry = nullptr;
        if (!GetAce(dacl, i, &entry)) continue;
        const auto* header = static_cast<ACE_HEADER*>(entry);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE)) continue;
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        if ((allowed->Mask & kReading) == 0) continue;
        if (!IsUserSystemOrAdministrators(reinterpret_cast<PSID>(&allowed->SidStart), user)) return true;
    }
    return false;
}

namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(WinPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folders above `path` that are missing, made as Windows makes them.
void CreateFoldersAbove(const std::string& path) {
    const size_t slash = LastSeparator(path);
    if (slash == std::string::npos || slash == 0 || path[slash - 1] == ':') return;
    const std::string above = path.substr(0, slash);
    if (IsFolder(above)) return;
    CreateFoldersAbove(above);
    CreateDirectoryW(WinPath(above).c_str(), nullptr);
}

}  // namespace

// The last folder gets the owners-alone access list (with no list to be had, the
// one Windows gives).
bool CreatePrivateFolder(const std::string& path, std::string* error) {
    std::string folder = path;
    while (folder.size() > 3 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    if (IsFolder(folder)) return true;
    CreateFoldersAbove(folder);
    const auto descriptor = OwnersAloneDescriptor(true);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
    if (CreateDirectoryW(WinPath(folder).c_str(), descriptor ? &attributes : nullptr)) return true;
    const DWORD err = GetLastError();
    if (err == ERROR_ALREADY_EXISTS && IsFolder(folder)) return true;  // made meanwhile
    if (error) *error = "Cannot create " + folder + ": " + std::system_category().message(static_cast<int>(err));
    return false;
}

}  // namespace orv
