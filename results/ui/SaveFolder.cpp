#include "results/ui/SaveFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

#include "base/ui/Prompts.h"

namespace orv::results {

namespace {
QString Documents() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}
QHash<QString, QString>& LastFolders() {
    static QHash<QString, QString> folders;
    return folders;
}
}  // namespace

QString SaveFolder::Suggested(const QString& suffix, const QString& baseName) {
    QString folder = LastFolders().value(suffix);
    if (folder.isEmpty()) folder = Documents();
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
