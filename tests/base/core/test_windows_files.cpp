// Files on Windows: the workspace folder's access list is its owner's, paths past
// the old 260-character limit work, a save waits out a program holding the old
// file, and a file named in Persian opens for an upload.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "base/core/AtomicFile.h"

namespace {

std::string Utf8(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// A new folder under the temporary folder, as a UTF-8 path with backslashes.
std::string NewTemporaryFolder(const char* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::string folder = Utf8(temp) + name + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(GetTickCount64());
    EXPECT_TRUE(CreateDirectoryW(orv::NativePath(folder).c_str(), nullptr));
    return folder;
}

TEST(WindowsFiles, WorkspaceFolderIsTheOwnersAloneAndOpenOnesAreSaid) {
    const std::string root = NewTemporaryFolder("orvanet-acl-");
    // A folder every user may read, as a drive's root passes on to a folder made in it.
    const std::string open = root + "\\open";
    ASSERT_TRUE(CreateDirectoryW(orv::NativePath(open).c_str(), nullptr));
    PSECURITY_DESCRIPTOR everyone = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;OICI;FA;;;WD)", SDDL_REVISION_1,
                                                                      &everyone, nullptr));
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(everyone, &present, &dacl, &defaulted);
    std::wstring wideOpen = orv::NativePath(open).wstring();
    ASSERT_EQ(SetNamedSecurityInfoW(wideOpen.data(), SE_FILE_OBJECT,
                                    DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                    dacl, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    LocalFree(everyone);
    EXPECT_TRUE(orv::ReadableByOthers(open));

    // The workspace made inside it is the user's alone, and so are the files saved in it.
    const std::string workspace = open + "\\TarvinaLabData\\";
    ASSERT_TRUE(orv::CreatePrivateFolder(workspace));
    EXPECT_FALSE(orv::ReadableByOthers(workspace));
    ASSERT_TRUE(orv::WriteFileAtomically(workspace + "14050915.txt", "1   A1\r\n"));
    EXPECT_FALSE(orv::ReadableByOthers(workspace + "14050915.txt"));
    EXPECT_FALSE(orv::ReadableByOthers(root + "\\missing"));
}

TEST(WindowsFiles, PathsPastTheOldLimitAndPersianNamesWork) {
    std::string folder = NewTemporaryFolder("orvanet-long-");
    for (int i = 0; i < 6; ++i) folder += "\\" + std::string(45, static_cast<char>('a' + i));
    folder += "/\u0622\u0632\u0645\u0627\u06cc\u0634\u06af\u0627\u0647";  // a Persian folder name, with a slash
    ASSERT_GT(folder.size(), 300u);
    ASSERT_TRUE(orv::CreatePrivateFolder(folder));
    const std::string file = folder + "/\u0646\u062a\u06cc\u062c\u0647 14050915.txt";
    ASSERT_TRUE(orv::WriteFileAtomically(file, "12345"));
    ASSERT_TRUE(orv::WriteFileAtomically(file, "1234567"));  // over the old one
    EXPECT_TRUE(orv::FileExists(file));
    std::string bytes;
    ASSERT_TRUE(orv::ReadWholeFile(file, bytes));
    EXPECT_EQ(bytes, "1234567");
    int64_t size = -1;
    std::FILE* upload = orv::OpenForReading(file, &size);
    ASSERT_NE(upload, nullptr);
    EXPECT_EQ(size, 7);
    std::fclose(upload);
    // A save killed an hour ago left its temporary file: found and removed.
    const std::string leftover = folder + "\\.bill.txt.part-AbC123";
    ASSERT_TRUE(orv::WriteFileAtomically(leftover, "x"));
    HANDLE h = CreateFileW(orv::NativePath(leftover).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart -= 3600ull * 10000000ull;
    const FILETIME hourAgo{t.LowPart, t.HighPart};
    SetFileTime(h, nullptr, nullptr, &hourAgo);
    CloseHandle(h);
    EXPECT_EQ(orv::RemoveSaveLeftovers(folder), 1);
    EXPECT_FALSE(orv::FileExists(leftover));
}

TEST(WindowsFiles, SaveWaitsForAProgramHoldingTheOldFile) {
    const std::string file = NewTemporaryFolder("orvanet-held-") + "\\bill.txt";
    ASSERT_TRUE(orv::WriteFileAtomically(file, "old"));
    // A viewer or a virus scanner: the file open without delete sharing for 0.4 s.
    HANDLE held = CreateFileW(orv::NativePath(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        CloseHandle(held);
    });
    const orv::FileResult saved = orv::WriteFileAtomically(file, "new");
    release.join();
    EXPECT_TRUE(saved) << saved.error;
    std::string bytes;
    ASSERT_TRUE(orv::ReadWholeFile(file, bytes));
    EXPECT_EQ(bytes, "new");
}

}  // namespace
