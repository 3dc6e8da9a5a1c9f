// Hidden ".NAME.part-XXXXXX" files that a save killed mid-write left behind are
// removed at start; nothing else in the folder is touched.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "base/core/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

class SaveLeftovers : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("orv-leftovers-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void Make(const std::string& name, bool old = true) const {
        std::ofstream(dir / name) << "bytes";
        if (old) fs::last_write_time(dir / name, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    }
    bool Has(const std::string& name) const { return fs::exists(dir / name); }
};

TEST_F(SaveLeftovers, OurOwnLeftoversGo) {
    for (const char* name : {".14010630.txt.part-AbC123", ".check.txt.part-x1y2z3", ".OrvanetVer 22.00.exe.part-000000"})
        Make(name);
    EXPECT_EQ(orv::RemoveSaveLeftovers(dir.string()), 3);
    EXPECT_FALSE(Has(".14010630.txt.part-AbC123"));
    EXPECT_FALSE(Has(".check.txt.part-x1y2z3"));
    EXPECT_FALSE(Has(".OrvanetVer 22.00.exe.part-000000"));
}

TEST_F(SaveLeftovers, EverythingElseStays) {
    const char* kept[] = {"14010630.txt", ".hidden", ".a.part-12345", "x.part-ABCDEF", ".a.part-ABCDEFG", ".part-ABCDEF",
#ifndef _WIN32  // "?" is no letter of a Windows file name
                          ".a.part-AB?DEF",
#endif
                          ".a.part-AB-DEF", "check.txt"};
    for (const char* name : kept) Make(name);
    Make(".fresh.txt.part-ABCDEF", false);  // another running save may be writing it now
    fs::create_directory(dir / ".folder.part-ABCDEF");
    EXPECT_EQ(orv::RemoveSaveLeftovers(dir.string()), 0);
    for (const char* name : kept) EXPECT_TRUE(Has(name)) << name;
    EXPECT_TRUE(Has(".fresh.txt.part-ABCDEF"));
    EXPECT_TRUE(Has(".folder.part-ABCDEF"));
}

TEST_F(SaveLeftovers, MissingFolderIsNoError) {
    EXPECT_EQ(orv::RemoveSaveLeftovers((dir / "none").string()), 0);
}

}  // namespace
