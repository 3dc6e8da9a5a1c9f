// The main window tells which protection the session has: the server
// indicator's hint, a quiet note for plain FTP under tls=try, a clear message
// for a certificate that fails, and a note for settings or a workspace others may read.
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "app/ui/Forms.h"
#include "app/ui/SignInWindow.h"
#include "app/ui/MainWindow.h"
#include "base/core/TextFile.h"
#include "base/ui/Prompts.h"
#include "server/core/ServerMessages.h"
#include "tests/support/LabWindow.h"
#include "tests/support/CentralLab.h"

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }
using orv::test::SamePicture;

}  // namespace

class MainformTlsTest : public QObject {
    Q_OBJECT
private:
    orv::test::CentralLab plain_;
    orv::test::CentralLab tls_;
    QTemporaryDir workspace_;

    QString Root() const { return workspace_.path() + QStringLiteral("/lab/"); }
    std::string File(const char* name) const { return QString(Root() + QString::fromUtf8(name)).toStdString(); }

    void Use(const orv::test::CentralLab& lab, orv::FtpTls tls, bool withCa = true) {
        orv::ServerSettings s = lab.Settings();
        s.ftpTls = tls;
        if (!withCa) s.ftpCaFile.clear();
        QVERIFY(orv::SaveServerSettings(File("orvanet.ini"), s));
    }

    // The server check with the main window showing (notes wait for a visible window).
    void Check() {
        mainWindow->show();
        mainWindow->firstShowTimer->stop();  // no start-up refresh over the checks here
        mainWindow->checkServer();
    }

private slots:
    void initTestCase() {
        QVERIFY2(plain_.Start(orv::test::CentralLabOptions::Fixed("2022-09-21T09:00:00")), plain_.Error().c_str());
        orv::test::CentralLabOptions options = orv::test::CentralLabOptions::Fixed("2022-09-21T09:00:00");
        options.tls = "on";
        QVERIFY2(tls_.Start(options), tls_.Error().c_str());
    }
    void init() {
        qputenv("ORVANET_WORKSPACE", Root().toUtf8());
        QDir().mkpath(Root());
        ::chmod(Root().toUtf8().constData(), 0700);  // as the program creates it
        QVERIFY(orv::WriteTextFile(File("check.txt"), {"21"}));
        orv::ui::SetMessageResponder(
            [](const QString&, const QString&, QMessageBox::StandardButtons) { return QMessageBox::Ok; });
        CreateForms();
        mainWindow->State().labFolderCode = u"12"_qs;
    }
    void cleanup() {
        DestroyForms();
        orv::ui::SetMessageResponder({});
        QDir(Root()).removeRecursively();
    }

    void tlsSessionSaysTlsAndNoNote() {
        Use(tls_, orv::FtpTls::Try);
        tls_.ClearLogs();
        Check();
        QVERIFY(mainWindow->State().serverOk);
        QCOMPARE(mainWindow->serverIndicator->toolTip(), u"TLS"_qs);
        QCOMPARE(mainWindow->ftp->Security(), orv::FtpSecurity::Tls);
        mainWindow->CloseSession();
        QTest::qWait(700);
        QVERIFY(mainWindow->statusLine->text() != Text(orv::msg::kPlainFtpNote));
    }

    void plainSessionUnderTryIsAQuietNoteOnce() {
        Use(plain_, orv::FtpTls::Try);
        Check();
        QVERIFY(mainWindow->State().serverOk);
        QVERIFY(SamePicture(mainWindow->serverIndicator, mainWindow->successPicture));  // not an error
        QCOMPARE(mainWindow->serverIndicator->toolTip(), u"plain FTP"_qs);
        QTRY_COMPARE_WITH_TIMEOUT(mainWindow->statusLine->text(), Text(orv::msg::kPlainFtpNote), 6000);
        QVERIFY(!mainWindow->statusLine->isHidden());
        QVERIFY(!mainWindow->statusBlinkTimer->isActive());  // no blink
        mainWindow->CloseSession();

        // Said once a run: the next check keeps the status line as it is.
        mainWindow->checkServer();
        mainWindow->CloseSession();
        mainWindow->statusLine->setText(u"other"_qs);
        QTest::qWait(1200);
        QCOMPARE(mainWindow->statusLine->text(), u"other"_qs);
        QCOMPARE(mainWindow->serverIndicator->toolTip(), u"plain FTP"_qs);
    }

    void plainByChoiceIsNoNote() {
        Use(plain_, orv::FtpTls::Off);
        Check();
        QCOMPARE(mainWindow->serverIndicator->toolTip(), u"plain FTP"_qs);
        mainWindow->CloseSession();
        QTest::qWait(700);
        QVERIFY(mainWindow->statusLine->text() != Text(orv::msg::kPlainFtpNote));
    }

    void certificateFailureIsSaidAndNoLogIn_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("try") << int(orv::FtpTls::Try);
        QTest::newRow("required") << int(orv::FtpTls::Required);
    }
    void certificateFailureIsSaidAndNoLogIn() {
        QFETCH(int, mode);
        Use(tls_, orv::FtpTls(mode), false);
        tls_.ClearLogs();
        Check();
        QVERIFY(!mainWindow->State().serverOk);
        QVERIFY(SamePicture(mainWindow->serverIndicator, mainWindow->failurePicture));
        QCOMPARE(mainWindow->statusLine->text(), Text(orv::msg::kCertificate));
        QVERIFY(mainWindow->serverIndicator->toolTip().isEmpty());
        QCOMPARE(tls_.CountFtpCommands("USER"), 0);
        QVERIFY(signInWindow->startCheckDone);
    }

    void requiredAgainstAPlainServerIsSaid() {
        Use(plain_, orv::FtpTls::Required);
        Check();
        QVERIFY(!mainWindow->State().serverOk);
        QCOMPARE(mainWindow->statusLine->text(), Text(orv::msg::kTlsUnavailable));
    }

    void settingsReadableByOthersAreNotedOnce() {
        Use(plain_, orv::FtpTls::Off);
        QVERIFY(orv::WriteTextFile(File("pro.txt"), {"proxy", "clerk", "pw", "3128"}));
        ::chmod(File("pro.txt").c_str(), 0600);
        Check();
        mainWindow->CloseSession();
        QTest::qWait(700);
        QVERIFY(!mainWindow->statusLine->text().contains(u"orvanet.ini"_qs));  // written private

        ::chmod(File("orvanet.ini").c_str(), 0644);
        ::chmod(File("pro.txt").c_str(), 0640);
        mainWindow->checkServer();
        mainWindow->CloseSession();
        // One note at a time, each whole.
        QTRY_COMPARE_WITH_TIMEOUT(mainWindow->statusLine->text(), Text(orv::msg::ReadableByOthersNote("orvanet.ini")), 6000);
        QVERIFY(mainWindow->statusLine->sizeHint().width() <= mainWindow->statusLine->width());
        QTRY_COMPARE_WITH_TIMEOUT(mainWindow->statusLine->text(), Text(orv::msg::ReadableByOthersNote("pro.txt")), 6000);

        mainWindow->checkServer();
        mainWindow->CloseSession();
        mainWindow->statusLine->setText(u"other"_qs);
        QTest::qWait(1200);
        QCOMPARE(mainWindow->statusLine->text(), u"other"_qs);

        // A workspace others may pass through: said once as well.
        ::chmod(Root().toUtf8().constData(), 0711);
        mainWindow->checkServer();
        mainWindow->CloseSession();
        QTRY_COMPARE_WITH_TIMEOUT(mainWindow->statusLine->text(), Text(orv::msg::kReadableWorkspaceNote), 6000);
        ::chmod(Root().toUtf8().constData(), 0700);
    }
};

QTEST_MAIN(MainformTlsTest)
#include "test_main_window_tls.moc"
