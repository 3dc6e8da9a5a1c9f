#include "app/core/Workspace.h"

namespace orv {

std::string DesktopFromDocuments(const std::string& documents) {
    const size_t at = documents.find("Documents");
    if (at == std::string::npos) return "Desktop";
    return documents.substr(0, at) + "Desktop";
}

WorkspacePaths SettleWindowsWorkspace(const std::string& documents, const std::vector<Drive>& drives) {
    WorkspacePaths p;
    p.desk = DesktopFromDocuments(documents);
    const std::string deskDrive = p.desk.substr(0, 3);
    p.root = "C:\\";
    for (const Drive& d : drives) {
        if (d.typeKnown && d.type == DriveType::Fixed && d.root != deskDrive) {
            p.root = d.root;
            break;
        }
        p.root = "C:\\";
    }
    p.root += "TarvinaLabData\\";
    return p;
}

WorkspacePaths SettleLinuxWorkspace(const std::string& documents, const std::string& home,
                                    const std::string& override) {
    WorkspacePaths p;
    p.desk = DesktopFromDocuments(documents);
    if (!override.empty()) {
        p.root = override.back() == '/' ? override : override + "/";
        return p;
    }
    p.root = home;
    if (p.root.empty() || p.root.back() != '/') p.root += '/';
    p.root += "TarvinaLabData/";
    return p;
}

}  // namespace orv
