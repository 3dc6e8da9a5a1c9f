#include "server/ui/DocumentViewer.h"

#include <QFileInfo>
#include <QTextEdit>
#include <QVBoxLayout>

#include "base/ui/Prompts.h"
#include "server/ui/RichTextDocument.h"

namespace orv::ui {

DocumentViewer::DocumentViewer(QWidget* parent) : QDialog(parent), text_(new QTextEdit(this)) {
    setObjectName(QStringLiteral("DocumentViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    text_->setObjectName(QStringLiteral("DocumentText"));
    text_->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    resize(760, 560);
}

bool DocumentViewer::Load(const QString& path, QString* error) {
    LoadedDocument loaded = LoadTextDocument(path);
    if (!loaded.document) {
        if (error) *error = loaded.error;
        return false;
    }
    // The editor's own first document goes with setDocument; ours are its children.
    QTextDocument* old = text_->document()->parent() == text_ ? text_->document() : nullptr;
    loaded.document->setParent(text_);
    text_->setDocument(loaded.document.release());
    delete old;
    setWindowTitle(QFileInfo(path).fileName());
    return true;
}

bool OpenDocument(QWidget* parent, const QString& path, std::function<void()> failed) {
    if (OpenFile(path, parent, std::move(failed))) return true;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("rtf") && suffix != QLatin1String("txt")) return false;
    auto* viewer = new DocumentViewer(parent);
    viewer->setWindowFlag(Qt::Window);
    if (!viewer->Load(path)) {
        delete viewer;
        return false;
    }
    viewer->show();
    return true;
}

}  // namespace orv::ui
