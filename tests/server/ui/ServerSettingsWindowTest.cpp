// The server settings window: its fields come from orvanet.ini (over the
// system-wide file) and go back into it with every other key and comment kept;
// "Test connection" names each step against the local central laboratory.
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "base/core/AtomicFile.h"
#include "server/core/ServerMessages.h"
#include "server/ui/ServerSettingsWindow.h"
#include "tests/support/CentralLab.h"
#include "tests/support/PromptRecorder.h"

using namespace Qt::StringLiterals;
using orv::ConnectionStep;
using orv::StepState;

class ServerSettingsWindowTest : public QObject {
    Q_OBJECT
private:
    orv::test::CentralLab plain_;
    orv::test::CentralLab tls_;
    QTemporaryDir dir_;

    QString Root() const { return dir_.path() + QStringLiteral("/ws/"); }
    std::string Ini() const { return Root().toStdString() + orv::kSettingsFileName; }

    // The state and text of each step after a test with these settings.
    static QList<QPair<int, QString>> Steps(orv::ui::ServerSettingsWindow& w) {
        w.testConnection();
        QList<QPair<int, QString>> steps;
        for (const orv::StepReport& r : w.Steps()) steps.append({int(r.state), QString::fromStdString(r.text)});
        return steps;
    }

private slots:
    void initTestCase() {
        const auto options = orv::test::CentralLabOptions::Fixed("2022-09-21T09:00:00");
        QVERIFY2(plain_.Start(options), plain_.Error().c_str());
        auto tls = options;
        tls.tls = "on";
        QVERIFY2(tls_.Start(tls), tls_.Error().c_str());
    }
    void init() {
        QDir(Root()).removeRecursively();
        QDir().mkpath(Root());
        qputenv("XDG_CONFIG_DIRS", QString(dir_.path() + u"/system").toUtf8());
    }

    void fieldsComeFromTheFilesAndGoBackKeepingEverythingElse() {
        // A deployment's system-wide file gives the host; the workspace's own file the rest.
        QVERIFY(QDir().mkpath(dir_.path() + u"/system/orvanet"));
        QVERIFY(orv::WriteFileAtomically(dir_.path().toStdString() + "/system/orvanet/orvanet.ini",
                                         "[ftp]\nhost=ftp.tarvina.example\nport=2121\n"));
        const std::string own = "; written by the technician\n[ftp]\nuser=lab12\npassword=secret1\n"
                                "[sntp]\ntimeout_ms=1500\n[proxy]\nnote=kept\n";
        QVERIFY(orv::WriteFileAtomically(Ini(), own));
        {
            orv::ui::ServerSettingsWindow w(Root(), QStringLiteral("12"));
            QCOMPARE(w.hostEdit->text(), QStringLiteral("ftp.tarvina.example"));
            QCOMPARE(w.portSpin->value(), 2121);
            QCOMPARE(w.userEdit->text(), QStringLiteral("lab12"));
            w.userEdit->setText(QStringLiteral("lab13"));
            w.cancelButton->click();  // Cancel writes nothing
        }
        std::string text;
        QVERIFY(orv::ReadWholeFile(Ini(), text));
        QCOMPARE(text, own);

        orv::ui::ServerSettingsWindow w(Root(), QStringLiteral("12"));
        QSignalSpy saved(&w, &orv::ui::ServerSettingsWindow::Saved);
        w.userEdit->setText(QStringLiteral("lab13"));
        w.passwordEdit->setText(QStringLiteral("new;pass,word"));
        w.tlsCombo->setCurrentIndex(0);  // required
        w.watchCheck->setChecked(false);
        QVERIFY(w.save());
        QCOMPARE(saved.count(), 1);
        struct stat st {};
        QCOMPARE(::stat(Ini().c_str(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);
        const orv::ServerSettings back = orv::LoadWorkspaceSettings(Root().toStdString());
        QCOMPARE(back.ftpUser, std::string("lab13"));
        QVERIFY(back.ftpPassword == "new;pass,word");
        QCOMPARE(back.ftpTls, orv::FtpTls::Required);
        QCOMPARE(back.sntpTimeoutMs, 1500);
        QVERIFY(!back.resultsWatch);
        QVERIFY(orv::ReadWholeFile(Ini(), text));
        for (const char* kept : {"; written by the technician", "[proxy]\nnote=kept", "timeout_ms=1500"})
            QVERIFY2(text.find(kept) != std::string::npos, kept);
        QVERIFY2(text.find("host=") == std::string::npos, "the deployment's host stays the deployment's");
    }

    void eachStepIsNamedAgainstTheLaboratory_data() {
        QTest::addColumn<QString>("server");
        QTest::addColumn<int>("tls");  // the FtpTls asked for
        QTest::addColumn<bool>("withCa");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<QString>("failureText");  // in the failed step's text
        const int P = int(StepState::Passed), C = int(StepState::Caution), F = int(StepState::Failed),
                  S = int(StepState::Skipped);
        QTest::newRow("plain") << "plain" << int(orv::FtpTls::Off) << false << "" << "12" << QList<int>{P, P, C, P, P}
                               << "";
        QTest::newRow("tls verified") << "tls" << int(orv::FtpTls::Required) << true << "" << "12"
                                      << QList<int>{P, P, P, P, P} << "";
        QTest::newRow("unknown authority") << "tls" << int(orv::FtpTls::Required) << false << "" << "12"
                                           << QList<int>{P, P, F, S, S}
                                           << QString::fromUtf8(orv::msg::kCertificate) + u" — صادرکننده گواهی شناخته نیست"_s;
        QTest::newRow("tls not offered") << "plain" << int(orv::FtpTls::Required) << false << "" << "12"
                                         << QList<int>{P, P, F, S, S}
                                         << QString::fromUtf8(orv::msg::kTlsUnavailable);
        QTest::newRow("log-in refused") << "tls" << int(orv::FtpTls::Required) << true << "login refuse" << "12"
                                        << QList<int>{P, P, P, F, S} << QString::fromUtf8(orv::msg::kLogInRefused);
        QTest::newRow("folder code in Persian digits") << "plain" << int(orv::FtpTls::Off) << false << "" << u"۱۲"_s
                                                       << QList<int>{P, P, C, P, P} << "";
        QTest::newRow("no such folder") << "plain" << int(orv::FtpTls::Off) << false << "" << "97"
                                        << QList<int>{P, P, C, P, F} << QStringLiteral("/Text Result/97/");
        // Said by kind in Persian, libcurl's words after it.
        QTest::newRow("nothing listening") << "closed" << int(orv::FtpTls::Off) << false << "" << "12"
                                           << QList<int>{P, F, S, S, S}
                                           << u". در 127.0.0.1:1 سروری پاسخ نداد؛ نشانی و درگاه (port) سرور را در تنظیمات بررسی کنید (\u2066open: Failed to connect to 127.0.0.1 port 1"_s;
        QTest::newRow("cleartext refused") << "plain" << int(orv::FtpTls::Off) << false << "cleartext refuse" << "12"
                                           << QList<int>{P, P, F, S, S}
                                           << QString::fromUtf8(orv::msg::kCleartextRefused);
    }
    void eachStepIsNamedAgainstTheLaboratory() {
        QFETCH(QString, server);
        QFETCH(int, tls);
        QFETCH(bool, withCa);
        QFETCH(QString, fault);
        QFETCH(QString, folder);
        QFETCH(QList<int>, states);
        QFETCH(QString, failureText);
        orv::test::CentralLab& lab = server == u"plain" || server == u"closed" ? plain_ : tls_;
        QVERIFY(lab.Control("reset"));
        if (!fault.isEmpty()) QVERIFY(lab.Control(fault.toStdString()));
        orv::ServerSettings s = lab.Settings();
        s.ftpTls = static_cast<orv::FtpTls>(tls);
        if (!withCa) s.ftpCaFile.clear();
        if (server == u"closed") s.ftpPort = 1;  // nothing listens there
        QVERIFY(orv::SaveServerSettings(Ini(), s));

        orv::ui::ServerSettingsWindow w(Root(), folder);
        const auto steps = Steps(w);
        QCOMPARE(steps.size(), 5);
        for (int i = 0; i < 5; ++i) QVERIFY2(steps[i].first == states[i], qPrintable(steps[i].second));
        QVERIFY(steps[0].second.contains(QStringLiteral("1401/06/30")));  // the time server's day
        for (const auto& [state, text] : steps)
            if (state == int(StepState::Failed)) QVERIFY2(text.contains(failureText), qPrintable(text));
        QVERIFY(!w.Testing());
        lab.Control("reset");
    }

    // A password nobody typed is never saved: not the placeholder the window shows
    // for one the reader refuses, nor an empty field where the store did not give it.
    void aPasswordNobodyTypedIsNeverSaved() {
        const std::string own = "[ftp]\nhost=h\npassword=tab\\there\n";  // the reader takes "\t" for a tab
        QVERIFY(orv::WriteFileAtomically(Ini(), own));
        {
            orv::ui::ServerSettingsWindow w(Root(), QStringLiteral("12"));
            w.userEdit->setText(QStringLiteral("lab13"));
            QVERIFY(w.save());
        }
        std::string text;
        QVERIFY(orv::ReadWholeFile(Ini(), text));
        QVERIFY2(text.find("password=tab\\there\n") != std::string::npos, text.c_str());
        QCOMPARE(orv::LoadServerSettings(Ini()).ftpUser, std::string("lab13"));

        orv::ui::ServerSettingsWindow w(Root(), QStringLiteral("12"));
        std::optional<std::optional<std::string>> given;
        w.KeepPasswordWith(std::nullopt, [&](orv::ServerSettings, const orv::ServerSettings&,
                                             const std::optional<std::string>& typed, std::string*) {
            given = typed;
            return true;
        });
        QVERIFY(w.passwordEdit->text().isEmpty());
        QVERIFY(w.save());
        QVERIFY(given && !*given);
    }
};

QTEST_MAIN(ServerSettingsWindowTest)
#include "ServerSettingsWindowTest.moc"
