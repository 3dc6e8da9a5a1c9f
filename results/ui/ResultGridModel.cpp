#include "results/ui/ResultGridModel.h"

#include "results/core/ResultColumns.h"

namespace orv::results {

ResultGridModel::ResultGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultGridModel::SetTable(ResultTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

void ResultGridModel::Reset() { SetTable(ResultTable()); }

QString ResultGridModel::CellText(int row, int column) const {
    if (row < 0 || row > table_.RowCount() || column < 0 || column >= kColumns) return {};
    if (row == 0) return QString::fromStdString(Headings()[static_cast<size_t>(column)]);
    const std::string_view field = table_.Field(row - 1, column);
    return QLatin1Char(' ') + QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()));
}

int ResultGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.RowCount() + 1;
}

int ResultGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant ResultGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
            return CellText(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter));
        default:
            return {};
    }
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return CellText(0, section);
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace orv::results
