#include "app/core/KeptFiles.h"

#include <string>

#include "reception/core/WorklistFiles.h"
#include "results/core/ArchiveIndex.h"
#include "server/core/ServerSettings.h"

namespace orv {

bool IsKeptFileName(std::string_view name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
    std::string lower(name);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (const char* kept : {reception::kTodayFile, reception::kTestsFile, reception::kCustomCodeFile, "check.txt",
                             "pro.txt", kSettingsFileName, kWorkspaceLockName})
        if (lower == kept) return true;
    // The archive's index, with SQLite's files beside it ("-wal", "-shm", "-journal").
    if (lower.starts_with(results::ArchiveIndex::kFileName)) return true;
    return results::ArchiveIndex::IsArchiveFileName(lower);
}

}  // namespace orv
