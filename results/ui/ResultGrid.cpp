#include "results/ui/ResultGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <algorithm>

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
    // The cell as it is painted in the normal way, on another background and
    // neither selected nor focused: its text lands where every cell's does.
    void PaintOn(QPainter& painter, const QRect& rect, const QModelIndex& index, const QColor& background) const {
        QStyleOptionViewItem option;
        grid_->InitCellOption(&option);
        option.rect = rect;
        initStyleOption(&option, index);
        option.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver);
        option.backgroundBrush = background;
        option.palette.setColor(QPalette::Text, Qt::white);
        painter.fillRect(rect, background);
        grid_->style()->drawControl(QStyle::CE_ItemViewItem, &option, &painter, grid_);
    }

private:
    ResultGrid* grid_;
};

// The heading row above the columns, painted as the grid's own cells are; its
// borders are dragged to resize a column and its cells to move one.
class HeadingStrip : public QHeaderView {
public:
    explicit HeadingStrip(ResultGrid* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        if (!rect.isValid()) return;
        painter->save();
        painter->fillRect(rect, ResultGrid::Background());
        painter->setPen(grid_->palette().color(QPalette::Mid));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->setPen(Qt::white);
        painter->setFont(grid_->font());
        const QString text = model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
        painter->drawText(rect.adjusted(3, 0, -1, 0), Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter, text);
        painter->restore();
    }

private:
    ResultGrid* grid_;
};
}  // namespace

ResultGrid::ResultGrid(QWidget* parent) : QTableView(parent) {
    setHorizontalHeader(new HeadingStrip(this));
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
    // Tab leaves the grid for the next control; the arrow keys move between cells.
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
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
    top->setFixedHeight(kDefaultRowHeight);
    top->setToolTip(QString());
    connect(top, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (hiding_ || size <= 0 || logical < 0 || logical >= static_cast<int>(widths_.size())) return;
        widths_[static_cast<size_t>(logical)] = size;
        if (!settingWidth_) userSized_[static_cast<size_t>(logical)] = true;
        UpdateScrollRange();
    });
    connect(top, &QHeaderView::sectionMoved, this, [this] { ApplyLeftCol(leftCol_); });
    connect(top, &QHeaderView::sectionClicked, this, &ResultGrid::Clicked);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value != leftCol_) ApplyLeftCol(value);
    });
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
    widths_.assign(static_cast<size_t>(model ? model->columnCount() : 0), kDefaultColumnWidth);
    userSized_.assign(widths_.size(), false);
    if (model) connect(model, &QAbstractItemModel::modelReset, this, &ResultGrid::AfterReset);
    AfterReset();
}

// A new day: the heading row stays out of the rows, the widths and the scrolled columns as they were.
void ResultGrid::AfterReset() {
    if (!model_) return;
    if (model_->rowCount() > 0) setRowHidden(0, true);
    ApplyLeftCol(leftCol_);
}

void ResultGrid::setColumnWidth(int column, int width) {
    if (column < 0 || column >= static_cast<int>(widths_.size())) return;
    widths_[static_cast<size_t>(column)] = width;
    // A scrolled-out column keeps the width for when it is shown again.
    settingWidth_ = true;
    QTableView::setColumnWidth(column, width);
    settingWidth_ = false;
    UpdateScrollRange();
}

void ResultGrid::SetFittingWidth(int column, int width) {
    if (!UserSized(column)) setColumnWidth(column, width);
}

bool ResultGrid::UserSized(int column) const {
    return column >= 0 && column < static_cast<int>(userSized_.size()) && userSized_[static_cast<size_t>(column)];
}

int ResultGrid::ContentWidth(int column) const {
    if (!model_) return 0;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    int widest = 0;
    for (int r = 1; r < model_->rowCount(); ++r)
        widest = std::max(widest, itemDelegate()->sizeHint(option, model_->index(r, column)).width());
    return widest + (showGrid() ? 1 : 0);  // the cell line takes a pixel of the column
}

int ResultGrid::columnWidth(int column) const {
    if (column < 0 || column >= static_cast<int>(widths_.size())) return QTableView::columnWidth(column);
    return widths_[static_cast<size_t>(column)];
}

int ResultGrid::TestColumnCount() const { return std::max(0, static_cast<int>(widths_.size()) - kFrozenColumns); }

// The fewest scrolled-out columns that still show the last test column whole.
int ResultGrid::MaxLeftCol() const {
    const QHeaderView* top = horizontalHeader();
    int frozen = 0;
    for (int v = 0; v < kFrozenColumns && v < top->count(); ++v) frozen += columnWidth(top->logicalIndex(v));
    const int room = viewport()->width() - frozen;
    int used = 0;
    int fit = 0;
    for (int v = top->count() - 1; v >= kFrozenColumns; --v) {
        used += columnWidth(top->logicalIndex(v));
        if (used > room) break;
        ++fit;
    }
    return std::max(0, TestColumnCount() - std::max(fit, 1));
}

void ResultGrid::SetLeftCol(int scrolled) { horizontalScrollBar()->setValue(scrolled); }

void ResultGrid::ApplyLeftCol(int scrolled) {
    QHeaderView* top = horizontalHeader();
    leftCol_ = std::clamp(scrolled, 0, TestColumnCount());
    hiding_ = true;
    for (int v = kFrozenColumns; v < top->count(); ++v) {
        const int logical = top->logicalIndex(v);
        const bool hide = v < kFrozenColumns + leftCol_;
        if (top->isSectionHidden(logical) != hide) top->setSectionHidden(logical, hide);
        if (!hide && top->sectionSize(logical) != columnWidth(logical))
            top->resizeSection(logical, columnWidth(logical));
    }
    for (int v = 0; v < std::min(kFrozenColumns, top->count()); ++v) top->setSectionHidden(top->logicalIndex(v), false);
    hiding_ = false;
    UpdateScrollRange();
    viewport()->update();
}

void ResultGrid::UpdateScrollRange() {
    QScrollBar* bar = horizontalScrollBar();
    const QSignalBlocker block(bar);
    bar->setRange(0, std::max(MaxLeftCol(), leftCol_));
    bar->setPageStep(std::max(1, TestColumnCount() - MaxLeftCol()));
    bar->setSingleStep(1);
    bar->setValue(leftCol_);
}

// The view's own horizontal scrolling is replaced by hiding the scrolled-out columns.
void ResultGrid::updateGeometries() {
    QTableView::updateGeometries();
    UpdateScrollRange();
}

void ResultGrid::scrollContentsBy(int, int dy) { QTableView::scrollContentsBy(0, dy); }

void ResultGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) return;
    const QHeaderView* top = horizontalHeader();
    const int visual = top->visualIndex(index.column());
    if (visual >= kFrozenColumns) {
        const int test = visual - kFrozenColumns;
        if (test < leftCol_) {
            SetLeftCol(test);
        } else {
            // Scroll on until the column's right edge is in view (or it is the first one shown).
            while (leftCol_ < test &&
                   top->sectionViewportPosition(index.column()) + columnWidth(index.column()) > viewport()->width())
                SetLeftCol(leftCol_ + 1);
        }
    }
    if (index.row() == 0) return;  // the heading row is the strip above
    QScrollBar* bar = horizontalScrollBar();
    const QSignalBlocker block(bar);
    const int kept = bar->value();
    QTableView::scrollTo(index, hint);
    bar->setValue(kept);
}

QModelIndex ResultGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // Moves count every column, the scrolled-out ones too.
    const int scrolled = leftCol_;
    if (scrolled > 0) ApplyLeftCol(0);
    QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (scrolled > 0) ApplyLeftCol(scrolled);
    if (next.isValid() && next.row() == 0 && model_ && model_->rowCount() > 1)
        next = model_->index(1, next.column());  // never onto the heading row
    if (action == MoveHome) SetLeftCol(0);
    return next;
}

void ResultGrid::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    if (std::abs(delta.x()) > std::abs(delta.y()) || event->modifiers().testFlag(Qt::ShiftModifier)) {
        const int steps = (delta.x() != 0 ? delta.x() : delta.y()) / 120;
        SetLeftCol(leftCol_ - (steps == 0 ? 0 : steps));
        event->accept();
        return;
    }
    QTableView::wheelEvent(event);
}

void ResultGrid::RunDrawCell(QPainter& painter, const QRect& rect, int column, int row) const {
    if (drawCell_) drawCell_(painter, rect, column, row);
}

void ResultGrid::InitCellOption(QStyleOptionViewItem* option) const { initViewItemOption(option); }

void ResultGrid::PaintFound(QPainter& painter, const QRect& rect, int column, int row) const {
    const auto* cells = dynamic_cast<const CellDelegate*>(itemDelegate());
    if (!model_ || !cells) return painter.fillRect(rect, Found());
    cells->PaintOn(painter, rect, model_->index(row, column), Found());
}

int ResultGrid::Col() const { return currentIndex().isValid() ? currentIndex().column() : keptCol_; }
int ResultGrid::Row() const { return currentIndex().isValid() ? currentIndex().row() : 0; }

void ResultGrid::SetRow(int row) {
    if (!model_ || row < 0 || row >= model_->rowCount()) return;
    const int column = Col();
    if (row == 0) {
        keptCol_ = column;
        setCurrentIndex(QModelIndex());
        return;
    }
    const QModelIndex index = model_->index(row, column);
    setCurrentIndex(index);
    scrollTo(index);
}

void ResultGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) emit Clicked();
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
