#include "base/ui/Prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace orv::ui {
namespace {
// One responder of each kind; `Kind` tells apart kinds of the same signature.
template <typename Responder, int Kind = 0>
Responder& Slot() {
    static Responder r;
    return r;
}
constexpr int kOpenFile = 1;  // the open-file dialog's responder, the save dialog's signature
}  // namespace

void SetMessageResponder(MessageResponder responder) { Slot<MessageResponder>() = std::move(responder); }
void SetSaveFileResponder(SaveFileResponder responder) { Slot<SaveFileResponder>() = std::move(responder); }
void SetOpenResponder(OpenResponder responder) { Slot<OpenResponder>() = std::move(responder); }
void SetOpenFileResponder(OpenFileResponder responder) { Slot<OpenFileResponder, kOpenFile>() = std::move(responder); }
void SetBeepResponder(BeepResponder responder) { Slot<BeepResponder>() = std::move(responder); }

QMessageBox::StandardButton MessageBox(QWidget* parent, const QString& caption, const QString& text,
                                       QMessageBox::StandardButtons buttons, QMessageBox::Icon icon) {
    if (const auto& answer = Slot<MessageResponder>()) return answer(caption, text, buttons);
    QMessageBox box(icon, caption, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool Confirm(QWidget* parent, const QString& text) {
    return MessageBox(parent, u"Attention"_s, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question) ==
           QMessageBox::Ok;
}

QString SaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) {
    if (const auto& answer = Slot<SaveFileResponder>()) return answer(caption, dir, filter);
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) {
    if (const auto& answer = Slot<OpenFileResponder, kOpenFile>()) return answer(caption, dir, filter);
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString SaveFileAs(QWidget* parent, const QString& kind, const QString& suffix, const QString& dir) {
    QString name = SaveFileName(parent, QString(), dir, kind + u" (*."_s + suffix + u')');
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) name += u'.' + suffix;
    return name;
}

bool OpenUrl(const QUrl& url) {
    if (const auto& answer = Slot<OpenResponder>()) return answer(url);
    return QDesktopServices::openUrl(url);
}

bool OpenFile(const QString& path) { return OpenUrl(QUrl::fromLocalFile(path)); }

void Beep() {
    if (const auto& answer = Slot<BeepResponder>()) return answer();
    QApplication::beep();
}

}  // namespace orv::ui
