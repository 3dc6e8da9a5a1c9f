#pragma once
// The result grid's content: row 0 the headings (shown as the strip above the
// columns), then one row per line of the day's report text, 50 columns each.
// Cells are cut from the lines once and turned into display text only when a cell is painted.
#include <QAbstractTableModel>

#include "results/core/ResultTable.h"

namespace orv::results {

class ResultGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultGridModel(QObject* parent = nullptr);

    void SetTable(ResultTable table);
    // Back to the heading row alone.
    void Reset();
    const ResultTable& Table() const { return table_; }

    // The cell as the grid holds it (every data cell begins with a space).
    QString CellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The strip above the columns shows the headings of row 0.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    ResultTable table_;
};

}  // namespace orv::results
