#include "app/ui/Dialogs.h"

#include <QFileDialog>

namespace orv::ui {
namespace {
MessageResponder& Messages() {
    static MessageResponder r;
    return r;
}
SaveFileResponder& SaveFiles() {
    static SaveFileResponder r;
    return r;
}
}  // namespace

void SetMessageResponder(MessageResponder responder) { Messages() = std::move(responder); }
void SetSaveFileResponder(SaveFileResponder responder) { SaveFiles() = std::move(responder); }

QMessageBox::StandardButton MessageBox(QWidget* parent, const QString& caption, const QString& text,
                                       QMessageBox::StandardButtons buttons, QMessageBox::Icon icon) {
    if (Messages()) return Messages()(caption, text, buttons);
    QMessageBox box(icon, caption, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool Confirm(QWidget* parent, const QString& text) {
    return MessageBox(parent, QStringLiteral("Attention"), text, QMessageBox::Ok | QMessageBox::Cancel,
                      QMessageBox::Question) == QMessageBox::Ok;
}

QString SaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) {
    if (SaveFiles()) return SaveFiles()(caption, dir, filter);
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

}  // namespace orv::ui
