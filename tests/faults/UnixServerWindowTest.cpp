// The main window against the laboratory in its Unix mode (names case-sensitive,
// "\" a letter refused with 553, LIST's argument split at spaces): every server
// action of the fault matrix works as it does against the Windows-like server,
// the folder list shows the help files, and the watch notices today's file.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

#include "server/ui/ReferenceDocuments.h"
#include "app/ui/Forms.h"
#include "app/ui/MainWindow.h"
#include "server/core/ServerMessages.h"
#include "tests/faults/FaultActions.h"
#include "tests/faults/FaultBench.h"

using namespace Qt::StringLiterals;
using orv::test::FaultBench;

class UnixServerWindowTest : public QObject {
    Q_OBJECT
    orv::test::CentralLab lab_;
    std::unique_ptr<FaultBench> bench_;

private slots:
    void initTestCase() {
        orv::test::CentralLabOptions options = orv::test::QuickFtpLab();
        options.unixNames = true;
        QVERIFY2(lab_.Start(options), lab_.Error().c_str());
    }
    void init() {
        QVERIFY(lab_.Control("reset"));
        bench_ = std::make_unique<FaultBench>(lab_);
        bench_->Open();
        bench_->StartUp();
        QVERIFY(mainWindow->State().networkOk && mainWindow->State().serverOk && mainWindow->State().accountOk);
    }
    void cleanup() {
        bench_->Close();
        bench_.reset();
    }

    void everyActionWorks_data() {
        QTest::addColumn<int>("action");
        const auto actions = orv::test::Actions();
        for (size_t a = 0; a < actions.size(); ++a) QTest::newRow(qPrintable(actions[a].name)) << int(a);
    }
    void everyActionWorks() {
        QFETCH(int, action);
        const orv::test::FaultAction a = orv::test::Actions()[size_t(action)];
        a.before(*bench_);
        a.run(*bench_);
        QCOMPARE(mainWindow->statusLine->text(), a.success);
        if (!a.target.isEmpty())
            QVERIFY(bench_->Snapshot().at(a.target.toStdString()) == bench_->Served(a.served));
        QVERIFY(!mainWindow->ftp->IsOpen());
    }

    void folderListShowsTheHelpFiles() {
        mainWindow->reference->downloadFilesButton->click();
        QVERIFY(mainWindow->reference->downloadFilesButton->isChecked());
        QVERIFY(!mainWindow->reference->folderList->findItems(u"Working hours.txt"_s, Qt::MatchExactly).isEmpty());
        QVERIFY(mainWindow->statusLine->text().isEmpty());
        // An empty folder is said, not shown as a blank list.
        mainWindow->reference->downloadFilesButton->click();
        const QString folder = QString::fromStdString(lab_.ServerFile("Help Files"));
        QVERIFY(QDir().rename(folder, folder + u".aside"_s));
        QVERIFY(QDir().mkdir(folder));
        mainWindow->reference->downloadFilesButton->click();
        QCOMPARE(mainWindow->statusLine->text(), QString::fromUtf8(orv::msg::kListEmpty));
        QVERIFY(QDir().rmdir(folder));
        QVERIFY(QDir().rename(folder + u".aside"_s, folder));
    }

    void watchNoticesTodaysFileAndFetchesIt() {
        const QString served = QString::fromStdString(lab_.ServerFile("Text Result/12/14010630.txt"));
        const QString aside = served + u".aside"_s;
        QFile::remove(bench_->Root() + u"14010630.txt"_s);
        QVERIFY(QFile::rename(served, aside));
        mainWindow->results->watchToday();  // not there yet: nothing said
        QVERIFY(mainWindow->results->watchNotice.isEmpty());
        QVERIFY(QFile::rename(aside, served));
        mainWindow->results->watchToday();
        QVERIFY2(mainWindow->results->watchNotice.contains(u"New results of 1401/06/30"_s), qPrintable(mainWindow->results->watchNotice));
        mainWindow->results->watchFetch();
        QTRY_VERIFY(bench_->Snapshot().count("14010630.txt"));
        QVERIFY(bench_->Snapshot().at("14010630.txt") == bench_->Served("Text Result/12/14010630.txt"));
    }
};

QTEST_MAIN(UnixServerWindowTest)
#include "UnixServerWindowTest.moc"
