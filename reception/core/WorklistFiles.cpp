#include "reception/core/WorklistFiles.h"

#include "base/core/AtomicFile.h"
#include "base/core/RemotePath.h"

namespace orv::reception {

ListFile ReadList(const std::string& path) {
    ListFile list;
    if (!FileExists(path)) {
        list.missing = true;
        list.error = "no such file: " + path;
        return list;
    }
    TextReadResult read = ReadTextFile(path);
    list.ok = read.ok;
    list.error = std::move(read.error);
    list.lines = std::move(read.content.lines);
    list.encoding = read.content.encoding;
    return list;
}

FileResult SaveList(const std::string& path, const std::vector<std::string>& lines, TextEncoding encoding) {
    if (lines.empty()) return WriteFileAtomically(path, {});
    return WriteTextFile(path, lines, encoding);
}

std::string ExportRemotePath(const std::string& folderCode, const std::string& compactDate) {
    return remote::Path({remote::kResults, folderCode, remote::kExports, compactDate + ".txt"});
}

}  // namespace orv::reception
