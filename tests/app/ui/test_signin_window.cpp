// The sign-in window: start-up files, the access code, and reaching the main window.
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include "app/ui/Forms.h"
#include "app/ui/SignInWindow.h"
#include "app/ui/MainWindow.h"
#include "base/core/AtomicFile.h"
#include "base/core/TextFile.h"
#include "base/ui/Prompts.h"
#include "server/ui/ServerSettingsWindow.h"

class SignInWindowTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir workspace_;
    QStringList messages_;

    QString Root() const { return workspace_.path() + QStringLiteral("/lab/"); }
    std::string File(const char* name) const { return QString(Root() + QString::fromLatin1(name)).toStdString(); }

    void TypeAndPressEnter(const QString& code) {
        signInWindow->accessCodeField->setText(code);
        QTest::keyClick(signInWindow->accessCodeField, Qt::Key_Return);
    }

private slots:
    void init() {
        qputenv("ORVANET_WORKSPACE", Root().toUtf8());
        // The start-up check stays on loopback: nothing listens on these ports, so
        // it fails at once and still ends the check.
        QDir().mkpath(Root());
        QVERIFY(orv::WriteFileAtomically(
            File("orvanet.ini"), "[ftp]\nhost=127.0.0.1\nport=9\n[sntp]\nhost=127.0.0.1\nport=9\ntimeout_ms=300\n"));
        messages_.clear();
        orv::ui::SetMessageResponder([this](const QString& caption, const QString& text, QMessageBox::StandardButtons) {
            messages_ << caption + u'|' + text;
            return QMessageBox::Ok;
        });
        CreateForms();
    }
    void cleanup() {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
        DestroyForms();
        orv::ui::SetMessageResponder({});
        QDir(Root()).removeRecursively();
    }

    void createsTheWindowsInOrderAndShowsOnlyTheSignIn() {
        QCOMPARE(signInWindow->windowTitle(), QStringLiteral("Access Control"));
        QCOMPARE(signInWindow->size(), QSize(279, 56));
        QCOMPARE(signInWindow->root, Root());
        signInWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(signInWindow));
        QVERIFY(!mainWindow->isVisible());
        QCOMPARE(signInWindow->accessCodeField->echoMode(), QLineEdit::Password);
        QCOMPARE(signInWindow->okButton->text(), QStringLiteral("Ok"));
    }

    void aFirstStartOpensTheServerSettingsAndSaysWhy() {
        signInWindow->show();
        QVERIFY(!mainWindow->findChild<orv::ui::ServerSettingsWindow*>());  // a configured workspace: no window
        signInWindow->hide();
        QVERIFY(QFile::remove(QString::fromStdString(File("orvanet.ini"))));
        signInWindow->prepareWorkspace();
        auto* settings = mainWindow->findChild<orv::ui::ServerSettingsWindow*>();
        QVERIFY(settings && settings->isVisible());
        QVERIFY(settings->reasonLabel->text().contains(QStringLiteral("ftp.tarvina.invalid")));
        settings->close();
    }

    void validCodesGiveTheFolderCodeAndReachTheMainWindow_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("folder");
        QTest::newRow("947") << "947"
                             << "0";
        QTest::newRow("1894") << "1894"
                              << "1";
        QTest::newRow("0") << "0"
                           << "-1";
        QTest::newRow("spaces") << "  1894  "
                                << "1";
    }
    void validCodesGiveTheFolderCodeAndReachTheMainWindow() {
        QFETCH(QString, code);
        QFETCH(QString, folder);
        signInWindow->show();
        TypeAndPressEnter(code);  // Enter acts as "Ok"
        QVERIFY(!signInWindow->isVisible());
        QCOMPARE(mainWindow->State().labFolderCode, folder);
        QCOMPARE(mainWindow->securityIndicator->pixmap().toImage(), mainWindow->successPicture->pixmap().toImage());
        QVERIFY(messages_.isEmpty());
        // The start-up check (300 ms after showing) sets `waite`; the 100 ms poll then shows the main window.
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow->isVisible(), 5000);
        QVERIFY(signInWindow->startCheckDone);
        QVERIFY(!QApplication::overrideCursor());
    }

    void refusedCodesEmptyTheFieldAndStay_data() {
        QTest::addColumn<QString>("code");
        QTest::newRow("948") << "948";
        QTest::newRow("abc") << "abc";
        QTest::newRow("empty") << "";
    }
    void refusedCodesEmptyTheFieldAndStay() {
        QFETCH(QString, code);
        signInWindow->show();
        signInWindow->accessCodeField->setText(code);
        QTest::mouseClick(signInWindow->okButton, Qt::LeftButton);
        QCOMPARE(messages_, QStringList{QStringLiteral("Attention|***** Your password is Illegal *****")});
        QVERIFY(signInWindow->isVisible());
        QVERIFY(signInWindow->accessCodeField->text().isEmpty());
        QTest::qWait(600);
        QVERIFY(!mainWindow->isVisible());
        QVERIFY(mainWindow->State().labFolderCode.isEmpty());
    }

    void checkFileIsCreatedOnceAndNeverOverwritten() {
        signInWindow->show();
        std::string bytes;
        QVERIFY(orv::ReadWholeFile(File("check.txt"), bytes));
        QCOMPARE(QByteArray::fromStdString(bytes), QByteArray("17\r\n"));
        // A later start keeps the user's counter.
        QVERIFY(orv::WriteFileAtomically(File("check.txt"), "23\r\n"));
        DestroyForms();
        CreateForms();
        signInWindow->show();
        QVERIFY(orv::ReadWholeFile(File("check.txt"), bytes));
        QCOMPARE(QByteArray::fromStdString(bytes), QByteArray("23\r\n"));
    }

    void proxyFileFillsBothClientsAndAShortFileSaysSo() {
        QDir().mkpath(Root());
        QVERIFY(orv::WriteTextFile(File("pro.txt"), {" proxy.lab ", "clerk", "pw", " 3128"}));
        signInWindow->show();
        QCOMPARE(mainWindow->ftpProxy.host, std::string("proxy.lab"));
        QCOMPARE(mainWindow->sntpProxy.port, 3128);
        QVERIFY(messages_.isEmpty());

        DestroyForms();
        CreateForms();
        QVERIFY(orv::WriteTextFile(File("pro.txt"), {"proxy2", "clerk"}));
        signInWindow->show();
        QCOMPARE(mainWindow->ftpProxy.host, std::string("proxy2"));
        QCOMPARE(mainWindow->ftpProxy.user, std::string("clerk"));
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_.first().contains(QStringLiteral("pro.txt")));
    }
};

QTEST_MAIN(SignInWindowTest)
#include "test_signin_window.moc"
