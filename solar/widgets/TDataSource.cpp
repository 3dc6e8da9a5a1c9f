#include "solar/widgets/TDataSource.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>

TDataSource::TDataSource(QSqlTableModel* model, QObject* parent) : QObject(parent), FModel(model) {
    auto changed = [this] { emit DataChange(); };
    connect(model, &QAbstractItemModel::dataChanged, this, changed);
    connect(model, &QAbstractItemModel::modelReset, this, changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
}

bool TDataSource::Active() const { return FModel && FRow >= 0 && FRow < FModel->rowCount(); }

void TDataSource::SetCurrentRow(int row) {
    if (FState != dsBrowse) Post();
    FRow = row;
    emit DataChange();
}

void TDataSource::Edit() {
    if (FState == dsBrowse) FState = dsEdit;
}

bool TDataSource::Post() {
    FState = dsBrowse;
    if (FModel->submitAll()) return true;
    FLastError = FModel->lastError().text();
    return false;
}

void TDataSource::Cancel() {
    FState = dsBrowse;
    FModel->revertAll();
    emit DataChange();
}

bool TDataSource::HasField(const QString& name) const {
    return !name.isEmpty() && FModel->record().indexOf(name) >= 0;
}

bool TDataSource::IsDateField(const QString& name) const {
    if (!HasField(name)) return false;
    const QSqlField field = FModel->record().field(name);
    const int type = field.metaType().id();
    if (type == QMetaType::QDate || type == QMetaType::QDateTime) return true;
    // SQLite keeps dates as text; the column's declared type tells a date column.
    const QSqlDatabase db = FModel->database();
    if (db.driverName() != QStringLiteral("QSQLITE")) return false;
    QSqlQuery info(db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(FModel->tableName()))) return false;
    while (info.next()) {
        if (info.value(1).toString().compare(name, Qt::CaseInsensitive) != 0) continue;
        const QString declared = info.value(2).toString().toUpper();
        return declared.contains(QStringLiteral("DATE")) || declared.contains(QStringLiteral("TIME"));
    }
    return false;
}

QVariant TDataSource::Value(const QString& name) const {
    if (!Active() || !HasField(name)) return {};
    return FModel->data(FModel->index(FRow, FModel->record().indexOf(name)));
}

void TDataSource::SetValue(const QString& name, const QVariant& value) {
    if (!Active() || !HasField(name)) return;
    FModel->setData(FModel->index(FRow, FModel->record().indexOf(name)), value);
}
