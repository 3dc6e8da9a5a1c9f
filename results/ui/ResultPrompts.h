#pragma once
// The modal steps of the result actions (save dialogs, message boxes) and the
// opening of a document with the desktop's program. Each goes through a hook
// that tests replace, so a test can drive a flow without a modal window.
#include <QString>
#include <functional>

class QWidget;

namespace orv::results {

struct ResultPrompts {
    // Returns the chosen file name, or empty when the user cancels.
    using AskSaveName = std::function<QString(QWidget* parent, const QString& filterName, const QString& suffix)>;
    // A message box with one OK button.
    using Inform = std::function<void(QWidget* parent, const QString& caption, const QString& text, bool error)>;
    // Opens a local file with the program registered for its type; false when none could.
    using Open = std::function<bool(const QString& path)>;

    static AskSaveName askSaveName;
    static Inform inform;
    static Open open;

    // The hooks as the program starts with them (real dialogs, the desktop's opener).
    static void UseDesktop();
};

}  // namespace orv::results
