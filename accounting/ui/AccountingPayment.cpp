// The accounting panel's payment request, the message to the central
// laboratory and the chosen month's bill.
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <optional>
#include <set>

#include "accounting/core/AccountFiles.h"
#include "accounting/ui/AccountingPanel.h"
#include "accounting/ui/AccountingText.h"
#include "accounting/ui/MonthBill.h"
#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"
#include "base/ui/Prompts.h"
#include "results/ui/ReportPreview.h"
#include "server/core/FolderListing.h"
#include "server/core/ServerMessages.h"
#include "server/ui/WindowFrame.h"

using namespace Qt::StringLiterals;

namespace orv::accounting {

namespace {

const char* const kNothingToPay = ". هیچ مقداری جهت پرداخت مهیا نمیباشد";
const char* const kOtherActionRunning = ". عملیات دیگری با سرور در حال اجراست، لطفا پس از پایان آن دوباره سعی کنید";
const char* const kMonthBillMissing =
    ". اين فايل جهت آزمايشگاه شما آماده نشده.لطفا به حسابداري تماس حاصل کنيد";
const char* const kMonthBillShowFailed = ". صورت حساب دریافت شده قابل نمایش نیست";
const char* const kMonthBillHandedOver =
    ". صورت حساب ماه در فایل %1 ذخیره شد و برای نمایش به برنامه مربوط به آن سپرده شد";
const char* const kPaymentPageNotOpened = ". صفحه پرداخت باز نشد؛ آن را در مرورگر خود باز کنید: %1";
const char* const kMessageNotSent = ". پیغام شما ارسال نشد، لطفا دوباره سعی کنید";
// The comments folder does not show which message names are taken.
const char* const kMessageNamesHidden =
    ". سرور تاروینا فهرست پیغام های پیشین را نشان نمی دهد؛ پیغام ارسال نشد تا پیغام پیشینی با همان نام از بین نرود";
const char* const kMonthBillKept = ". صورت حساب ماه در فایل %1 ذخیره شد؛ برنامه ای برای نمایش آن روی این رایانه نیست";

}  // namespace

// Payment request: an empty marker named after the payment record, then the payment page.
void AccountingPanel::requestPayment() {
    // A month that comes to nothing or less after its discounts is not payable.
    if (noUnpaidMonth || amountAfterDiscounts <= 0) {
        frame_.Flash(kNothingToPay);
        return;
    }
    // The panel and the payment flag stay as they are until the running action has ended.
    if (frame_.ServerBusy()) {
        frame_.Flash(kOtherActionRunning);
        return;
    }
    payButton->setEnabled(false);
    payAgainTimer->start();
    frame_.Flash(".لطفا کمی صبر کنید");
    const orv::ui::SessionState& state = frame_.State();
    if (!state.serverOk) {
        frame_.Flash(frame_.ServerDownMessage());
        return;
    }
    if (!state.networkOk) {
        frame_.Flash(orv::msg::kNetworkRefresh);
        return;
    }
    hide();
    paymentRequested = true;
    // The marker is empty; a message being typed stays for its own sending.
    orv::ServerAction a =
        orv::ServerAction::UploadBytes(QByteArray(), Q(PaymentMarkerPath(paymentRecord.toStdString())));
    a.failureText = QString::fromUtf8(orv::msg::kServer);
    a.successText = frame_.StatusText();  // the blink restarts with the current text
    if (frame_.RunServerAction(a) != orv::ActionResult::Done) return;
    const orv::ServerSettings settings = frame_.Settings();
    const std::string address = PaymentAddress(settings.PaymentHost(), settings.paymentPort,
                                               labNameLabel->text().toStdString(), amountAfterDiscounts,
                                               paymentRecord.toStdString());
    // Without a program for the page the laboratory must still learn where to pay.
    const QString page = Q(address);
    const auto sayNotOpened = [this, page] { frame_.Flash(QString::fromUtf8(kPaymentPageNotOpened).arg(page)); };
    if (!orv::ui::OpenUrl(QUrl(page, QUrl::StrictMode), this, sayNotOpened)) sayNotOpened();
}

void AccountingPanel::warnSingleClick() {
    orv::ui::MessageBox(frame_.Canvas(), u"attention"_s, QString::fromUtf8("لطفا فقط یکبار کلیک نمایید"),
                        QMessageBox::Ok, QMessageBox::Information);
    orv::ui::Beep();
}

// Send: the message's lines as a text file in the laboratory's "comments"
// folder, under a name no earlier message of the day holds.
void AccountingPanel::sendMessage() {
    const int n = messageNumber ? messageNumber() : static_cast<int>(QRandomGenerator::global()->bounded(1000));
    const orv::ui::SessionState& state = frame_.State();
    const std::string code = state.labFolderCode.toStdString();
    const std::string y = state.year.toStdString(), mo = state.month.toStdString(), d = state.day.toStdString();
    std::vector<std::string> lines;
    if (!messageText->toPlainText().isEmpty())
        for (const QString& l : messageText->toPlainText().split(u'\n')) lines.push_back(l.toStdString());
    const std::string body = orv::EncodeText(lines, orv::TextEncoding::Cp1256);  // each line ends with CR LF
    std::string name = MessageName(code, y, mo, d, n);
    lastMessageName = Q(name);

    orv::ServerAction a;
    a.networkForm = orv::NetworkForm::Refresh;  // without the network no session opens: said as the panel says it
    a.source = lastMessageName;
    a.dest = Q(MessagePath(code, name));
    a.failureText = QString::fromUtf8(kMessageNotSent);
    bool namesHidden = false;
    a.transfer = [&](orv::FtpSession& session) {
        // A name already on the server is passed over, and a name is free only
        // when the server shows it is not there: the folder's listing lacks it
        // and neither SIZE nor MDTM knows it. A folder whose files may be
        // written but not read answers 550 for every name, so a listing the
        // server refuses leaves every name possibly taken: nothing is sent.
        // A look that broke off ends the sending too, so an earlier message is
        // never written over.
        std::set<std::string> listed;
        std::vector<std::string> lines;
        orv::FtpResult looked = session.ChangeDir(CommentsFolder(code));
        if (looked) looked = session.List(lines);
        if (!looked) {
            namesHidden = looked.failure == orv::FtpFailure::Refused || looked.failure == orv::FtpFailure::RemoteMissing;
            if (namesHidden) looked.failure = orv::FtpFailure::Other;  // told below, not as a refusal of the message
            return looked;
        }
        for (const std::string& line : lines)
            if (const auto entry = orv::ParseListLine(line)) listed.insert(entry->name);
        std::optional<orv::FtpResult> broken;
        const std::optional<int> free = FreeMessageNumber(n, [&](int candidate) {
            if (broken) return true;  // the search runs out without asking the server again
            const std::string candidateName = MessageName(code, y, mo, d, candidate);
            if (listed.count(candidateName + ".txt")) return true;
            orv::FtpFileInfo info;
            const orv::FtpResult r = session.FileInfo(MessagePath(code, candidateName), info);
            if (!r) broken = r;
            return !r || info.exists;
        });
        if (broken) return *broken;
        if (!free) return orv::FtpResult::Fail("every message name of the day is taken");
        name = MessageName(code, y, mo, d, *free);
        return session.PutMemory(body, MessagePath(code, name));
    };
    a.successText = QString::fromUtf8("پیغام شما با موفقیت ارسال گردید");
    const orv::ActionResult result = frame_.RunServerAction(a);
    lastMessageName = Q(name);
    if (result == orv::ActionResult::TransferFailed) {
        // The reason as the status line tells it, in Persian, the server's words after it.
        if (namesHidden)
            frame_.Flash(orv::msg::WithDetail(kMessageNamesHidden, frame_.LastServerError().toStdString()));
        orv::ui::MessageBox(frame_.Canvas(), u"Error"_s, frame_.StatusText(), QMessageBox::Ok, QMessageBox::Critical);
        return;
    }
    if (result == orv::ActionResult::Done) messageText->clear();
}

// The chosen month's itemised bill, downloaded whole into "temp.qrp" and previewed.
void AccountingPanel::fetchMonthBill() {
    frame_.ResetTransferGauge();
    if (!frame_.State().networkOk) {
        frame_.Flash(orv::msg::kNetworkRefresh);
        frame_.NormalCursor();
        return;
    }
    const QString local = frame_.WorkspaceRoot() + QString::fromLatin1(kMonthBillFile);
    const std::string monthKey = monthField->toolTip().toStdString();
    orv::ServerAction a = orv::ServerAction::Download(
        Q(MonthBillPath(frame_.State().labFolderCode.toStdString(), monthKey)), local, 200000);
    // "Not prepared" only when the server has no bill for the month; a cut transfer says so.
    a.notReadyText = QString::fromUtf8(kMonthBillMissing);
    a.successText = QString::fromUtf8("صورت حساب شما با موفقیت دانلود شد ");
    if (frame_.RunServerAction(a) != orv::ActionResult::Done) return;
    MonthBill monthBill;
    if (monthBill.Load(local)) {
        orv::results::ReportPreview::Show([&monthBill](QPrinter& printer) { monthBill.Render(printer); },
                                          [&monthBill] { return monthBill.Bytes(); }, frame_.Canvas());
        return;
    }
    if (monthBill.Bytes().isEmpty()) {
        frame_.Flash(kMonthBillShowFailed);
        return;
    }
    // Not a PDF: a bill as the central laboratory's reporting program saves it.
    // Kept as the month's own file and handed to the desktop's program for it;
    // so is a PDF where the program has no PDF reader (Windows), named .pdf.
    QString kept = frame_.WorkspaceRoot() + Q(MonthBillFileName(monthKey));
#ifndef ORV_HAVE_QT_PDF
    if (monthBill.IsPdf()) kept = QFileInfo(kept).path() + u'/' + QFileInfo(kept).completeBaseName() + u".pdf"_s;
#endif
    const QByteArray& bytes = monthBill.Bytes();
    if (!orv::WriteFileAtomically(kept.toStdString(), std::string_view(bytes.constData(), bytes.size())).ok) {
        frame_.Flash(orv::msg::kLocalFile);
        return;
    }
    const bool shown = frame_.HandToDesktop(kept);
    frame_.Flash(QString::fromUtf8(shown ? kMonthBillHandedOver : kMonthBillKept)
                     .arg(shown ? QFileInfo(kept).fileName() : kept));
}

}  // namespace orv::accounting
