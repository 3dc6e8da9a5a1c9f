#pragma once
// Links a control to one field of a data source: tells it when the current
// record changes and carries the control's text into the field.
#include <QObject>
#include <QPointer>
#include <functional>

#include "solar/core/TPublicUtils.h"
#include "solar/widgets/TDataSource.h"

class TFieldDataLink : public QObject {
    Q_OBJECT
public:
    explicit TFieldDataLink(QObject* parent = nullptr);

    TDataSource* DataSource() const { return FSource; }
    void SetDataSource(TDataSource* source);
    QString FieldName() const { return FFieldName; }
    void SetFieldName(const QString& name);

    // A source, a field name the source has, and an active source.
    bool Bound() const;
    bool IsDateField() const;
    // The field's value as text; a date field gives its Gregorian date as the date engine writes it.
    QString FieldText() const;
    QString FieldGregorianText() const;
    // Puts the source into edit state unless it is editing already and stores the text, with the
    // change notification suspended. A date field takes the Gregorian date of the text.
    void WriteText(const QString& text, TDateKind kind);

    std::function<void()> OnDataChange;

private:
    void Notify();

    QPointer<TDataSource> FSource;
    QString FFieldName;
    QMetaObject::Connection FConnection;
    bool FSuspended = false;
};
