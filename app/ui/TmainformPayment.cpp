// The payment request and the messages to the central laboratory.
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>
#include <optional>

#include "accounting/core/AccountFiles.h"
#include "app/ui/Tmainform.h"
#include "base/core/TextFile.h"
#include "base/ui/Prompts.h"
#include "server/core/ServerMessages.h"

using namespace Qt::StringLiterals;
namespace acc = orv::accounting;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

const char* const kNothingToPay = ". هیچ مقداری جهت پرداخت مهیا نمیباشد";
const char* const kOtherActionRunning = ". عملیات دیگری با سرور در حال اجراست، لطفا پس از پایان آن دوباره سعی کنید";

}  // namespace

// Payment request: an empty marker named after the payment record, then the payment page.
void Tmainform::SpeedButton10Click() {
    // A month that comes to nothing or less after its discounts is not payable.
    if (nodata || m <= 0) {
        Flash(kNothingToPay);
        return;
    }
    // The panel and the payment flag stay as they are until the running action has ended.
    if (ServerBusy()) {
        Flash(kOtherActionRunning);
        return;
    }
    SpeedButton10->setEnabled(false);
    Timer4->start();
    Flash(".لطفا کمی صبر کنید");
    if (!farok) {
        Flash(ServerDownMessage());
        return;
    }
    if (!netok) {
        Flash(orv::msg::kNetworkRefresh);
        return;
    }
    Panel1->hide();
    par = true;
    // The marker is empty; a message being typed in Memo2 stays for its own sending.
    orv::ServerAction a =
        orv::ServerAction::UploadBytes(QByteArray(), Q(acc::PaymentMarkerPath(pardata.toStdString())));
    a.failureText = QString::fromUtf8(orv::msg::kServer);
    a.successText = Label6->text();  // the blink restarts with the current text
    if (RunServerAction(a) != orv::ActionResult::Done) return;
    const orv::ServerSettings settings = Settings();
    const std::string address = acc::PaymentAddress(settings.PaymentHost(), settings.paymentPort,
                                                    Label32->text().toStdString(), m, pardata.toStdString());
    orv::ui::OpenUrl(QUrl(Q(address), QUrl::StrictMode));
}

void Tmainform::SpeedButton10DblClick() {
    orv::ui::MessageBox(this, u"attention"_s, QString::fromUtf8("لطفا فقط یکبار کلیک نمایید"), QMessageBox::Ok,
                        QMessageBox::Information);
    orv::ui::Beep();
}

// Send: the memo's lines as a text file in the laboratory's "comments" folder,
// under a name no earlier message of the day holds.
void Tmainform::SpeedButton14Click() {
    const int n = MessageNumber ? MessageNumber() : static_cast<int>(QRandomGenerator::global()->bounded(1000));
    const std::string code = pooshe.toStdString();
    const std::string y = ya.toStdString(), mo = ma.toStdString(), d = da.toStdString();
    std::vector<std::string> lines;
    if (!Memo2->toPlainText().isEmpty())
        for (const QString& l : Memo2->toPlainText().split(u'\n')) lines.push_back(l.toStdString());
    const std::string body = orv::EncodeText(lines, orv::TextEncoding::Cp1256);  // each line ends with CR LF
    std::string name = acc::MessageName(code, y, mo, d, n);
    ghabz = Q(name);

    orv::ServerAction a;
    a.networkForm = orv::NetworkForm::Refresh;  // without the network no session opens: said as the panel says it
    a.source = ghabz;
    a.dest = Q(acc::MessagePath(code, name));
    a.transfer = [&](orv::FtpSession& session) {
        // A name already on the server is passed over. Only a name the server
        // says it lacks is free: a look that broke off ends the sending, so an
        // earlier message is never written over.
        std::string existing;
        std::optional<orv::FtpResult> broken;
        const std::optional<int> free = acc::FreeMessageNumber(n, [&](int candidate) {
            if (broken) return true;  // the search runs out without asking the server again
            const orv::FtpResult r =
                session.GetMemory(acc::MessagePath(code, acc::MessageName(code, y, mo, d, candidate)), existing);
            const bool lacked = !r && r.failure == orv::FtpFailure::RemoteMissing;
            if (!r && !lacked) broken = r;
            return !lacked;
        });
        if (broken) return *broken;
        if (!free) return orv::FtpResult::Fail("every message name of the day is taken");
        name = acc::MessageName(code, y, mo, d, *free);
        return session.PutMemory(body, acc::MessagePath(code, name));
    };
    a.successText = QString::fromUtf8("پیغام شما با موفقیت ارسال گردید");
    const orv::ActionResult result = RunServerAction(a);
    ghabz = Q(name);
    if (result == orv::ActionResult::TransferFailed) {
        orv::ui::MessageBox(this, u"Error"_s, LastServerError(), QMessageBox::Ok, QMessageBox::Critical);
        return;
    }
    if (result == orv::ActionResult::Done) Memo2->clear();
}
