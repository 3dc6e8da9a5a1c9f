#include "results/ui/ResultGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "results/core/ResultColumns.h"
#include "results/ui/ResultFonts.h"
#include "results/ui/ResultGridModel.h"

using namespace Qt::StringLiterals;

namespace orv::results {

namespace {
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(ResultGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        grid_->RunDrawCell(*painter, option.rect, index.column(), index.row());
        painter->restore();
    }

private:
    ResultGrid* grid_;
};

// The strip above the columns only serves to drag their borders and move them.
constexpr int kGripHeight = 6;
}  // namespace

ResultGrid::ResultGrid(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new CellDelegate(this));
    setFont(ResultFont(8));
    setLayoutDirection(Qt::LeftToRight);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Background());
    colours.setColor(QPalette::Window, Background());
    colours.setColor(QPalette::Text, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::ButtonText, Qt::white);
    colours.setColor(QPalette::Button, Background().darker(115));
    setPalette(colours);
    setAutoFillBackground(true);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setTabKeyNavigation(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kDefaultRowHeight);
    verticalHeader()->setMinimumSectionSize(1);
    QHeaderView* top = horizontalHeader();
    top->setDefaultSectionSize(kDefaultColumnWidth);
    top->setMinimumSectionSize(4);
    top->setSectionResizeMode(QHeaderView::Interactive);
    top->setSectionsMovable(true);
    top->setHighlightSections(false);
    top->setFixedHeight(kGripHeight);
    top->setToolTip(QString());
}

void ResultGrid::SetModel(ResultGridModel* model) {
    model_ = model;
    setModel(model);
    // Another day's content keeps the current cell (moved up to the last row when it has fewer).
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { keptCell_ = {Col(), Row()}; });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        const int row = std::min(keptCell_.y(), model_->rowCount() - 1);
        if (row >= 0) setCurrentIndex(model_->index(row, keptCell_.x()));
    });
    horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    verticalHeader()->setDefaultSectionSize(kDefaultRowHeight);
}

void ResultGrid::RunDrawCell(QPainter& painter, const QRect& rect, int column, int row) const {
    if (drawCell_) drawCell_(painter, rect, column, row);
}

void ResultGrid::PaintFound(QPainter& painter, const QRect& rect, int column, int row) const {
    painter.fillRect(rect, Found());
    painter.setFont(font());
    painter.setPen(Qt::white);
    const QFontMetrics metrics(font());
    painter.drawText(QPointF(rect.left() + 3, rect.top() + 3 + metrics.ascent()),
                     model_ ? model_->CellText(row, column) : QString());
}

int ResultGrid::Col() const { return currentIndex().isValid() ? currentIndex().column() : 0; }
int ResultGrid::Row() const { return currentIndex().isValid() ? currentIndex().row() : 0; }

void ResultGrid::SetRow(int row) {
    if (!model_ || row < 0 || row >= model_->rowCount()) return;
    const QModelIndex index = model_->index(row, Col());
    setCurrentIndex(index);
    scrollTo(index);
}

void ResultGrid::mousePressEvent(QMouseEvent* event) {
    // A right click makes the clicked cell current, so the pop-up menu acts on it.
    if (event->button() == Qt::RightButton) {
        const QModelIndex clicked = indexAt(event->position().toPoint());
        if (clicked.isValid()) setCurrentIndex(clicked);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

}  // namespace orv::results
