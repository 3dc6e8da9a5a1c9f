#include <gtest/gtest.h>

#include "base/core/SafeName.h"

namespace {

TEST(SafeName, OrdinaryNamesFromTheServerPass) {
    for (const char* name : {"14050917.txt", "Help 1.pdf", "12-CBC-44.pdf", "OrvanetVer 22.10.exe", "راهنما.rtf", ".hidden",
                             "a.b.c"})
        EXPECT_TRUE(orv::IsSafeFileName(name)) << name;
}

TEST(SafeName, NamesThatCouldLeaveTheFolderAreRefused) {
    for (const char* name : {"", "..", "../x", "a/b", "a\\b", "x..y", "\\Res\\x", "/etc/passwd", "a\tb", "a\nb", "a\x7f"})
        EXPECT_FALSE(orv::IsSafeFileName(name)) << name;
    EXPECT_FALSE(orv::IsSafeFileName(std::string_view("a\0b", 3)));
}

}  // namespace
