#include "app/ui/Tmainform.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include "app/core/KeptFiles.h"
#include "accounting/ui/AccountingPanel.h"
#include "accounting/ui/ProgramUpdate.h"
#include "app/ui/Forms.h"
#include "base/core/TextFile.h"
#include "app/ui/TForm1.h"
#include "reception/ui/ReceptionLauncher.h"
#include "results/ui/ResultsView.h"
#include "server/core/CurlFtpSession.h"
#include "base/ui/DoubleClick.h"
#include "server/ui/ReferenceDocuments.h"

Tmainform::Tmainform(QWidget* parent) : QWidget(parent), IdFTP1(std::make_unique<orv::CurlFtpSession>()) {
    BuildFrame();
    ConnectHandlers();
    results = new orv::results::ResultsView(*this, this);
    reception = new orv::reception::ReceptionLauncher(*this, this);
    reference = new orv::ui::ReferenceDocuments(*this, this);
    reference->isProgramFile = [](const QString& name) { return orv::IsKeptFileName(name.toStdString()); };
    connect(results->normalValuesAction, &QAction::triggered, reference,
            [this] { reference->showNormalValues(results->CurrentCellText()); });
    connect(results->testPriceAction, &QAction::triggered, reference,
            [this] { reference->showTestPrice(results->CurrentCellText()); });
    connect(results, &orv::results::ResultsView::gridClicked, reference, &orv::ui::ReferenceDocuments::closeFolderList);
    accounting = new orv::accounting::AccountingPanel(*this, this);
    accounting->chosenDay = [this] { return results->dateText(); };
    reference->billLines = [this] { return accounting->BillLines(); };
    update = new orv::accounting::ProgramUpdate(*this, this);
    update->billLines = [this] { return accounting->BillLines(); };
    connect(accounting, &orv::accounting::AccountingPanel::accountRead, update,
            &orv::accounting::ProgramUpdate::checkVersion);
    connect(accounting, &orv::accounting::AccountingPanel::noticeArrived, reference,
            &orv::ui::ReferenceDocuments::raiseNotice);
    connect(accounting, &orv::accounting::AccountingPanel::paymentRulesRequested, reference,
            &orv::ui::ReferenceDocuments::showPaymentRules);
    // What overlaps, bottom to top: the grid, the reference file list, the
    // accounting panel, the hits of the search across every day.
    results->resultGrid->lower();
    results->hitList->raise();
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
    connect(Timer1, &QTimer::timeout, this, &Tmainform::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &Tmainform::Timer2Timer);
    connect(Timer3, &QTimer::timeout, this, &Tmainform::Timer3Timer);
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
