#pragma once
// Turns a RichDocument (the rich-text reader's or a plain text file's) into a
// QTextDocument for the viewers: runs keep bold, italic, underline, size and
// colour; paragraphs their alignment and direction; the rows of a table become
// a table.
#include <QString>
#include <QTextDocument>
#include <memory>

#include "server/core/RichText.h"

namespace orv::ui {

// Appends `rich` to `doc` (an empty one gets exactly `rich`).
void FillTextDocument(QTextDocument& doc, const RichDocument& rich);

struct LoadedDocument {
    std::unique_ptr<QTextDocument> document;  // empty when the file could not be read
    QString error;                            // for the user
};

// Reads a reference document from a local file: RTF, or plain text (UTF-8 or
// UTF-16 with a byte-order mark, else code page 1256).
LoadedDocument LoadTextDocument(const QString& path);

}  // namespace orv::ui
