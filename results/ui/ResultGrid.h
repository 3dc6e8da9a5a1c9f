#pragma once
// The result grid's view: white text on dark blue with cell lines, a heading
// row that is an ordinary row, no scroll bars (the keyboard moves the view),
// columns resized and moved by dragging on the thin strip above them.
#include <QTableView>
#include <functional>

namespace orv::results {

class ResultGridModel;

class ResultGrid : public QTableView {
    Q_OBJECT
public:
    // Runs after a cell has been painted in the normal way.
    using DrawCell = std::function<void(QPainter& painter, const QRect& rect, int column, int row)>;

    explicit ResultGrid(QWidget* parent = nullptr);

    void SetModel(ResultGridModel* model);
    ResultGridModel* Model() const { return model_; }
    void SetDrawCell(DrawCell draw) { drawCell_ = std::move(draw); }
    void RunDrawCell(QPainter& painter, const QRect& rect, int column, int row) const;

    // The current cell (column and row as the grid numbers them).
    int Col() const;
    int Row() const;
    void SetRow(int row);

    static QColor Background() { return {65, 96, 133}; }
    static QColor Found() { return {128, 0, 0}; }
    // The found cell: maroon, its text in the grid's font 3 pixels in from the left and top.
    void PaintFound(QPainter& painter, const QRect& rect, int column, int row) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    ResultGridModel* model_ = nullptr;
    DrawCell drawCell_;
    QPoint keptCell_;  // column, row
};

}  // namespace orv::results
