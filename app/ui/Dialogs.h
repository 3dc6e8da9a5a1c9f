#pragma once
// Message boxes and file dialogs go through here, so that a test can answer them
// (a responder) instead of a person.
#include <QMessageBox>
#include <QString>
#include <functional>

namespace orv::ui {

using MessageResponder = std::function<QMessageBox::StandardButton(const QString& caption, const QString& text,
                                                                   QMessageBox::StandardButtons buttons)>;
using SaveFileResponder = std::function<QString(const QString& caption, const QString& dir, const QString& filter)>;

// An empty responder restores the real dialogs.
void SetMessageResponder(MessageResponder responder);
void SetSaveFileResponder(SaveFileResponder responder);

// Shows a message box; the button pressed.
QMessageBox::StandardButton MessageBox(QWidget* parent, const QString& caption, const QString& text,
                                       QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                       QMessageBox::Icon icon = QMessageBox::Warning);
// "Attention" with OK and Cancel: true only on OK.
bool Confirm(QWidget* parent, const QString& text);
// The chosen file name, empty when cancelled.
QString SaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);

}  // namespace orv::ui
