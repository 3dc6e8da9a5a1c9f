#pragma once
// A reference document (payment rules, a recommendation, a help file in RTF or
// plain text) shown read-only in a window of our own, for when no program of
// the desktop opens it.
#include <QDialog>
#include <functional>

class QTextEdit;

namespace orv::ui {

class DocumentViewer : public QDialog {
    Q_OBJECT
public:
    explicit DocumentViewer(QWidget* parent = nullptr);
    // Loads `path`; false (with the reason in `error`) when it cannot be read.
    bool Load(const QString& path, QString* error = nullptr);
    QTextEdit* Text() const { return text_; }

private:
    QTextEdit* text_;
};

// Opens `path` with the desktop's program for its type; when none takes a
// document we can read (RTF or text), shows it in a DocumentViewer instead.
// False when neither could show it. `failed` runs when the desktop's program
// took it and then reported that it could not open it.
bool OpenDocument(QWidget* parent, const QString& path, std::function<void()> failed = {});

}  // namespace orv::ui
