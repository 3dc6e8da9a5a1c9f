#include "reception/ui/WorklistModel.h"

#include "reception/core/FieldText.h"
#include "reception/core/WorklistRecord.h"

namespace orv::reception {

int WorklistModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : std::max(1, Count()); }

int WorklistModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant WorklistModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count()) return {};
    if (role == Qt::DisplayRole) {
        if (index.column() == 0) return QString(u' ' + QString::number(index.row() + 1));
        return Receipt(index.row());
    }
    return {};
}

QString WorklistModel::Receipt(int k) const {
    const std::string_view receipt = RecordReceipt(Record(k));
    return QString::fromUtf8(receipt.data(), static_cast<qsizetype>(receipt.size()));
}

int WorklistModel::FindReceipt(const QString& receipt, int except) const {
    const std::string wanted = AsciiDigits(receipt.toStdString());
    for (int k = 0; k < Count(); ++k)
        if (k != except && RecordReceipt(records_[static_cast<size_t>(k)]) == wanted) return k;
    return -1;
}

void WorklistModel::SetRecords(std::vector<std::string> records) {
    beginResetModel();
    records_ = std::move(records);
    endResetModel();
}

void WorklistModel::Append(std::string record) {
    if (records_.empty()) {
        // The empty row the grid showed becomes the first patient.
        records_.push_back(std::move(record));
        emit dataChanged(index(0, 0), index(0, 1));
        return;
    }
    beginInsertRows({}, Count(), Count());
    records_.push_back(std::move(record));
    endInsertRows();
}

void WorklistModel::Replace(int k, std::string record) {
    if (k < 0 || k >= Count() || records_[static_cast<size_t>(k)] == record) return;
    records_[static_cast<size_t>(k)] = std::move(record);
    emit dataChanged(index(k, 0), index(k, 1));
}

void WorklistModel::Remove(int k) {
    if (k < 0 || k >= Count()) return;
    if (Count() == 1) {
        records_.clear();
        emit dataChanged(index(0, 0), index(0, 1));
        return;
    }
    beginRemoveRows({}, k, k);
    records_.erase(records_.begin() + k);
    endRemoveRows();
    // Every row after it is numbered anew.
    if (k < Count()) emit dataChanged(index(k, 0), index(Count() - 1, 0));
}

}  // namespace orv::reception
