// The main window's frame: layout, status line and its blink, indicators,
// title blink, cursor and event pumping.
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
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
#include "base/ui/Prompts.h"
#include "base/ui/SentenceOrder.h"
#include "app/ui/Pictures.h"
#include "accounting/ui/AccountingPanel.h"
#include "reception/ui/ReceptionWindow.h"
#include "app/ui/MainWindow.h"
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

void MainWindow::BuildFrame() {
    setObjectName(QStringLiteral("mainform"));
    setFixedSize(kWidth, kHeight);
    move(0, 0);
    setWindowTitle(QString());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);
    setAutoFillBackground(true);

    banner = Place<QLabel>(this, "Image1", QRect(0, 0, kWidth, 62));
    banner->setPixmap(orv::ui::BannerPicture(banner->size()));

    BuildIndicators();

    // Bottom: status line and transfer gauge.
    statusCaption = Caption(this, "Label2", "Receive Status :", QRect(8, 442, 96, 20));
    statusLine = Caption(this, "Label6", "", QRect(106, 442, 526, 20));
    statusLine->setTextFormat(Qt::PlainText);
    statusLine->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    orv::ui::PaintPeriodLast(statusLine);  // ". سرور ... نميباشد" ends with its period
    debtGaugeIcon = Place<QLabel>(this, "Image10", QRect(8, 468, 24, 24));
    transferGauge = Place<QProgressBar>(this, "ProgressBar1", QRect(0, kHeight - 8, kWidth, 8));
    transferGauge->setTextVisible(false);
    transferGauge->setRange(0, 1);
    transferGauge->setValue(0);

    // Hidden working controls.
    serverCheckButton = HiddenButton(this, "SpeedButton15", "server check");
    networkCheckButton = HiddenButton(this, "netokb", "check network");
    serverTestButton = HiddenButton(this, "farokb", "checkserver");
    checkFileText = Place<QPlainTextEdit>(this, "Memo5", QRect(0, 0, 10, 10));
    checkFileText->setPlainText(QStringLiteral("17"));
    checkFileText->hide();

    // Controls brought to life by their own areas start disabled.

    firstShowTimer = MakeTimer(this, "Timer1", 200);
    statusBlinkTimer = MakeTimer(this, "Timer2", 600);
    refreshTimer = MakeTimer(this, "Timer3", 35000);
    titleBlinkTimer = MakeTimer(this, "Timer6", 1000);
}

void MainWindow::BuildIndicators() {
    successPicture = Place<QLabel>(this, "Image2", QRect(0, 0, 24, 24));
    successPicture->setPixmap(orv::ui::SuccessPicture());
    failurePicture = Place<QLabel>(this, "Image5", QRect(0, 0, 24, 24));
    failurePicture->setPixmap(orv::ui::FailurePicture());
    pendingPicture = Place<QLabel>(this, "Image9", QRect(0, 0, 24, 24));
    pendingPicture->setPixmap(orv::ui::PendingPicture());
    for (QLabel* holder : {successPicture, failurePicture, pendingPicture}) holder->hide();

    programStatusCaption = Caption(this, "Label7", "Program Status", QRect(640, 254, 122, 20));
    QFont bold = programStatusCaption->font();
    bold.setBold(true);
    programStatusCaption->setFont(bold);
    refreshButton = Button(this, "SpeedButton18", "⟳", QRect(791, 252, 24, 22), "Referesh");
    serverSettingsButton =
        Button(this, "serverSettingsButton", "⚙", QRect(765, 252, 24, 22), "تنظیمات سرور (Server settings)");
    struct Row {
        QLabel*& image;
        const char* imageName;
        QLabel*& label;
        const char* labelName;
        const char* caption;
    } rows[] = {
        {networkIndicator, "Image4", networkCaption, "Label14", "Network Connction"},
        {serverIndicator, "Image8", serverCaption, "Label15", "Tarvina Server"},
        {securityIndicator, "Image7", securityCaption, "Label17", "Program Security"},
        {upToDateIndicator, "Image6", upToDateCaption, "Label18", "UpTo Date"},
    };
    int y = 278;
    for (auto& r : rows) {
        r.image = Place<QLabel>(this, r.imageName, QRect(646, y, 24, 24));
        r.label = Caption(this, r.labelName, r.caption, QRect(676, y, 139, 24));
        SetPicture(r.image, pendingPicture);
        y += 26;
    }
    upToDateIndicator->setToolTip(QStringLiteral("Double Click For Update Program"));
    upToDateIndicator->setCursor(Qt::PointingHandCursor);
}

void MainWindow::SetPicture(QLabel* indicator, QLabel* holder) { indicator->setPixmap(holder->pixmap()); }

void MainWindow::Flash(const QString& message) {
    statusBlinkTicks = 0;
    statusLine->hide();
    statusBlinkTimer->start();
    SetStatus(message);
}

void MainWindow::ShowWait() {
    SetStatus(QString::fromUtf8(orv::msg::kWait));
    statusLine->show();
}

// Status line blink: visible from 0.6 s, hidden at 1.2 s, visible at 1.8 s,
// hidden at 2.4 s, visible from 3.0 s on.
void MainWindow::blinkStatusLine() {
    ++statusBlinkTicks;
    if (statusBlinkTicks == 5) statusBlinkTimer->stop();
    statusLine->setVisible(statusLine->isHidden());
    QCoreApplication::processEvents();
    if (titleCaption != QStringLiteral("   ")) {
        if (!titleBlinkTimer->isActive()) titleBlinkTimer->start();  // restarting it every tick would hold it back
    }
    else {
        titleBlinkTimer->stop();
    }
}

void MainWindow::blinkTitle() {
    const bool shown = windowTitle() != titleCaption;
    setWindowTitle(shown ? titleCaption : QString());
    for (const auto& listener : titleBlinkListeners_) listener(shown);
}

void MainWindow::SetTitleBlink(const QString& caption) { titleCaption = caption; }

void MainWindow::OnTitleBlink(std::function<void(bool)> listener) { titleBlinkListeners_.push_back(std::move(listener)); }

// A sentence longer than the line (a notice with two dates, a server's own words)
// is set in a smaller type rather than cut at both ends; the whole of it is also
// the line's tooltip.
void MainWindow::SetStatus(const QString& text) {
    if (statusFont_.pointSizeF() <= 0) statusFont_ = statusLine->font();
    QFont font = statusFont_;
    constexpr qreal kSmallest = 6.0;
    const int room = statusLine->width() - 2;
    while (QFontMetrics(font).horizontalAdvance(text) > room && font.pointSizeF() - 0.5 >= kSmallest)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    statusLine->setFont(font);
    statusLine->setToolTip(font == statusFont_ ? QString() : text);
    statusLine->setText(text);
}

QString MainWindow::StatusText() const { return statusLine->text(); }

void MainWindow::RestartBlink() {
    statusBlinkTicks = 0;
    statusBlinkTimer->start();
}

QWidget* MainWindow::IndicatorWidget(orv::ui::Indicator which) {
    switch (which) {
        case orv::ui::Indicator::Network: return networkIndicator;
        case orv::ui::Indicator::Server: return serverIndicator;
        case orv::ui::Indicator::Security: return securityIndicator;
        case orv::ui::Indicator::UpToDate: return upToDateIndicator;
    }
    return nullptr;
}

void MainWindow::SetIndicator(orv::ui::Indicator which, orv::ui::IndicatorState state) {
    QLabel* holder = state == orv::ui::IndicatorState::Success   ? successPicture
                     : state == orv::ui::IndicatorState::Failure ? failurePicture
                                                                 : pendingPicture;
    SetPicture(static_cast<QLabel*>(IndicatorWidget(which)), holder);
}

void MainWindow::ResetTransferGauge() { transferGauge->setValue(0); }

void MainWindow::FillTransferGauge() { transferGauge->setValue(transferGauge->maximum()); }

void MainWindow::StartRefreshTimer() { refreshTimer->start(); }

bool MainWindow::HandToDesktop(const QString& path) {
    return orv::ui::OpenFile(path, this, [this, path] { SayNotOpened(path); });
}

void MainWindow::SayNotOpened(const QString& path) {
    Flash(QStringLiteral("The desktop's program could not open ") + path);
}

void MainWindow::Hourglass() {
    if (!QApplication::overrideCursor()) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void MainWindow::NormalCursor() {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void MainWindow::ProcessMessages() {
    ++busy_;
    QCoreApplication::processEvents();
    --busy_;
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) prepareOnShow();
}

void MainWindow::prepareOnShow() {
    QCoreApplication::processEvents();
    firstShowTimer->start();
    results->windowShown();
}

void MainWindow::afterFirstShow() {
    firstShowTimer->stop();
    results->showDay();
    // A log-in refused or a certificate that failed at the start is said again
    // over the day's archive message: until it is mended nothing reaches the server.
    if (!state_.serverOk && orv::msg::LastsUntilChecked(serverDown_.failure)) Flash(ServerDownMessage());
    // Another server action may be waiting for the network now: the account
    // refresh then runs after it, and closes the session the check left open.
    RunWhenIdle([this] { accounting->refreshAccount(); });
}

// Closing or hiding the main window ends the program (minimising does not).
void MainWindow::closeEvent(QCloseEvent* event) {
    // The reception window first: a worklist it could not save keeps both open.
    if (receptionWindow && receptionWindow->isVisible() && !receptionWindow->close()) {
        event->ignore();
        return;
    }
    if (ftp) ftp->Abort();
    event->accept();
    QCoreApplication::exit(0);
}

void MainWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous() && !isMinimized()) {
        if (ftp) ftp->Abort();
        QCoreApplication::exit(0);
    }
}
