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
        QCOMPARE(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(grid.horizontalHeader()->sectionsMovable());
        QCOMPARE(grid.horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        QVERIFY(grid.verticalHeader()->isHidden());
        QCOMPARE(grid.rowHeight(0), 20);
        QCOMPARE(grid.columnWidth(7), 40);
        QVERIFY(grid.tabKeyNavigation());
        QCOMPARE(grid.layoutDirection(), Qt::LeftToRight);
    }

    void keyboardMovesTheCurrentCell() {
        ResultGrid grid;
        ResultGridModel model;
        grid.SetModel(&model);
        model.SetTable(ResultTable({"1   a   ", "2   b   "}));
        grid.resize(400, 200);
        grid.show();
        grid.setCurrentIndex(model.index(0, 0));
        QTest::keyClick(&grid, Qt::Key_Down);
        QTest::keyClick(&grid, Qt::Key_Tab);
        QCOMPARE(grid.Row(), 1);
        QCOMPARE(grid.Col(), 1);
        grid.SetRow(2);
        QCOMPARE(grid.Row(), 2);
        QCOMPARE(grid.Col(), 1);
        // A right click makes the clicked cell current, for the pop-up menu to act on.
        QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, grid.visualRect(model.index(0, 0)).center());
        QCOMPARE(grid.Row(), 0);
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
        QVERIFY(drawn >= 3 * 10);
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
};

QTEST_MAIN(ResultGridTest)
#include "ResultGridTest.moc"
