// Search across every archived day: with "همه روزها" pressed, the search field
// looks for a patient's name or origin or reference code (digits alone: the
// codes only) in the index of the whole archive and lists the hits over the grid, newest day
// first; a double click (or Enter) on a hit shows that day with the row found.
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "app/ui/Tmainform.h"
#include "results/core/ArchiveIndex.h"
#include "results/ui/ArchiveSearcher.h"
#include "results/ui/ResultGridModel.h"

using namespace Qt::StringLiterals;
namespace res = orv::results;

namespace {
constexpr size_t kShownHits = 200;
constexpr int kDayRole = Qt::UserRole;
constexpr int kRowRole = Qt::UserRole + 1;
constexpr int kColumnRole = Qt::UserRole + 2;

QString DayText(const std::string& compact) {
    const QString c = QString::fromStdString(compact);
    return c.left(4) + u'/' + c.mid(4, 2) + u'/' + c.mid(6, 2);
}

int HitColumn(res::ArchiveField field) {
    switch (field) {
        case res::ArchiveField::OriginCode:
            return 2;
        case res::ArchiveField::ReferenceCode:
            return 1;
        default:
            return 4;
    }
}

}  // namespace

bool Tmainform::ArchiveMode() const { return SpeedButton22 && SpeedButton22->isChecked(); }

void Tmainform::SpeedButton22Click() {
    if (!ArchiveMode()) {
        ListBox3->hide();
        Edit1->setPlaceholderText(QString());
        return;
    }
    if (ArchiveSearcher1->Root() != WorkspaceRoot()) ArchiveSearcher1->Start(WorkspaceRoot());
    Edit1->setPlaceholderText(u"نام، کد مبدا یا کد مرجع در همه روزها"_s);
    Edit1->setFocus(Qt::OtherFocusReason);
    ArchiveSearchChange();
}

void Tmainform::ArchiveSearchChange() {
    ListBox3->clear();
    const QString text = Edit1->text();
    if (text.trimmed().isEmpty()) {
        ListBox3->hide();
        return;
    }
    ListBox3->show();
    ListBox3->raise();
    if (!ArchiveSearcher1->Ready()) {
        ListBox3->addItem(u". در حال آماده سازی فهرست بایگانی ..."_s);
        return;
    }
    const std::vector<res::ArchiveHit> hits = ArchiveSearcher1->Search(text, kShownHits + 1);
    if (hits.empty()) ListBox3->addItem(u". بیماری با این مشخصات در بایگانی نیست"_s);
    for (size_t i = 0; i < hits.size() && i < kShownHits; ++i) {
        const res::ArchiveHit& hit = hits[i];
        auto* item = new QListWidgetItem(DayText(hit.day) + u"   "_s + QString::fromStdString(hit.name) +
                                         u"   کدمرجع "_s + QString::fromStdString(hit.referenceCode) +
                                         u"   کدمبدا "_s + QString::fromStdString(hit.originCode) + u"   رديف "_s +
                                         QString::number(hit.row));
        item->setData(kDayRole, DayText(hit.day));
        item->setData(kRowRole, hit.row);
        item->setData(kColumnRole, HitColumn(hit.field));
        ListBox3->addItem(item);
    }
    if (hits.size() > kShownHits) ListBox3->addItem(u". بیش از ۲۰۰ مورد؛ متن جستجو را کامل تر کنید"_s);
}

void Tmainform::ListBox3DblClick() {
    const QListWidgetItem* item = ListBox3->currentItem();
    if (!item || !item->data(kRowRole).isValid()) return;
    const QString date = item->data(kDayRole).toString();
    const int row = item->data(kRowRole).toInt();
    const int column = item->data(kColumnRole).toInt();
    ListBox3->hide();
    if (DateText() != date)
        SetDateText(date);  // shows the day from the archive
    else
        SolarDatePicker1Change();
    if (row < StringGrid1Cells->rowCount()) {
        colorcol = column;
        Highlight(row);
    }
    StringGrid1->setFocus(Qt::OtherFocusReason);
}

void Tmainform::ArchiveDayChanged(const QString& compact) {
    if (ArchiveSearcher1) ArchiveSearcher1->DayChanged(compact);
}
