#pragma once
// The result grid's view: white text on dark blue with cell lines, the first
// five columns (row, reference code, origin code, age, name) frozen at the left
// while the test columns scroll under a horizontal scroll bar, and the heading
// row (the model's row 0) drawn as the strip above the columns, where columns
// are resized and moved by dragging; it stays in view and never becomes the
// current cell.
//
// The test columns scroll a whole column at a time: those scrolled out at the
// left are hidden, as a grid with fixed columns does it. Column widths are kept
// here, so a width set while its column is scrolled out is kept for it.
#include <QTableView>
#include <functional>
#include <vector>

namespace orv::results {

class ResultGridModel;

class ResultGrid : public QTableView {
    Q_OBJECT
public:
    // Runs after a cell has been painted in the normal way.
    using DrawCell = std::function<void(QPainter& painter, const QRect& rect, int column, int row)>;

    static constexpr int kFrozenColumns = 5;

    explicit ResultGrid(QWidget* parent = nullptr);

    void SetModel(ResultGridModel* model);
    ResultGridModel* Model() const { return model_; }
    void SetDrawCell(DrawCell draw) { drawCell_ = std::move(draw); }
    void RunDrawCell(QPainter& painter, const QRect& rect, int column, int row) const;

    // The current cell (column and row as the grid numbers them).
    int Col() const;
    int Row() const;
    // Row 0 (the heading row) leaves no current cell; the column is kept.
    void SetRow(int row);

    // Widths as set or dragged, also for columns scrolled out of view.
    void setColumnWidth(int column, int width);
    int columnWidth(int column) const;
    // A width the program chooses for a day: a column whose width the user has
    // dragged keeps the user's width.
    void SetFittingWidth(int column, int width);
    bool UserSized(int column) const;
    // The width that shows the widest data cell of `column` whole, as cells are painted.
    int ContentWidth(int column) const;

    // How many test columns are scrolled out at the left.
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int scrolled);
    int MaxLeftCol() const;

    // Scrolls the rows and the test columns until the cell is in view.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    static QColor Background() { return {65, 96, 133}; }
    static QColor Found() { return {128, 0, 0}; }
    // The found cell: maroon, its text in white where the other cells have theirs.
    void PaintFound(QPainter& painter, const QRect& rect, int column, int row) const;
    // The options a cell of this grid is painted with.
    void InitCellOption(QStyleOptionViewItem* option) const;

signals:
    // A left click anywhere on the grid: a cell, the heading strip or the empty space below the rows.
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void AfterReset();
    void ApplyLeftCol(int scrolled);
    void UpdateScrollRange();
    int TestColumnCount() const;

    ResultGridModel* model_ = nullptr;
    DrawCell drawCell_;
    QPoint keptCell_;  // column, row
    std::vector<int> widths_;
    std::vector<bool> userSized_;
    bool settingWidth_ = false;  // a width set by the program, not dragged
    int leftCol_ = 0;
    int keptCol_ = 0;
    bool hiding_ = false;
};

}  // namespace orv::results
