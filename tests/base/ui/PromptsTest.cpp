// The prompts seam: what the windows ask reaches the responders as asked, and
// the answers come back as the windows expect them.
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/PromptRecorder.h"

using namespace Qt::StringLiterals;

class PromptsTest : public QObject {
    Q_OBJECT
private slots:
    void confirmGoesOnOnlyOnOk() {
        PromptRecorder prompts;
        prompts.buttons << QMessageBox::Cancel << QMessageBox::Ok;
        QVERIFY(!orv::ui::Confirm(nullptr, u"Delete?"_s));
        QVERIFY(orv::ui::Confirm(nullptr, u"Delete?"_s));
        QCOMPARE(prompts.messages, (QStringList{u"Attention|Delete?"_s, u"Attention|Delete?"_s}));
    }

    void saveFileAsNamesTheKindAndAddsTheSuffix() {
        PromptRecorder prompts;
        prompts.saveNames << u"/tmp/report"_s << u"/tmp/report.txt"_s << u"/tmp/a.b/report.pdf"_s;
        QCOMPARE(orv::ui::SaveFileAs(nullptr, u"Text files"_s, u"txt"_s, u"/work"_s), u"/tmp/report.txt"_s);
        QCOMPARE(orv::ui::SaveFileAs(nullptr, u"Text files"_s, u"txt"_s), u"/tmp/report.txt"_s);
        QCOMPARE(orv::ui::SaveFileAs(nullptr, u"PDF files"_s, u"pdf"_s), u"/tmp/a.b/report.pdf"_s);
        QCOMPARE(prompts.saveFilters.first(), u"Text files (*.txt)"_s);
        QCOMPARE(prompts.saveFolders.first(), u"/work"_s);
        // Cancelled: no name, no suffix.
        QVERIFY(orv::ui::SaveFileAs(nullptr, u"PDF files"_s, u"pdf"_s).isEmpty());
    }

    void desktopHandOffsAndBeepsAreRecorded() {
        PromptRecorder prompts;
        QVERIFY(orv::ui::OpenFile(u"/tmp/x.pdf"_s));
        QVERIFY(orv::ui::OpenUrl(QUrl(u"http://127.0.0.1:81/page1.aspx?Amount=1"_s)));
        prompts.openSucceeds = false;
        QVERIFY(!orv::ui::OpenFile(u"/tmp/y.rtf"_s));
        orv::ui::Beep();
        orv::ui::Beep();
        QCOMPARE(prompts.OpenedFiles().first(), u"/tmp/x.pdf"_s);
        QCOMPARE(prompts.opened.at(1).port(), 81);
        QCOMPARE(prompts.beeps, 2);
    }

    // The program that took a file may fail to open it later: the caller hears
    // of it, from a test's answer or from the desktop's opener's exit status.
    void aProgramThatFailsLaterIsReported() {
        int failures = 0;
        {
            PromptRecorder prompts;
            QVERIFY(orv::ui::OpenFile(u"/tmp/x.pdf"_s, nullptr, [&] { ++failures; }));
            prompts.openFailsLater = true;
            QVERIFY(orv::ui::OpenFile(u"/tmp/x.pdf"_s, nullptr, [&] { ++failures; }));
            QTRY_COMPARE(failures, 1);
        }
        QTemporaryDir bin;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
        for (const auto& [status, expected] : {std::pair{0, 1}, std::pair{4, 2}}) {
            QFile opener(bin.path() + u"/xdg-open"_s);
            QVERIFY(opener.open(QIODevice::WriteOnly));
            opener.write("#!/bin/sh\necho \"$1\" >> \"$0.log\"\nexit " + QByteArray::number(status) + "\n");
            opener.close();
            opener.setPermissions(opener.permissions() | QFile::ExeOwner);
            QObject context;
            QVERIFY(orv::ui::OpenFile(u"/tmp/y.pdf"_s, &context, [&] { ++failures; }));
            QTRY_VERIFY(QFile(bin.path() + u"/xdg-open.log"_s).size() > 0);
            QTest::qWait(200);
            QTRY_COMPARE(failures, expected);
            QFile::remove(bin.path() + u"/xdg-open.log"_s);
        }
        qputenv("PATH", path);
    }
};

QTEST_MAIN(PromptsTest)
#include "PromptsTest.moc"
