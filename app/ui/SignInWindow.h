#pragma once
// The sign-in window, "Access Control": the program's first window. It settles
// the workspace, starts the start-up server check and turns a typed access code
// into the laboratory folder code.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include "app/core/ProxyFile.h"
#include "app/core/Workspace.h"

class SignInWindow : public QWidget {
    Q_OBJECT
public:
    explicit SignInWindow(QWidget* parent = nullptr);

    // The workspace root and the Desktop of this user (ORVANET_WORKSPACE names another workspace).
    static orv::WorkspacePaths SettledPaths();

    QString root;        // workspace root, ending in its separator
    QString desktopFolder;        // the Desktop, no trailing separator
    bool startCheckDone = false;  // set when the start-up server check has ended

    // A local file: the workspace root followed directly by the file name.
    std::string LocalFile(const QString& name) const;

    QLabel* passwordCaption;
    QLineEdit* accessCodeField;
    QPushButton* okButton;
    QToolButton* serverSettingsButton;
    QTimer* startCheckTimer;
    QTimer* waitForCheckTimer;

public slots:
    void settleWorkspace();
    void prepareWorkspace();
    void startServerCheck();
    void showMainWindowWhenChecked();
    void signIn();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ApplyProxyFile();
    bool shown_ = false;
};
