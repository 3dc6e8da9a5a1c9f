#pragma once
// The main window with the local central laboratory behind it, as every
// main-window test starts: a workspace of its own holding the laboratory's
// settings (and "check.txt" when asked), the windows created with the
// laboratory's folder code, and, once shown, the start-up timer's first run
// behind it. Destroy() leaves nothing behind.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <string>

#include "app/ui/Forms.h"
#include "app/ui/MainWindow.h"
#include "base/core/TextFile.h"
#include "tests/support/CentralLab.h"

namespace orv::test {

// The laboratory of the server tests: its clock at 2022-09-21 09:00 (1401/06/30)
// and the program's time limits at 1.5 s, so that a silent server fails quickly.
inline CentralLabOptions QuickLab() {
    CentralLabOptions options = CentralLabOptions::Fixed("2022-09-21T09:00:00");
    options.sntpTimeoutMs = 1500;
    return options;
}

// The same with the FTP session's limits low as well (the settings read_timeout_ms
// and transfer_timeout_ms): a log-in or an answer that never comes fails in about
// 1.5 s and a transfer that stops moving in 1 s, instead of the program's 5.5 and 15.
inline CentralLabOptions QuickFtpLab() {
    CentralLabOptions options = QuickLab();
    options.ftpReadTimeoutMs = 1500;
    options.ftpTransferTimeoutMs = 1000;
    return options;
}

// An indicator shows the picture its holder keeps (success, failure or pending).
inline bool SamePicture(QLabel* indicator, QLabel* holder) {
    return indicator->pixmap().toImage() == holder->pixmap().toImage();
}

class LabWindow {
public:
    QString Root() const { return dir_.path() + QStringLiteral("/lab/"); }

    // The workspace with the laboratory's settings and, unless empty, "check.txt"
    // holding `checkCounter`; then the windows, not yet shown.
    void Create(const CentralLab& lab, const std::string& checkCounter = {}) {
        qputenv("ORVANET_WORKSPACE", Root().toUtf8());
        QDir().mkpath(Root());
        QVERIFY(lab.WriteSettings(Root().toStdString()));
        if (!checkCounter.empty())
            QVERIFY(orv::WriteTextFile(QString(Root() + QStringLiteral("check.txt")).toStdString(), {checkCounter}));
        CreateForms();
        mainWindow->State().labFolderCode = QString::fromStdString(lab.Folder());
    }

    // Shows the main window and lets the start-up timer run (it does nothing
    // while the server gates are closed).
    void Show() {
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        QTRY_VERIFY(!mainWindow->firstShowTimer->isActive());
    }

    void Destroy() {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
        DestroyForms();
        QDir(Root()).removeRecursively();
    }

private:
    QTemporaryDir dir_;
};

}  // namespace orv::test
