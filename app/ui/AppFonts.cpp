#include "app/ui/AppFonts.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace orv::ui {

void InstallFonts() {
#ifdef Q_OS_WIN
    // The installer puts the fonts the windows name (DejaVu Sans, Noto Sans Arabic)
    // in fonts\ beside the program: they are the program's own, not installed for Windows.
    const QDir fonts(QApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& name : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(name));
#endif
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans Arabic")});
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    QApplication::setFont(font);
}

}  // namespace orv::ui
