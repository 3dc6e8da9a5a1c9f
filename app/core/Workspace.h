#pragma once
// Where the program keeps its files: the Desktop path and the workspace root.
#include <string>
#include <vector>

namespace orv {

enum class DriveType { Unknown, NoRootDir, Removable, Fixed, Remote, CdRom, RamDisk };

struct Drive {
    std::string root;  // "C:\"
    DriveType type = DriveType::Unknown;
    bool typeKnown = true;  // false when asking the drive's type failed
};

struct WorkspacePaths {
    std::string desk;  // the Desktop, no trailing separator
    std::string root;  // the workspace root, ending in its separator
};

// The Desktop is the Documents path up to its first "Documents", followed by
// "Desktop" ("Desktop" alone when the path has no "Documents").
std::string DesktopFromDocuments(const std::string& documents);

// Windows: the workspace lives on the first fixed drive that is not the Desktop's
// drive, "C:\" when there is none, in the folder "TarvinaLabData\".
WorkspacePaths SettleWindowsWorkspace(const std::string& documents, const std::vector<Drive>& drives);

// Linux has no drive letters: the workspace is home + "/TarvinaLabData/", unless
// `override` (the ORVANET_WORKSPACE variable) names another folder.
WorkspacePaths SettleLinuxWorkspace(const std::string& documents, const std::string& home, const std::string& override);

}  // namespace orv
