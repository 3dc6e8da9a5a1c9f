// The main window's frame: layout, status line and its blink, indicators,
// title blink, cursor and event pumping.
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include "app/ui/Banner.h"
#include "app/ui/Forms.h"
#include "base/ui/Controls.h"
#include "app/ui/Pictures.h"
#include "accounting/ui/AccountingPanel.h"
#include "reception/ui/ReceptionWindow.h"
#include "app/ui/Tmainform.h"
#include "results/ui/ResultsView.h"
#include "server/core/ServerMessages.h"

namespace {

constexpr int kWidth = 823;
constexpr int kHeight = 514;
const QColor kBackground(220, 224, 250);

using orv::ui::Button;
using orv::ui::Caption;
using orv::ui::Place;

// Hidden buttons serve as callable actions.
QToolButton* HiddenButton(QWidget* parent, const char* name, const char* text) {
    auto* b = Button(parent, name, text, QRect(0, 0, 10, 10));
    b->hide();
    return b;
}

QTimer* MakeTimer(QObject* parent, const char* name, int ms) {
    auto* t = new QTimer(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setInterval(ms);
    return t;
}

}  // namespace

void Tmainform::BuildFrame() {
    setObjectName(QStringLiteral("mainform"));
    setFixedSize(kWidth, kHeight);
    move(0, 0);
    setWindowTitle(QString());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);
    setAutoFillBackground(true);

    Image1 = Place<QLabel>(this, "Image1", QRect(0, 0, kWidth, 62));
    Image1->setPixmap(orv::ui::BannerPicture(Image1->size()));

    BuildIndicators();

    // Bottom: status line and transfer gauge.
    Label2 = Caption(this, "Label2", "Receive Status :", QRect(8, 442, 96, 20));
    Label6 = Caption(this, "Label6", "", QRect(106, 442, 526, 20));
    Label6->setTextFormat(Qt::PlainText);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    Image10 = Place<QLabel>(this, "Image10", QRect(8, 468, 24, 24));
    ProgressBar1 = Place<QProgressBar>(this, "ProgressBar1", QRect(0, kHeight - 8, kWidth, 8));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);

    // Hidden working controls.
    SpeedButton15 = HiddenButton(this, "SpeedButton15", "server check");
    netokb = HiddenButton(this, "netokb", "check network");
    farokb = HiddenButton(this, "farokb", "checkserver");
    Memo5 = Place<QPlainTextEdit>(this, "Memo5", QRect(0, 0, 10, 10));
    Memo5->setPlainText(QStringLiteral("17"));
    Memo5->hide();

    // Controls brought to life by their own areas start disabled.

    Timer1 = MakeTimer(this, "Timer1", 200);
    Timer2 = MakeTimer(this, "Timer2", 600);
    Timer3 = MakeTimer(this, "Timer3", 35000);
    Timer6 = MakeTimer(this, "Timer6", 1000);
}

void Tmainform::BuildIndicators() {
    Image2 = Place<QLabel>(this, "Image2", QRect(0, 0, 24, 24));
    Image2->setPixmap(orv::ui::SuccessPicture());
    Image5 = Place<QLabel>(this, "Image5", QRect(0, 0, 24, 24));
    Image5->setPixmap(orv::ui::FailurePicture());
    Image9 = Place<QLabel>(this, "Image9", QRect(0, 0, 24, 24));
    Image9->setPixmap(orv::ui::PendingPicture());
    for (QLabel* holder : {Image2, Image5, Image9}) holder->hide();

    Label7 = Caption(this, "Label7", "Program Status", QRect(640, 254, 122, 20));
    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);
    SpeedButton18 = Button(this, "SpeedButton18", "⟳", QRect(791, 252, 24, 22), "Referesh");
    serverSettingsButton =
        Button(this, "serverSettingsButton", "⚙", QRect(765, 252, 24, 22), "تنظیمات سرور (Server settings)");
    struct Row {
        QLabel*& image;
        const char* imageName;
        QLabel*& label;
        const char* labelName;
        const char* caption;
    } rows[] = {
        {Image4, "Image4", Label14, "Label14", "Network Connction"},
        {Image8, "Image8", Label15, "Label15", "Tarvina Server"},
        {Image7, "Image7", Label17, "Label17", "Program Security"},
        {Image6, "Image6", Label18, "Label18", "UpTo Date"},
    };
    int y = 278;
    for (auto& r : rows) {
        r.image = Place<QLabel>(this, r.imageName, QRect(646, y, 24, 24));
        r.label = Caption(this, r.labelName, r.caption, QRect(676, y, 139, 24));
        SetPicture(r.image, Image9);
        y += 26;
    }
    Image6->setToolTip(QStringLiteral("Double Click For Update Program"));
    Image6->setCursor(Qt::PointingHandCursor);
}

void Tmainform::SetPicture(QLabel* indicator, QLabel* holder) { indicator->setPixmap(holder->pixmap()); }

void Tmainform::Flash(const QString& message) {
    timer = 0;
    Label6->hide();
    Timer2->start();
    Label6->setText(message);
}

void Tmainform::ShowWait() {
    Label6->setText(QString::fromUtf8(orv::msg::kWait));
    Label6->show();
}

// Status line blink: visible from 0.6 s, hidden at 1.2 s, visible at 1.8 s,
// hidden at 2.4 s, visible from 3.0 s on.
void Tmainform::Timer2Timer() {
    ++timer;
    if (timer == 5) Timer2->stop();
    Label6->setVisible(Label6->isHidden());
    QCoreApplication::processEvents();
    if (cap != QStringLiteral("   ")) {
        if (!Timer6->isActive()) Timer6->start();  // restarting it every tick would hold it back
    }
    else {
        Timer6->stop();
    }
}

void Tmainform::Timer6Timer() {
    const bool shown = windowTitle() != cap;
    setWindowTitle(shown ? cap : QString());
    for (const auto& listener : titleBlinkListeners_) listener(shown);
}

void Tmainform::SetTitleBlink(const QString& caption) { cap = caption; }

void Tmainform::OnTitleBlink(std::function<void(bool)> listener) { titleBlinkListeners_.push_back(std::move(listener)); }

void Tmainform::SetStatus(const QString& text) { Label6->setText(text); }

QString Tmainform::StatusText() const { return Label6->text(); }

void Tmainform::RestartBlink() {
    timer = 0;
    Timer2->start();
}

QWidget* Tmainform::IndicatorWidget(orv::ui::Indicator which) {
    switch (which) {
        case orv::ui::Indicator::Network: return Image4;
        case orv::ui::Indicator::Server: return Image8;
        case orv::ui::Indicator::Security: return Image7;
        case orv::ui::Indicator::UpToDate: return Image6;
    }
    return nullptr;
}

void Tmainform::SetIndicator(orv::ui::Indicator which, orv::ui::IndicatorState state) {
    QLabel* holder = state == orv::ui::IndicatorState::Success   ? Image2
                     : state == orv::ui::IndicatorState::Failure ? Image5
                                                                 : Image9;
    SetPicture(static_cast<QLabel*>(IndicatorWidget(which)), holder);
}

void Tmainform::ResetTransferGauge() { ProgressBar1->setValue(0); }

void Tmainform::FillTransferGauge() { ProgressBar1->setValue(ProgressBar1->maximum()); }

void Tmainform::StartRefreshTimer() { Timer3->start(); }

void Tmainform::Hourglass() {
    if (!QApplication::overrideCursor()) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void Tmainform::NormalCursor() {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void Tmainform::ProcessMessages() {
    ++busy_;
    QCoreApplication::processEvents();
    --busy_;
}

void Tmainform::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void Tmainform::FormShow() {
    QCoreApplication::processEvents();
    Timer1->start();
    results->windowShown();
}

void Tmainform::Timer1Timer() {
    Timer1->stop();
    results->showDay();
    // A log-in refused or a certificate that failed at the start is said again
    // over the day's archive message: until it is mended nothing reaches the server.
    if (!farok && orv::msg::LastsUntilChecked(serverDown_.failure)) Flash(ServerDownMessage());
    // Another server action may be waiting for the network now: the account
    // refresh then runs after it, and closes the session the check left open.
    RunWhenIdle([this] { accounting->refreshAccount(); });
}

// Closing or hiding the main window ends the program (minimising does not).
void Tmainform::closeEvent(QCloseEvent* event) {
    // The reception window first: a worklist it could not save keeps both open.
    if (receptionWindow && receptionWindow->isVisible() && !receptionWindow->close()) {
        event->ignore();
        return;
    }
    if (IdFTP1) IdFTP1->Abort();
    event->accept();
    QCoreApplication::exit(0);
}

void Tmainform::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous() && !isMinimized()) {
        if (IdFTP1) IdFTP1->Abort();
        QCoreApplication::exit(0);
    }
}
