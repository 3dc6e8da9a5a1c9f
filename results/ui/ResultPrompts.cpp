#include "results/ui/ResultPrompts.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace orv::results {

namespace {
QString AskWithDialog(QWidget* parent, const QString& filterName, const QString& suffix) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filterName + u" (*."_s + suffix + u')');
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void InformWithBox(QWidget* parent, const QString& caption, const QString& text, bool error) {
    QMessageBox box(error ? QMessageBox::Critical : QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool OpenWithDesktop(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }
}  // namespace

ResultPrompts::AskSaveName ResultPrompts::askSaveName = AskWithDialog;
ResultPrompts::Inform ResultPrompts::inform = InformWithBox;
ResultPrompts::Open ResultPrompts::open = OpenWithDesktop;

void ResultPrompts::UseDesktop() {
    askSaveName = AskWithDialog;
    inform = InformWithBox;
    open = OpenWithDesktop;
}

}  // namespace orv::results
