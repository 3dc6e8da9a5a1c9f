// The results view: its controls, the day from the archive or the server, the
// grid with its highlight and search, the day steps, and the day's report
// printed or saved.
#include "results/ui/ResultsView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QTimer>
#include <QToolButton>

#include "base/core/AtomicFile.h"
#include "base/ui/CentredMenu.h"
#include "base/ui/Controls.h"
#include "base/ui/Prompts.h"
#include "results/core/ReportBody.h"
#include "results/core/ResultColumns.h"
#include "results/core/ResultPaths.h"
#include "results/core/ResultSearch.h"
#include "results/core/ResultWatch.h"
#include "results/ui/ArchiveSearcher.h"
#include "results/ui/PatientHistoryWindow.h"
#include "results/ui/ReportPreview.h"
#include "results/ui/ResultFonts.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"
#include "results/ui/ResultReport.h"
#include "results/ui/SaveFolder.h"
#include "results/ui/SignaturePicture.h"
#include "results/ui/WeekDays.h"
#include "server/ui/WindowFrame.h"
#include "solar/core/TPublicUtils.h"
#include "solar/widgets/TSolarDatePicker.h"
#include "solar/widgets/TSolarMonthCalendar.h"

using namespace Qt::StringLiterals;
using orv::ui::Button;
using orv::ui::Caption;
using orv::ui::Place;

namespace orv::results {

namespace {
constexpr qint64 kResultFileSize = 900;

bool IsCompactDate(const QString& compact) {
    if (compact.size() != 8) return false;
    for (QChar ch : compact)
        if (ch < u'0' || ch > u'9') return false;
    return true;
}

bool IsWholeSolarDate(const QString& text) {
    return text.size() == 10 && text[4] == u'/' && text[7] == u'/' &&
           IsCompactDate(QString::fromStdString(CompactDate(text.toStdString()))) &&
           TPublicUtils::IsDateValid(dkSolar, text.toStdString());
}

// Enter in the search field.
class EnterKey : public QObject {
public:
    EnterKey(QObject* parent, std::function<void()> pressed) : QObject(parent), pressed_(std::move(pressed)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                pressed_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> pressed_;
};
}  // namespace

ResultsView::ResultsView(orv::ui::WindowFrame& frame, QObject* parent)
    : QObject(parent), frame_(frame), watch_(std::make_unique<ResultWatch>()) {
    setObjectName(u"results"_s);
    buildControls();
    buildArchiveSearch();
    connectHandlers();
    anchorControls();
}

ResultsView::~ResultsView() = default;

void ResultsView::buildControls() {
    QWidget* canvas = frame_.Canvas();
    // The day and search row.
    dayCaption = Caption(canvas, "Label1", "Sending Date", QRect(8, 70, 76, 24));
    previousDayButton = Button(canvas, "SpeedButton3", "روز قبل", QRect(86, 70, 56, 24));
    dayPicker = Place<TSolarDatePicker>(canvas, "SolarDatePicker1", QRect(146, 70, 96, 24));
    dayPicker->setAlignment(Qt::AlignCenter);
    dayPicker->SetCheckInputOnExit(true);
    dayPicker->SetShowDefaultDate(true);
    gregorianCalendar = Place<TSolarMonthCalendar>(canvas, "SolarMonthCalendar1", QRect(0, 0, 217, 170));
    gregorianCalendar->SetDateKind(dkGregorian);
    gregorianCalendar->hide();
    nextDayButton = Button(canvas, "SpeedButton7", "روز بعد", QRect(246, 70, 56, 24));
    // The search field gives room to the mode button of the search across every day.
    searchField = Place<QLineEdit>(canvas, "Edit1", QRect(330, 70, 140, 24));
    searchField->setFont(ResultFont(8));
    findNextButton = Button(canvas, "SpeedButton5", "Find Next", QRect(534, 70, 98, 24));

    // The result grid; the strip above it resizes and moves the columns.
    resultGrid = Place<ResultGrid>(canvas, "StringGrid1", QRect(8, 100, 624, 336));
    resultGrid->verticalHeader()->hide();
    resultGrid->horizontalHeader()->hide();
    resultModel = new ResultGridModel(canvas);  // goes after the grid that shows it
    resultGrid->SetModel(resultModel);
    resultGrid->horizontalHeader()->show();
    resultGrid->SetDrawCell(
        [this](QPainter& painter, const QRect& rect, int column, int row) { paintCell(painter, rect, column, row); });

    // The right column: the signature stamp and the buttons.
    signatureStamp = Place<QLabel>(canvas, "Image3", QRect(640, 68, 175, 57));
    signatureStamp->hide();
    signatureCaption = Caption(canvas, "Label12", "Electronic Signature", QRect(640, 68, 175, 57));
    signatureCaption->setAlignment(Qt::AlignCenter);
    stampDay = Caption(canvas, "Label13", "", QRect(640, 104, 175, 18));
    stampDay->setAlignment(Qt::AlignCenter);
    stampDay->hide();
    receiveButton = Button(canvas, "SpeedButton16", "Receive and Update Report", QRect(640, 130, 175, 28));
    saveAsButton = Button(canvas, "SpeedButton6", "Save As...", QRect(640, 192, 86, 26));
    printButton = Button(canvas, "SpeedButton11", "Print", QRect(729, 192, 86, 26));

    fillGridButton = Button(canvas, "SpeedButton4", "grid", QRect(0, 0, 10, 10));
    fillGridButton->hide();
    compactDayField = Place<QLineEdit>(canvas, "Edit2", QRect(0, 0, 10, 10));
    compactDayField->hide();

    findNextButton->setToolTip(u"Find Next"_s);
    previousDayButton->setToolTip(u"روز قبل"_s);
    nextDayButton->setToolTip(u"روز بعد"_s);
    receiveButton->setToolTip(u"Receive and Update Report"_s);
    printButton->setToolTip(u"Print Current Report"_s);
    saveAsButton->setToolTip(u"Save Curent Report as Text file"_s);

    // The grid's pop-up menu: the test's document, its normal values and price, the patient's history.
    gridMenu = new QMenu(canvas);
    gridMenu->setObjectName(u"PopupMenu1"_s);
    gridMenu->setLayoutDirection(Qt::RightToLeft);
    testDocumentAction = gridMenu->addAction(u"    دریافت جواب PDF"_s);
    normalValuesAction = gridMenu->addAction(u"دریافت اطلاعات تست"_s);
    testPriceAction = gridMenu->addAction(u"  دریافت قیمت تست  "_s);
    patientHistoryAction = gridMenu->addAction(PatientHistoryWindow::Title());
    testDocumentAction->setObjectName(u"N1"_s);
    normalValuesAction->setObjectName(u"N2"_s);
    testPriceAction->setObjectName(u"N3"_s);
    patientHistoryAction->setObjectName(u"patientHistoryAction"_s);
    orv::ui::CentreMenuItems(gridMenu);
    resultGrid->setContextMenuPolicy(Qt::CustomContextMenu);

    watchBlinkTimer = new QTimer(this);
    watchBlinkTimer->setObjectName(u"Timer7"_s);
    watchBlinkTimer->setInterval(1000);
}

void ResultsView::connectHandlers() {
    connect(resultGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { gridMenu->popup(resultGrid->viewport()->mapToGlobal(at)); });
    connect(testDocumentAction, &QAction::triggered, this, &ResultsView::openTestDocument);
    connect(patientHistoryAction, &QAction::triggered, this, &ResultsView::showGridPatientHistory);
    connect(dayPicker, &QLineEdit::textChanged, this, &ResultsView::showDay);
    connect(receiveButton, &QToolButton::clicked, this, &ResultsView::receiveAndUpdate);
    connect(fillGridButton, &QToolButton::clicked, this, &ResultsView::fillGrid);
    connect(searchField, &QLineEdit::textChanged, this, &ResultsView::onSearchChanged);
    searchField->installEventFilter(new EnterKey(this, [this] { onSearchEnter(); }));
    connect(findNextButton, &QToolButton::clicked, this, &ResultsView::findNext);
    connect(previousDayButton, &QToolButton::clicked, this, &ResultsView::previousDay);
    connect(nextDayButton, &QToolButton::clicked, this, &ResultsView::nextDay);
    connect(resultGrid, &ResultGrid::Clicked, this, &ResultsView::gridClicked);
    connect(resultGrid, &QAbstractItemView::doubleClicked, testDocumentAction, &QAction::trigger);
    connect(printButton, &QToolButton::clicked, this, &ResultsView::printReport);
    connect(saveAsButton, &QToolButton::clicked, this, &ResultsView::saveReportAs);
    connect(watchBlinkTimer, &QTimer::timeout, this, &ResultsView::onWatchBlink);
}

// The grid (and the hits over it) grows both ways; the stamp and the buttons keep to the top right.
void ResultsView::anchorControls() {
    using F = orv::ui::WindowFrame;
    frame_.Anchor(resultGrid, F::kLeft | F::kTop | F::kRight | F::kBottom);
    frame_.Anchor(hitList, F::kLeft | F::kTop | F::kRight);
    for (QWidget* w : std::initializer_list<QWidget*>{signatureStamp, signatureCaption, stampDay, receiveButton,
                                                      saveAsButton, printButton})
        frame_.Anchor(w, F::kTop | F::kRight);
}

QString ResultsView::dateText() const { return dayPicker->text(); }
void ResultsView::setDateText(const QString& text) { dayPicker->setText(text); }

void ResultsView::showToday(const QString& today) {
    setDateText(today);
    const QString weekDay = WeekDayName(today.toStdString());
    if (!weekDay.isEmpty()) dayPicker->setToolTip(weekDay);
}

bool ResultsView::dateFieldValid() {
    if (IsWholeSolarDate(dateText())) return true;
    dayPicker->ShowInvalidDateMessage();
    if (!lastGoodDay_.isEmpty()) setDateText(lastGoodDay_);
    return false;
}

QString ResultsView::CurrentCellText() const { return resultModel->CellText(resultGrid->Row(), resultGrid->Col()); }

void ResultsView::windowShown() {
    startArchiveIndex();  // in the background
    highlightRow = 0;
    resetGrid();
}

// The heading row alone, at the widths of a day without a file.
void ResultsView::resetGrid() {
    resultModel->Reset();
    for (int c = 0; c < kColumns; ++c)
        if (c != 3) resultGrid->SetFittingWidth(c, InitialColumnWidth(c));
}

void ResultsView::showStamp() {
    signatureStamp->setPixmap(QPixmap::fromImage(LoadSignature(frame_.WorkspaceRoot()))
                                  .scaled(signatureStamp->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    signatureStamp->setAlignment(Qt::AlignCenter);
    stampDay->setText(frame_.State().shownDay);
    signatureStamp->show();
    stampDay->show();
    stampDay->raise();
    signatureCaption->hide();
}

void ResultsView::hideStamp() {
    signatureStamp->hide();
    stampDay->setText(QString());
    stampDay->hide();
    signatureCaption->show();
}

bool ResultsView::loadReport(const QString& path) {
    orv::TextReadResult read = orv::ReadTextFile(path.toStdString());
    if (!read.ok) {
        pendingLines_.reset();
        reportLoaded_ = false;
        frame_.Flash(read.error);
        return false;
    }
    pendingLines_ = std::move(read.content.lines);
    reportEncoding = read.content.encoding;
    return true;
}

const std::vector<std::string>& ResultsView::ReportLines() const {
    static const std::vector<std::string> kNone;
    return reportLoaded_ ? resultModel->Table().Lines() : kNone;
}

void ResultsView::showDay() {
    if (!frame_.Canvas()->isVisible()) return;
    frame_.ProcessMessages();
    QString& shownDay = frame_.State().shownDay;
    shownDay = dateText();
    if (IsWholeSolarDate(shownDay)) lastGoodDay_ = shownDay;
    shownDayCompact = QString::fromStdString(CompactDate(shownDay.toStdString()));
    compactDayField->setText(shownDayCompact);
    reportLoaded_ = false;
    const QString local = QString::fromStdString(
        LocalResultPath(frame_.WorkspaceRoot().toStdString(), shownDayCompact.toStdString()));
    if (IsCompactDate(shownDayCompact) && orv::FileExists(local.toStdString())) {
        if (!loadReport(local)) {
            hideStamp();
            highlightRow = 0;
            resetGrid();
            return;
        }
        frame_.Flash(u"Archive File "_s + shownDay + u"  From Tarvina Laboratory"_s);
        showStamp();
        fillGrid();
    } else {
        hideStamp();
        highlightRow = 0;
        resetGrid();
        frame_.Flash(u"Archive File  "_s + shownDay + u"  Not Exists."_s);
    }
}

void ResultsView::fillGrid() {
    // A day just read goes into the grid as it is; otherwise the grid is filled
    // again from the report it holds.
    std::vector<std::string> lines = pendingLines_ ? std::move(*pendingLines_) : ReportLines();
    pendingLines_.reset();
    resultModel->SetTable(ResultTable(std::move(lines)));
    reportLoaded_ = true;
    if (!ReportLines().empty()) {
        const auto widths = FilledColumnWidths(resultModel->Table());
        for (int c = 4; c < kColumns; ++c) resultGrid->SetFittingWidth(c, widths[c]);
        // The codes whole, however many letters they have.
        for (int c : {kReferenceCodeColumn, kOriginCodeColumn})
            resultGrid->SetFittingWidth(c, std::max(InitialColumnWidth(c), resultGrid->ContentWidth(c)));
        showStamp();
    } else {
        highlightRow = 0;
        for (int c = 5; c < kColumns; ++c) resultGrid->SetFittingWidth(c, InitialColumnWidth(c));
        hideStamp();
    }
    resultGrid->viewport()->update();
}

void ResultsView::receiveAndUpdate() {
    if (!dateFieldValid()) return;
    const QString compact = compactDayField->text();
    const QString local =
        QString::fromStdString(LocalResultPath(frame_.WorkspaceRoot().toStdString(), compact.toStdString()));
    orv::ServerAction a = orv::ServerAction::Download(
        QString::fromStdString(RemoteResultPath(frame_.State().labFolderCode.toStdString(), compact.toStdString())),
        local, kResultFileSize);
    a.resetGauge = true;
    a.testFarok = true;
    a.testBillok = true;
    a.notReadyText = QString::fromUtf8(kNoSampleYet);
    a.successText = frame_.State().shownDay + u" File Download succesfully."_s;
    if (!IsCompactDate(compact)) {
        // The day was never shown (the window was hidden): nothing to ask the server for.
        frame_.Flash(a.notReadyText);
        return;
    }
    const orv::ActionResult result = frame_.RunServerAction(a);
    if (result != orv::ActionResult::Refused) archiveDayChanged(compact);
    if (result != orv::ActionResult::Done) return;
    frame_.ProcessMessages();
    // The user may have moved to another day while the file came; it stays archived.
    if (compactDayField->text() != compact) return;
    if (loadReport(local)) fillGrid();
    frame_.FillTransferGauge();
    frame_.NormalCursor();
}

void ResultsView::paintCell(QPainter& painter, const QRect& rect, int column, int row) {
    if (column == highlightColumn && row == highlightRow && row > 0) resultGrid->PaintFound(painter, rect, column, row);
}

void ResultsView::highlight(int row) {
    highlightRow = row;
    resultGrid->SetRow(row);
    resultGrid->viewport()->update();
}

void ResultsView::onSearchChanged() {
    if (archiveMode()) return searchArchive();  // every archived day, not the grid
    const std::string text = searchField->text().toStdString();
    searchIsNumber = IsDecimalInteger(text);
    const int column = SearchColumn(searchIsNumber);
    const int row = FindFromTop(resultModel->Table(), column, text);
    if (row == 0) return;
    highlightColumn = column;
    highlight(row);
}

void ResultsView::onSearchEnter() {
    if (archiveMode() && hitList->isVisible()) {
        hitList->setFocus(Qt::OtherFocusReason);
        if (!hitList->currentItem()) hitList->setCurrentRow(0);
        return;
    }
    resultGrid->setFocus(Qt::OtherFocusReason);
}

void ResultsView::findNext() {
    const int column = SearchColumn(searchIsNumber);
    const FindNextResult next =
        FindNext(resultModel->Table(), column, searchField->text().toStdString(), resultGrid->Row());
    if (next.row != 0) {
        highlightColumn = column;
        highlight(next.row);
    } else if (next.wrapped) {
        resultGrid->SetRow(0);
    }
}

void ResultsView::previousDay() {
    if (!dateFieldValid()) return;
    setDateText(QString::fromStdString(TPublicUtils::DecDay(dateText().toStdString(), 1, dkSolar)));
    dayPicker->setToolTip(WeekDayName(dateText().toStdString()));
}

void ResultsView::nextDay() {
    if (!dateFieldValid()) return;
    setDateText(QString::fromStdString(TPublicUtils::IncDay(dateText().toStdString(), 1, dkSolar)));
    dayPicker->setToolTip(WeekDayName(dateText().toStdString()));
}

// --- the day's report printed through the preview, or saved as a text file

void ResultsView::printReport() {
    if (ReportLines().size() < 2) {
        frame_.Flash(u"متن خاصی برای پرینت موجود نمیباشد"_s);
        frame_.NormalCursor();
        return;
    }
    ReportContent content;
    content.laboratory = ResultReport::CentralLaboratory();
    content.dateLabel = frame_.State().shownDay;  // QRLabel3
    content.signature = LoadSignature(frame_.WorkspaceRoot());
    for (const std::string& line : BuildReportBody(resultModel->Table())) content.body << QString::fromStdString(line);
    frame_.ProcessMessages();
    ReportPreview::Show(ResultReport(std::move(content)), frame_.Canvas());
}

void ResultsView::saveReportAs() {
    if (ReportLines().size() < 2) {
        frame_.Flash(u"متن خاصی برای ذخیره موجود نمیباشد"_s);
        frame_.NormalCursor();
        return;
    }
    // The report as it is now: a refresh while the dialog is open may load another day.
    const std::vector<std::string> report = ReportLines();
    const orv::TextEncoding encoding = reportEncoding;
    const QString path = SaveFolder::Ask(frame_.Canvas(), u"Text files"_s, u"txt"_s, shownDayCompact);
    if (path.isEmpty()) return;
    const orv::FileResult written = orv::WriteTextFile(path.toStdString(), report, encoding);
    if (!written)
        orv::ui::MessageBox(frame_.Canvas(), u"Save As..."_s, QString::fromStdString(written.error), QMessageBox::Ok,
                            QMessageBox::Critical);
}

}  // namespace orv::results
