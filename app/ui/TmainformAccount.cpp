// The account refresh, the accounting panel, the debt calculation, the month
// chooser and the month bill. The figures come from the accounting logic
// (CalculateAccount); the handlers show them.
#include <QFileInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTimer>

#include "accounting/core/AccountFiles.h"
#include "accounting/ui/AccountPanel.h"
#include "accounting/ui/MonthBill.h"
#include "accounting/ui/SpinButton.h"
#include "app/ui/Forms.h"
#include "app/ui/TForm1.h"
#include "app/ui/Tmainform.h"
#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"
#include "base/ui/DoubleClick.h"
#include "base/ui/Prompts.h"
#include "results/ui/ReportPreview.h"
#include "results/ui/ResultsView.h"
#include "server/core/ServerMessages.h"

using namespace Qt::StringLiterals;
namespace acc = orv::accounting;

namespace {

const char* const kOverdueStatus = ". اخطار پرداخت صورت حساب";
const char* const kOverdueCaption = " اخطار پرداخت صورت حساب";
const char* const kMonthBillMissing =
    ". اين فايل جهت آزمايشگاه شما آماده نشده.لطفا به حسابداري تماس حاصل کنيد";
const char* const kMonthBillShowFailed = ". صورت حساب دریافت شده قابل نمایش نیست";
const char* const kMonthBillHandedOver =
    ". صورت حساب ماه در فایل %1 ذخیره شد و برای نمایش به برنامه مربوط به آن سپرده شد";
const char* const kMonthBillKept = ". صورت حساب ماه در فایل %1 ذخیره شد؛ برنامه ای برای نمایش آن روی این رایانه نیست";

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The user's number format, as the bill's decimals are read and the amounts written.
acc::NumberFormat UserNumberFormat() {
    const QLocale locale;
    acc::NumberFormat f;
    if (!locale.decimalPoint().isEmpty()) f.decimal = locale.decimalPoint().toStdString();
    f.group = locale.groupSeparator().toStdString();
    return f;
}

}  // namespace

void Tmainform::BuildAccounting() {
    const acc::AccountPanel p = acc::BuildAccountPanel(Panel1);
    Label32 = p.Label32;
    Label21 = p.Label21;
    Memo3 = p.Memo3;
    Label35 = p.Label35;
    Label10 = p.Label10;
    Label8 = p.Label8;
    Label25 = p.Label25;
    Label26 = p.Label26;
    Label29 = p.Label29;
    Label27 = p.Label27;
    SpeedButton10 = p.SpeedButton10;
    Label33 = p.Label33;
    SpeedButton12 = p.SpeedButton12;
    SpeedButton13 = p.SpeedButton13;
    SpeedButton17 = p.SpeedButton17;
    Edit3 = p.Edit3;
    SpinButton1 = p.SpinButton1;
    Memo2 = p.Memo2;
    SpeedButton14 = p.SpeedButton14;
    Label28 = p.Label28;
    calculat = new QToolButton(this);
    calculat->setObjectName(u"calculat"_s);
    calculat->hide();

    SpeedButton1->setEnabled(true);
    connect(SpeedButton1, &QToolButton::clicked, this, &Tmainform::SpeedButton1Click);
    // The overdue caption's blink: the button red while the title is empty.
    OnTitleBlink([this](bool captionShown) {
        QPalette pal = SpeedButton1->palette();
        pal.setColor(QPalette::ButtonText, captionShown ? Qt::black : Qt::red);
        SpeedButton1->setPalette(pal);
    });
    connect(SpeedButton12, &QToolButton::clicked, this, &Tmainform::SpeedButton12Click);
    connect(SpeedButton13, &QToolButton::clicked, this, &Tmainform::SpeedButton13Click);
    connect(calculat, &QToolButton::clicked, this, &Tmainform::calculatClick);
    connect(SpinButton1, &acc::SpinButton::UpClick, this, &Tmainform::SpinButton1UpClick);
    connect(SpinButton1, &acc::SpinButton::DownClick, this, &Tmainform::SpinButton1DownClick);
    connect(SpeedButton17, &QToolButton::clicked, this, &Tmainform::SpeedButton17Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &Tmainform::SpeedButton10Click);
    connect(SpeedButton14, &QToolButton::clicked, this, &Tmainform::SpeedButton14Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &Tmainform::SpeedButton9Click);
    orv::ui::OnDoubleClick(SpeedButton10, [this] { SpeedButton10DblClick(); });
    orv::ui::OnDoubleClick(Image6, [this] { Image6DblClick(); });
}

std::vector<std::string> Tmainform::BillLines() const {
    std::vector<std::string> lines;
    const QString text = Memo1->toPlainText();
    if (text.isEmpty()) return lines;
    for (const QString& l : text.split(u'\n')) lines.push_back(l.toStdString());
    return lines;
}

std::string Tmainform::Today() const { return state_.Today(); }

// Account refresh: the bill through the session the server check left open.
void Tmainform::SpeedButton2Click() {
    if (!farok) {
        Timer3->start();
        return;
    }
    billok = true;
    std::string bill;
    orv::ServerAction a = orv::ServerAction::DownloadToMemory(Q(acc::BillPath(pooshe.toStdString())), &bill, 0);
    a.testNetok = false;
    a.openSession = false;
    a.failureText = QString::fromUtf8(netok ? orv::msg::kServer : orv::msg::kNetworkRefresh);
    a.successText = u"Succese."_s;
    if (RunServerAction(a) != orv::ActionResult::Done) {
        Timer3->start();  // Memo1 keeps the previous bill
        return;
    }
    cap = u"   "_s;
    const orv::TextContent text = orv::DecodeText(bill);
    const acc::Account account = acc::CalculateAccount(text.lines, Today(), pooshe.toStdString(), UserNumberFormat());
    if (!account.ok) {
        // A bill that cannot be read keeps the previous one and its figures.
        billUnreadable_ = QString::fromStdString(". " + account.error);
        Flash(billUnreadable_);
        Timer3->start();
        return;
    }
    billUnreadable_.clear();
    QStringList lines;
    for (const std::string& l : text.lines) lines << Q(l);
    Memo1->setPlainText(lines.join(u'\n'));
    Label32->setText(Q(account.name));
    tav = account.tav;
    VersionCheck(account);
    if (alarm != 0 && alarm < account.counter) RaiseNotice();
    block = account.block;
    maxb = account.maxb;
    if (account.hasUnpaid) {
        parmah = Q(account.parmah);
        SolarDatePicker2->setText(Q(account.dueDate));
        Gauge1->setValue(account.gauge);
        if (account.warning) {
            Flash(kOverdueStatus);
            cap = QString::fromUtf8(kOverdueCaption);
            if (block) billok = false;
        }
    }
    Timer3->start();
}

// The recommendation flag: the central laboratory has a new notice.
void Tmainform::RaiseNotice() {
    timerr2 = 0;
    RaiseRecommendationFlag();
    Timer5->start();
}

void Tmainform::SpeedButton1Click() {
    if (!farok) Flash(ServerDownMessage());
    if (!netok) Flash(orv::msg::kNetworkRefresh);
    if (!netok || !farok) return;
    if (Memo1->toPlainText().isEmpty()) {
        // No bill to show: when the last one could not be read, say why.
        if (!billUnreadable_.isEmpty()) Flash(billUnreadable_);
        return;
    }
    if (par)
        SpeedButton13Click();
    else
        calculatClick();
    Panel1->show();
    Panel1->raise();
}

void Tmainform::SpeedButton12Click() { Panel1->hide(); }

void Tmainform::SpeedButton13Click() {
    SpeedButton15Click();
    for (int i = 0; i < 3; ++i) ProcessMessages();
    SpeedButton2Click();
    for (int i = 0; i < 3; ++i) ProcessMessages();
    calculatClick();
}

void Tmainform::ShowMonthChoice() {
    const acc::MonthChoice choice = acc::ChooseMonth(SolarDatePicker2->text().toStdString());
    Edit3->setText(Q(choice.text));
    Edit3->setToolTip(Q(choice.key));
}

// Debt calculation: the panel's figures for the bill in Memo1.
void Tmainform::calculatClick() {
    SolarDatePicker2->setText(results->dateText());
    ShowMonthChoice();
    const acc::Account account =
        acc::CalculateAccount(BillLines(), Today(), pooshe.toStdString(), UserNumberFormat());
    const acc::Debt& debt = account.ok ? account.debt : acc::Debt{};
    QStringList unpaid;
    for (const std::string& line : debt.memo3) unpaid << Q(line);
    Memo3->setPlainText(unpaid.join(u'\n'));
    Label35->setText(Q(debt.Label35));
    Label10->setText(Q(debt.Label10));
    Label8->setText(Q(debt.Label8));
    Label26->setText(Q(debt.Label26));
    Label29->setText(Q(debt.Label29));
    Label27->setText(Q(debt.Label27));
    if (!account.ok || !debt.ok) {
        // Nothing is payable from figures that could not be read.
        nodata = true;
        Flash(". " + (account.ok ? debt.error : account.error));
        return;
    }
    nodata = debt.nodata;
    if (nodata) return;
    parmah = Q(debt.parmah);
    kol = debt.kol;
    m = debt.m;
    pardata = Q(debt.pardata);
    SolarDatePicker2->setText(Q(debt.windowEnd));
}

void Tmainform::SpinButton1UpClick() {
    SolarDatePicker2->IncMonth(1);
    ShowMonthChoice();
}

void Tmainform::SpinButton1DownClick() {
    SolarDatePicker2->DecMonth(1);
    ShowMonthChoice();
}

// The chosen month's itemised bill, downloaded whole into "temp.qrp" and previewed.
void Tmainform::SpeedButton17Click() {
    ProgressBar1->setValue(0);
    if (!netok) {
        Flash(orv::msg::kNetworkRefresh);
        NormalCursor();
        return;
    }
    const QString local = Q(Form1->LocalFile(QString::fromLatin1(acc::kMonthBillFile)));
    const std::string monthKey = Edit3->toolTip().toStdString();
    orv::ServerAction a =
        orv::ServerAction::Download(Q(acc::MonthBillPath(pooshe.toStdString(), monthKey)), local, 200000);
    // "Not prepared" only when the server has no bill for the month; a cut transfer says so.
    a.notReadyText = QString::fromUtf8(kMonthBillMissing);
    a.successText = QString::fromUtf8("صورت حساب شما با موفقیت دانلود شد ");
    if (RunServerAction(a) != orv::ActionResult::Done) return;
    acc::MonthBill monthBill;
    if (monthBill.Load(local)) {
        orv::results::ReportPreview::Show([&monthBill](QPrinter& printer) { monthBill.Render(printer); },
                                          [&monthBill] { return monthBill.Bytes(); }, this);
        return;
    }
    if (monthBill.Bytes().isEmpty()) {
        Flash(kMonthBillShowFailed);
        return;
    }
    // Not a PDF: a bill as the central laboratory's reporting program saves it.
    // Kept as the month's own file and handed to the desktop's program for it.
    const QString kept = Q(Form1->LocalFile(Q(acc::MonthBillFileName(monthKey))));
    const QByteArray& bytes = monthBill.Bytes();
    if (!orv::WriteFileAtomically(kept.toStdString(), std::string_view(bytes.constData(), bytes.size())).ok) {
        Flash(orv::msg::kLocalFile);
        return;
    }
    const bool shown = HandToDesktop(kept);
    Flash(QString::fromUtf8(shown ? kMonthBillHandedOver : kMonthBillKept)
              .arg(shown ? QFileInfo(kept).fileName() : kept));
}
