#pragma once
// Where the save dialogs of the results open: in the folder last used for that
// kind of file during this run, else in the user's documents folder (the home
// folder when there is none), with the day's compact date as the suggested name
// ("14050917.txt", "14050917.pdf"); never over the day's own archive file.
#include <QString>

class QWidget;

namespace orv::results {

class SaveFolder {
public:
    // The path the dialog starts with: folder + `baseName` + "." + `suffix`.
    static QString Suggested(const QString& suffix, const QString& baseName);
    // Asks through the prompts seam ("<kind> (*.<suffix>)") and remembers the folder chosen.
    static QString Ask(QWidget* parent, const QString& kind, const QString& suffix, const QString& baseName);
    // Forgets the folders of this run (for tests).
    static void Forget();
};

}  // namespace orv::results
