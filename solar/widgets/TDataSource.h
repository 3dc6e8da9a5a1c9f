#pragma once
// A data source over a table model: a current record, an edit state, and a
// notification whenever the current record or its values change.
#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class QSqlTableModel;

class TDataSource : public QObject {
    Q_OBJECT
public:
    enum TDataSetState { dsBrowse, dsEdit, dsInsert };

    explicit TDataSource(QSqlTableModel* model, QObject* parent = nullptr);

    QSqlTableModel* Model() const { return FModel; }
    bool Active() const;
    int CurrentRow() const { return FRow; }
    void SetCurrentRow(int row);
    TDataSetState State() const { return FState; }
    void Edit();
    // Writes the pending values to the database; false with the driver's error kept in LastError.
    bool Post();
    void Cancel();
    QString LastError() const { return FLastError; }

    bool HasField(const QString& name) const;
    // A field that holds dates: a date or date-time column, or a column SQLite declares DATE, DATETIME or TIMESTAMP.
    bool IsDateField(const QString& name) const;
    QVariant Value(const QString& name) const;
    void SetValue(const QString& name, const QVariant& value);

signals:
    void DataChange();

private:
    QSqlTableModel* FModel;
    int FRow = 0;
    TDataSetState FState = dsBrowse;
    QString FLastError;
};
