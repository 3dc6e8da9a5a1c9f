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
#include "app/ui/Tmainform.h"
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
        orv::test::CentralLabOptions options = orv::test::QuickLab();
        options.unixNames = true;
        QVERIFY2(lab_.Start(options), lab_.Error().c_str());
    }
    void init() {
        QVERIFY(lab_.Control("reset"));
        bench_ = std::make_unique<FaultBench>(lab_);
        bench_->Open();
        bench_->StartUp();
        QVERIFY(mainform->netok && mainform->farok && mainform->billok);
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
        QCOMPARE(mainform->Label6->text(), a.success);
        if (!a.target.isEmpty())
            QVERIFY(bench_->Snapshot().at(a.target.toStdString()) == bench_->Served(a.served));
        QVERIFY(!mainform->IdFTP1->IsOpen());
    }

    void folderListShowsTheHelpFiles() {
        mainform->reference->downloadFilesButton->click();
        QVERIFY(mainform->reference->downloadFilesButton->isChecked());
        QVERIFY(!mainform->reference->folderList->findItems(u"Working hours.txt"_s, Qt::MatchExactly).isEmpty());
        QVERIFY(mainform->Label6->text().isEmpty());
        // An empty folder is said, not shown as a blank list.
        mainform->reference->downloadFilesButton->click();
        const QString folder = QString::fromStdString(lab_.ServerFile("Help Files"));
        QVERIFY(QDir().rename(folder, folder + u".aside"_s));
        QVERIFY(QDir().mkdir(folder));
        mainform->reference->downloadFilesButton->click();
        QCOMPARE(mainform->Label6->text(), QString::fromUtf8(orv::msg::kListEmpty));
        QVERIFY(QDir().rmdir(folder));
        QVERIFY(QDir().rename(folder + u".aside"_s, folder));
    }

    void watchNoticesTodaysFileAndFetchesIt() {
        const QString served = QString::fromStdString(lab_.ServerFile("Text Result/12/14010630.txt"));
        const QString aside = served + u".aside"_s;
        QFile::remove(bench_->Root() + u"14010630.txt"_s);
        QVERIFY(QFile::rename(served, aside));
        mainform->results->watchToday();  // not there yet: nothing said
        QVERIFY(mainform->results->watchNotice.isEmpty());
        QVERIFY(QFile::rename(aside, served));
        mainform->results->watchToday();
        QVERIFY2(mainform->results->watchNotice.contains(u"New results of 1401/06/30"_s), qPrintable(mainform->results->watchNotice));
        mainform->results->watchFetch();
        QTRY_VERIFY(bench_->Snapshot().count("14010630.txt"));
        QVERIFY(bench_->Snapshot().at("14010630.txt") == bench_->Served("Text Result/12/14010630.txt"));
    }
};

QTEST_MAIN(UnixServerWindowTest)
#include "UnixServerWindowTest.moc"
