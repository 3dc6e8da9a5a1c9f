#include "server/ui/ServerSettingsWindow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/core/CodePage.h"
#include "base/ui/Prompts.h"
#include "server/core/CurlFtpSession.h"
#include "server/core/OffUiThread.h"

using namespace Qt::StringLiterals;

namespace orv::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QSpinBox* PortSpin(QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(1, 65535);
    spin->setLayoutDirection(Qt::LeftToRight);
    return spin;
}

QLineEdit* LatinEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setLayoutDirection(Qt::LeftToRight);
    return edit;
}

// A host field and its port on one row.
QHBoxLayout* HostAndPort(QLineEdit* host, QSpinBox* port) {
    auto* row = new QHBoxLayout;
    row->addWidget(host, 1);
    row->addWidget(new QLabel(u"درگاه"_s, host->parentWidget()));
    row->addWidget(port);
    return row;
}

// A host, user or password with a line break or another control character would reach the server as a command.
bool HasControl(const QString& text) {
    for (const QChar ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7f) return true;
    return false;
}

const FtpTls kTlsModes[] = {FtpTls::Required, FtpTls::Try, FtpTls::Off};
const ConnectionStep kSteps[] = {ConnectionStep::TimeServer, ConnectionStep::Connection, ConnectionStep::Tls,
                                 ConnectionStep::LogIn, ConnectionStep::Folder};

}  // namespace

ServerSettingsWindow::ServerSettingsWindow(QString workspaceRoot, QString folderCode, QWidget* parent)
    : QDialog(parent), root_(std::move(workspaceRoot)), session_(std::make_unique<CurlFtpSession>()) {
    setObjectName(u"ServerSettings"_s);
    setWindowTitle(u"تنظیمات سرور (Server settings)"_s);
    setLayoutDirection(Qt::RightToLeft);

    reasonLabel = new QLabel(this);
    reasonLabel->setWordWrap(true);
    reasonLabel->setStyleSheet(u"color: #8a4b00; font-weight: bold;"_s);
    reasonLabel->hide();

    auto* ftpBox = new QGroupBox(u"سرور FTP تاروینا"_s, this);
    hostEdit = LatinEdit(ftpBox);
    hostEdit->setObjectName(u"hostEdit"_s);
    portSpin = PortSpin(ftpBox);
    userEdit = LatinEdit(ftpBox);
    passwordEdit = LatinEdit(ftpBox);
    passwordEdit->setEchoMode(QLineEdit::Password);
    tlsCombo = new QComboBox(ftpBox);
    tlsCombo->addItem(u"required — فقط ارتباط امن"_s);
    tlsCombo->addItem(u"try — امن اگر سرور ارائه دهد"_s);
    tlsCombo->addItem(u"off — بدون رمزنگاری"_s);
    tlsNote = new QLabel(ftpBox);
    tlsNote->setWordWrap(true);
    caFileEdit = LatinEdit(ftpBox);
    caFileEdit->setPlaceholderText(u"(system)"_s);
    caFileButton = new QPushButton(u"انتخاب…"_s, ftpBox);
    auto* caRow = new QHBoxLayout;
    caRow->addWidget(caFileEdit, 1);
    caRow->addWidget(caFileButton);
    auto* ftpForm = new QFormLayout(ftpBox);
    ftpForm->addRow(u"میزبان"_s, HostAndPort(hostEdit, portSpin));
    ftpForm->addRow(u"نام کاربری"_s, userEdit);
    ftpForm->addRow(u"رمز عبور"_s, passwordEdit);
    ftpForm->addRow(u"TLS"_s, tlsCombo);
    ftpForm->addRow(QString(), tlsNote);
    ftpForm->addRow(u"مرجع گواهی (ca_file)"_s, caRow);

    auto* otherBox = new QGroupBox(u"سرور زمان، صفحه پرداخت و نتایج"_s, this);
    timeHostEdit = LatinEdit(otherBox);
    timePortSpin = PortSpin(otherBox);
    paymentHostEdit = LatinEdit(otherBox);
    paymentHostEdit->setPlaceholderText(u"(FTP host)"_s);
    paymentPortSpin = PortSpin(otherBox);
    watchCheck = new QCheckBox(u"نتایج تازه امروز در هر بازخوانی دیده شود"_s, otherBox);
    auto* otherForm = new QFormLayout(otherBox);
    otherForm->addRow(u"سرور زمان"_s, HostAndPort(timeHostEdit, timePortSpin));
    otherForm->addRow(u"صفحه پرداخت"_s, HostAndPort(paymentHostEdit, paymentPortSpin));
    otherForm->addRow(QString(), watchCheck);

    auto* testBox = new QGroupBox(u"آزمایش اتصال"_s, this);
    folderCodeEdit = LatinEdit(testBox);
    folderCodeEdit->setText(folderCode);
    folderCodeEdit->setMaximumWidth(120);
    testButton = new QPushButton(u"آزمایش اتصال"_s, testBox);
    testButton->setObjectName(u"testButton"_s);
    stepList = new QWidget(testBox);
    auto* grid = new QGridLayout(stepList);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setColumnStretch(2, 1);
    for (const ConnectionStep step : kSteps) {
        const int row = static_cast<int>(step);
        auto* name = new QLabel(QString::fromUtf8(StepName(step)), stepList);
        name->setStyleSheet(u"font-weight: bold;"_s);
        StepRow r{new QLabel(stepList), new QLabel(stepList)};
        r.mark->setMinimumWidth(16);
        r.text->setWordWrap(true);
        r.text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(r.mark, row, 0, Qt::AlignTop);
        grid->addWidget(name, row, 1, Qt::AlignTop);
        grid->addWidget(r.text, row, 2, Qt::AlignTop);
        rows_.push_back(r);
    }
    grid->setRowStretch(static_cast<int>(std::size(kSteps)), 1);
    stepList->setMinimumHeight(150);
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(new QLabel(u"کد پوشه آزمایشگاه"_s, testBox));
    testRow->addWidget(folderCodeEdit);
    testRow->addStretch(1);
    testRow->addWidget(testButton);
    auto* testLayout = new QVBoxLayout(testBox);
    testLayout->addLayout(testRow);
    testLayout->addWidget(stepList);

    auto* buttons = new QDialogButtonBox(this);
    saveButton = buttons->addButton(u"ذخیره"_s, QDialogButtonBox::AcceptRole);
    saveButton->setObjectName(u"saveButton"_s);
    cancelButton = buttons->addButton(u"انصراف"_s, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reasonLabel);
    layout->addWidget(ftpBox);
    layout->addWidget(otherBox);
    layout->addWidget(testBox, 1);
    layout->addWidget(buttons);
    resize(560, 640);

    connect(tlsCombo, &QComboBox::currentIndexChanged, this, &ServerSettingsWindow::ShowTlsNote);
    connect(caFileButton, &QPushButton::clicked, this, &ServerSettingsWindow::ChooseCaFile);
    connect(testButton, &QPushButton::clicked, this, &ServerSettingsWindow::testConnection);
    connect(saveButton, &QPushButton::clicked, this, &ServerSettingsWindow::save);
    connect(cancelButton, &QPushButton::clicked, this, &ServerSettingsWindow::reject);
    Load();
}

ServerSettingsWindow::~ServerSettingsWindow() = default;

void ServerSettingsWindow::SetReason(const QString& reason) {
    reasonLabel->setText(reason);
    reasonLabel->setVisible(!reason.isEmpty());
}

void ServerSettingsWindow::KeepPasswordWith(const std::optional<std::string>& password, Saver saver,
                                            const QString& lockedNote) {
    if (password) runningPassword_ = *password;
    shownPassword_ = password && lockedNote.isEmpty() ? Q(*password) : QString();
    passwordEdit->setText(shownPassword_);
    passwordLocked_ = !lockedNote.isEmpty();
    passwordEdit->setReadOnly(passwordLocked_);
    passwordEdit->setPlaceholderText(passwordLocked_ ? lockedNote
                                     : password     ? QString()
                                                    : u"(نگه داشته شده؛ برای تغییر، رمز تازه را وارد کنید)"_s);
    saver_ = std::move(saver);
}

bool ServerSettingsWindow::PasswordTyped() const { return !passwordLocked_ && passwordEdit->text() != shownPassword_; }

void ServerSettingsWindow::Load() {
    inherited_ = LoadServerSettings(SystemSettingsFiles());
    const ServerSettings s = LoadWorkspaceSettings(root_.toStdString());
    hostEdit->setText(Q(s.ftpHost));
    portSpin->setValue(s.ftpPort);
    userEdit->setText(Q(s.ftpUser));
    // The built-in placeholder is no password of anyone's: the field starts empty then.
    bool held = false;
    for (const std::string& file : WorkspaceSettingsFiles(root_.toStdString())) held = held || FileHoldsPassword(file);
    runningPassword_ = s.ftpPassword;
    shownPassword_ = held ? Q(s.ftpPassword) : QString();
    passwordEdit->setText(shownPassword_);
    for (int i = 0; i < 3; ++i)
        if (kTlsModes[i] == s.ftpTls) tlsCombo->setCurrentIndex(i);
    ShowTlsNote();
    caFileEdit->setText(Q(s.ftpCaFile));
    timeHostEdit->setText(Q(s.sntpHost));
    timePortSpin->setValue(s.sntpPort);
    paymentHostEdit->setText(Q(s.paymentHost));
    paymentPortSpin->setValue(s.paymentPort);
    watchCheck->setChecked(s.resultsWatch);
}

ServerSettings ServerSettingsWindow::FieldSettings() const {
    // Keys the window does not show (the time server's time limit) keep what the workspace has.
    ServerSettings s = LoadWorkspaceSettings(root_.toStdString());
    s.ftpHost = hostEdit->text().trimmed().toStdString();
    s.ftpPort = portSpin->value();
    s.ftpUser = userEdit->text().trimmed().toStdString();
    s.ftpPassword = PasswordTyped() ? passwordEdit->text().toStdString() : runningPassword_;
    s.ftpTls = kTlsModes[std::max(0, tlsCombo->currentIndex())];
    s.ftpCaFile = caFileEdit->text().trimmed().toStdString();
    s.sntpHost = timeHostEdit->text().trimmed().toStdString();
    s.sntpPort = timePortSpin->value();
    s.paymentHost = paymentHostEdit->text().trimmed().toStdString();
    s.paymentPort = paymentPortSpin->value();
    s.resultsWatch = watchCheck->isChecked();
    return s;
}

void ServerSettingsWindow::ShowTlsNote() {
    switch (kTlsModes[std::max(0, tlsCombo->currentIndex())]) {
        case FtpTls::Required:
            tlsNote->setText(u"بدون ارتباط امن (TLS) و گواهی تاییدشده وارد سرور نمی‌شود."_s);
            break;
        case FtpTls::Try:
            tlsNote->setText(u"اگر سرور TLS ارائه دهد ارتباط امن است، وگرنه بدون رمزنگاری ادامه می‌دهد."_s);
            break;
        case FtpTls::Off:
            tlsNote->setText(u"رمز عبور و نتایج بیماران بدون رمزنگاری روی شبکه می‌روند."_s);
            break;
    }
}

void ServerSettingsWindow::ChooseCaFile() {
    const QString current = caFileEdit->text().trimmed();
    const QString dir = current.isEmpty() ? root_ : QFileInfo(current).absolutePath();
    const QString chosen =
        OpenFileName(this, u"مرجع گواهی (ca_file)"_s, dir, u"Certificates (*.pem *.crt *.cer);;All files (*)"_s);
    if (!chosen.isEmpty()) caFileEdit->setText(chosen);
}

void ServerSettingsWindow::ShowStep(const StepReport& report) {
    static const QString kMarks[] = {u"✔"_s, u"!"_s, u"✘"_s, u"–"_s};
    static const char* kColours[] = {"#1d7a1d", "#a86400", "#b00020", "#777777"};
    const auto index = static_cast<size_t>(report.step);
    if (index >= rows_.size() || index >= steps_.size()) return;
    steps_[index] = report;
    const auto state = static_cast<size_t>(report.state);
    QString text = Q(report.text);
    if (text.startsWith(u". "_s)) text.remove(0, 2);  // the status line's sentence mark
    rows_[index].mark->setText(kMarks[state]);
    rows_[index].mark->setStyleSheet(u"color: "_s + QLatin1String(kColours[state]) + u"; font-weight: bold;"_s);
    rows_[index].text->setText(text);
}

void ServerSettingsWindow::testConnection() {
    if (testing_) return;
    testing_ = true;
    cancel_ = false;
    testButton->setEnabled(false);
    saveButton->setEnabled(false);
    steps_.clear();
    for (const ConnectionStep step : kSteps) {
        steps_.push_back({step, StepState::Skipped, {}});
        rows_[static_cast<size_t>(step)].mark->setText(u"…"_s);
        rows_[static_cast<size_t>(step)].text->clear();
    }
    const ServerSettings settings = FieldSettings();
    // Digits as any keyboard types them (Persian ۱۲ is 12), as reception reads them.
    const std::string folder = AsciiDigits(folderCodeEdit->text().trimmed().toStdString());
    SntpClient sntp;
    RunOffUiThread(
        [&] {
            RunConnectionTest(settings, folder, sntp, *session_, [this](const StepReport& r) {
                QMetaObject::invokeMethod(this, [this, r] { ShowStep(r); }, Qt::QueuedConnection);
            }, &cancel_);
        },
        [this] {
            cancel_ = true;
            session_->Abort();
        });
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);  // the last steps' reports
    testing_ = false;
    testButton->setEnabled(true);
    saveButton->setEnabled(true);
    if (closeAfterTest_) QDialog::reject();
}

bool ServerSettingsWindow::save() {
    const ServerSettings s = FieldSettings();
    // A password nobody typed is never saved: the one kept stays as and where it is.
    const bool typed = PasswordTyped();
    std::optional<std::string> password;
    if (typed) password = s.ftpPassword;
    if (s.ftpHost.empty() || HasControl(hostEdit->text()) || HasControl(userEdit->text()) ||
        (typed && HasControl(passwordEdit->text())) || HasControl(caFileEdit->text()) ||
        HasControl(timeHostEdit->text()) || HasControl(paymentHostEdit->text())) {
        MessageBox(this, u"Attention"_s, u"نام سرور، نام کاربری یا رمز عبور درست نیست"_s);
        return false;
    }
    const std::string path = WorkspaceSettingsFile(root_.toStdString());
    std::string error;
    const bool saved = saver_ ? saver_(s, inherited_, password, &error)
                              : SaveServerSettings(path, s, &error, &inherited_,
                                                   typed ? PasswordKept::InFile : PasswordKept::AsItIs);
    if (!saved) {
        MessageBox(this, u"Attention"_s, Q(error));
        return false;
    }
    emit Saved();
    accept();
    return true;
}

void ServerSettingsWindow::reject() {
    if (testing_) {  // the test ends first; the window closes after it
        closeAfterTest_ = true;
        cancel_ = true;
        session_->Abort();
        return;
    }
    QDialog::reject();
}

}  // namespace orv::ui
