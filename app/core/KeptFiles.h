#pragma once
// The files the program keeps in the workspace folder: a download never
// replaces one of them.
#include <string_view>

namespace orv {

// The lock that lets one running copy of the program use a workspace.
inline constexpr const char* kWorkspaceLockName = ".orvanet.lock";

// True for "today.txt", "tests.txt", "customcode.txt", "check.txt", "pro.txt",
// "orvanet.ini", the workspace lock, the archive's index (with its SQLite files)
// and a day archive ("14050917.txt"), in any
// case of letters and with any trailing dots or blanks (which Windows drops).
bool IsKeptFileName(std::string_view name);

}  // namespace orv
