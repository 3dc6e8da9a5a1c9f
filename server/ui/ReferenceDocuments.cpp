#include "server/ui/ReferenceDocuments.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QToolButton>

#include "base/ui/Controls.h"
#include "base/ui/DoubleClick.h"
#include "base/ui/Prompts.h"
#include "results/core/TestDocuments.h"
#include "server/core/FolderListing.h"
#include "server/core/ReferenceDocuments.h"
#include "server/core/ServerMessages.h"
#include "server/ui/DocumentViewer.h"
#include "server/ui/TestsInfoWindow.h"
#include "server/ui/WindowFrame.h"

using namespace Qt::StringLiterals;

namespace orv::ui {

namespace {
const char* const kNoTestInCell = "متن جستجو خالی میباشد";
const char* const kNoItemChosen = ". لطفا ابتدا یکی از فایل های فهرست را انتخاب کنید";
const QString kFlagCaption = u"New Massage.Plz Click here"_s;
const QColor kFlagged(255, 0, 0);
constexpr int kRawName = Qt::UserRole;  // a listed item's name as the server sent it
constexpr int kFlagBlinks = 6;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

ReferenceDocuments::ReferenceDocuments(WindowFrame& frame, QObject* parent) : QObject(parent), frame_(frame) {
    QWidget* canvas = frame.Canvas();
    // The help folder's list stands over the right part of the result grid.
    folderList = Place<QListWidget>(canvas, "ListBox1", QRect(392, 122, 238, 312));
    folderList->setToolTip(Text("روی ایتم مورد نظر دابل کلیک نمایید"));
    folderList->hide();
    fileSizes = Place<QListWidget>(canvas, "ListBox2", QRect(0, 0, 10, 10));
    fileSizes->hide();
    folderListCaption = Caption(canvas, "Label5", "^ Download Content ^", QRect(392, 102, 238, 18));
    folderListCaption->setAlignment(Qt::AlignCenter);
    folderListCaption->setAutoFillBackground(true);  // it stands over the grid's heading
    folderListCaption->hide();

    downloadFilesButton = Button(canvas, "SpeedButton8", "Download Files", QRect(640, 162, 175, 26),
                                 "داونلود فایل های مربوط به ارتباطات بین آزمایشگاهی");
    downloadFilesButton->setCheckable(true);
    recommendationFlag = Caption(canvas, "Label16", "", QRect(640, 386, 175, 18));
    lawsLink = Caption(canvas, "Label4", "Show Laws", QRect(640, 410, 175, 18));
    lawsLink->setCursor(Qt::PointingHandCursor);

    flagBlink = new QTimer(canvas);
    flagBlink->setObjectName(u"Timer5"_s);
    flagBlink->setInterval(600);

    frame.Anchor(folderList, WindowFrame::kTop | WindowFrame::kRight | WindowFrame::kBottom);
    for (QWidget* w : std::initializer_list<QWidget*>{folderListCaption, downloadFilesButton, recommendationFlag, lawsLink})
        frame.Anchor(w, WindowFrame::kTop | WindowFrame::kRight);

    connect(downloadFilesButton, &QToolButton::clicked, this, &ReferenceDocuments::toggleFolderList);
    OnDoubleClick(folderList->viewport(), [this] { openHelpFile(); });
    OnClick(recommendationFlag, [this] { openRecommendation(); });
    OnClick(lawsLink, [this] { showPaymentRules(); });
    connect(flagBlink, &QTimer::timeout, this, &ReferenceDocuments::blinkFlag);
}

void ReferenceDocuments::setTestsWindow(TestsInfoWindow* window, QWidget* centreOn) {
    testsWindow_ = window;
    centreOn_ = centreOn;
}

// --- the help folder

void ReferenceDocuments::toggleFolderList() {
    if (downloadFilesButton->isChecked()) {
        if (!frame_.State().networkOk) {
            frame_.Flash(orv::msg::kNetworkUpdate);
            downloadFilesButton->setChecked(false);
            showFolderList();
            return;
        }
        std::vector<std::string> lines;
        orv::ServerAction a = orv::ServerAction::ListFolder(Text(orv::docs::kHelpFolder), &lines);
        a.failureText = Text(orv::msg::kListFailed);
        if (frame_.RunServerAction(a) != orv::ActionResult::Done) {
            downloadFilesButton->setChecked(false);
            showFolderList();
            frame_.NormalCursor();
            return;
        }
        fillFolderList(lines);
    }
    frame_.NormalCursor();
    // An empty listing is said, never shown as a blank list with no word.
    if (downloadFilesButton->isChecked() && folderList->count() == 0)
        frame_.Flash(orv::msg::kListEmpty);
    else
        frame_.SetStatus(QString());
    showFolderList();
}

void ReferenceDocuments::showFolderList() {
    if (downloadFilesButton->isChecked()) {
        folderList->show();
        folderList->raise();
        folderListCaption->show();
        folderListCaption->raise();
    } else {
        folderList->lower();
        folderListCaption->hide();
    }
}

void ReferenceDocuments::closeFolderList() {
    if (!folderListCaption->isVisible()) return;
    downloadFilesButton->setChecked(false);
    folderList->lower();
    folderListCaption->hide();
}

// Both lists start afresh, so a shorter listing leaves no sizes of the last one.
void ReferenceDocuments::fillFolderList(const std::vector<std::string>& lines) {
    folderList->clear();
    fileSizes->clear();
    for (const orv::ListedFile& f : orv::DownloadableFiles(lines)) {
        auto* item = new QListWidgetItem(QString::fromStdString(orv::ListedNameText(f.name)), folderList);
        item->setData(kRawName, QByteArray::fromStdString(f.name));
        fileSizes->addItem(QString::fromStdString(f.size));
    }
}

void ReferenceDocuments::openHelpFile() {
    if (!frame_.State().networkOk) {
        frame_.Flash(orv::msg::kNetworkRefresh);
        return;
    }
    QListWidgetItem* item = folderList->currentItem();
    if (!item || !item->isSelected()) {
        frame_.Flash(kNoItemChosen);
        return;
    }
    const int i = folderList->row(item);
    const QString name = item->text();
    const std::string raw = item->data(kRawName).toByteArray().toStdString();
    const std::string size = fileSizes->item(i) ? fileSizes->item(i)->text().toStdString() : std::string();
    if (!isProgramFile || isProgramFile(name)) {  // never downloaded over the program's own file
        const QString kept = u". فایل «"_s + name + u"» از فایلهای خود برنامه است و دریافت آن روی آن نوشته نمیشود"_s;
        frame_.Flash(kept);
        MessageBox(frame_.Canvas(), u"Attention"_s, kept);
        return;
    }

    orv::ServerAction a;
    a.networkForm = orv::NetworkForm::Refresh;
    a.max = orv::SizeOrZero(size);
    a.source = QString::fromStdString(orv::docs::HelpFilePath(raw));
    a.dest = frame_.WorkspaceRoot() + name;
    // Asked for with the very bytes the server listed.
    a.transfer = [remote = orv::docs::HelpFilePath(raw), local = a.dest.toStdString()](orv::FtpSession& s) {
        return s.GetFile(remote, local);
    };
    a.failureText = name + u" Download failed."_s;
    a.successText = name + u" Download succesfully."_s;
    if (frame_.RunServerAction(a) != orv::ActionResult::Done) return;
    frame_.ProcessMessages();
    openReference(a.dest);
}

// --- the recommendation and the payment rules

bool ReferenceDocuments::recommendationFlagged() const {
    return recommendationFlag->palette().color(QPalette::WindowText) == kFlagged;
}

void ReferenceDocuments::raiseRecommendationFlag() {
    QPalette pal = recommendationFlag->palette();
    pal.setColor(QPalette::WindowText, kFlagged);
    recommendationFlag->setPalette(pal);
    recommendationFlag->setText(kFlagCaption);
    recommendationFlag->setCursor(Qt::PointingHandCursor);
}

void ReferenceDocuments::raiseNotice() {
    flagBlinkTicks = 0;
    raiseRecommendationFlag();
    flagBlink->start();
}

void ReferenceDocuments::blinkFlag() {
    ++flagBlinkTicks;
    recommendationFlag->setVisible(recommendationFlag->isHidden());
    if (flagBlinkTicks >= kFlagBlinks) flagBlink->stop();
}

void ReferenceDocuments::openRecommendation() {
    if (!recommendationFlagged()) return;
    const orv::docs::Place& doc = orv::docs::kRecommendation;
    orv::ServerAction a =
        orv::ServerAction::Download(Text(doc.remote), frame_.WorkspaceRoot() + Text(doc.localName), doc.max);
    a.networkForm = orv::NetworkForm::Refresh;
    a.failureText = u"Last Recommendation File Download failed."_s;
    a.successText = u"Last Recommendation File Download succesfully."_s;
    // Not fetched: the flag stays up and nothing older is opened.
    if (frame_.RunServerAction(a) != orv::ActionResult::Done) return;
    frame_.ProcessMessages();
    openReference(a.dest);

    flagBlink->stop();
    frame_.ProcessMessages();
    QPalette pal = recommendationFlag->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    recommendationFlag->setPalette(pal);
    recommendationFlag->setText(QString());
    recommendationFlag->unsetCursor();
    recommendationFlag->show();  // the blink may have left it hidden
    recordRecommendationRead();
}

void ReferenceDocuments::recordRecommendationRead() {
    const QStringList bill = billLines ? billLines() : QStringList();
    bool number = false;
    if (bill.size() > 2) (void)bill[2].trimmed().toInt(&number);
    if (!number) return;  // no bill read: the counter stays as it was
    frame_.RecordNoticeRead(bill[2].trimmed());
}

void ReferenceDocuments::showPaymentRules() {
    const orv::docs::Place& doc = orv::docs::kPaymentRules;
    orv::ServerAction a =
        orv::ServerAction::Download(Text(doc.remote), frame_.WorkspaceRoot() + Text(doc.localName), doc.max);
    a.resetGauge = true;
    a.networkForm = orv::NetworkForm::Refresh;
    a.notReadyText = u"File not exist"_s;  // only for a file the server lacks; a broken transfer says so
    a.successText = u"PaymentLaw.rtf Download succesfully."_s;
    const orv::ActionResult r = frame_.RunServerAction(a);
    if (r == orv::ActionResult::TransferFailed) {
        // No copy of the rules is kept that the server no longer has; a transfer
        // that broke off or a full disk keeps the copy from before.
        if (frame_.LastServerFailure() == orv::FtpFailure::RemoteMissing) QFile::remove(a.dest);
        return;
    }
    if (r != orv::ActionResult::Done) return;
    frame_.ProcessMessages();
    openReference(a.dest);
    frame_.FillTransferGauge();
    frame_.NormalCursor();
    frame_.SetStatus(QString());
}

// --- opening a document on the desktop

void ReferenceDocuments::openReference(const QString& path) {
    if (!OpenDocument(frame_.Canvas(), path, [this, path] { frame_.SayNotOpened(path); }))
        frame_.Flash(u"No program opens "_s + path);
}

// --- normal values and test prices

void ReferenceDocuments::showNormalValues(const QString& cellText) {
    showTestsInformation(orv::docs::kNormalValues, false, cellText);
}

void ReferenceDocuments::showTestPrice(const QString& cellText) {
    showTestsInformation(orv::docs::kTestPrices, true, cellText);
}

void ReferenceDocuments::showTestsInformation(const orv::docs::Place& doc, bool restartBlink, const QString& cellText) {
    frame_.Hourglass();
    frame_.ShowWait();
    if (restartBlink) frame_.RestartBlink();
    searchText = QString::fromStdString(orv::results::TestNameOfCell(cellText.toStdString()));
    if (searchText.isEmpty()) {
        MessageBox(frame_.Canvas(), u"Attention"_s, Text(kNoTestInCell));
        frame_.NormalCursor();
        frame_.SetStatus(QString());
    } else if (testsWindow_) {
        testsWindow_->localPath = frame_.WorkspaceRoot() + Text(doc.localName);
        testsWindow_->remotePath = Text(doc.remote);
        testsWindow_->searchText = searchText;
        testsWindow_->centreOn = centreOn_;
        testsWindow_->download = [this] { return fetchTestsDocument(); };
        testsWindow_->clearStatus = [this] { frame_.SetStatus(QString()); };
        testsWindow_->exec();
    }
    frame_.ProcessMessages();
    if (testsWindow_) testsWindow_->setWindowState(Qt::WindowNoState);
}

bool ReferenceDocuments::fetchTestsDocument() {
    if (!testsWindow_) return false;
    orv::ServerAction a = orv::ServerAction::Download(testsWindow_->remotePath, testsWindow_->localPath, 600000);
    a.resetGauge = true;
    a.failureText = QFileInfo(testsWindow_->localPath).fileName() + u" Download failed."_s;
    a.successText = frame_.State().shownDay + u" File Download succesfully."_s;
    return frame_.RunServerAction(a) == orv::ActionResult::Done;
}

}  // namespace orv::ui
