// The central laboratory's reference documents: the "Download Files" list of the
// help folder, the recommendation flag, the payment rules, and the normal
// values and test prices shown in the tests-information window.
#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

#include "app/core/KeptFiles.h"
#include "app/ui/Forms.h"
#include "app/ui/TForm1.h"
#include "app/ui/Tmainform.h"
#include "base/core/TextFile.h"
#include "base/ui/DoubleClick.h"
#include "base/ui/Prompts.h"
#include "reception/ui/TForm3.h"
#include "results/core/TestDocuments.h"
#include "results/ui/ResultsView.h"
#include "server/core/FolderListing.h"
#include "server/core/ReferenceDocuments.h"
#include "server/core/ServerMessages.h"
#include "server/ui/DocumentViewer.h"

using namespace Qt::StringLiterals;

namespace {
const char* const kNoTestInCell = "متن جستجو خالی میباشد";
const char* const kNoItemChosen = ". لطفا ابتدا یکی از فایل های فهرست را انتخاب کنید";
const QString kFlagCaption = u"New Massage.Plz Click here"_s;
const QColor kFlagged(255, 0, 0);
constexpr int kRawName = Qt::UserRole;  // a listed item's name as the server sent it

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

void Tmainform::BuildReference() {
    SpeedButton8->setEnabled(true);
    Label5->setAutoFillBackground(true);  // it stands over the grid's heading
    connect(SpeedButton8, &QToolButton::clicked, this, &Tmainform::SpeedButton8Click);
    orv::ui::OnDoubleClick(ListBox1->viewport(), [this] { ListBox1DblClick(); });
    orv::ui::OnClick(Label16, [this] { Label16Click(); });
    orv::ui::OnClick(Label4, [this] { Label4Click(); });
    // The payment panel's "< مشاهده قوانین پرداخت >", looked up once the window is built.
    QTimer::singleShot(0, this,
                       [this] { orv::ui::OnClick(findChild<QLabel*>(u"Label28"_s), [this] { Label28Click(); }); });
    results->normalValuesAction->setEnabled(true);
    results->testPriceAction->setEnabled(true);
}

// --- the help folder

void Tmainform::SpeedButton8Click() {
    if (SpeedButton8->isChecked()) {
        if (!netok) {
            Flash(orv::msg::kNetworkUpdate);
            SpeedButton8->setChecked(false);
            ShowFolderList();
            return;
        }
        std::vector<std::string> lines;
        orv::ServerAction a = orv::ServerAction::ListFolder(Text(orv::docs::kHelpFolder), &lines);
        a.failureText = Text(orv::msg::kListFailed);
        if (RunServerAction(a) != orv::ActionResult::Done) {
            SpeedButton8->setChecked(false);
            ShowFolderList();
            NormalCursor();
            return;
        }
        FillFolderList(lines);
    }
    NormalCursor();
    // An empty listing is said, never shown as a blank list with no word.
    if (SpeedButton8->isChecked() && ListBox1->count() == 0)
        Flash(orv::msg::kListEmpty);
    else
        Label6->clear();
    ShowFolderList();
}

void Tmainform::ShowFolderList() {
    if (SpeedButton8->isChecked()) {
        ListBox1->show();
        ListBox1->raise();
        Label5->show();
        Label5->raise();
    } else {
        ListBox1->lower();
        Label5->hide();
    }
}

// Both lists start afresh, so a shorter listing leaves no sizes of the last one.
void Tmainform::FillFolderList(const std::vector<std::string>& lines) {
    ListBox1->clear();
    ListBox2->clear();
    for (const orv::ListedFile& f : orv::DownloadableFiles(lines)) {
        auto* item = new QListWidgetItem(QString::fromStdString(orv::ListedNameText(f.name)), ListBox1);
        item->setData(kRawName, QByteArray::fromStdString(f.name));
        ListBox2->addItem(QString::fromStdString(f.size));
    }
}

void Tmainform::ListBox1DblClick() {
    if (!netok) {
        Flash(orv::msg::kNetworkRefresh);
        return;
    }
    QListWidgetItem* item = ListBox1->currentItem();
    if (!item || !item->isSelected()) {
        Flash(kNoItemChosen);
        return;
    }
    const int i = ListBox1->row(item);
    const QString name = item->text();
    const std::string raw = item->data(kRawName).toByteArray().toStdString();
    const std::string size = ListBox2->item(i) ? ListBox2->item(i)->text().toStdString() : std::string();
    if (orv::IsKeptFileName(name.toStdString())) {  // never downloaded over the program's own file
        const QString kept = u". فایل «"_s + name + u"» از فایلهای خود برنامه است و دریافت آن روی آن نوشته نمیشود"_s;
        Flash(kept);
        orv::ui::MessageBox(this, u"Attention"_s, kept);
        return;
    }

    orv::ServerAction a;
    a.networkForm = orv::NetworkForm::Refresh;
    a.max = orv::SizeOrZero(size);
    a.source = QString::fromStdString(orv::docs::HelpFilePath(raw));
    a.dest = WorkspaceRoot() + name;
    // Asked for with the very bytes the server listed.
    a.transfer = [remote = orv::docs::HelpFilePath(raw), local = a.dest.toStdString()](orv::FtpSession& s) {
        return s.GetFile(remote, local);
    };
    a.failureText = name + u" Download failed."_s;
    a.successText = name + u" Download succesfully."_s;
    if (RunServerAction(a) != orv::ActionResult::Done) return;
    ProcessMessages();
    OpenReference(dest);
}

// --- the recommendation and the payment rules

bool Tmainform::RecommendationFlagged() const { return Label16->palette().color(QPalette::WindowText) == kFlagged; }

void Tmainform::RaiseRecommendationFlag() {
    QPalette pal = Label16->palette();
    pal.setColor(QPalette::WindowText, kFlagged);
    Label16->setPalette(pal);
    Label16->setText(kFlagCaption);
    Label16->setCursor(Qt::PointingHandCursor);
}

void Tmainform::Label16Click() {
    if (!RecommendationFlagged()) return;
    const orv::docs::Place& doc = orv::docs::kRecommendation;
    orv::ServerAction a = orv::ServerAction::Download(Text(doc.remote), WorkspaceRoot() + Text(doc.localName), doc.max);
    a.networkForm = orv::NetworkForm::Refresh;
    a.failureText = u"Last Recommendation File Download failed."_s;
    a.successText = u"Last Recommendation File Download succesfully."_s;
    // Not fetched: the flag stays up and nothing older is opened.
    if (RunServerAction(a) != orv::ActionResult::Done) return;
    ProcessMessages();
    OpenReference(dest);

    Timer5->stop();
    ProcessMessages();
    QPalette pal = Label16->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    Label16->setPalette(pal);
    Label16->setText(QString());
    Label16->unsetCursor();
    Label16->show();  // the blink may have left it hidden
    RecordRecommendationRead();
}

// "check.txt" keeps the counter of the last recommendation opened: the bill's third line.
void Tmainform::RecordRecommendationRead() {
    const QStringList bill = Memo1->toPlainText().split(u'\n');
    bool number = false;
    const int counter = bill.size() > 2 ? bill[2].trimmed().toInt(&number) : 0;
    if (!number) return;  // no bill read: the counter stays as it was
    RecordNoticeRead(bill[2].trimmed());
}

void Tmainform::Label4Click() {
    const orv::docs::Place& doc = orv::docs::kPaymentRules;
    orv::ServerAction a = orv::ServerAction::Download(Text(doc.remote), WorkspaceRoot() + Text(doc.localName), doc.max);
    a.resetGauge = true;
    a.networkForm = orv::NetworkForm::Refresh;
    a.notReadyText = u"File not exist"_s;  // only for a file the server lacks; a broken transfer says so
    a.successText = u"PaymentLaw.rtf Download succesfully."_s;
    const orv::ActionResult r = RunServerAction(a);
    if (r == orv::ActionResult::TransferFailed) {
        // No copy of the rules is kept that the server no longer has; a transfer
        // that broke off or a full disk keeps the copy from before.
        if (LastServerFailure() == orv::FtpFailure::RemoteMissing) QFile::remove(dest);
        return;
    }
    if (r != orv::ActionResult::Done) return;
    ProcessMessages();
    OpenReference(dest);
    ProgressBar1->setValue(ProgressBar1->maximum());
    NormalCursor();
    Label6->clear();
}

void Tmainform::Label28Click() { Label4Click(); }

void Tmainform::OpenReference(const QString& path) {
    if (!orv::ui::OpenDocument(this, path, [this, path] { SayNotOpened(path); }))
        Flash(u"No program opens "_s + path);
}

bool Tmainform::HandToDesktop(const QString& path) {
    return orv::ui::OpenFile(path, this, [this, path] { SayNotOpened(path); });
}

void Tmainform::SayNotOpened(const QString& path) { Flash(u"The desktop's program could not open "_s + path); }

// --- normal values and test prices

void Tmainform::N2Click() { ShowTestsInformation(orv::docs::kNormalValues, false); }

void Tmainform::N3Click() { ShowTestsInformation(orv::docs::kTestPrices, true); }

void Tmainform::ShowTestsInformation(const orv::docs::Place& doc, bool restartFlash) {
    Hourglass();
    ShowWait();
    if (restartFlash) {
        timer = 0;
        Timer2->start();
    }
    ser = QString::fromStdString(
        orv::results::TestNameOfCell(results->CurrentCellText().toStdString()));
    if (ser.isEmpty()) {
        orv::ui::MessageBox(this, u"Attention"_s, Text(kNoTestInCell));
        NormalCursor();
        Label6->clear();
    } else if (Form3) {
        dest = WorkspaceRoot() + Text(doc.localName);
        source = Text(doc.remote);
        Form3->dest = dest;
        Form3->source = source;
        Form3->ser = ser;
        Form3->centreOn = Form1;
        Form3->download = [this] { return FetchTestsDocument(); };
        Form3->clearStatus = [this] { Label6->clear(); };
        Form3->exec();
    }
    ProcessMessages();
    if (Form3) Form3->setWindowState(Qt::WindowNoState);
}

// The tests-information window's "Update": its document downloaded again.
bool Tmainform::FetchTestsDocument() {
    orv::ServerAction a = orv::ServerAction::Download(Form3->source, Form3->dest, 600000);
    a.resetGauge = true;
    a.failureText = QFileInfo(Form3->dest).fileName() + u" Download failed."_s;
    a.successText = State().shownDay + u" File Download succesfully."_s;
    return RunServerAction(a) == orv::ActionResult::Done;
}
