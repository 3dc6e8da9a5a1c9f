#include "solar/widgets/TFieldDataLink.h"

#include <chrono>

#include "solar/widgets/SolarLook.h"

using namespace orv::solar;

namespace {

std::chrono::sys_days ToSysDays(const QDate& d) {
    return std::chrono::sys_days{std::chrono::year{d.year()} / d.month() / d.day()};
}

QDate ReadDate(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QDate) return v.toDate();
    if (v.metaType().id() == QMetaType::QDateTime) return v.toDateTime().date();
    const QString text = v.toString().trimmed();
    QDate d = QDate::fromString(text.left(10), Qt::ISODate);
    if (!d.isValid()) d = QDateTime::fromString(text, Qt::ISODate).date();
    return d;
}

}  // namespace

TFieldDataLink::TFieldDataLink(QObject* parent) : QObject(parent) {}

void TFieldDataLink::SetDataSource(TDataSource* source) {
    if (FConnection) disconnect(FConnection);
    FSource = source;
    if (source) FConnection = connect(source, &TDataSource::DataChange, this, &TFieldDataLink::Notify);
    Notify();
}

void TFieldDataLink::SetFieldName(const QString& name) {
    FFieldName = name;
    Notify();
}

void TFieldDataLink::Notify() {
    if (!FSuspended && OnDataChange) OnDataChange();
}

bool TFieldDataLink::Bound() const { return FSource && FSource->HasField(FFieldName) && FSource->Active(); }

bool TFieldDataLink::IsDateField() const { return Bound() && FSource->IsDateField(FFieldName); }

QString TFieldDataLink::FieldText() const {
    if (!Bound()) return {};
    return IsDateField() ? FieldGregorianText() : FSource->Value(FFieldName).toString();
}

QString TFieldDataLink::FieldGregorianText() const {
    if (!Bound()) return {};
    const QDate d = ReadDate(FSource->Value(FFieldName));
    if (!d.isValid()) return {};
    return Q(TPublicUtils::MiladiDate(ToSysDays(d)));
}

void TFieldDataLink::WriteText(const QString& text, TDateKind kind) {
    if (!Bound()) return;
    FSuspended = true;
    if (FSource->State() == TDataSource::dsBrowse) FSource->Edit();
    if (IsDateField()) {
        Word y = 0, m = 0, d = 0;
        TPublicUtils::SeparateYMD(S(text), kind, y, m, d);
        const bool valid = TPublicUtils::IsDateValid(kind, y, m, d) &&
                           (kind == dkGregorian || TPublicUtils::SolarToGregorian(y, m, d));
        FSource->SetValue(FFieldName, valid ? QVariant(QDate(y, m, d).toString(Qt::ISODate)) : QVariant());
    } else {
        FSource->SetValue(FFieldName, text);
    }
    FSuspended = false;
}
