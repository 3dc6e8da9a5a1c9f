#include "accounting/ui/AccountPanel.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextOption>
#include <QToolButton>
#include <algorithm>

#include "accounting/ui/SpinButton.h"
#include "base/ui/Controls.h"

namespace orv::accounting {

namespace {

using orv::ui::Button;
using orv::ui::Place;

// Persian texts stand at the right edge whatever the widget's direction.
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;

QLabel* Text(QWidget* parent, const char* name, const char* text, QRect geometry, bool wrap = false) {
    auto* l = orv::ui::Caption(parent, name, text, geometry);
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

AccountPanel BuildAccountPanel(QFrame* frame) {
    AccountPanel p;
    QWidget* panel = Place<QWidget>(frame, "AccountContents", QRect(0, 0, 624, 336));
    new KeepInTheMiddle(frame, panel);
    p.Label32 = Text(panel, "Label32", "", QRect(8, 4, 608, 26));
    p.Label32->setAlignment(Qt::AlignCenter);
    QFont bold = p.Label32->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    p.Label32->setFont(bold);

    // Left: the unpaid months, the month chooser and the message box.
    p.Label21 = Text(panel, "Label21", "اولویت ماههای پرداخت نشده", QRect(8, 34, 262, 20));
    p.Memo3 = Place<QPlainTextEdit>(panel, "Memo3", QRect(8, 56, 262, 96));
    p.Memo3->setReadOnly(true);
    p.Memo3->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Each line reads label, amount, currency from the left, as the bill lists them.
    QTextOption leftToRight = p.Memo3->document()->defaultTextOption();
    leftToRight.setTextDirection(Qt::LeftToRight);
    p.Memo3->document()->setDefaultTextOption(leftToRight);
    p.Label35 = Text(panel, "Label35", "", QRect(8, 154, 262, 20));
    p.Edit3 = Place<QLineEdit>(panel, "Edit3", QRect(8, 180, 124, 24));
    p.Edit3->setReadOnly(true);
    p.Edit3->setAlignment(Qt::AlignCenter);
    p.SpinButton1 = Place<SpinButton>(panel, "SpinButton1", QRect(134, 180, 16, 24));
    p.SpeedButton17 = Button(panel, "SpeedButton17", "دریافت صورت حساب", QRect(154, 180, 116, 24),
                             "دریافت صورت حساب ماه انتخابی در لیست");
    p.Memo2 = Place<QPlainTextEdit>(panel, "Memo2", QRect(8, 212, 262, 86));
    p.Memo2->setToolTip(QString::fromUtf8("ارسال مشکل و یا توصیه و یا درخواست تست جدید"));
    p.Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    p.Memo2->setLayoutDirection(Qt::RightToLeft);
    // Written from the right, as Persian is; a line of Latin letters keeps its order.
    QTextOption rightToLeft = p.Memo2->document()->defaultTextOption();
    rightToLeft.setTextDirection(Qt::RightToLeft);
    rightToLeft.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    p.Memo2->document()->setDefaultTextOption(rightToLeft);
    p.SpeedButton14 = Button(panel, "SpeedButton14", "Send", QRect(8, 302, 76, 26), "ارسال متن به آزمایشگاه تاروینا");

    // Right: the payable month, its discounts and the payment.
    p.Label10 = Text(panel, "Label10", "", QRect(278, 34, 338, 20));
    p.Label8 = Text(panel, "Label8", "", QRect(278, 56, 338, 20));
    p.Label25 = Text(panel, "Label25", "  اگر امروز اقدام به پرداخت نمایید ، از تخفیف زیر برخوردار خواهید شد ",
                     QRect(278, 78, 338, 36), true);
    p.Label26 = Text(panel, "Label26", "", QRect(278, 114, 338, 38), true);
    p.Label29 = Text(panel, "Label29", "", QRect(278, 152, 338, 20));
    p.Label27 = Text(panel, "Label27", "", QRect(278, 172, 338, 20));
    p.SpeedButton10 = Button(panel, "SpeedButton10", "  پرداخت مبلغ نهایی مربوط به اولین اولویت",
                             QRect(278, 196, 338, 28), "پرداخت از طریق درگاه امن");
    p.Label33 = Text(panel, "Label33",
                     ".لطفا پس از پرداخت حتما دکمه تکمیل فرایند پرداخت را زده و سپس صفحه اینترنتی مربوط به پرداخت را ببندید ",
                     QRect(278, 228, 338, 36), true);
    p.SpeedButton13 = Button(panel, "SpeedButton13", "بروزرسانی پرداخت جاری", QRect(450, 268, 166, 26),
                             "آمادگی برای پرداخت ماه بعد");
    p.SpeedButton12 = Button(panel, "SpeedButton12", "   Close", QRect(278, 268, 166, 26));
    p.Label28 = Text(panel, "Label28", "< مشاهده قوانین پرداخت >", QRect(278, 306, 338, 20));
    p.Label28->setCursor(Qt::PointingHandCursor);
    QPalette link = p.Label28->palette();
    link.setColor(QPalette::WindowText, Qt::blue);
    p.Label28->setPalette(link);
    return p;
}

}  // namespace orv::accounting
