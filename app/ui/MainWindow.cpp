#include "app/ui/MainWindow.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QListWidget>
#include <QTimer>
#include <QToolButton>

#include "app/core/KeptFiles.h"
#include "accounting/ui/AccountingPanel.h"
#include "accounting/ui/ProgramUpdate.h"
#include "app/ui/Forms.h"
#include "base/core/TextFile.h"
#include "app/ui/SignInWindow.h"
#include "reception/ui/ReceptionLauncher.h"
#include "results/ui/ResultsView.h"
#include "server/core/CurlFtpSession.h"
#include "base/ui/DoubleClick.h"
#include "server/ui/ReferenceDocuments.h"

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), ftp(std::make_unique<orv::CurlFtpSession>()) {
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

MainWindow::~MainWindow() {
    if (ftp) ftp->Close();
}

void MainWindow::ConnectHandlers() {
    connect(serverCheckButton, &QToolButton::clicked, this, &MainWindow::checkServer);
    connect(networkCheckButton, &QToolButton::clicked, this, &MainWindow::checkNetwork);
    connect(serverTestButton, &QToolButton::clicked, this, &MainWindow::testServer);
    connect(refreshButton, &QToolButton::clicked, this, &MainWindow::refresh);
    connect(serverSettingsButton, &QToolButton::clicked, this, [this] { ShowServerSettings(); });
    connect(firstShowTimer, &QTimer::timeout, this, &MainWindow::afterFirstShow);
    connect(statusBlinkTimer, &QTimer::timeout, this, &MainWindow::blinkStatusLine);
    connect(refreshTimer, &QTimer::timeout, this, &MainWindow::onRefreshTimer);
    connect(titleBlinkTimer, &QTimer::timeout, this, &MainWindow::blinkTitle);
}

std::vector<std::string> MainWindow::CheckFileLines() const {
    std::vector<std::string> lines;
    for (const QString& l : checkFileText->toPlainText().split(u'\n')) lines.push_back(l.toStdString());
    return lines;
}

void MainWindow::RecordNoticeRead(const QString& counter) {
    QStringList check = checkFileText->toPlainText().split(u'\n');
    check[0] = counter;
    checkFileText->setPlainText(check.join(u'\n'));
    state_.noticeRead = counter.toInt();
    const orv::FileResult saved =
        orv::WriteTextFile(QString(WorkspaceRoot() + QStringLiteral("check.txt")).toStdString(), CheckFileLines());
    if (!saved) Flash(QStringLiteral("check.txt: ") + QString::fromStdString(saved.error));
}

orv::FtpResult MainWindow::OpenSession() {
    ConfigureSession();
    orv::FtpResult opened;
    Wait([&] { opened = ftp->Open(); }, [this] { ftp->Abort(); });
    return opened;
}

QString MainWindow::WorkspaceRoot() const { return signInWindow ? signInWindow->root : QString(); }

QString MainWindow::DesktopFolder() const { return signInWindow ? signInWindow->desktopFolder : QString(); }

orv::ServerSettings MainWindow::Settings() const {
    return orv::SettingsWithStoredPassword(WorkspaceRoot().toStdString(), storedPassword_);
}

void MainWindow::UsePasswordStore(orv::PasswordStore* store, const orv::StartSettings& start) {
    passwordStore_ = store;
    storedPassword_ = start.storedPassword;
    passwordKnown_ = start.passwordKnown;
    if (!start.note.empty()) Note(QString::fromStdString(start.note));
}

bool MainWindow::SaveSettings(orv::ServerSettings settings, const std::optional<std::string>& password,
                              std::string* error, const orv::ServerSettings* inherited) {
    const std::string root = WorkspaceRoot().toStdString();
    if (!orv::StorePassword(root, settings, password, passwordStore_, error, inherited)) return false;
    if (!password) return true;
    // The password is now where the file says: in it, or (the file holding none) in the store.
    storedPassword_ = *password;
    passwordKnown_ = true;
    return true;
}
