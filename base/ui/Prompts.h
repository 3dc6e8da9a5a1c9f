#pragma once
// Every modal step of every window goes through here: message boxes,
// confirmations, save dialogs, handing a file or an address to the desktop,
// and the beep. A test installs a responder and answers them instead of a
// person (tests/support/PromptRecorder.h); an empty responder restores the real
// dialogs.
#include <QMessageBox>
#include <QString>
#include <QUrl>
#include <functional>

namespace orv::ui {

using MessageResponder = std::function<QMessageBox::StandardButton(const QString& caption, const QString& text,
                                                                   QMessageBox::StandardButtons buttons)>;
using SaveFileResponder = std::function<QString(const QString& caption, const QString& dir, const QString& filter)>;
using OpenResponder = std::function<bool(const QUrl& url)>;
using OpenFileResponder = std::function<QString(const QString& caption, const QString& dir, const QString& filter)>;
// Whether the desktop's program that took a file then failed to open it.
using OpenFailedResponder = std::function<bool(const QUrl& url)>;
using BeepResponder = std::function<void()>;

void SetMessageResponder(MessageResponder responder);
void SetSaveFileResponder(SaveFileResponder responder);
void SetOpenResponder(OpenResponder responder);
void SetOpenFileResponder(OpenFileResponder responder);
void SetOpenFailedResponder(OpenFailedResponder responder);
void SetBeepResponder(BeepResponder responder);

// Shows a message box; the button pressed.
QMessageBox::StandardButton MessageBox(QWidget* parent, const QString& caption, const QString& text,
                                       QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                       QMessageBox::Icon icon = QMessageBox::Warning);
// "Attention" with OK and Cancel: true only on OK.
bool Confirm(QWidget* parent, const QString& text);
// The chosen file name, empty when cancelled.
QString SaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
// The existing file chosen, empty when cancelled.
QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
// Asks for a file of one kind, "<kind> (*.<suffix>)"; a name typed without an
// extension gets the suffix, as the dialog's default extension does.
QString SaveFileAs(QWidget* parent, const QString& kind, const QString& suffix, const QString& dir = QString());
// Hands a local file or a web address to the desktop's program for it; false
// when none took it.
bool OpenFile(const QString& path);
// The same; when the desktop's opener later reports that the program that took
// the file could not open it, `failed` runs on the UI thread (while `context`
// lives).
bool OpenFile(const QString& path, QObject* context, std::function<void()> failed);
bool OpenUrl(const QUrl& url);
// A web address (or a local file's) handed over the same way, with the same report.
bool OpenUrl(const QUrl& url, QObject* context, std::function<void()> failed);
// The system's default beep.
void Beep();

}  // namespace orv::ui
