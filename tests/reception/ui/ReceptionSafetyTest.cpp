// No typed patient lost or mixed: NEW and the current patient, the grid's row,
// digits of any script, characters a record or code page 1256 cannot hold, the
// custom code's test, a failed save on closing, the receipt search's focus, the
// export of a list the central laboratory could not read, and the save within a
// second of every change.
#include <QToolButton>

#include "tests/reception/ui/ReceptionWindow.h"

using orv::test::Cp1256;
using orv::test::ReceptionWindow;

namespace {
const QString kDuplicate = u"Attention|این شماره قبض برای امروز تکراری میباشد"_qs;
}

class ReceptionSafetyTest : public QObject {
    Q_OBJECT

private slots:
    void newPatientAndTheRowShownStayTogether();
    void digitsOfAnyScriptAreAscii();
    void fieldsRefuseWhatARecordCannotHold();
    void codeGoesToTheTestShown();
    void failedSaveOnClosingKeepsTheWindow();
    void searchKeepsTheFocus();
    void listIsKeptInCodePage1256();
    void savedWithinASecondOfEveryChange();
};

void ReceptionSafetyTest::newPatientAndTheRowShownStayTogether() {
    ReceptionWindow w;
    w.WriteFile("today.txt", "1;a;b;2;0;;0[Hb;\r\n2;c;d;3;0;;0[Zn;\r\n");
    w.Open();
    // NEW, a receipt typed, Enter in the first name: a third patient, the others untouched.
    QTest::keyClick(w.form.get(), Qt::Key_F3);
    ReceptionWindow::Type(u"3"_qs);
    w.form->firstNameEdit->setFocus();
    ReceptionWindow::Type(u"x"_qs);
    ReceptionWindow::Enter();
    QCOMPARE(w.Records(), (QStringList{u"1;a;b;2;0;;0[Hb;"_qs, u"2;c;d;3;0;;0[Zn;"_qs, u"3;x;;;0;;1["_qs}));
    QCOMPARE(w.form->shownPatient, 2);
    QCOMPARE(w.SelectedRow(), 2);
    // The current patient's receipt changed to another's: refused.
    w.form->receiptEdit->setText(u"1"_qs);
    w.form->familyNameEdit->setFocus();
    ReceptionWindow::Enter();
    QCOMPARE(w.prompts.messages, QStringList{kDuplicate});
    QCOMPARE(w.Records().last(), QStringLiteral("3;x;;;0;;1["));
    // Enter in the receipt field: the new row is the one selected.
    QTest::keyClick(w.form.get(), Qt::Key_F3);
    QCOMPARE(w.SelectedRow(), -1);
    ReceptionWindow::Type(u"4"_qs);
    ReceptionWindow::Enter();
    QCOMPARE(w.SelectedRow(), 3);
    // The arrow keys move the grid's row and the patient shown with it.
    w.form->patientTable->setFocus();
    QTest::keyClick(w.form->patientTable, Qt::Key_Up);
    QTest::keyClick(w.form->patientTable, Qt::Key_Up);
    QCOMPARE(w.SelectedRow(), 1);
    QCOMPARE(w.form->shownPatient, 1);
    QCOMPARE(w.form->receiptEdit->text(), QStringLiteral("2"));
    // Delete takes the patient shown, also after NEW left the fields to a new one.
    w.form->deleteButton->click();
    QCOMPARE(w.Records(), (QStringList{u"1;a;b;2;0;;0[Hb;"_qs, u"3;x;;;0;;1["_qs, u"4;;;;0;;0["_qs}));
    QCOMPARE(w.form->receiptEdit->text(), QStringLiteral("3"));
    QTest::keyClick(w.form.get(), Qt::Key_F3);
    const int asked = w.prompts.messages.size();
    w.form->deleteButton->click();
    QCOMPARE(w.prompts.messages.size(), asked);
    QCOMPARE(w.form->worklist->Count(), 3);
    w.form->close();
}

void ReceptionSafetyTest::digitsOfAnyScriptAreAscii() {
    ReceptionWindow w;
    w.WriteFile("customcode.txt", ReceptionWindow::CodesFor({{"Hb", "12"}}));
    // A UTF-8 list that kept a receipt in Persian digits.
    w.WriteFile("today.txt", "\xEF\xBB\xBF" "12;a;b;2;0;;0[\r\n" + QString(u"۳۴;c;d;3;0;;0[\r\n"_qs).toUtf8());
    w.Open();
    QCOMPARE(w.Records().last(), QStringLiteral("34;c;d;3;0;;0["));
    QTest::keyClick(w.form.get(), Qt::Key_F3);
    ReceptionWindow::Type(u"۱۲"_qs);
    QCOMPARE(w.form->receiptEdit->text(), QStringLiteral("12"));
    ReceptionWindow::Enter();
    QCOMPARE(w.prompts.messages, QStringList{kDuplicate});
    w.form->ageEdit->setFocus();
    ReceptionWindow::Type(u"٤٥"_qs);  // Arabic-Indic
    QCOMPARE(w.form->ageEdit->text(), QStringLiteral("45"));
    // The code and the search, typed in Persian digits.
    w.form->codeBox->setFocus();
    ReceptionWindow::Type(u"۱۲"_qs);
    QCOMPARE(w.form->testNameBox->currentText(), QStringLiteral("Hb"));
    w.form->searchEdit->setFocus();
    ReceptionWindow::Type(u"۳۴"_qs);
    QCOMPARE(w.form->shownPatient, 1);
    w.form->close();
}

void ReceptionSafetyTest::fieldsRefuseWhatARecordCannotHold() {
    struct Case {
        QString pasted;
        QString kept;     // the field's text after it
        QString message;  // "" for the beep alone
    };
    const Case cases[] = {
        {u"علی\nرضا"_qs, u"ab"_qs, {}},
        {u"x\r"_qs, u"ab"_qs, {}},
        {u"x\tz"_qs, u"ab"_qs, {}},
        {u"خانه\u200Cۀ"_qs, u"ab"_qs, u"«ۀ» (U+06C0)"_qs},
        {u"حمزه\u0654"_qs, u"ab"_qs, u"(U+0654)"_qs},
        {u"Jörg"_qs, u"ab"_qs, u"«ö» (U+00F6)"_qs},
        // The code page's best fits and its own letters pass.
        {u"کیانی"_qs, u"abکیانی"_qs, {}},
        {u"Müller"_qs, u"abMüller"_qs, {}},
    };
    ReceptionWindow w;
    w.Open();
    for (const Case& c : cases) {
        for (QLineEdit* field : {w.form->firstNameEdit, w.form->fatherNameEdit, w.form->customCodeEdit}) {
            w.prompts.Clear();
            field->setFocus();
            field->setText(u"ab"_qs);
            field->end(false);
            field->insert(c.pasted);
            QCOMPARE(field->text(), c.kept);
            const bool refused = c.kept == u"ab"_qs;
            QCOMPARE(w.prompts.beeps, refused ? 1 : 0);
            if (c.message.isEmpty()) {
                QTest::qWait(20);
                QVERIFY(w.prompts.messages.isEmpty());
            } else {
                QTRY_COMPARE(w.prompts.messages.size(), 1);
                QVERIFY2(w.prompts.messages.first().contains(c.message), qPrintable(w.prompts.messages.first()));
            }
        }
    }
    // The catalogue's name with the divider is stored as one test.
    QTest::keyClick(w.form.get(), Qt::Key_F3);
    ReceptionWindow::Type(u"5"_qs);
    ReceptionWindow::Enter();
    w.form->testNameBox->setCurrentIndex(w.form->testNameBox->findText(u"TEL-AML 1(12;21)Qual"_qs));
    w.form->testNameEntered();
    w.form->LoadRecord(0);
    QCOMPARE(w.Tests(), QStringList{u"TEL-AML 1(12,21)Qual"_qs});
    w.form->close();
}

void ReceptionSafetyTest::codeGoesToTheTestShown() {
    ReceptionWindow w;
    w.Open();
    const int hb = w.form->testNameBox->findText(u"Hb"_qs), zn = w.form->testNameBox->findText(u"Zn"_qs);
    w.form->testNameBox->setCurrentIndex(hb);
    w.form->testNameBox->setEditText(u"Zn"_qs);
    w.form->customCodeEdit->setText(u"z1"_qs);
    w.form->customCodeButton->click();
    const QList<QByteArray> lines = w.ReadFile("customcode.txt").split('\n');
    QCOMPARE(lines.value(zn), QByteArray("z1\r"));
    QCOMPARE(lines.value(hb), QByteArray("\r"));
    // Text that names no test: no code is given.
    w.form->testNameBox->setEditText(u"Zn-"_qs);
    w.form->customCodeEdit->setText(u"q"_qs);
    w.form->customCodeButton->click();
    QVERIFY(!w.ReadFile("customcode.txt").contains("q"));
    w.form->close();
}

void ReceptionSafetyTest::failedSaveOnClosingKeepsTheWindow() {
    ReceptionWindow w;
    w.Open();
    QTest::keyClick(w.form.get(), Qt::Key_F3);
    ReceptionWindow::Type(u"5"_qs);
    ReceptionWindow::Enter();
    w.form->root = w.Root() + u"gone/"_qs;
    // The first close: the message, the window stays with its list.
    QVERIFY(!w.form->close());
    QVERIFY(w.form->isVisible());
    QCOMPARE(w.prompts.messages.size(), 1);
    QVERIFY(w.prompts.messages.first().contains(u"today.txt"_qs));
    // The next asks; Cancel keeps it open, OK closes without saving.
    w.prompts.buttons.enqueue(QMessageBox::Cancel);
    QVERIFY(!w.form->close());
    QCOMPARE(w.prompts.messages.size(), 2);
    QVERIFY(w.form->isVisible());
    QVERIFY(w.form->close());
    QCOMPARE(w.Records(), QStringList{u"5;;;;0;;0["_qs});
    // Saved again, closing is plain once more.
    w.form->root = w.Root();
    w.Open();
    w.prompts.Clear();
    QVERIFY(w.form->close());
    QVERIFY(w.prompts.messages.isEmpty());
    QCOMPARE(w.ReadFile("today.txt"), QByteArray("5;;;;0;;0[\r\n"));
}

void ReceptionSafetyTest::searchKeepsTheFocus() {
    ReceptionWindow w;
    w.WriteFile("today.txt", "1;a;b;2;0;;0[\r\n12;c;d;3;0;;0[\r\n3;e;f;4;0;;0[\r\n");
    w.Open();
    w.form->searchEdit->setFocus();
    ReceptionWindow::Type(u"12"_qs);
    QCOMPARE(w.form->searchEdit->text(), QStringLiteral("12"));
    QCOMPARE(ReceptionWindow::Focused(), QStringLiteral("Edit7"));
    QCOMPARE(w.form->shownPatient, 1);
    QCOMPARE(w.SelectedRow(), 1);
    w.form->close();
}

void ReceptionSafetyTest::listIsKeptInCodePage1256() {
    ReceptionWindow w;
    bool exported = false;
    // A UTF-8 list whose characters all fit goes back as code page 1256.
    w.WriteFile("today.txt", "\xEF\xBB\xBF" + QString(u"1;علی;ب;2;0;;0[Hb;\r\n"_qs).toUtf8());
    w.Open();
    QObject::connect(w.form.get(), &orv::reception::ReceptionWindow::exportRequested, [&] { exported = true; });
    w.form->exportButton->click();
    QVERIFY(exported);
    QCOMPARE(w.ReadFile("today.txt"), Cp1256(u"1;علی;ب;2;0;;0[Hb;\r\n"_qs));
    w.form->close();
    // One that does not fit stays UTF-8 (nothing lost), and is not exported: patient and field named.
    exported = false;
    w.WriteFile("today.txt", "\xEF\xBB\xBF" + QString(u"1;a;b;2;0;;0[Hb;\r\n12;c;خانه‌ۀ;3;0;;0[Zn;\r\n"_qs).toUtf8());
    w.Open();
    w.prompts.Clear();
    w.form->exportButton->click();
    QVERIFY(!exported);
    QVERIFY(w.ReadFile("today.txt").startsWith("\xEF\xBB\xBF"));
    QCOMPARE(w.prompts.messages.size(), 1);
    for (const QString& named : {u"ردیف 2"_qs, u"12"_qs, u"نام خانوادگی"_qs, u"U+06C0"_qs})
        QVERIFY2(w.prompts.messages.first().contains(named), qPrintable(named));
    QCOMPARE(w.form->shownPatient, 1);
    // The character removed, the list is code page 1256 again and goes.
    w.form->familyNameEdit->setText(u"خانه"_qs);
    w.form->familyNameEdit->setFocus();
    ReceptionWindow::Enter();
    w.form->exportButton->click();
    QVERIFY(exported);
    QCOMPARE(w.ReadFile("today.txt"), Cp1256(u"1;a;b;2;0;;0[Hb;\r\n12;c;خانه;3;0;;0[Zn;\r\n"_qs));
    w.form->close();
}

void ReceptionSafetyTest::savedWithinASecondOfEveryChange() {
    ReceptionWindow w;
    w.Open();
    QTest::keyClick(w.form.get(), Qt::Key_F3);
    ReceptionWindow::Type(u"7"_qs);
    ReceptionWindow::Enter();
    QTRY_COMPARE_WITH_TIMEOUT(w.ReadFile("today.txt"), QByteArray("7;;;;0;;0[\r\n"), 1000);
    w.form->testNameBox->setCurrentIndex(w.form->testNameBox->findText(u"Hb"_qs));
    w.form->testNameEntered();
    QTRY_COMPARE_WITH_TIMEOUT(w.ReadFile("today.txt"), QByteArray("7;;;;0;;0[Hb;\r\n"), 1000);
    w.form->deleteButton->click();
    QTRY_COMPARE_WITH_TIMEOUT(w.ReadFile("today.txt"), QByteArray(), 1000);
    QVERIFY(w.form->autosaveTimer->isActive());  // the 20-second save goes on beside it
    w.form->close();
}

QTEST_MAIN(ReceptionSafetyTest)
#include "ReceptionSafetyTest.moc"
