#pragma once
// Answers the program's prompts in a test: records every message box (as
// "caption|text"), save dialog, hand-off to the desktop and beep, and answers
// each with the next queued answer (OK, the queued file name, "opened").
#include <QMessageBox>
#include <QQueue>
#include <QStringList>
#include <QUrl>

#include "base/ui/Prompts.h"

class PromptRecorder {
public:
    QStringList messages;        // "caption|text"
    QStringList saveFilters;     // the filter of each save dialog
    QStringList saveFolders;     // the folder each save dialog opened in
    QList<QUrl> opened;          // files and addresses handed to the desktop
    int beeps = 0;
    QQueue<QMessageBox::StandardButton> buttons;  // next answers to message boxes (OK when empty)
    QQueue<QString> saveNames;                    // next answers to save dialogs (cancel when empty)
    QQueue<QString> openNames;                    // next answers to open-file dialogs (cancel when empty)
    bool openSucceeds = true;

    PromptRecorder() {
        orv::ui::SetMessageResponder([this](const QString& caption, const QString& text, QMessageBox::StandardButtons) {
            messages << caption + u'|' + text;
            return buttons.isEmpty() ? QMessageBox::Ok : buttons.dequeue();
        });
        orv::ui::SetSaveFileResponder([this](const QString&, const QString& dir, const QString& filter) {
            saveFilters << filter;
            saveFolders << dir;
            return saveNames.isEmpty() ? QString() : saveNames.dequeue();
        });
        orv::ui::SetOpenResponder([this](const QUrl& url) {
            opened << url;
            return openSucceeds;
        });
        orv::ui::SetBeepResponder([this] { ++beeps; });
        orv::ui::SetOpenFileResponder([this](const QString&, const QString&, const QString&) {
            return openNames.isEmpty() ? QString() : openNames.dequeue();
        });
    }
    ~PromptRecorder() {
        orv::ui::SetMessageResponder({});
        orv::ui::SetSaveFileResponder({});
        orv::ui::SetOpenResponder({});
        orv::ui::SetBeepResponder({});
        orv::ui::SetOpenFileResponder({});
    }
    PromptRecorder(const PromptRecorder&) = delete;
    PromptRecorder& operator=(const PromptRecorder&) = delete;

    // The texts of the message boxes, without their captions.
    QStringList Texts() const {
        QStringList texts;
        for (const QString& m : messages) texts << m.section(u'|', 1);
        return texts;
    }
    QStringList OpenedFiles() const {
        QStringList files;
        for (const QUrl& u : opened) files << u.toLocalFile();
        return files;
    }
    void Clear() {
        messages.clear();
        saveFilters.clear();
        saveFolders.clear();
        opened.clear();
        beeps = 0;
    }
};
