#include "app/ui/TForm1.h"

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
#include "app/ui/Tmainform.h"
#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"
#include "base/ui/Prompts.h"

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Access Control"));
    setFixedSize(279, 56);

    Label1 = new QLabel(QStringLiteral("Enter Password"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEchoMode(QLineEdit::Password);
    Edit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // '*'
    SpeedButton1 = new QPushButton(QStringLiteral("Ok"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setAutoDefault(false);
    serverSettingsButton = new QToolButton(this);
    serverSettingsButton->setObjectName(QStringLiteral("serverSettingsButton"));
    serverSettingsButton->setText(QStringLiteral("⚙"));
    serverSettingsButton->setToolTip(QStringLiteral("تنظیمات سرور (Server settings)"));
    serverSettingsButton->setAutoRaise(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 8, 8);
    row->addWidget(Label1);
    row->addWidget(Edit1, 1);
    row->addWidget(SpeedButton1);
    row->addWidget(serverSettingsButton);

    Timer1 = new QTimer(this);
    Timer1->setInterval(300);
    Timer2 = new QTimer(this);
    Timer2->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &TForm1::SpeedButton1Click);  // Enter acts as "Ok"
    connect(serverSettingsButton, &QToolButton::clicked, this, [] { mainform->ShowServerSettings(); });

    FormCreate();
}

orv::WorkspacePaths TForm1::SettledPaths() {
    const std::string documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    return orv::SettleLinuxWorkspace(documents, QDir::homePath().toStdString(),
                                     qEnvironmentVariable("ORVANET_WORKSPACE").toStdString());
}

void TForm1::FormCreate() {
    const orv::WorkspacePaths p = SettledPaths();
    root = QString::fromStdString(p.root);
    // The folder the desktop names as its own (on Linux from user-dirs.dirs).
    desk = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TForm1::FormShow() {
    if (!QDir(root).exists()) {
        orv::CreatePrivateFolder(root.toStdString());  // patients' results: the user's alone
        QCoreApplication::processEvents();
    }
    orv::RemoveSaveLeftovers(root.toStdString());
    const std::string check = LocalFile(QStringLiteral("check.txt"));
    if (!orv::FileExists(check)) {
        const orv::FileResult r = orv::WriteTextFile(check, mainform->Memo5Lines());
        if (!r.ok) orv::ui::MessageBox(this, QStringLiteral("Attention"), QString::fromStdString(r.error));
    }
    Timer1->start();
    ApplyProxyFile();
    // A first start: nobody has said where the central laboratory is yet.
    if (mainform->Settings().ftpHost == orv::kPlaceholderHost)
        mainform->ShowServerSettings(QStringLiteral(
            "هنوز سرور تاروینا تنظیم نشده است (میزبان %1). نشانی، نام کاربری و رمز عبوری را که آزمایشگاه مرکزی داده است "
            "وارد کنید، «آزمایش اتصال» را بزنید و ذخیره کنید.")
                                         .arg(QString::fromLatin1(orv::kPlaceholderHost)));
}

void TForm1::ApplyProxyFile() {
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
    mainform->ftpProxy = proxy.settings;
    mainform->sntpProxy = proxy.settings;
    if (!proxy.error.empty()) orv::ui::MessageBox(this, QStringLiteral("Orvanet"), QString::fromStdString(proxy.error));
}

std::string TForm1::LocalFile(const QString& name) const { return QString(root + name).toStdString(); }

void TForm1::Timer1Timer() {
    Timer1->stop();
    mainform->SpeedButton15Click();
}

void TForm1::SpeedButton1Click() {
    const std::optional<std::string> folder = orv::FolderCodeOf(Edit1->text().toStdString());
    if (!folder) {
        orv::ui::MessageBox(this, QStringLiteral("Attention"), QStringLiteral("***** Your password is Illegal *****"),
                            QMessageBox::Ok);
        Edit1->clear();
        return;
    }
    hide();
    mainform->pooshe = QString::fromStdString(*folder);
    mainform->Image7->setPixmap(mainform->Image2->pixmap());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Timer2->start();
}

void TForm1::Timer2Timer() {
    if (!waite) return;
    Timer2->stop();
    mainform->show();
    QApplication::restoreOverrideCursor();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The sign-in window is the application's main window: closing it ends the program.
    event->accept();
    QCoreApplication::quit();
}
