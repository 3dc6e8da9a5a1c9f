// Search across every archived day: with "همه روزها" pressed, the search field
// looks for a patient's name or origin or reference code (digits alone: the
// codes only) in the index of the whole archive and lists the hits over the grid, newest day
// first; a double click (or Enter) on a hit shows that day with the row found.
// A patient's history across the archive opens from a grid row or a hit.
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>

#include "app/ui/Tmainform.h"
#include "results/core/ArchiveIndex.h"
#include "results/core/PatientHistory.h"
#include "results/core/ResultPaths.h"
#include "results/ui/ArchiveSearcher.h"
#include "results/ui/PatientHistoryWindow.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"
#include "results/ui/SaveFolder.h"

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

void Tmainform::BuildHistory() {
    patientHistoryAction = PopupMenu1->addAction(res::PatientHistoryWindow::Title());
    patientHistoryAction->setObjectName(u"patientHistoryAction"_s);
    connect(patientHistoryAction, &QAction::triggered, this, &Tmainform::GridPatientHistory);
    hitMenu = new QMenu(this);
    hitMenu->setObjectName(u"hitMenu"_s);
    hitMenu->setLayoutDirection(Qt::RightToLeft);
    connect(hitMenu->addAction(res::PatientHistoryWindow::Title()), &QAction::triggered, this,
            &Tmainform::HitPatientHistory);
    ListBox3->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBox3, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QListWidgetItem* item = ListBox3->itemAt(at);
        if (!item || !item->data(kRowRole).isValid()) return;
        ListBox3->setCurrentItem(ListBox3->itemAt(at));
        hitMenu->popup(ListBox3->viewport()->mapToGlobal(at));
    });
}

void Tmainform::ShowPatientHistory(const QString& text) {
    if (text.trimmed().isEmpty()) return;
    if (ArchiveSearcher1->Root() != WorkspaceRoot()) ArchiveSearcher1->Start(WorkspaceRoot());
    if (!ArchiveSearcher1->Ready()) {
        Flash(u". در حال آماده سازی فهرست بایگانی ..."_s);
        return;
    }
    std::vector<res::HistoryVisit> visits = ArchiveSearcher1->History(text);
    if (visits.empty()) {
        Flash(u". بیماری با این مشخصات در بایگانی نیست"_s);
        return;
    }
    auto* window = new res::PatientHistoryWindow(text.trimmed(), std::move(visits), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

// The grid row's patient, by name (by origin code when the row has no name).
void Tmainform::GridPatientHistory() {
    const int row = StringGrid1->Row();
    if (row < 1 || row > StringGrid1Cells->Table().RowCount()) return;
    const std::string_view name = StringGrid1Cells->Table().Field(row - 1, 4);
    ShowPatientHistory(QString::fromStdString(
        std::string(name.empty() ? StringGrid1Cells->Table().Field(row - 1, 2) : name)));
}

// The hit's patient, by what the search found in it: the name or the code.
void Tmainform::HitPatientHistory() {
    const QListWidgetItem* item = ListBox3->currentItem();
    if (!item || !item->data(kRowRole).isValid()) return;
    const std::string day = res::CompactDate(item->data(kDayRole).toString().toStdString());
    const res::HistoryVisit hit =
        res::ReadVisit(day, item->data(kRowRole).toInt(), ArchiveSearcher1->Line(day, item->data(kRowRole).toInt()));
    const int column = item->data(kColumnRole).toInt();
    const std::string& text = column == 1 ? hit.referenceCode : column == 2 ? hit.originCode : hit.name;
    ShowPatientHistory(QString::fromStdString(text));
}
