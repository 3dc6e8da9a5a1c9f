#include "results/core/ResultWatch.h"

namespace orv::results {

WatchEvent ResultWatch::Observe(const std::string& compactDate, const RemoteResultFile& remote,
                                const ArchivedCopy& archived) {
    const auto before = seen_.find(compactDate);
    const bool firstLook = before == seen_.end();
    const RemoteResultFile last = firstLook ? RemoteResultFile{} : before->second;
    seen_[compactDate] = remote;
    if (!remote.exists) return WatchEvent::None;
    if (!archived.exists) return firstLook || !last.exists || last.size != remote.size || last.mtime != remote.mtime
                                     ? WatchEvent::Appeared
                                     : WatchEvent::None;
    const bool otherSize = remote.size >= 0 && remote.size != archived.size;
    if (firstLook) return otherSize ? WatchEvent::Changed : WatchEvent::None;
    const bool moved = !last.exists || last.size != remote.size || last.mtime != remote.mtime;
    if (!moved) return WatchEvent::None;
    const bool newer = remote.mtime >= 0 && archived.mtime >= 0 && remote.mtime > archived.mtime;
    return otherSize || newer ? WatchEvent::Changed : WatchEvent::None;
}

RemoteResultFile ResultWatch::LastSeen(const std::string& compactDate) const {
    const auto it = seen_.find(compactDate);
    return it == seen_.end() ? RemoteResultFile{} : it->second;
}

}  // namespace orv::results
