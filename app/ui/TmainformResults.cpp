// The day's results: the archive of the chosen day, its download, the grid with
// its highlight and search, and the day steps.
#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QToolButton>

#include "app/ui/Tmainform.h"
#include "server/ui/ReferenceDocuments.h"
#include "app/ui/WeekDays.h"
#include "base/core/AtomicFile.h"
#include "base/ui/Prompts.h"
#include "results/core/ResultColumns.h"
#include "results/core/ResultPaths.h"
#include "results/core/ResultSearch.h"
#include "results/ui/ResultFonts.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"
#include "results/ui/SignaturePicture.h"
#include "solar/core/TPublicUtils.h"

using namespace Qt::StringLiterals;
namespace res = orv::results;

namespace {
constexpr qint64 kResultFileSize = 900;

bool IsCompactDate(const QString& compact) {
    if (compact.size() != 8) return false;
    for (QChar ch : compact)
        if (ch < u'0' || ch > u'9') return false;
    return true;
}

// Enter in the search field.
class EnterKey : public QObject {
public:
    explicit EnterKey(Tmainform* form) : QObject(form), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                form_->Edit1KeyPress(QChar(13));
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Tmainform* form_;
};
}  // namespace

QString Tmainform::DateText() const { return SolarDatePicker1->text(); }
void Tmainform::SetDateText(const QString& text) { SolarDatePicker1->setText(text); }

namespace {
bool IsWholeSolarDate(const QString& text) {
    return text.size() == 10 && text[4] == u'/' && text[7] == u'/' &&
           IsCompactDate(QString::fromStdString(res::CompactDate(text.toStdString()))) &&
           TPublicUtils::IsDateValid(dkSolar, text.toStdString());
}
}  // namespace

bool Tmainform::DateFieldValid() {
    if (IsWholeSolarDate(DateText())) return true;
    SolarDatePicker1->ShowInvalidDateMessage();
    if (!lastGoodDay_.isEmpty()) SetDateText(lastGoodDay_);
    return false;
}

void Tmainform::BuildResults() {
    StringGrid1Cells = new res::ResultGridModel(this);
    StringGrid1->SetModel(StringGrid1Cells);
    StringGrid1->horizontalHeader()->show();  // the strip for resizing and moving columns
    StringGrid1->SetDrawCell([this](QPainter& painter, const QRect& rect, int column, int row) {
        StringGrid1DrawCell(painter, rect, column, row);
    });
    Edit1->setFont(res::ResultFont(8));
    SpeedButton5->setToolTip(u"Find Next"_s);
    SpeedButton3->setToolTip(u"روز قبل"_s);
    SpeedButton7->setToolTip(u"روز بعد"_s);
    SpeedButton16->setToolTip(u"Receive and Update Report"_s);
    SpeedButton11->setToolTip(u"Print Current Report"_s);
    SpeedButton6->setToolTip(u"Save Curent Report as Text file"_s);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    PopupMenu1->setLayoutDirection(Qt::RightToLeft);
    N1 = PopupMenu1->addAction(u"    دریافت جواب PDF"_s);
    N2 = PopupMenu1->addAction(u"دریافت اطلاعات تست"_s);
    N3 = PopupMenu1->addAction(u"  دریافت قیمت تست  "_s);
    N1->setObjectName(u"N1"_s);
    N2->setObjectName(u"N2"_s);
    N3->setObjectName(u"N3"_s);
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(StringGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(at)); });
    connect(N1, &QAction::triggered, this, &Tmainform::N1Click);

    connect(SolarDatePicker1, &QLineEdit::textChanged, this, &Tmainform::SolarDatePicker1Change);
    connect(SpeedButton16, &QToolButton::clicked, this, &Tmainform::SpeedButton16Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &Tmainform::SpeedButton4Click);
    connect(Edit1, &QLineEdit::textChanged, this, &Tmainform::Edit1Change);
    Edit1->installEventFilter(new EnterKey(this));
    connect(SpeedButton5, &QToolButton::clicked, this, &Tmainform::SpeedButton5Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &Tmainform::SpeedButton3Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &Tmainform::SpeedButton7Click);
    connect(StringGrid1, &res::ResultGrid::Clicked, this, &Tmainform::StringGrid1Click);
    connect(StringGrid1, &QAbstractItemView::doubleClicked, this, &Tmainform::StringGrid1DblClick);
    connect(SpeedButton11, &QToolButton::clicked, this, &Tmainform::SpeedButton11Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &Tmainform::SpeedButton6Click);
    for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton3, SpeedButton7, SolarDatePicker1, Edit1, SpeedButton5,
                                                      SpeedButton16, SpeedButton6, SpeedButton11, StringGrid1})
        w->setEnabled(true);
}

// The heading row alone, at the widths of a day without a file.
void Tmainform::ResetGrid() {
    StringGrid1Cells->Reset();
    for (int c = 0; c < res::kColumns; ++c)
        if (c != 3) StringGrid1->SetFittingWidth(c, res::InitialColumnWidth(c));
}

void Tmainform::PrepareGrid() {
    colorrow = 0;
    ResetGrid();
}

void Tmainform::ShowStamp() {
    Image3->setPixmap(QPixmap::fromImage(res::LoadSignature(WorkspaceRoot()))
                          .scaled(Image3->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Image3->setAlignment(Qt::AlignCenter);
    Label13->setText(rowday);
    Image3->show();
    Label13->show();
    Label13->raise();
    Label12->hide();
}

void Tmainform::HideStamp() {
    Image3->hide();
    Label13->setText(QString());
    Label13->hide();
    Label12->show();
}

bool Tmainform::LoadReport(const QString& path) {
    const orv::TextReadResult read = orv::ReadTextFile(path.toStdString());
    if (!read.ok) {
        RichEdit1.clear();
        Flash(read.error);
        return false;
    }
    RichEdit1 = read.content.lines;
    RichEdit1Encoding = read.content.encoding;
    return true;
}

void Tmainform::SolarDatePicker1Change() {
    if (!isVisible()) return;
    ProcessMessages();
    rowday = DateText();
    if (IsWholeSolarDate(rowday)) lastGoodDay_ = rowday;
    day = QString::fromStdString(res::CompactDate(rowday.toStdString()));
    Edit2->setText(day);
    RichEdit1.clear();
    const QString local =
        QString::fromStdString(res::LocalResultPath(WorkspaceRoot().toStdString(), day.toStdString()));
    if (IsCompactDate(day) && orv::FileExists(local.toStdString())) {
        if (!LoadReport(local)) {
            HideStamp();
            colorrow = 0;
            ResetGrid();
            return;
        }
        Flash(u"Archive File "_s + rowday + u"  From Tarvina Laboratory"_s);
        ShowStamp();
        SpeedButton4Click();
    } else {
        HideStamp();
        colorrow = 0;
        ResetGrid();
        Flash(u"Archive File  "_s + rowday + u"  Not Exists."_s);
    }
}

void Tmainform::SpeedButton4Click() {
    StringGrid1Cells->SetTable(res::ResultTable(RichEdit1));
    if (!RichEdit1.empty()) {
        const auto widths = res::FilledColumnWidths(StringGrid1Cells->Table());
        for (int c = 4; c < res::kColumns; ++c) StringGrid1->SetFittingWidth(c, widths[c]);
        // The codes whole, however many letters they have.
        for (int c : {res::kReferenceCodeColumn, res::kOriginCodeColumn})
            StringGrid1->SetFittingWidth(c, std::max(res::InitialColumnWidth(c), StringGrid1->ContentWidth(c)));
        ShowStamp();
    } else {
        colorrow = 0;
        for (int c = 5; c < res::kColumns; ++c) StringGrid1->SetFittingWidth(c, res::InitialColumnWidth(c));
        HideStamp();
    }
    StringGrid1->viewport()->update();
}

void Tmainform::SpeedButton16Click() {
    if (!DateFieldValid()) return;
    const QString compact = Edit2->text();
    const QString shownDay = rowday;
    const QString local =
        QString::fromStdString(res::LocalResultPath(WorkspaceRoot().toStdString(), compact.toStdString()));
    orv::ServerAction a = orv::ServerAction::Download(
        QString::fromStdString(res::RemoteResultPath(pooshe.toStdString(), compact.toStdString())), local,
        kResultFileSize);
    a.resetGauge = true;
    a.testFarok = true;
    a.testBillok = true;
    a.notReadyText = QString::fromUtf8(res::kNoSampleYet);
    a.successText = shownDay + u" File Download succesfully."_s;
    if (!IsCompactDate(compact)) {
        // The day was never shown (the window was hidden): nothing to ask the server for.
        Flash(a.notReadyText);
        return;
    }
    const orv::ActionResult result = RunServerAction(a);
    if (result != orv::ActionResult::Refused) ArchiveDayChanged(compact);
    if (result != orv::ActionResult::Done) return;
    ProcessMessages();
    // The user may have moved to another day while the file came; it stays archived.
    if (Edit2->text() != compact) return;
    if (LoadReport(local)) SpeedButton4Click();
    ProgressBar1->setValue(ProgressBar1->maximum());
    NormalCursor();
}

void Tmainform::StringGrid1DrawCell(QPainter& painter, const QRect& rect, int column, int row) {
    if (column == colorcol && row == colorrow && row > 0) StringGrid1->PaintFound(painter, rect, column, row);
}

void Tmainform::Highlight(int row) {
    colorrow = row;
    StringGrid1->SetRow(row);
    StringGrid1->viewport()->update();
}

void Tmainform::Edit1Change() {
    if (ArchiveMode()) return ArchiveSearchChange();  // every archived day, not the grid
    adad = false;
    const std::string text = Edit1->text().toStdString();
    if (res::IsDecimalInteger(text)) adad = true;
    const int column = res::SearchColumn(adad);
    const int row = res::FindFromTop(StringGrid1Cells->Table(), column, text);
    if (row == 0) return;
    colorcol = column;
    Highlight(row);
}

void Tmainform::Edit1KeyPress(QChar key) {
    if (key == QChar(13) && ArchiveMode() && ListBox3->isVisible()) {
        ListBox3->setFocus(Qt::OtherFocusReason);
        if (!ListBox3->currentItem()) ListBox3->setCurrentRow(0);
        return;
    }
    if (key == QChar(13)) StringGrid1->setFocus(Qt::OtherFocusReason);
}

void Tmainform::SpeedButton5Click() {
    const int column = res::SearchColumn(adad);
    const res::FindNextResult next =
        res::FindNext(StringGrid1Cells->Table(), column, Edit1->text().toStdString(), StringGrid1->Row());
    if (next.row != 0) {
        colorcol = column;
        Highlight(next.row);
    } else if (next.wrapped) {
        StringGrid1->SetRow(0);
    }
}

void Tmainform::SpeedButton3Click() {
    if (!DateFieldValid()) return;
    SetDateText(QString::fromStdString(TPublicUtils::DecDay(DateText().toStdString(), 1, dkSolar)));
    SolarDatePicker1->setToolTip(orv::ui::WeekDayName(DateText().toStdString()));
}

void Tmainform::SpeedButton7Click() {
    if (!DateFieldValid()) return;
    SetDateText(QString::fromStdString(TPublicUtils::IncDay(DateText().toStdString(), 1, dkSolar)));
    SolarDatePicker1->setToolTip(orv::ui::WeekDayName(DateText().toStdString()));
}

void Tmainform::StringGrid1Click() {
    reference->closeFolderList();
}

void Tmainform::StringGrid1DblClick() { N1->trigger(); }
