#include "results/ui/SaveFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include "base/ui/Prompts.h"

namespace orv::results {

namespace {
QString& Workspace() {
    static QString root;
    return root;
}
QHash<QString, QString>& LastFolders() {
    static QHash<QString, QString> folders;
    return folders;
}
}  // namespace

void SaveFolder::SetWorkspace(const QString& root) { Workspace() = root; }

QString SaveFolder::Suggested(const QString& suffix, const QString& baseName) {
    QString folder = LastFolders().value(suffix, Workspace());
    if (folder.isEmpty()) folder = QDir::homePath();
    if (!folder.endsWith(u'/') && !folder.endsWith(u'\\')) folder += u'/';
    return baseName.isEmpty() ? folder : folder + baseName + u'.' + suffix;
}

QString SaveFolder::Ask(QWidget* parent, const QString& kind, const QString& suffix, const QString& baseName) {
    const QString path = ui::SaveFileAs(parent, kind, suffix, Suggested(suffix, baseName));
    if (!path.isEmpty()) LastFolders().insert(suffix, QFileInfo(path).absolutePath());
    return path;
}

void SaveFolder::Forget() { LastFolders().clear(); }

}  // namespace orv::results
