#include "app/ui/SignInWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStandardPaths>

#include "app/core/AccessCode.h"
#include "app/core/Workspace.h"
#include "app/ui/Forms.h"
#include "app/ui/MainWindow.h"
#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"
#include "base/ui/Prompts.h"

SignInWindow::SignInWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Access Control"));
    setFixedSize(279, 56);

    passwordCaption = new QLabel(QStringLiteral("Enter Password"), this);
    passwordCaption->setObjectName(QStringLiteral("Label1"));
    accessCodeField = new QLineEdit(this);
    accessCodeField->setObjectName(QStringLiteral("Edit1"));
    accessCodeField->setEchoMode(QLineEdit::Password);
    accessCodeField->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // '*'
    okButton = new QPushButton(QStringLiteral("Ok"), this);
    okButton->setObjectName(QStringLiteral("SpeedButton1"));
    okButton->setAutoDefault(false);
    serverSettingsButton = new QToolButton(this);
    serverSettingsButton->setObjectName(QStringLiteral("serverSettingsButton"));
    serverSettingsButton->setText(QStringLiteral("⚙"));
    serverSettingsButton->setToolTip(QStringLiteral("تنظیمات سرور (Server settings)"));
    serverSettingsButton->setAutoRaise(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 8, 8);
    row->addWidget(passwordCaption);
    row->addWidget(accessCodeField, 1);
    row->addWidget(okButton);
    row->addWidget(serverSettingsButton);

    startCheckTimer = new QTimer(this);
    startCheckTimer->setInterval(300);
    waitForCheckTimer = new QTimer(this);
    waitForCheckTimer->setInterval(100);
    connect(startCheckTimer, &QTimer::timeout, this, &SignInWindow::startServerCheck);
    connect(waitForCheckTimer, &QTimer::timeout, this, &SignInWindow::showMainWindowWhenChecked);
    connect(okButton, &QPushButton::clicked, this, &SignInWindow::signIn);
    connect(accessCodeField, &QLineEdit::returnPressed, this, &SignInWindow::signIn);  // Enter acts as "Ok"
    connect(serverSettingsButton, &QToolButton::clicked, this, [] { mainWindow->ShowServerSettings(); });

    settleWorkspace();
}

orv::WorkspacePaths SignInWindow::SettledPaths() {
    const std::string documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    return orv::SettleLinuxWorkspace(documents, QDir::homePath().toStdString(),
                                     qEnvironmentVariable("ORVANET_WORKSPACE").toStdString());
}

void SignInWindow::settleWorkspace() {
    const orv::WorkspacePaths p = SettledPaths();
    root = QString::fromStdString(p.root);
    // The folder the desktop names as its own (on Linux from user-dirs.dirs).
    desktopFolder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void SignInWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        prepareWorkspace();
    }
}

void SignInWindow::prepareWorkspace() {
    if (!QDir(root).exists()) {
        orv::CreatePrivateFolder(root.toStdString());  // patients' results: the user's alone
        QCoreApplication::processEvents();
    }
    orv::RemoveSaveLeftovers(root.toStdString());
    const std::string check = LocalFile(QStringLiteral("check.txt"));
    if (!orv::FileExists(check)) {
        const orv::FileResult r = orv::WriteTextFile(check, mainWindow->CheckFileLines());
        if (!r.ok) orv::ui::MessageBox(this, QStringLiteral("Attention"), QString::fromStdString(r.error));
    }
    startCheckTimer->start();
    ApplyProxyFile();
    // A first start: nobody has said where the central laboratory is yet.
    if (mainWindow->Settings().ftpHost == orv::kPlaceholderHost)
        mainWindow->ShowServerSettings(QStringLiteral(
            "هنوز سرور تاروینا تنظیم نشده است (میزبان %1). نشانی، نام کاربری و رمز عبوری را که آزمایشگاه مرکزی داده است "
            "وارد کنید، «آزمایش اتصال» را بزنید و ذخیره کنید.")
                                         .arg(QString::fromLatin1(orv::kPlaceholderHost)));
}

void SignInWindow::ApplyProxyFile() {
    const std::string path = LocalFile(QStringLiteral("pro.txt"));
    if (!orv::FileExists(path)) return;  // no proxy file is the normal case
    const orv::TextReadResult file = orv::ReadTextFile(path);
    if (!file.ok) {
        orv::ui::MessageBox(this, QStringLiteral("Attention"), QString::fromStdString(file.error));
        return;
    }
    const orv::ProxyReadResult proxy = orv::ReadProxyLines(file.content.lines);
    // The values read before a failure are kept: the FTP client's proxy, and the
    // same four values as the time client's SOCKS settings; both stay direct.
    mainWindow->ftpProxy = proxy.settings;
    mainWindow->sntpProxy = proxy.settings;
    if (!proxy.error.empty()) orv::ui::MessageBox(this, QStringLiteral("Orvanet"), QString::fromStdString(proxy.error));
}

std::string SignInWindow::LocalFile(const QString& name) const { return QString(root + name).toStdString(); }

void SignInWindow::startServerCheck() {
    startCheckTimer->stop();
    mainWindow->checkServer();
}

void SignInWindow::signIn() {
    const std::optional<std::string> folder = orv::FolderCodeOf(accessCodeField->text().toStdString());
    if (!folder) {
        orv::ui::MessageBox(this, QStringLiteral("Attention"), QStringLiteral("***** Your password is Illegal *****"),
                            QMessageBox::Ok);
        accessCodeField->clear();
        return;
    }
    hide();
    mainWindow->State().labFolderCode = QString::fromStdString(*folder);
    mainWindow->securityIndicator->setPixmap(mainWindow->successPicture->pixmap());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    waitForCheckTimer->start();
}

void SignInWindow::showMainWindowWhenChecked() {
    if (!startCheckDone) return;
    waitForCheckTimer->stop();
    mainWindow->show();
    QApplication::restoreOverrideCursor();
}

void SignInWindow::closeEvent(QCloseEvent* event) {
    // The sign-in window is the application's main window: closing it ends the program.
    event->accept();
    QCoreApplication::quit();
}
