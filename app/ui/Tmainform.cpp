#include "app/ui/Tmainform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include "app/ui/Forms.h"
#include "base/core/TextFile.h"
#include "app/ui/TForm1.h"
#include "reception/ui/TForm4.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultsView.h"
#include "server/core/CurlFtpSession.h"

Tmainform::Tmainform(QWidget* parent) : QWidget(parent), IdFTP1(std::make_unique<orv::CurlFtpSession>()) {
    BuildFrame();
    ConnectHandlers();
    results = new orv::results::ResultsView(*this, this);
    results->resultGrid->lower();  // under the reference file list and the accounting panel
    connect(results->normalValuesAction, &QAction::triggered, this, &Tmainform::N2Click);
    connect(results->testPriceAction, &QAction::triggered, this, &Tmainform::N3Click);
    connect(results, &orv::results::ResultsView::gridClicked, this, [this] {
        if (!Label5->isVisible()) return;  // the reference file list gives way
        SpeedButton8->setChecked(false);
        ListBox1->lower();
        Label5->hide();
    });
    BuildReception();
    BuildReference();
    BuildAccounting();
    BuildEveryday();
}

Tmainform::~Tmainform() {
    if (IdFTP1) IdFTP1->Close();
}

void Tmainform::ConnectHandlers() {
    connect(SpeedButton15, &QToolButton::clicked, this, &Tmainform::SpeedButton15Click);
    connect(netokb, &QToolButton::clicked, this, &Tmainform::netokbClick);
    connect(farokb, &QToolButton::clicked, this, &Tmainform::farokbClick);
    connect(SpeedButton18, &QToolButton::clicked, this, &Tmainform::SpeedButton18Click);
    connect(serverSettingsButton, &QToolButton::clicked, this, [this] { ShowServerSettings(); });
    connect(SpeedButton20, &QToolButton::clicked, this, &Tmainform::SpeedButton20Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &Tmainform::SpeedButton2Click);
    connect(Timer1, &QTimer::timeout, this, &Tmainform::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &Tmainform::Timer2Timer);
    connect(Timer3, &QTimer::timeout, this, &Tmainform::Timer3Timer);
    connect(Timer4, &QTimer::timeout, this, &Tmainform::Timer4Timer);
    connect(Timer5, &QTimer::timeout, this, &Tmainform::Timer5Timer);
    connect(Timer6, &QTimer::timeout, this, &Tmainform::Timer6Timer);
}

std::vector<std::string> Tmainform::Memo5Lines() const {
    std::vector<std::string> lines;
    for (const QString& l : Memo5->toPlainText().split(u'\n')) lines.push_back(l.toStdString());
    return lines;
}

void Tmainform::RecordNoticeRead(const QString& counter) {
    QStringList check = Memo5->toPlainText().split(u'\n');
    check[0] = counter;
    Memo5->setPlainText(check.join(u'\n'));
    alarm = counter.toInt();
    const orv::FileResult saved =
        orv::WriteTextFile(QString(WorkspaceRoot() + QStringLiteral("check.txt")).toStdString(), Memo5Lines());
    if (!saved) Flash(QStringLiteral("check.txt: ") + QString::fromStdString(saved.error));
}

orv::FtpResult Tmainform::OpenSession() {
    ConfigureSession();
    orv::FtpResult opened;
    Wait([&] { opened = IdFTP1->Open(); }, [this] { IdFTP1->Abort(); });
    return opened;
}

QString Tmainform::WorkspaceRoot() const { return Form1 ? Form1->root : QString(); }

QString Tmainform::DesktopFolder() const { return Form1 ? Form1->desk : QString(); }

orv::ServerSettings Tmainform::Settings() const {
    return orv::SettingsWithStoredPassword(WorkspaceRoot().toStdString(), storedPassword_);
}

void Tmainform::UsePasswordStore(orv::PasswordStore* store, std::optional<std::string> storedPassword) {
    passwordStore_ = store;
    storedPassword_ = std::move(storedPassword);
}

bool Tmainform::SaveSettings(orv::ServerSettings settings, const std::string& password, std::string* error,
                             const orv::ServerSettings* inherited) {
    const std::string root = WorkspaceRoot().toStdString();
    if (!orv::StorePassword(root, settings, password, passwordStore_, error, inherited)) return false;
    // The password is now where the file says: in it, or (the file holding none) in the store.
    storedPassword_ = password;
    return true;
}

// The reception window beside the main window, wholly on its screen.
void Tmainform::SpeedButton20Click() {
    if (Form4) Form4->ShowBeside(this);
}
