// The reception window reached from the main window, a list typed and exported
// into the local central laboratory's "Res" folder, and the export's gates and
// failures.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include "app/ui/Forms.h"
#include "app/ui/SignInWindow.h"
#include "app/ui/MainWindow.h"
#include "reception/ui/ReceptionLauncher.h"
#include "reception/ui/ReceptionWindow.h"
#include "reception/ui/WorklistModel.h"
#include "server/core/ServerMessages.h"
#include "tests/support/CentralLab.h"
#include "tests/support/LabWindow.h"
#include "tests/support/PromptRecorder.h"

using namespace Qt::StringLiterals;
using orv::test::CentralLab;
using orv::test::CentralLabOptions;

namespace {
const QString kExported = u" File of Today WorkList, Export succesfully"_s;
const char kRemote[] = "Text Result/12/Res/14010630.txt";
}  // namespace

class WorklistExportTest : public QObject {
    Q_OBJECT
    CentralLab lab_;
    orv::test::LabWindow window_;
    std::unique_ptr<PromptRecorder> prompts_;

    QString Root() const { return window_.Root(); }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QByteArray Remote() const { return Read(QString::fromStdString(lab_.ServerFile(kRemote))); }
    int Stores() const { return lab_.CountFtpCommands("STOR"); }

    // The reception window from the main window's "Reception" button, with three patients.
    void OpenReception() {
        QVERIFY(mainWindow->reception->receptionButton->isEnabled());
        mainWindow->reception->receptionButton->click();
        QVERIFY(receptionWindow->isVisible());
        receptionWindow->TodayKnown(u"1401/06/30"_s);
        for (const char* receipt : {"41", "42", "43"}) {
            receptionWindow->receiptEdit->setText(QString::fromLatin1(receipt));
            receptionWindow->receiptEntered();
            receptionWindow->firstNameEdit->setText(u"علی"_s);
            receptionWindow->firstNameEntered();
            receptionWindow->testNameBox->setCurrentIndex(receptionWindow->testNameBox->findText(u"FBS"_s));
            receptionWindow->testNameEntered();
        }
        QCOMPARE(receptionWindow->worklist->Count(), 3);
    }

private slots:
    void initTestCase() {
        // 2022-09-21 is 1401/06/30.
        QVERIFY2(lab_.Start(CentralLabOptions::Fixed("2022-09-21T09:00:00")), lab_.Error().c_str());
    }
    void init() {
        lab_.Control("reset");
        QFile::remove(QString::fromStdString(lab_.ServerFile(kRemote)));
        prompts_ = std::make_unique<PromptRecorder>();
        window_.Create(lab_);
        window_.Show();
        mainWindow->State().networkOk = mainWindow->State().serverOk = mainWindow->State().accountOk = true;
        mainWindow->State().shownDay = u"1401/06/29"_s;
        lab_.ClearLogs();
    }
    void cleanup() {
        window_.Destroy();
        prompts_.reset();
    }

    void exportLandsInResByteForByte() {
        OpenReception();
        QCOMPARE(receptionWindow->root, Root());
        receptionWindow->exportButton->click();
        const QByteArray saved = Read(Root() + u"today.txt"_s);
        QCOMPARE(saved,
                 QByteArray(
                     "41;\xDA\xE1\xED;;;0;;2[FBS;\r\n42;\xDA\xE1\xED;;;0;;2[FBS;\r\n43;\xDA\xE1\xED;;;0;;2[FBS;\r\n"));
        QCOMPARE(Remote(), saved);
        QCOMPARE(prompts_->messages, QStringList{u"Attention|"_s + kExported});
        // The status line carries the main window's day, not the export date.
        QCOMPARE(mainWindow->statusLine->text(), u"1401/06/29 File Export succesfully."_s);
        bool stored = false;
        for (const std::string& c : lab_.FtpCommands()) stored |= c == "STOR /Text Result/12/Res/14010630.txt";
        QVERIFY(stored);

        // A second export on the same day replaces the file.
        receptionWindow->searchEdit->setText(u"42"_s);
        receptionWindow->deletePatient();
        receptionWindow->exportButton->click();
        QCOMPARE(Remote(), Read(Root() + u"today.txt"_s));
        QCOMPARE(Remote().count('\n'), 2);
    }

    void gateClosedSavesButSendsNothing() {
        OpenReception();
        mainWindow->State().accountOk = false;
        receptionWindow->exportButton->click();
        QVERIFY(Read(Root() + u"today.txt"_s).startsWith("41;"));
        QCOMPARE(mainWindow->statusLine->text(), QString::fromUtf8(orv::msg::kAccountingLock));
        QCOMPARE(Stores(), 0);
        QVERIFY(prompts_->messages.isEmpty());
        // The network down: its message, nothing sent.
        mainWindow->State().accountOk = true;
        mainWindow->State().networkOk = false;
        receptionWindow->exportButton->click();
        QCOMPARE(mainWindow->statusLine->text(), QString::fromUtf8(orv::msg::kNetworkUpdate));
        QCOMPARE(Stores(), 0);
        // Without an export date the file would have no name on the server: nothing is sent.
        mainWindow->State().networkOk = true;
        receptionWindow->exportDatePicker->setText(QString());
        receptionWindow->exportButton->click();
        QCOMPARE(prompts_->messages.size(), 1);
        QCOMPARE(mainWindow->statusLine->text(), prompts_->Texts().first());
        QCOMPARE(lab_.CountFtpCommands("USER"), 0);
    }

    void failedUploadSaysSo() {
        OpenReception();
        QVERIFY(lab_.Control("missing res/14010630"));
        receptionWindow->exportButton->click();
        QCOMPARE(Remote(), QByteArray("<missing>"));
        QCOMPARE(prompts_->messages.size(), 1);
        QVERIFY(!prompts_->messages.first().contains(kExported));
        QCOMPARE(mainWindow->statusLine->text(), prompts_->Texts().first());
        QVERIFY(!mainWindow->ServerBusy());
        QCOMPARE(receptionWindow->worklist->Count(), 3);
        // The server refuses the log-in: said so.
        lab_.Control("reset");
        lab_.Control("login refuse");
        prompts_->Clear();
        receptionWindow->exportButton->click();
        QCOMPARE(mainWindow->statusLine->text(), QString::fromUtf8(orv::msg::kLogInRefused));
        QVERIFY(prompts_->messages.isEmpty());
    }
};

QTEST_MAIN(WorklistExportTest)
#include "WorklistExportTest.moc"
