// The viewer's document made from a rich-text document: formats, alignment,
// direction, line breaks, list numbers, tables with borders, and the rows of
// tables beyond the viewer's budget as lines with common tab stops.
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QAbstractTextDocumentLayout>
#include <QtTest>

#include "server/core/RtfReader.h"
#include "server/ui/RichTextDocument.h"

using namespace Qt::StringLiterals;

class RichTextDocumentTest : public QObject {
    Q_OBJECT

    static QTextCharFormat FormatAt(const QTextDocument& doc, const QString& text) {
        QTextCursor c = doc.find(text);
        return c.charFormat();
    }

private slots:
    void formatsAlignmentAndDirection() {
        QTextDocument doc;
        orv::ui::FillTextDocument(doc, orv::ReadRtf(
            "{\\rtf1{\\colortbl;\\red192\\green0\\blue0;}\\pard\\rtlpar\\qr {\\b\\cf1\\fs32 \\u1587?\\u1604?\\u1575?\\u1605?}"
            " one\\line two\\par\\pard\\qc {\\i italic} {\\ul under}\\par\\pard\\qj plain\\par}"));
        QCOMPARE(doc.blockCount(), 3);
        const QTextBlock first = doc.firstBlock();
        QCOMPARE(first.text(), u"سلام one\u2028two"_s);
        QCOMPARE(first.blockFormat().layoutDirection(), Qt::RightToLeft);
        QCOMPARE(first.blockFormat().alignment(), Qt::AlignRight | Qt::AlignAbsolute);
        const QTextCharFormat salam = FormatAt(doc, u"سلام"_s);
        QCOMPARE(salam.fontWeight(), int(QFont::Bold));
        QCOMPARE(salam.foreground().color(), QColor(192, 0, 0));
        QCOMPARE(salam.fontPointSize(), 16.0);
        QVERIFY(FormatAt(doc, u"italic"_s).fontItalic());
        QVERIFY(FormatAt(doc, u"under"_s).fontUnderline());
        QCOMPARE(FormatAt(doc, u"one"_s).fontWeight(), int(QFont::Normal));
        QCOMPARE(first.next().blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(first.next().blockFormat().layoutDirection(), Qt::LeftToRight);
        QCOMPARE(doc.lastBlock().blockFormat().alignment(), Qt::AlignJustify);
    }

    // A table is a table: one cell per cell, bordered, right to left where the
    // row says so; the paragraphs around it stay paragraphs, a list item keeps
    // its number.
    void tablesAreTablesWithBorders() {
        QTextDocument doc;
        orv::ui::FillTextDocument(doc, orv::ReadRtf(
            "{\\rtf1\\ansi\\ansicpg1256{\\listtext 1.\\tab}Before\\par"
            "\\trowd\\rtlrow\\cellx1000\\cellx2000\\cellx3000\\cellx4000\\pard\\intbl Test\\cell Unit\\cell Range\\cell"
            "\\rtlch \\'e4\\'c7\\'e3\\cell\\row"
            "\\trowd\\rtlrow\\cellx1000\\cellx2000\\cellx3000\\cellx4000\\pard\\intbl TSH\\cell mIU/L\\cell 0.4 - 4.0\\cell"
            "\\cell\\row\\pard After\\par}"));
        QCOMPARE(doc.firstBlock().text(), u"1.\tBefore"_s);
        QTextTable* table = nullptr;
        for (QTextFrame* f : doc.rootFrame()->childFrames())
            if (auto* t = qobject_cast<QTextTable*>(f)) table = t;
        QVERIFY(table);
        QCOMPARE(table->rows(), 2);
        QCOMPARE(table->columns(), 4);
        // Right to left: the row's first cell is the table's last column.
        const auto cell = [&](int row, int column) { return table->cellAt(row, column).firstCursorPosition().block(); };
        QCOMPARE(cell(1, 3).text(), u"TSH"_s);
        QCOMPARE(cell(1, 2).text(), u"mIU/L"_s);
        QCOMPARE(cell(1, 1).text(), u"0.4 - 4.0"_s);
        QCOMPARE(cell(0, 0).text(), u"نام"_s);
        QVERIFY(table->format().border() > 0);
        QCOMPARE(table->format().borderStyle(), QTextFrameFormat::BorderStyle_Solid);
        QCOMPARE(doc.lastBlock().text(), u"After"_s);
        // Laid out, the row's first cell stands at the right of its last.
        doc.setTextWidth(600);
        QVERIFY(doc.documentLayout()->blockBoundingRect(cell(0, 3)).left() >
                doc.documentLayout()->blockBoundingRect(cell(0, 0)).left());
    }

    // Tables beyond the viewer's budget of cells keep the quick layout.
    void rowsBeyondTheBudgetShareTheirTabStops() {
        QTextDocument doc;
        orv::ui::FillTextDocument(doc, orv::ReadRtf(
            "{\\rtf1 Before\\par\\trowd\\intbl Test\\cell Unit\\cell Range\\cell\\row"
            "\\trowd\\intbl Hb Electro\\cell\\cell 95 - 98\\cell\\row\\pard After\\par}"), 0);
        QCOMPARE(doc.blockCount(), 4);
        const QTextBlock row1 = doc.firstBlock().next();
        const QTextBlock row2 = row1.next();
        QCOMPARE(row1.text(), u"Test\tUnit\tRange"_s);
        QCOMPARE(row2.text(), u"Hb Electro\t\t95 - 98"_s);
        const auto tabs = row1.blockFormat().tabPositions();
        QCOMPARE(tabs.size(), 2);
        QCOMPARE(row2.blockFormat().tabPositions(), tabs);
        // The first column is as wide as its longest text, "Hb Electro".
        QVERIFY(tabs[0].position > QFontMetricsF(doc.defaultFont()).horizontalAdvance(u"Hb Ele"_s));
        QVERIFY(tabs[1].position > tabs[0].position);
        QCOMPARE(doc.lastBlock().text(), u"After"_s);
        QVERIFY(doc.lastBlock().blockFormat().tabPositions().isEmpty());
    }

    void filesOfEitherKind() {
        QTemporaryDir dir;
        const QString rtf = dir.path() + u"/a.rtf"_s, text = dir.path() + u"/b.txt"_s;
        QFile f(rtf);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1\\ansi\\ansicpg1256 \\'d3\\'e1\\'c7\\'e3}");
        f.close();
        QFile g(text);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write("FBS   \xde\xe4\xcf\r\n\xd3\xe1\xc7\xe3\r\n");
        g.close();
        orv::ui::LoadedDocument a = orv::ui::LoadTextDocument(rtf);
        QVERIFY(a.document);
        QCOMPARE(a.document->toPlainText(), u"سلام"_s);
        orv::ui::LoadedDocument b = orv::ui::LoadTextDocument(text);
        QVERIFY(b.document);
        QCOMPARE(b.document->toPlainText(), u"FBS   قند\nسلام"_s);
        QCOMPARE(b.document->lastBlock().blockFormat().layoutDirection(), Qt::RightToLeft);
        orv::ui::LoadedDocument none = orv::ui::LoadTextDocument(dir.path() + u"/missing.rtf"_s);
        QVERIFY(!none.document);
        QVERIFY(!none.error.isEmpty());
    }
};

QTEST_MAIN(RichTextDocumentTest)
#include "RichTextDocumentTest.moc"
