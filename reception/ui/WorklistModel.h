#pragma once
// The day's worklist (one stored record per patient, in file order) and the
// grid's view of it: column 0 a blank and the row number, column 1 the receipt
// number. The grid keeps at least one row, empty while the list is.
#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace orv::reception {

class WorklistModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int Count() const { return static_cast<int>(records_.size()); }
    const std::vector<std::string>& Records() const { return records_; }
    const std::string& Record(int k) const { return records_.at(static_cast<size_t>(k)); }
    QString Receipt(int k) const;
    // Row of the first patient but `except` whose receipt number equals `receipt`
    // (digits of any script compared as ASCII digits), or -1.
    int FindReceipt(const QString& receipt, int except = -1) const;

    void SetRecords(std::vector<std::string> records);
    void Append(std::string record);
    void Replace(int k, std::string record);
    void Remove(int k);
    void Clear() { SetRecords({}); }

private:
    std::vector<std::string> records_;
};

}  // namespace orv::reception
