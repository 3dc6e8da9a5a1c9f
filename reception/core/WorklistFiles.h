#pragma once
// The reception window's three files in the workspace root: "today.txt" (the
// worklist, one record a line), "tests.txt" (test names, read only) and
// "customcode.txt" (one code a line, parallel to the sorted test names).
#include <string>
#include <vector>

#include "base/core/TextFile.h"

namespace orv::reception {

inline constexpr char kTodayFile[] = "today.txt";
inline constexpr char kTestsFile[] = "tests.txt";
inline constexpr char kCustomCodeFile[] = "customcode.txt";
// Expected size of an export, for the progress gauge.
inline constexpr long long kExportGaugeMax = 900;
// The export did not reach the server.
inline constexpr const char* kExportFailed = ". ارسال لیست امروز به سرور آزمایشگاه تاروینا انجام نشد. لطفا دوباره سعی کنید";

struct ListFile {
    bool ok = false;       // read; a missing file is not ok either
    bool missing = false;  // there is no such file
    std::string error;     // for the user
    std::vector<std::string> lines;  // UTF-8
    TextEncoding encoding = TextEncoding::Cp1256;
};

// A list file in its encoding (a byte-order mark kept, else code page 1256).
ListFile ReadList(const std::string& path);

// Written whole or not at all, in `encoding` with CR LF line ends; an empty list
// is an empty file. A failure keeps the earlier file.
FileResult SaveList(const std::string& path, const std::vector<std::string>& lines,
                    TextEncoding encoding = TextEncoding::Cp1256);

// Where the export goes on the server: "/Text Result/<folder>/Res/<YYYYMMDD>.txt".
std::string ExportRemotePath(const std::string& folderCode, const std::string& compactDate);

}  // namespace orv::reception
