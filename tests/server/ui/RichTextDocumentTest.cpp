// The viewer's document made from a rich-text document: formats, alignment,
// direction, line breaks, and table rows as lines with common tab stops.
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
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

    void rowsShareTheirTabStops() {
        QTextDocument doc;
        orv::ui::FillTextDocument(doc, orv::ReadRtf(
            "{\\rtf1 Before\\par\\trowd\\intbl Test\\cell Unit\\cell Range\\cell\\row"
            "\\trowd\\intbl Hb Electro\\cell\\cell 95 - 98\\cell\\row\\pard After\\par}"));
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
