// The sign-in window: start-up files, the access code, and reaching the main window.
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include "app/ui/Forms.h"
#include "app/ui/TForm1.h"
#include "app/ui/Tmainform.h"
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
        Form1->Edit1->setText(code);
        QTest::keyClick(Form1->Edit1, Qt::Key_Return);
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
        QCOMPARE(Form1->windowTitle(), QStringLiteral("Access Control"));
        QCOMPARE(Form1->size(), QSize(279, 56));
        QCOMPARE(Form1->root, Root());
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        QVERIFY(!mainform->isVisible());
        QCOMPARE(Form1->Edit1->echoMode(), QLineEdit::Password);
        QCOMPARE(Form1->SpeedButton1->text(), QStringLiteral("Ok"));
    }

    void aFirstStartOpensTheServerSettingsAndSaysWhy() {
        Form1->show();
        QVERIFY(!mainform->findChild<orv::ui::ServerSettingsWindow*>());  // a configured workspace: no window
        Form1->hide();
        QVERIFY(QFile::remove(QString::fromStdString(File("orvanet.ini"))));
        Form1->FormShow();
        auto* settings = mainform->findChild<orv::ui::ServerSettingsWindow*>();
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
        Form1->show();
        TypeAndPressEnter(code);  // Enter acts as "Ok"
        QVERIFY(!Form1->isVisible());
        QCOMPARE(mainform->pooshe, folder);
        QCOMPARE(mainform->Image7->pixmap().toImage(), mainform->Image2->pixmap().toImage());
        QVERIFY(messages_.isEmpty());
        // The start-up check (300 ms after showing) sets `waite`; the 100 ms poll then shows the main window.
        QTRY_VERIFY_WITH_TIMEOUT(mainform->isVisible(), 5000);
        QVERIFY(Form1->waite);
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
        Form1->show();
        Form1->Edit1->setText(code);
        QTest::mouseClick(Form1->SpeedButton1, Qt::LeftButton);
        QCOMPARE(messages_, QStringList{QStringLiteral("Attention|***** Your password is Illegal *****")});
        QVERIFY(Form1->isVisible());
        QVERIFY(Form1->Edit1->text().isEmpty());
        QTest::qWait(600);
        QVERIFY(!mainform->isVisible());
        QVERIFY(mainform->pooshe.isEmpty());
    }

    void checkFileIsCreatedOnceAndNeverOverwritten() {
        Form1->show();
        std::string bytes;
        QVERIFY(orv::ReadWholeFile(File("check.txt"), bytes));
        QCOMPARE(QByteArray::fromStdString(bytes), QByteArray("17\r\n"));
        // A later start keeps the user's counter.
        QVERIFY(orv::WriteFileAtomically(File("check.txt"), "23\r\n"));
        DestroyForms();
        CreateForms();
        Form1->show();
        QVERIFY(orv::ReadWholeFile(File("check.txt"), bytes));
        QCOMPARE(QByteArray::fromStdString(bytes), QByteArray("23\r\n"));
    }

    void proxyFileFillsBothClientsAndAShortFileSaysSo() {
        QDir().mkpath(Root());
        QVERIFY(orv::WriteTextFile(File("pro.txt"), {" proxy.lab ", "clerk", "pw", " 3128"}));
        Form1->show();
        QCOMPARE(mainform->ftpProxy.host, std::string("proxy.lab"));
        QCOMPARE(mainform->sntpProxy.port, 3128);
        QVERIFY(messages_.isEmpty());

        DestroyForms();
        CreateForms();
        QVERIFY(orv::WriteTextFile(File("pro.txt"), {"proxy2", "clerk"}));
        Form1->show();
        QCOMPARE(mainform->ftpProxy.host, std::string("proxy2"));
        QCOMPARE(mainform->ftpProxy.user, std::string("clerk"));
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_.first().contains(QStringLiteral("pro.txt")));
    }
};

QTEST_MAIN(SignInWindowTest)
#include "test_signin_window.moc"
