// Lines of a folder listing in both formats a Windows server may send, and the
// entries offered for download.
#include <gtest/gtest.h>

#include "server/core/FolderListing.h"

namespace {

using orv::ParseListLine;

struct Case {
    const char* line;
    const char* name;
    const char* size;
    bool folder;
};

template <size_t N>
void ExpectParsed(const Case (&cases)[N]) {
    for (const Case& c : cases) {
        const auto f = ParseListLine(c.line);
        ASSERT_TRUE(f) << c.line;
        EXPECT_EQ(f->name, c.name) << c.line;
        EXPECT_EQ(f->size, c.size) << c.line;
        EXPECT_EQ(f->folder, c.folder) << c.line;
    }
}

TEST(FolderListing, UnixLinesKeepTheWholeName) {
    const Case cases[] = {
        {"-rw-r--r--   1 owner    group        3045 Dec 08 12:00 Sample transport guide.pdf",
         "Sample transport guide.pdf", "3045", false},
        {"-rw-r--r--   1 owner    group          10 Dec  8  2025 Cold chain rules for   samples.rtf",
         "Cold chain rules for   samples.rtf", "10", false},
        {"-rw-r--r-- 1 ftp 120 Jan 31 09:05 no group.txt", "no group.txt", "120", false},
        {"-rw-r--r--   1 owner group 77 2026-12-08 11:05 iso date.txt", "iso date.txt", "77", false},
        {"drwxr-xr-x   2 owner    group        4096 Dec 08 12:00 Old files", "Old files", "", true},
        {"lrwxrwxrwx   1 owner    group          12 Dec 08 12:00 latest.rtf -> Last Normal.rtf", "latest.rtf", "12",
         false},
        {"-rw-r--r--   1 owner    group        3045 Dec 08 12:00 Working hours.txt\r", "Working hours.txt", "3045",
         false},
        {"-rw-r--r--   1 owner    group        3045 Dec 08 12:00  leading blank", " leading blank", "3045", false},
        {"-rw-r--r--   1 owner    group        3045 Dec 08 12:00 \xd1\xe5\xe4\xe3\xc7.txt", "\xd1\xe5\xe4\xe3\xc7.txt",
         "3045", false},
    };
    ExpectParsed(cases);
}

TEST(FolderListing, MsDosLinesKeepTheWholeName) {
    const Case cases[] = {
        {"12-08-26  11:05AM                 3045 Sample transport guide.pdf", "Sample transport guide.pdf", "3045",
         false},
        {"12-08-26  11:05AM       <DIR>          Old files", "Old files", "", true},
        {"12-08-2026  23:59                   12 Cold chain rules for   samples.rtf",
         "Cold chain rules for   samples.rtf", "12", false},
        {"01-16-02  1:14PM                   0 empty.txt\r\n", "empty.txt", "0", false},
    };
    ExpectParsed(cases);
}

TEST(FolderListing, LinesOfNeitherFormat) {
    for (const char* line : {"", "total 12", "\r", "just a name.txt", "-rw-r--r-- 1 a b 12 Dec 08 12:00",
                             "-rw-r--r-- 1 a b 12 Dec 08 12:00 ", "12-08-26  11:05AM  3045", "Dec 08 12:00 x",
                             "12-08-26  xx:05AM   3045 x.txt"})
        EXPECT_FALSE(ParseListLine(line)) << line;
}

TEST(FolderListing, OnlySafeFilesAreOffered) {
    const std::vector<std::string> lines = {
        "total 40",
        "-rw-r--r--   1 o g 10 Dec 08 12:00 LastNormalValue.rtf",
        "-rw-r--r--   1 o g 10 Dec 08 12:00 ..",
        "-rw-r--r--   1 o g 10 Dec 08 12:00 .",
        "-rw-r--r--   1 o g 10 Dec 08 12:00 ../../.bashrc",
        "12-08-26  11:05AM                   10 ..\\..\\evil.txt",
        "-rw-r--r--   1 o g 10 Dec 08 12:00 sub/file.txt",
        "-rw-r--r--   1 o g 10 Dec 08 12:00 bell\x07.txt",
        "drwxr-xr-x   2 o g 4096 Dec 08 12:00 Old files",
        "12-08-26  11:05AM                 3045 Sample transport guide.pdf",
        "-rw-r--r--   1 o g 10 Dec 08 12:00 a..b.txt",
    };
    const auto files = orv::DownloadableFiles(lines);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].name, "LastNormalValue.rtf");
    EXPECT_EQ(files[1].name, "Sample transport guide.pdf");
    EXPECT_EQ(files[1].size, "3045");
}

TEST(FolderListing, SizesForTheGauge) {
    EXPECT_EQ(orv::SizeOrZero("3045"), 3045);
    EXPECT_EQ(orv::SizeOrZero("0"), 0);
    for (const char* bad : {"", "12a", "-5", "1,234", " 12", "99999999999999999999999"})
        EXPECT_EQ(orv::SizeOrZero(bad), 0) << bad;
}

TEST(FolderListing, NamesAsText) {
    EXPECT_EQ(orv::ListedNameText("راهنما.txt"), "راهنما.txt");
    EXPECT_EQ(orv::ListedNameText("\xd1\xe5\xe4\xe3\xc7.txt"), "رهنما.txt");
    EXPECT_EQ(orv::ListedNameText("plain name.pdf"), "plain name.pdf");
}

}  // namespace
