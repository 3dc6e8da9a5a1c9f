#pragma once
// The main window with the local central laboratory behind it, for the result
// actions: every gate open, message boxes recorded, and the day files' helpers.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "app/ui/Forms.h"
#include "app/ui/SignInWindow.h"
#include "app/ui/MainWindow.h"
#include "base/ui/Prompts.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"
#include "tests/support/CentralLab.h"
#include "tests/support/LabWindow.h"

namespace orv::test {

class ResultsWindow : public LabWindow {
public:
    QStringList messages;  // "caption|text" of every message box

    std::string RootStd() const { return Root().toStdString(); }

    // Creates the windows and shows the main window with every gate open.
    void Open(const CentralLab& lab) {
        messages.clear();
        orv::ui::SetMessageResponder([this](const QString& caption, const QString& text, QMessageBox::StandardButtons) {
            messages << caption + u'|' + text;
            return QMessageBox::Ok;
        });
        Create(lab);
        Show();
        mainWindow->State().networkOk = mainWindow->State().serverOk = mainWindow->State().accountOk = true;
    }

    void Close() {
        Destroy();
        orv::ui::SetMessageResponder({});
        orv::ui::SetSaveFileResponder({});
        orv::ui::SetOpenResponder({});
    }

    // Puts a day's file into the workspace, as an earlier download left it.
    void Archive(const QString& compact, const QByteArray& bytes) const {
        QFile file(Root() + compact + QStringLiteral(".txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray Sample() {
        QFile file(QString::fromStdString(SourceDir()) + QStringLiteral("/tests/results/data/14010630.txt"));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    QString Status() const { return mainWindow->statusLine->text(); }
    int Rows() const { return mainWindow->results->resultModel->rowCount(); }
    QString Cell(int row, int column) const { return mainWindow->results->resultModel->CellText(row, column); }
    void Select(int row, int column) const {
        mainWindow->results->resultGrid->setCurrentIndex(mainWindow->results->resultModel->index(row, column));
    }
};

// Commands of the FTP log that name `path` (RETR, or SIZE before it).
inline int CommandsNaming(const CentralLab& lab, const std::string& path) {
    int n = 0;
    for (const std::string& c : lab.FtpCommands())
        if (c.size() >= path.size() && c.compare(c.size() - path.size(), path.size(), path) == 0) ++n;
    return n;
}

}  // namespace orv::test
