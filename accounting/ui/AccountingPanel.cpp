// The accounting panel's controls, the account refresh, opening and closing the
// panel, the debt calculation and the month chooser. The figures come from the
// accounting logic (CalculateAccount); the handlers show them.
#include "accounting/ui/AccountingPanel.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "accounting/core/AccountFiles.h"
#include "accounting/ui/AccountingText.h"
#include "accounting/ui/SpinButton.h"
#include "base/core/TextFile.h"
#include "base/ui/Controls.h"
#include "base/ui/DoubleClick.h"
#include "server/core/ServerMessages.h"
#include "server/ui/WindowFrame.h"
#include "solar/widgets/TSolarDatePicker.h"
#include "solar/widgets/TSolarMonthCalendar.h"

using namespace Qt::StringLiterals;

namespace orv::accounting {

namespace {

using orv::ui::Button;
using orv::ui::Caption;
using orv::ui::Place;
using orv::ui::WindowFrame;

const char* const kOverdueStatus = ". اخطار پرداخت صورت حساب";
const char* const kOverdueCaption = " اخطار پرداخت صورت حساب";

// Persian texts stand at the right edge whatever the widget's direction.
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;

QLabel* Text(QWidget* parent, const char* name, const char* text, QRect geometry, bool wrap = false) {
    auto* l = Caption(parent, name, text, geometry);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(kRight);
    l->setWordWrap(wrap);
    return l;
}

// Keeps the contents, laid out for the panel's design size, in the middle of
// the panel however large the window makes it.
class KeepInTheMiddle : public QObject {
public:
    KeepInTheMiddle(QWidget* panel, QWidget* contents) : QObject(panel), contents_(contents) {
        panel->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            const QSize size = static_cast<QWidget*>(watched)->size();
            contents_->move(std::max(0, (size.width() - contents_->width()) / 2),
                            std::max(0, (size.height() - contents_->height()) / 2));
        }
        return false;
    }

private:
    QWidget* contents_;
};

}  // namespace

NumberFormat UserNumberFormat() {
    const QLocale locale;
    NumberFormat f;
    if (!locale.decimalPoint().isEmpty()) f.decimal = locale.decimalPoint().toStdString();
    f.group = locale.groupSeparator().toStdString();
    return f;
}

AccountingPanel::AccountingPanel(WindowFrame& frame, QWidget* parent) : QFrame(parent), frame_(frame) {
    setObjectName(u"Panel1"_s);
    setGeometry(8, 100, 624, 336);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    hide();
    monthDate = Place<TSolarDatePicker>(this, "SolarDatePicker2", QRect(0, 0, 96, 24));
    monthDate->hide();
    monthCalendar = Place<TSolarMonthCalendar>(this, "SolarMonthCalendar2", QRect(0, 0, 217, 170));
    monthCalendar->hide();
    placeControls();
    placeFrameControls();

    constexpr int L = WindowFrame::kLeft, T = WindowFrame::kTop, R = WindowFrame::kRight, B = WindowFrame::kBottom;
    frame_.Anchor(this, L | T | R | B);
    frame_.Anchor(accountingButton, T | R);
    for (QWidget* w : std::initializer_list<QWidget*>{debtGauge, discount4Mark, discount3Mark, discount2Mark, daysLabel})
        frame_.Anchor(w, L | B);

    connect(accountingButton, &QToolButton::clicked, this, &AccountingPanel::openPanel);
    // The overdue caption's blink: the button red while the title is empty.
    frame_.OnTitleBlink([this](bool captionShown) {
        QPalette pal = accountingButton->palette();
        pal.setColor(QPalette::ButtonText, captionShown ? Qt::black : Qt::red);
        accountingButton->setPalette(pal);
    });
    connect(refreshAccountButton, &QToolButton::clicked, this, &AccountingPanel::refreshAccount);
    connect(closeButton, &QToolButton::clicked, this, &AccountingPanel::closePanel);
    connect(updatePaymentButton, &QToolButton::clicked, this, &AccountingPanel::updatePayment);
    connect(calculateButton, &QToolButton::clicked, this, &AccountingPanel::calculateDebt);
    connect(monthSpin, &SpinButton::UpClick, this, &AccountingPanel::nextMonth);
    connect(monthSpin, &SpinButton::DownClick, this, &AccountingPanel::previousMonth);
    connect(monthBillButton, &QToolButton::clicked, this, &AccountingPanel::fetchMonthBill);
    connect(payButton, &QToolButton::clicked, this, &AccountingPanel::requestPayment);
    connect(sendButton, &QToolButton::clicked, this, &AccountingPanel::sendMessage);
    orv::ui::OnDoubleClick(payButton, [this] { warnSingleClick(); });
    orv::ui::OnClick(paymentRulesLink, [this] { emit paymentRulesRequested(); });
    connect(payAgainTimer, &QTimer::timeout, this, [this] {
        payAgainTimer->stop();
        payButton->setEnabled(true);
    });
}

// The panel's contents: a block of 624 x 336 that stays in the middle of the panel as it grows.
void AccountingPanel::placeControls() {
    QWidget* panel = Place<QWidget>(this, "AccountContents", QRect(0, 0, 624, 336));
    new KeepInTheMiddle(this, panel);
    labNameLabel = Text(panel, "Label32", "", QRect(8, 4, 608, 26));
    labNameLabel->setAlignment(Qt::AlignCenter);
    QFont bold = labNameLabel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    labNameLabel->setFont(bold);

    // Left: the unpaid months, the month chooser and the message box.
    unpaidHeading = Text(panel, "Label21", "اولویت ماههای پرداخت نشده", QRect(8, 34, 262, 20));
    unpaidMonthsText = Place<QPlainTextEdit>(panel, "Memo3", QRect(8, 56, 262, 96));
    unpaidMonthsText->setReadOnly(true);
    unpaidMonthsText->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Each line reads label, amount, currency from the left, as the bill lists them.
    QTextOption leftToRight = unpaidMonthsText->document()->defaultTextOption();
    leftToRight.setTextDirection(Qt::LeftToRight);
    unpaidMonthsText->document()->setDefaultTextOption(leftToRight);
    totalDebtLabel = Text(panel, "Label35", "", QRect(8, 154, 262, 20));
    monthField = Place<QLineEdit>(panel, "Edit3", QRect(8, 180, 124, 24));
    monthField->setReadOnly(true);
    monthField->setAlignment(Qt::AlignCenter);
    monthSpin = Place<SpinButton>(panel, "SpinButton1", QRect(134, 180, 16, 24));
    monthBillButton = Button(panel, "SpeedButton17", "دریافت صورت حساب", QRect(154, 180, 116, 24),
                             "دریافت صورت حساب ماه انتخابی در لیست");
    messageText = Place<QPlainTextEdit>(panel, "Memo2", QRect(8, 212, 262, 86));
    messageText->setToolTip(QString::fromUtf8("ارسال مشکل و یا توصیه و یا درخواست تست جدید"));
    messageText->setLineWrapMode(QPlainTextEdit::NoWrap);
    messageText->setLayoutDirection(Qt::RightToLeft);
    // Written from the right, as Persian is; a line of Latin letters keeps its order.
    QTextOption rightToLeft = messageText->document()->defaultTextOption();
    rightToLeft.setTextDirection(Qt::RightToLeft);
    rightToLeft.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    messageText->document()->setDefaultTextOption(rightToLeft);
    sendButton = Button(panel, "SpeedButton14", "Send", QRect(8, 302, 76, 26), "ارسال متن به آزمایشگاه تاروینا");

    // Right: the payable month, its discounts and the payment.
    payableMonthLabel = Text(panel, "Label10", "", QRect(278, 34, 338, 20));
    monthAmountLabel = Text(panel, "Label8", "", QRect(278, 56, 338, 20));
    discountNote = Text(panel, "Label25", "  اگر امروز اقدام به پرداخت نمایید ، از تخفیف زیر برخوردار خواهید شد ",
                        QRect(278, 78, 338, 36), true);
    paymentDiscountLabel = Text(panel, "Label26", "", QRect(278, 114, 338, 38), true);
    volumeDiscountLabel = Text(panel, "Label29", "", QRect(278, 152, 338, 20));
    amountAfterDiscountsLabel = Text(panel, "Label27", "", QRect(278, 172, 338, 20));
    payButton = Button(panel, "SpeedButton10", "  پرداخت مبلغ نهایی مربوط به اولین اولویت", QRect(278, 196, 338, 28),
                       "پرداخت از طریق درگاه امن");
    paymentNote = Text(panel, "Label33",
                       ".لطفا پس از پرداخت حتما دکمه تکمیل فرایند پرداخت را زده و سپس صفحه اینترنتی مربوط به پرداخت را ببندید ",
                       QRect(278, 228, 338, 36), true);
    updatePaymentButton = Button(panel, "SpeedButton13", "بروزرسانی پرداخت جاری", QRect(450, 268, 166, 26),
                                 "آمادگی برای پرداخت ماه بعد");
    closeButton = Button(panel, "SpeedButton12", "   Close", QRect(278, 268, 166, 26));
    paymentRulesLink = Text(panel, "Label28", "< مشاهده قوانین پرداخت >", QRect(278, 306, 338, 20));
    paymentRulesLink->setCursor(Qt::PointingHandCursor);
    QPalette link = paymentRulesLink->palette();
    link.setColor(QPalette::WindowText, Qt::blue);
    paymentRulesLink->setPalette(link);
}

// What the part keeps on the main window itself.
void AccountingPanel::placeFrameControls() {
    QWidget* canvas = frame_.Canvas();
    accountingButton = Button(canvas, "SpeedButton1", "Accounting", QRect(640, 222, 86, 26), "امور حسابداری");
    debtGauge = Place<QProgressBar>(canvas, "Gauge1", QRect(36, 474, 360, 12));
    debtGauge->setRange(0, 120);
    debtGauge->setValue(0);
    debtGauge->setTextVisible(false);
    // Discount marks along the gauge (days 30, 60, 90 of 120).
    discount4Mark = Caption(canvas, "Label20", "تخفیف ٪۴", QRect(36 + 90 - 30, 488, 60, 16));
    discount3Mark = Caption(canvas, "Label22", "تخفیف ٪۳", QRect(36 + 180 - 30, 488, 60, 16));
    discount2Mark = Caption(canvas, "Label23", "تخفیف ٪۲", QRect(36 + 270 - 30, 488, 60, 16));
    for (QLabel* l : {discount4Mark, discount3Mark, discount2Mark}) l->setAlignment(Qt::AlignCenter);
    daysLabel = Caption(canvas, "Label24", "Days", QRect(402, 472, 40, 16));
    refreshAccountButton = Button(canvas, "SpeedButton2", "account", QRect(0, 0, 10, 10));
    refreshAccountButton->hide();
    billText = Place<QPlainTextEdit>(canvas, "Memo1", QRect(0, 0, 10, 10));
    billText->hide();
    calculateButton = new QToolButton(canvas);
    calculateButton->setObjectName(u"calculat"_s);
    calculateButton->hide();
    payAgainTimer = new QTimer(this);
    payAgainTimer->setObjectName(u"Timer4"_s);
    payAgainTimer->setInterval(3000);
}

QStringList AccountingPanel::BillLines() const {
    const QString text = billText->toPlainText();
    if (text.isEmpty()) return {};
    return text.split(u'\n');
}

std::vector<std::string> AccountingPanel::billLineList() const {
    std::vector<std::string> lines;
    for (const QString& l : BillLines()) lines.push_back(l.toStdString());
    return lines;
}

// Account refresh: the bill through the session the server check left open.
void AccountingPanel::refreshAccount() {
    orv::ui::SessionState& state = frame_.State();
    if (!state.serverOk) {
        frame_.StartRefreshTimer();
        return;
    }
    state.accountOk = true;
    std::string bill;
    orv::ServerAction a =
        orv::ServerAction::DownloadToMemory(Q(BillPath(state.labFolderCode.toStdString())), &bill, 0);
    a.testNetok = false;
    a.openSession = false;
    a.failureText = QString::fromUtf8(state.networkOk ? orv::msg::kServer : orv::msg::kNetworkRefresh);
    a.successText = u"Succese."_s;
    if (frame_.RunServerAction(a) != orv::ActionResult::Done) {
        frame_.StartRefreshTimer();  // the bill read before stays
        return;
    }
    frame_.SetTitleBlink(u"   "_s);
    const orv::TextContent text = orv::DecodeText(bill);
    const Account account =
        CalculateAccount(text.lines, state.Today(), state.labFolderCode.toStdString(), UserNumberFormat());
    if (!account.ok) {
        // A bill that cannot be read keeps the previous one and its figures.
        billUnreadable_ = QString::fromStdString(". " + account.error);
        frame_.Flash(billUnreadable_);
        frame_.StartRefreshTimer();
        return;
    }
    billUnreadable_.clear();
    QStringList lines;
    for (const std::string& l : text.lines) lines << Q(l);
    billText->setPlainText(lines.join(u'\n'));
    labNameLabel->setText(Q(account.name));
    sampleFactor = account.sampleFactor;
    emit accountRead(account);
    if (state.noticeRead != 0 && state.noticeRead < account.counter) emit noticeArrived();
    state.accountBlocked = account.block;
    overdueLimitDays = account.overdueLimitDays;
    if (account.hasUnpaid) {
        firstUnpaidMonth = Q(account.firstUnpaidMonth);
        monthDate->setText(Q(account.dueDate));
        debtGauge->setValue(account.gauge);
        if (account.warning) {
            frame_.Flash(kOverdueStatus);
            frame_.SetTitleBlink(QString::fromUtf8(kOverdueCaption));
            if (state.accountBlocked) state.accountOk = false;
        }
    }
    frame_.StartRefreshTimer();
}

void AccountingPanel::openPanel() {
    const orv::ui::SessionState& state = frame_.State();
    if (!state.serverOk) frame_.Flash(frame_.ServerDownMessage());
    if (!state.networkOk) frame_.Flash(orv::msg::kNetworkRefresh);
    if (!state.networkOk || !state.serverOk) return;
    if (billText->toPlainText().isEmpty()) {
        // No bill to show: when the last one could not be read, say why.
        if (!billUnreadable_.isEmpty()) frame_.Flash(billUnreadable_);
        return;
    }
    if (paymentRequested)
        updatePayment();
    else
        calculateDebt();
    show();
    raise();
}

void AccountingPanel::closePanel() { hide(); }

void AccountingPanel::updatePayment() {
    frame_.CheckServer();
    for (int i = 0; i < 3; ++i) frame_.ProcessMessages();
    refreshAccount();
    for (int i = 0; i < 3; ++i) frame_.ProcessMessages();
    calculateDebt();
}

void AccountingPanel::showMonthChoice() {
    const MonthChoice choice = ChooseMonth(monthDate->text().toStdString());
    monthField->setText(Q(choice.text));
    monthField->setToolTip(Q(choice.key));
}

// Debt calculation: the panel's figures for the bill read last.
void AccountingPanel::calculateDebt() {
    if (chosenDay) monthDate->setText(chosenDay());
    showMonthChoice();
    const orv::ui::SessionState& state = frame_.State();
    const Account account =
        CalculateAccount(billLineList(), state.Today(), state.labFolderCode.toStdString(), UserNumberFormat());
    const Debt& debt = account.ok ? account.debt : Debt{};
    QStringList unpaid;
    for (const std::string& line : debt.unpaidLines) unpaid << Q(line);
    unpaidMonthsText->setPlainText(unpaid.join(u'\n'));
    totalDebtLabel->setText(Q(debt.totalText));
    payableMonthLabel->setText(Q(debt.payableMonthText));
    monthAmountLabel->setText(Q(debt.monthAmountText));
    paymentDiscountLabel->setText(Q(debt.paymentDiscountText));
    volumeDiscountLabel->setText(Q(debt.volumeDiscountText));
    amountAfterDiscountsLabel->setText(Q(debt.afterDiscountsText));
    if (!account.ok || !debt.ok) {
        // Nothing is payable from figures that could not be read.
        noUnpaidMonth = true;
        frame_.Flash(". " + (account.ok ? debt.error : account.error));
        return;
    }
    noUnpaidMonth = debt.noUnpaidMonth;
    if (noUnpaidMonth) return;
    firstUnpaidMonth = Q(debt.firstUnpaidMonth);
    firstUnpaidAmount = debt.monthAmount;
    amountAfterDiscounts = debt.m;
    paymentRecord = Q(debt.paymentRecord);
    monthDate->setText(Q(debt.windowEnd));
}

void AccountingPanel::nextMonth() {
    monthDate->IncMonth(1);
    showMonthChoice();
}

void AccountingPanel::previousMonth() {
    monthDate->DecMonth(1);
    showMonthChoice();
}

}  // namespace orv::accounting
