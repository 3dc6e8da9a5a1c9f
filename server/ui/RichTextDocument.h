#pragma once
// Turns a RichDocument (the rich-text reader's or a plain text file's) into a
// QTextDocument for the viewers: runs keep bold, italic, underline, size and
// colour; paragraphs their alignment and direction; the rows of a table become
// a table with borders, its cells right to left where the row says so.
#include <QString>
#include <QTextDocument>
#include <memory>

#include "server/core/RichText.h"

namespace orv::ui {

// Cells of a document shown as tables. A table of the viewer's own costs
// several times as much as lines of text, so the tables past this many cells in
// all (over a thousand rows of four columns) are shown as lines whose cells stand at
// common tab stops.
constexpr size_t kTableCells = 5000;

// Appends `rich` to `doc` (an empty one gets exactly `rich`).
void FillTextDocument(QTextDocument& doc, const RichDocument& rich, size_t tableCells = kTableCells);

struct LoadedDocument {
    std::unique_ptr<QTextDocument> document;  // empty when the file could not be read
    QString error;                            // for the user
};

// Reads a reference document from a local file: RTF, or plain text (UTF-8 or
// UTF-16 with a byte-order mark, else code page 1256).
LoadedDocument LoadTextDocument(const QString& path);

}  // namespace orv::ui
