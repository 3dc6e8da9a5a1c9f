// The result grid's model and look.
#include <QFontInfo>
#include <QHeaderView>
#include <QPainter>
#include <QtTest>

#include "results/core/ResultColumns.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"

using namespace Qt::StringLiterals;
using namespace orv::results;

class ResultGridTest : public QObject {
    Q_OBJECT
private slots:
    void modelHoldsHeadingsAndCells() {
        ResultGridModel model;
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.columnCount(), 50);
        QCOMPARE(model.data(model.index(0, 4)).toString(), u"          نام بيمار "_s);
        model.SetTable(ResultTable({"1   2045   77   34   محمد  رضا   FBS=95   ", ""}));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.data(model.index(1, 4)).toString(), u" محمد  رضا"_s);
        QCOMPARE(model.data(model.index(1, 5)).toString(), u" FBS=95"_s);
        QCOMPARE(model.data(model.index(2, 0)).toString(), u" "_s);
        QCOMPARE(model.data(model.index(1, 49)).toString(), u" "_s);
        QCOMPARE(model.CellText(0, 0), u"رديف"_s);
        QCOMPARE(model.CellText(5, 0), QString());
        model.Reset();
        QCOMPARE(model.rowCount(), 1);
    }

    void gridLooksAsTheLaboratoryKnowsIt() {
        ResultGrid grid;
        ResultGridModel model;
        grid.SetModel(&model);
        QCOMPARE(grid.palette().color(QPalette::Base), QColor(65, 96, 133));
        QCOMPARE(grid.palette().color(QPalette::Text), QColor(Qt::white));
        QVERIFY(QFontInfo(grid.font()).family() == u"Tahoma"_s || QFontInfo(grid.font()).family() == u"Noto Sans Arabic"_s);
        QCOMPARE(grid.font().pointSizeF(), 8.0);
        QVERIFY(grid.showGrid());
        // The test columns scroll under a bar of their own; the rows scroll under the heading strip.
        QCOMPARE(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(grid.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QCOMPARE(grid.horizontalHeader()->height(), 20);
        QVERIFY(grid.horizontalHeader()->sectionsMovable());
        QCOMPARE(grid.horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        QVERIFY(grid.verticalHeader()->isHidden());
        QCOMPARE(grid.verticalHeader()->defaultSectionSize(), 20);
        QCOMPARE(grid.columnWidth(7), 40);
        QVERIFY(!grid.tabKeyNavigation());  // Tab leaves the grid; the arrows move in it
        QCOMPARE(grid.layoutDirection(), Qt::LeftToRight);
    }

    void keyboardMovesTheCurrentCell() {
        ResultGrid grid;
        ResultGridModel model;
        grid.SetModel(&model);
        model.SetTable(ResultTable({"1   a   ", "2   b   "}));
        grid.resize(400, 200);
        grid.show();
        grid.setCurrentIndex(model.index(1, 0));
        QTest::keyClick(&grid, Qt::Key_Down);
        QTest::keyClick(&grid, Qt::Key_Right);
        QCOMPARE(grid.Row(), 2);
        QCOMPARE(grid.Col(), 1);
        grid.SetRow(1);
        QCOMPARE(grid.Row(), 1);
        QCOMPARE(grid.Col(), 1);
        // The heading row is never the current cell: up from the first row stays there,
        // and row 0 leaves no current cell while the column is kept.
        QTest::keyClick(&grid, Qt::Key_Up);
        QCOMPARE(grid.Row(), 1);
        grid.SetRow(0);
        QCOMPARE(grid.Row(), 0);
        QCOMPARE(grid.Col(), 1);
        grid.SetRow(2);
        // A right click makes the clicked cell current, for the pop-up menu to act on.
        QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, grid.visualRect(model.index(1, 0)).center());
        QCOMPARE(grid.Row(), 1);
        QCOMPARE(grid.Col(), 0);
    }

    void foundCellIsPaintedMaroon() {
        ResultGrid grid;
        ResultGridModel model;
        grid.SetModel(&model);
        model.SetTable(ResultTable({"1   a   x   ", "2   b   y   "}));
        int drawn = 0;
        grid.SetDrawCell([&](QPainter& painter, const QRect& rect, int column, int row) {
            ++drawn;
            if (column == 2 && row == 2) grid.PaintFound(painter, rect, column, row);
        });
        grid.resize(400, 200);
        grid.setCurrentIndex(model.index(0, 0));
        const QImage shot = grid.grab().toImage();
        QVERIFY(drawn >= 2 * 9);  // the two data rows; the headings are the strip above
        const QRect found = grid.visualRect(model.index(2, 2)).translated(grid.viewport()->pos());
        QCOMPARE(shot.pixelColor(found.right() - 2, found.bottom() - 2), QColor(128, 0, 0));
        const QRect other = grid.visualRect(model.index(1, 2)).translated(grid.viewport()->pos());
        QCOMPARE(shot.pixelColor(other.right() - 2, other.bottom() - 2), QColor(65, 96, 133));
        // Its text is drawn in white over the maroon.
        bool white = false;
        for (int x = found.left(); x < found.right(); ++x)
            for (int y = found.top(); y < found.bottom(); ++y) white |= shot.pixelColor(x, y).lightness() > 200;
        QVERIFY(white);
    }

    // The found cell's text sits where every other cell's does (the same box for the same text).
    void foundCellTextLinesUpWithTheOthers() {
        ResultGrid grid;
        ResultGridModel model;
        grid.SetModel(&model);
        model.SetTable(ResultTable({"1   a   گلی پژوهش   ", "2   b   گلی پژوهش   "}));
        grid.SetDrawCell([&](QPainter& painter, const QRect& rect, int column, int row) {
            if (column == 2 && row == 2) grid.PaintFound(painter, rect, column, row);
        });
        grid.setColumnWidth(2, 120);
        grid.resize(400, 200);
        grid.setCurrentIndex(model.index(1, 0));
        const QImage shot = grid.grab().toImage();
        auto ink = [&](int row) {
            const QRect cell = grid.visualRect(model.index(row, 2)).translated(grid.viewport()->pos());
            QRect box;
            for (int x = cell.left(); x < cell.right(); ++x)
                for (int y = cell.top(); y < cell.bottom(); ++y)
                    if (shot.pixelColor(x, y).lightness() > 170) box |= QRect(x - cell.left(), y - cell.top(), 1, 1);
            return box;
        };
        const QRect plain = ink(1), found = ink(2);
        QVERIFY(!plain.isEmpty());
        QVERIFY2(std::abs(found.top() - plain.top()) <= 1 && std::abs(found.bottom() - plain.bottom()) <= 1 &&
                     std::abs(found.left() - plain.left()) <= 1 && std::abs(found.right() - plain.right()) <= 1,
                 qPrintable(u"plain %1,%2 %3x%4, found %5,%6 %7x%8"_s.arg(plain.x()).arg(plain.y()).arg(plain.width())
                                .arg(plain.height()).arg(found.x()).arg(found.y()).arg(found.width()).arg(found.height())));
    }
};

QTEST_MAIN(ResultGridTest)
#include "ResultGridTest.moc"
