#pragma once
// Notices new results of a day on the server from the size and modification
// time the server gives for the day's result file, remembered per day.
//
// The first look of the run reports a file the archive lacks, or one whose size
// differs from the archived copy. Later looks report a file that has appeared
// or changed since the last look, when the archived copy is missing, of another
// size, or older than the server's file. A notice comes once per change.
#include <cstdint>
#include <map>
#include <string>

namespace orv::results {

struct RemoteResultFile {
    bool exists = false;
    int64_t size = -1;
    int64_t mtime = -1;  // seconds since 1970 (UTC), -1 unknown
};

struct ArchivedCopy {
    bool exists = false;
    int64_t size = -1;
    int64_t mtime = -1;  // seconds since 1970 (UTC)
};

enum class WatchEvent { None, Appeared, Changed };

class ResultWatch {
public:
    WatchEvent Observe(const std::string& compactDate, const RemoteResultFile& remote, const ArchivedCopy& archived);
    // What the last look at the day saw (exists false when never looked at).
    RemoteResultFile LastSeen(const std::string& compactDate) const;

private:
    std::map<std::string, RemoteResultFile> seen_;
};

}  // namespace orv::results
