#pragma once
// "تنظیمات سرور" (Server settings): the central laboratory's FTP account, the time
// server, the payment page and the results watch, read from and saved into the
// workspace's orvanet.ini, and "آزمایش اتصال" (Test connection), which walks
// the way to the server step by step off the window's thread.
#include <QDialog>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "server/core/ConnectionTest.h"
#include "server/core/ServerSettings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace orv {
class FtpSession;
}

namespace orv::ui {

class ServerSettingsWindow : public QDialog {
    Q_OBJECT
public:
    // `workspaceRoot` ends in its separator; `folderCode` is the laboratory's
    // folder for the test's last step (typed at sign-in; empty: the user types it).
    ServerSettingsWindow(QString workspaceRoot, QString folderCode, QWidget* parent = nullptr);
    ~ServerSettingsWindow() override;

    // A line at the top saying why the window opened by itself.
    void SetReason(const QString& reason);
    // The settings as the fields hold them.
    ServerSettings FieldSettings() const;
    // How a save keeps the settings when the password lives outside orvanet.ini
    // (the desktop's secret store): `password` is the one the program runs with
    // (nothing when it is not known: the field then starts empty), `saver` writes,
    // given the password only when one was typed. A `lockedNote` says the password
    // comes from elsewhere (a credential, password_file=): the field is not editable.
    // Without it the password is saved in the file with the rest.
    using Saver = std::function<bool(ServerSettings settings, const ServerSettings& inherited,
                                     const std::optional<std::string>& typedPassword, std::string* error)>;
    void KeepPasswordWith(const std::optional<std::string>& password, Saver saver, const QString& lockedNote = {});
    // True when the password field holds something other than what it was given.
    bool PasswordTyped() const;
    bool Testing() const { return testing_; }
    // Each step of the last test as it ended (Skipped with no text: not reached yet).
    const std::vector<StepReport>& Steps() const { return steps_; }

    QLabel* reasonLabel;
    QLineEdit* hostEdit;
    QSpinBox* portSpin;
    QLineEdit* userEdit;
    QLineEdit* passwordEdit;
    QComboBox* tlsCombo;
    QLabel* tlsNote;
    QLineEdit* caFileEdit;
    QPushButton* caFileButton;
    QLineEdit* timeHostEdit;
    QSpinBox* timePortSpin;
    QLineEdit* paymentHostEdit;
    QSpinBox* paymentPortSpin;
    QCheckBox* watchCheck;
    QLineEdit* folderCodeEdit;
    QPushButton* testButton;
    QWidget* stepList;  // a row per step: its mark, its name and what it gave
    QPushButton* saveButton;
    QPushButton* cancelButton;

signals:
    // The settings were written: the next server action uses them.
    void Saved();

public slots:
    // Runs the connection test with the fields' settings; returns when it has ended.
    void testConnection();
    // Writes the fields into orvanet.ini (keeping its other keys and comments) and closes.
    bool save();

protected:
    void reject() override;

private:
    void Load();
    void ChooseCaFile();
    void ShowTlsNote();
    void ShowStep(const StepReport& report);

    struct StepRow {
        QLabel* mark;
        QLabel* text;
    };
    std::vector<StepRow> rows_;
    std::vector<StepReport> steps_;
    QString root_;
    ServerSettings inherited_;  // what the workspace runs with when its file lacks a key
    std::unique_ptr<FtpSession> session_;
    Saver saver_;
    QString shownPassword_;        // what the password field started with
    std::string runningPassword_;  // the password the program runs with (the connection test's when none is typed)
    bool passwordLocked_ = false;
    std::atomic<bool> cancel_{false};
    bool testing_ = false;
    bool closeAfterTest_ = false;
};

}  // namespace orv::ui
