// The results view beyond the day shown.
//
// Search across every archived day: with "همه روزها" pressed, the search field
// looks for a patient's name or origin or reference code (digits alone: the
// codes only) in the index of the whole archive and lists the hits over the
// grid, newest day first; a double click (or Enter) on a hit shows that day
// with the row found. A patient's history across the archive opens from a grid
// row or a hit.
//
// The document of a single test (PDF or PowerPoint) for the grid's selected
// cell: opened from the workspace when kept there, otherwise downloaded first.
//
// New results noticed without a click: at every 35-second refresh the window
// asks the server for the size and time of today's result file (SIZE and MDTM,
// nothing downloaded). When the file has appeared, or changed after it was
// archived, the status line says so, the title blinks and the desktop shows a
// notice; today's file is fetched and shown at once when today is the day
// shown. "[results] watch=false" in orvanet.ini turns it off.
#include <QDateTime>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include "base/core/AtomicFile.h"
#include "base/ui/DesktopNotice.h"
#include "base/ui/Prompts.h"
#include "results/core/ArchiveIndex.h"
#include "results/core/PatientHistory.h"
#include "results/core/ResultPaths.h"
#include "results/core/ResultWatch.h"
#include "results/core/TestDocuments.h"
#include "results/ui/ArchiveSearcher.h"
#include "results/ui/PatientHistoryWindow.h"
#include "results/ui/ResultFonts.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"
#include "results/ui/ResultsView.h"
#include "server/core/ServerSettings.h"
#include "server/ui/WindowFrame.h"
#include "solar/core/TPublicUtils.h"

using namespace Qt::StringLiterals;

namespace orv::results {

namespace {
constexpr size_t kShownHits = 200;
constexpr int kDayRole = Qt::UserRole;
constexpr int kRowRole = Qt::UserRole + 1;
constexpr int kColumnRole = Qt::UserRole + 2;
constexpr int kPatientRole = Qt::UserRole + 3;  // the name or code the hit was found by

constexpr qint64 kDocumentSize = 45000;
const char* const kNoTestInCell = "متن جستجو خالی میباشد";
const char* const kNoSuchDocument = "این تست فاقد این شکل از جواب میباشد";
const char* const kNotReadyYet = ". جواب اين آزمايش هنوز آماده نميباشد";

constexpr int kTitleBlinks = 20;  // ten seconds of the title blink

QString DayText(const std::string& compact) {
    const QString c = QString::fromStdString(compact);
    return c.left(4) + u'/' + c.mid(4, 2) + u'/' + c.mid(6, 2);
}

int HitColumn(ArchiveField field) {
    switch (field) {
        case ArchiveField::OriginCode:
            return 2;
        case ArchiveField::ReferenceCode:
            return 1;
        default:
            return 4;
    }
}

// Enter on a hit opens it.
class HitKeys : public QObject {
public:
    explicit HitKeys(ResultsView* view) : QObject(view), view_(view) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                view_->openHit();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ResultsView* view_;
};

ArchivedCopy Archived(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    if (!file.isFile()) return {};
    return {true, file.size(), file.lastModified().toSecsSinceEpoch()};
}
}  // namespace

void ResultsView::buildArchiveSearch() {
    QWidget* canvas = frame_.Canvas();
    allDaysButton = new QToolButton(canvas);
    allDaysButton->setObjectName(u"SpeedButton22"_s);
    allDaysButton->setGeometry(474, 70, 56, 24);
    allDaysButton->setText(u"همه روزها"_s);
    allDaysButton->setToolTip(u"جستجوی بیمار در همه روزهای بایگانی (نام، کد مبدا یا کد مرجع)"_s);
    allDaysButton->setCheckable(true);
    allDaysButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    hitList = new QListWidget(canvas);
    hitList->setObjectName(u"ListBox3"_s);
    hitList->setGeometry(8, 100, 624, 200);
    hitList->setLayoutDirection(Qt::RightToLeft);
    hitList->setFont(ResultFont(9));
    hitList->setToolTip(u"روی بیمار مورد نظر دابل کلیک نمایید"_s);
    hitList->hide();

    archiveSearcher = new ArchiveSearcher(this);
    connect(archiveSearcher, &ArchiveSearcher::IndexReady, this, [this] {
        showIndexProgress(-1, 0);
        if (archiveMode() && hitList->isVisible()) searchArchive();
    });
    connect(archiveSearcher, &ArchiveSearcher::Progress, this, &ResultsView::showIndexProgress);
    connect(allDaysButton, &QToolButton::clicked, this, &ResultsView::onAllDaysClicked);
    connect(hitList, &QListWidget::itemDoubleClicked, this, &ResultsView::openHit);
    hitList->installEventFilter(new HitKeys(this));

    hitMenu = new QMenu(canvas);
    hitMenu->setObjectName(u"hitMenu"_s);
    hitMenu->setLayoutDirection(Qt::RightToLeft);
    connect(hitMenu->addAction(PatientHistoryWindow::Title()), &QAction::triggered, this,
            &ResultsView::showHitPatientHistory);
    hitList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(hitList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QListWidgetItem* item = hitList->itemAt(at);
        if (!item || !item->data(kRowRole).isValid()) return;
        hitList->setCurrentItem(hitList->itemAt(at));
        hitMenu->popup(hitList->viewport()->mapToGlobal(at));
    });
}

bool ResultsView::archiveMode() const { return allDaysButton && allDaysButton->isChecked(); }

void ResultsView::startArchiveIndex() {
    if (!archiveSearcher->Started() || archiveSearcher->Root() != frame_.WorkspaceRoot())
        archiveSearcher->Start(frame_.WorkspaceRoot());
}

void ResultsView::onAllDaysClicked() {
    if (!archiveMode()) {
        hitList->hide();
        searchField->setPlaceholderText(QString());
        return;
    }
    startArchiveIndex();
    searchField->setPlaceholderText(u"نام، کد مبدا یا کد مرجع در همه روزها"_s);
    searchField->setFocus(Qt::OtherFocusReason);
    searchArchive();
}

void ResultsView::searchArchive() {
    hitList->clear();
    const QString text = searchField->text();
    if (text.trimmed().isEmpty()) {
        hitList->hide();
        return;
    }
    hitList->show();
    hitList->raise();
    startArchiveIndex();
    // While the archive is being read, the days read so far answer.
    const std::vector<ArchiveHit> hits = archiveSearcher->Search(text, kShownHits + 1);
    if (!archiveSearcher->Ready()) hitList->addItem(u". در حال آماده سازی فهرست بایگانی ..."_s);
    else if (hits.empty()) hitList->addItem(u". بیماری با این مشخصات در بایگانی نیست"_s);
    for (size_t i = 0; i < hits.size() && i < kShownHits; ++i) {
        const ArchiveHit& hit = hits[i];
        auto* item = new QListWidgetItem(DayText(hit.day) + u"   "_s + QString::fromStdString(hit.name) +
                                         u"   کدمرجع "_s + QString::fromStdString(hit.referenceCode) +
                                         u"   کدمبدا "_s + QString::fromStdString(hit.originCode) + u"   رديف "_s +
                                         QString::number(hit.row));
        item->setData(kDayRole, DayText(hit.day));
        item->setData(kRowRole, hit.row);
        item->setData(kColumnRole, HitColumn(hit.field));
        const std::string& found = hit.field == ArchiveField::ReferenceCode ? hit.referenceCode
                                   : hit.field == ArchiveField::OriginCode  ? hit.originCode
                                                                            : hit.name;
        item->setData(kPatientRole, QString::fromStdString(found));
        hitList->addItem(item);
    }
    if (hits.size() > kShownHits) hitList->addItem(u". بیش از ۲۰۰ مورد؛ متن جستجو را کامل تر کنید"_s);
}

void ResultsView::openHit() {
    const QListWidgetItem* item = hitList->currentItem();
    if (!item || !item->data(kRowRole).isValid()) return;
    const QString date = item->data(kDayRole).toString();
    const int row = item->data(kRowRole).toInt();
    const int column = item->data(kColumnRole).toInt();
    hitList->hide();
    if (dateText() != date)
        setDateText(date);  // shows the day from the archive
    else
        showDay();
    if (row < resultModel->rowCount()) {
        highlightColumn = column;
        highlight(row);
    }
    resultGrid->setFocus(Qt::OtherFocusReason);
}

void ResultsView::archiveDayChanged(const QString& compact) {
    if (archiveSearcher) archiveSearcher->DayChanged(compact);
}

void ResultsView::showPatientHistory(const QString& text) {
    if (text.trimmed().isEmpty()) return;
    startArchiveIndex();
    std::vector<HistoryVisit> visits = archiveSearcher->History(text);  // the days read so far
    if (visits.empty()) {
        frame_.Flash(archiveSearcher->Ready() ? u". بیماری با این مشخصات در بایگانی نیست"_s
                                              : u". در حال آماده سازی فهرست بایگانی ..."_s);
        return;
    }
    auto* window = new PatientHistoryWindow(text.trimmed(), std::move(visits), frame_.Canvas());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

// The grid row's patient, by name (by origin code when the row has no name).
void ResultsView::showGridPatientHistory() {
    const int row = resultGrid->Row();
    if (row < 1 || row > resultModel->Table().RowCount()) return;
    const std::string_view name = resultModel->Table().Field(row - 1, 4);
    showPatientHistory(
        QString::fromStdString(std::string(name.empty() ? resultModel->Table().Field(row - 1, 2) : name)));
}

// The hit's patient, by what the search found in it: the whole name or code.
void ResultsView::showHitPatientHistory() {
    const QListWidgetItem* item = hitList->currentItem();
    if (!item || !item->data(kRowRole).isValid()) return;
    showPatientHistory(item->data(kPatientRole).toString());
}

// The first build of a large archive shows how far it is on the status line,
// unless another message took the line meanwhile; the line shown before comes back at the end.
void ResultsView::showIndexProgress(int done, int total) {
    constexpr int kShownFrom = 60;  // days: a build shorter than this passes unnoticed
    const QString shown = frame_.StatusText();
    if (done < 0) {  // finished
        if (!indexProgressText_.isEmpty() && shown == indexProgressText_) frame_.SetStatus(statusBeforeIndex_);
        indexProgressText_.clear();
        return;
    }
    if (total < kShownFrom) return;
    if (indexProgressText_.isEmpty())
        statusBeforeIndex_ = shown;
    else if (shown != indexProgressText_ && shown != statusBeforeIndex_)
        return;
    indexProgressText_ = u". در حال آماده سازی فهرست بایگانی: "_s + QString::number(done) + u" از "_s +
                         QString::number(total) + u" روز"_s;
    frame_.SetStatus(indexProgressText_);
}

// --- the document of a single test

void ResultsView::openTestDocument() {
    documentPath.clear();
    documentSource.clear();
    const int row = resultGrid->Row();
    documentTest = QString::fromStdString(TestNameOfCell(CurrentCellText().toStdString()));
    if (documentTest.isEmpty()) {
        orv::ui::MessageBox(frame_.Canvas(), u"Attention"_s, QString::fromUtf8(kNoTestInCell));
        return;
    }
    if (!dateFieldValid()) return;  // the file name holds the day's year and month
    const std::string key = DocumentKey(resultModel->CellText(row, 1).toStdString());
    const std::string c2(TrimBlanks(resultModel->CellText(row, 2).toStdString()));
    const int kind = DocumentKind(documentTest.toStdString());
    Word year = 0, month = 0, dayOfMonth = 0;
    TPublicUtils::SeparateYMD(dateText().toStdString(), dkSolar, year, month, dayOfMonth);
    const DocumentPlace place = DocumentFor(kind, key, c2, year, month, frame_.State().labFolderCode.toStdString(),
                                            frame_.WorkspaceRoot().toStdString());
    if (kind == kNoDocument || place.dest.empty()) {
        frame_.Flash(kNoSuchDocument);
        return;
    }
    documentSource = QString::fromStdString(place.source);
    documentPath = QString::fromStdString(place.dest);

    const QString path = documentPath;
    frame_.Hourglass();
    frame_.ShowWait();
    if (orv::FileExists(place.dest)) {
        frame_.SetStatus(u"Archive PDF File is opend."_s);
        frame_.ProcessMessages();
        const bool opened = frame_.HandToDesktop(path);
        frame_.NormalCursor();
        if (opened)
            frame_.SetStatus(QString());
        else
            frame_.Flash(u"No program opens "_s + path);
        return;
    }
    orv::ServerAction a = orv::ServerAction::Download(documentSource, documentPath, kDocumentSize);
    a.notReadyText = QString::fromUtf8(kNotReadyYet);
    if (frame_.RunServerAction(a) != orv::ActionResult::Done) return;
    frame_.SetStatus(u"PDF File Download succesfully."_s);
    frame_.ProcessMessages();
    if (!frame_.HandToDesktop(path)) frame_.Flash(u"No program opens "_s + path);
}

// --- the watch on today's result file

void ResultsView::watchToday() {
    const orv::ui::SessionState& s = frame_.State();
    if (frame_.ServerBusy() || !s.networkOk || !s.serverOk || s.year.isEmpty() || s.labFolderCode.isEmpty()) return;
    if (!frame_.Settings().resultsWatch) return;
    const QString today = s.year + u'/' + s.month + u'/' + s.day;
    const std::string compact = QString(s.year + s.month + s.day).toStdString();
    const std::string remote = RemoteResultPath(s.labFolderCode.toStdString(), compact);

    // On the session the refresh has open, or on one of its own, opened and closed quietly.
    orv::FtpSession& session = frame_.Session();
    const bool ownSession = !session.IsOpen();
    if (ownSession && !frame_.OpenSession()) return;
    orv::FtpFileInfo info;
    orv::FtpResult asked;
    frame_.Wait([&] { asked = session.FileInfo(remote, info); }, [&session] { session.Abort(); });
    if (ownSession) frame_.CloseSession();
    if (!asked) return;

    const std::string local = LocalResultPath(frame_.WorkspaceRoot().toStdString(), compact);
    const WatchEvent event = watch_->Observe(compact, {info.exists, info.size, info.mtime}, Archived(local));
    if (event == WatchEvent::None) return;

    if (event == WatchEvent::Appeared)
        watchNotice = u". جواب های جدید روز "_s + today + u" از تاروینا رسید - New results of "_s + today;
    else
        watchNotice = u". جواب های روز "_s + today + u" در تاروینا تغییر کرد - Results of "_s + today + u" changed"_s;
    if (dateText() == today)
        watchFetch_ = true;  // today is shown: fetched into the archive and shown once the session is free
    else
        watchNotice += u" (روز نمایش داده شده "_s + dateText() + u" است)"_s;
    frame_.Flash(watchNotice);
    orv::ui::DesktopNotice::Show(frame_.Canvas(), u"Orvanet"_s, watchNotice);
    watchBlinks_ = 0;
    watchBlinkTimer->start();
}

void ResultsView::watchFetch() {
    if (!watchFetch_) return;
    watchFetch_ = false;
    const orv::ui::SessionState& s = frame_.State();
    const QString today = s.year + u'/' + s.month + u'/' + s.day;
    if (dateText() != today) return;  // the user moved to another day meanwhile
    receiveAndUpdate();
    if (dateText() == today) frame_.Flash(watchNotice);
}

// The title blinks the notice as it does an account warning, unless that warning is blinking.
void ResultsView::onWatchBlink() {
    QWidget* window = frame_.Canvas();
    const bool accountBlinking = frame_.TitleBlinking();
    if (++watchBlinks_ >= kTitleBlinks || window->isActiveWindow()) {
        watchBlinkTimer->stop();
        if (!accountBlinking) window->setWindowTitle(QString());
        return;
    }
    if (accountBlinking) return;
    window->setWindowTitle(window->windowTitle().isEmpty() ? watchNotice : QString());
}

}  // namespace orv::results
