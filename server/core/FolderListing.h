#pragma once
// The lines of a detailed folder listing (the FTP LIST command) as the server
// sends them, in either of the two formats a Windows server may use:
//
//   Unix:    -rw-r--r--   1 owner    group        1234 Dec  8 12:00 Sample transport guide.pdf
//   MS-DOS:  12-08-26  11:05AM                 1234 Sample transport guide.pdf
//            12-08-26  11:05AM       <DIR>          Old files
//
// The name is the whole rest of the line, spaces included.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

struct ListedFile {
    std::string name;  // the bytes the server sent (to ask for the file with)
    std::string size;  // the size field as sent ("" for a folder)
    bool folder = false;
};

// One listing line; nothing for a line of neither format ("total 12", a blank line).
std::optional<ListedFile> ParseListLine(std::string_view line);

// The files of a listing that may be downloaded into the workspace: folders,
// links to elsewhere, and names that could write outside the workspace ("/",
// "\", "..", control characters, ".") are left out.
std::vector<ListedFile> DownloadableFiles(const std::vector<std::string>& lines);

// A size field as a byte count for the progress gauge: 0 when it is not a whole number.
int64_t SizeOrZero(std::string_view size);

// A listed name for showing and as a local file name: UTF-8 as sent when it is
// valid UTF-8, else read as code page 1256 (a server without UTF-8 names).
std::string ListedNameText(std::string_view name);

}  // namespace orv
