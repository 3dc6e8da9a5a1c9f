#include "server/ui/RichTextDocument.h"

#include <QColor>
#include <QFileInfo>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QFontMetricsF>
#include <QTextOption>
#include <QTextTable>
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

// Builds the document with one cursor, reusing the formats of runs alike.
class Builder {
public:
    Builder(QTextDocument& doc) : doc_(doc), cursor_(&doc), charWidth_(QFontMetricsF(doc.defaultFont()).averageCharWidth()) {
        cursor_.movePosition(QTextCursor::End);
        first_ = doc.isEmpty();
        // One edit: the cursor does not lay out each line it passes.
        cursor_.beginEditBlock();
    }
    ~Builder() { cursor_.endEditBlock(); }

    void Paragraph(const RichParagraph& p) {
        Block(BlockFormat(p), p);
        for (const RichRun& r : p.runs) Append(r.text, r.format);
        Flush();
    }

    // The rows of one table as a table of the viewer's own: a cell per cell,
    // bordered, its columns right to left when its first row is. (Qt lays out
    // every table's columns from the left: the cells of a right-to-left table
    // go into its columns from the last.)
    void Table(const std::vector<RichParagraph>& rows, size_t first, size_t end) {
        size_t columns = 0;
        for (size_t i = first; i < end; ++i) columns = std::max(columns, rows[i].cells.size());
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(0x80, 0x80, 0x80));
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(3);
        const bool rtl = rows[first].rtlRow;
        format.setLayoutDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
        format.setAlignment(rtl ? Qt::AlignRight | Qt::AlignAbsolute : Qt::AlignLeft | Qt::AlignAbsolute);
        Flush();
        first_ = false;
        columns = std::max<size_t>(columns, 1);
        QTextTable* table = cursor_.insertTable(static_cast<int>(end - first), static_cast<int>(columns), format);
        for (size_t i = first; i < end; ++i) {
            const RichParagraph& row = rows[i];
            const QTextBlockFormat block = BlockFormat(row);
            for (size_t c = 0; c < row.cells.size(); ++c) {
                const size_t column = rtl ? columns - 1 - c : c;
                QTextCursor cell =
                    table->cellAt(static_cast<int>(i - first), static_cast<int>(column)).firstCursorPosition();
                cell.setBlockFormat(block);
                at_ = &cell;
                const size_t stop = c + 1 < row.cells.size() ? row.cells[c + 1] : row.runs.size();
                for (size_t r = row.cells[c]; r < stop && r < row.runs.size(); ++r)
                    Append(row.runs[r].text, row.runs[r].format);
                Flush();
                at_ = &cursor_;
            }
        }
        cursor_.movePosition(QTextCursor::End);
        afterTable_ = true;
    }

    // The rows of one table as lines whose cells stand at common tab stops,
    // wide enough for the longest text of each column. (A table of the viewer's
    // own would cost several times as much for the long documents.)
    void TabStopTable(const std::vector<RichParagraph>& rows, size_t first, size_t end) {
        std::vector<size_t> widest;
        for (size_t i = first; i < end; ++i) {
            const RichParagraph& row = rows[i];
            if (widest.size() < row.cells.size()) widest.resize(row.cells.size(), 0);
            for (size_t c = 0; c < row.cells.size(); ++c) widest[c] = std::max(widest[c], CellLength(row, c));
        }
        QList<QTextOption::Tab> tabs;
        qreal at = 0;
        for (size_t c = 0; c + 1 < widest.size(); ++c) {
            at += (static_cast<qreal>(widest[c]) + 3) * charWidth_;
            tabs.append(QTextOption::Tab(at, QTextOption::LeftTab));
        }
        for (size_t i = first; i < end; ++i) {
            const RichParagraph& row = rows[i];
            QTextBlockFormat format = BlockFormat(row);
            format.setTabPositions(tabs);
            Block(format, row);
            for (size_t c = 0; c < row.cells.size(); ++c) {
                if (c > 0) pending_ += u'\t';
                const size_t stop = c + 1 < row.cells.size() ? row.cells[c + 1] : row.runs.size();
                for (size_t r = row.cells[c]; r < stop && r < row.runs.size(); ++r)
                    Append(row.runs[r].text, row.runs[r].format);
            }
            Flush();
        }
    }

private:
    // Text is inserted a piece per character format: runs that differ only in
    // what the viewer does not show (direction) are one piece.
    void Append(const std::string& utf8, RichFormat format) {
        format.rtl = false;
        if (!(format == pendingFormat_)) Flush();
        pendingFormat_ = format;
        pending_ += RunText(utf8);
    }
    void Flush() {
        if (!pending_.isEmpty()) at_->insertText(pending_, Format(pendingFormat_));
        pending_.clear();
    }

    void Block(const QTextBlockFormat& format, const RichParagraph&) {
        if (first_ || afterTable_) {
            // The first block, or the empty one a table leaves after it.
            cursor_.setBlockFormat(format);
            first_ = afterTable_ = false;
        } else {
            cursor_.insertBlock(format);
        }
    }

    static size_t CellLength(const RichParagraph& row, size_t c) {
        const size_t end = c + 1 < row.cells.size() ? row.cells[c + 1] : row.runs.size();
        size_t n = 0;
        for (size_t r = row.cells[c]; r < end; ++r) n += row.runs[r].text.size();
        return n / 2 + 1;  // UTF-8 bytes to characters, roughly (Persian letters take two)
    }

    const QTextCharFormat& Format(const RichFormat& f) {
        for (const auto& [rich, format] : formats_)
            if (rich == f) return format;
        if (formats_.size() > 64) formats_.clear();
        formats_.emplace_back(f, CharFormat(f));
        return formats_.back().second;
    }

    QTextDocument& doc_;
    QTextCursor cursor_;
    QTextCursor* at_ = &cursor_;  // where text goes: the end, or a table's cell
    bool afterTable_ = false;
    qreal charWidth_;
    bool first_ = false;
    std::vector<std::pair<RichFormat, QTextCharFormat>> formats_;
    QString pending_;
    RichFormat pendingFormat_;
};

}  // namespace

void FillTextDocument(QTextDocument& doc, const RichDocument& rich, size_t tableCells) {
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    Builder build(doc);
    const auto& ps = rich.paragraphs;
    for (size_t i = 0; i < ps.size();) {
        if (!ps[i].IsRow()) {
            build.Paragraph(ps[i++]);
            continue;
        }
        size_t end = i;
        size_t cells = 0;
        while (end < ps.size() && ps[end].IsRow()) cells += ps[end++].cells.size();
        if (cells <= tableCells) {
            tableCells -= cells;
            build.Table(ps, i, end);
        } else {
            tableCells = 0;  // the rest keep one layout
            build.TabStopTable(ps, i, end);
        }
        i = end;
    }
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
