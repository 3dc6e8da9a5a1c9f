#include "server/ui/RichTextDocument.h"

#include <QColor>
#include <QFileInfo>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextTable>
#include <QTextTableFormat>
#include <algorithm>

#include "base/core/AtomicFile.h"
#include "server/core/RtfReader.h"

namespace orv::ui {
namespace {

QTextCharFormat CharFormat(const RichFormat& f) {
    QTextCharFormat c;
    if (f.bold) c.setFontWeight(QFont::Bold);
    if (f.italic) c.setFontItalic(true);
    if (f.underline) c.setFontUnderline(true);
    c.setFontPointSize(std::max(1, f.halfPoints) / 2.0);
    if (f.color >= 0) c.setForeground(QColor::fromRgb(static_cast<QRgb>(f.color)));
    return c;
}

QTextBlockFormat BlockFormat(const RichParagraph& p) {
    QTextBlockFormat b;
    b.setLayoutDirection(p.rtl ? Qt::RightToLeft : Qt::LeftToRight);
    // The document's alignment names a side of the page, whatever the direction.
    switch (p.align) {
        case RichAlign::Left: b.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute); break;
        case RichAlign::Right: b.setAlignment(Qt::AlignRight | Qt::AlignAbsolute); break;
        case RichAlign::Center: b.setAlignment(Qt::AlignHCenter); break;
        case RichAlign::Justify: b.setAlignment(Qt::AlignJustify); break;
    }
    return b;
}

// A line break inside a paragraph is the document's line separator.
QString RunText(const std::string& utf8) {
    QString text = QString::fromUtf8(utf8);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

void InsertRuns(QTextCursor& cursor, const RichParagraph& p, size_t first, size_t end) {
    // Runs of one format in a row are inserted as one piece.
    for (size_t r = first; r < end && r < p.runs.size(); ++r)
        cursor.insertText(RunText(p.runs[r].text), CharFormat(p.runs[r].format));
}

// Rows [first, end) as one table.
void InsertTable(QTextCursor& cursor, const std::vector<RichParagraph>& paragraphs, size_t first, size_t end) {
    int columns = 1;
    for (size_t i = first; i < end; ++i) columns = std::max(columns, static_cast<int>(paragraphs[i].cells.size()));
    QTextTableFormat format;
    format.setCellPadding(3);
    format.setCellSpacing(0);
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setLayoutDirection(paragraphs[first].rtl ? Qt::RightToLeft : Qt::LeftToRight);
    QTextTable* table = cursor.insertTable(static_cast<int>(end - first), columns, format);
    for (size_t i = first; i < end; ++i) {
        const RichParagraph& row = paragraphs[i];
        for (size_t c = 0; c < row.cells.size(); ++c) {
            QTextCursor cell = table->cellAt(static_cast<int>(i - first), static_cast<int>(c)).firstCursorPosition();
            cell.setBlockFormat(BlockFormat(row));
            const size_t stop = c + 1 < row.cells.size() ? row.cells[c + 1] : row.runs.size();
            InsertRuns(cell, row, row.cells[c], stop);
        }
    }
    cursor = table->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
}

}  // namespace

void FillTextDocument(QTextDocument& doc, const RichDocument& rich) {
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    QTextCursor cursor(&doc);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    bool first = doc.isEmpty();
    const auto& ps = rich.paragraphs;
    for (size_t i = 0; i < ps.size();) {
        if (!first) cursor.insertBlock();
        first = false;
        if (ps[i].IsRow()) {
            size_t end = i;
            while (end < ps.size() && ps[end].IsRow()) ++end;
            InsertTable(cursor, ps, i, end);
            i = end;
            first = true;  // the table leaves the cursor in a fresh block after it
            continue;
        }
        cursor.setBlockFormat(BlockFormat(ps[i]));
        InsertRuns(cursor, ps[i], 0, ps[i].runs.size());
        ++i;
    }
    cursor.endEditBlock();
    doc.setUndoRedoEnabled(undo);
}

LoadedDocument LoadTextDocument(const QString& path) {
    LoadedDocument out;
    std::string bytes;
    std::string error;
    if (QFileInfo(path).isDir()) {
        out.error = path + QStringLiteral(" is a folder, not a document");
        return out;
    }
    if (!ReadWholeFile(path.toStdString(), bytes, &error)) {
        out.error = QString::fromStdString(error);
        return out;
    }
    out.document = std::make_unique<QTextDocument>();
    FillTextDocument(*out.document, ReadDocument(bytes));
    return out;
}

}  // namespace orv::ui
