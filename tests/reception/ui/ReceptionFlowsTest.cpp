// The reception window's commands on a list: quality control, deleting,
// searching, one test for everybody, removing tests, a new list, custom codes,
// and saving "today.txt" (also when it cannot be saved).
#include <QMenu>
#include <QToolButton>

#include "tests/reception/ui/ReceptionWindow.h"

using orv::test::Cp1256;
using orv::test::ReceptionWindow;

namespace {

const QString kThree = u"1;الف;ب;30;0;;2[Hb;\r\n2;ج;د;4;1;;1[\r\n3;ه;و;5;2;;0[Zn;\r\n"_qs;

}  // namespace

class ReceptionFlowsTest : public QObject {
    Q_OBJECT

private slots:
    void qualityControlStopsAtTheFirstFaultyPatient();
    void qualityControlFocusesTheField();
    void deletesSearchesAndStartsANewList();
    void addsToAllAndRemovesTests();
    void assignsCustomCodes();
    void savesEveryTwentySecondsAndSaysWhenItCannot();
    void loadsOddRecords();
};

void ReceptionFlowsTest::qualityControlStopsAtTheFirstFaultyPatient() {
    ReceptionWindow w;
    w.WriteFile("today.txt", Cp1256(kThree));
    w.Open();
    w.form->qualityControlButton->click();
    QCOMPARE(w.prompts.messages, QStringList{u"Attention|بیمار فاقد تست درخواستی میباشد"_qs});
    QCOMPARE(w.form->shownPatient, 1);
    QCOMPARE(w.SelectedRow(), 1);
    QCOMPARE(w.form->receiptEdit->text(), QStringLiteral("2"));
    QTRY_COMPARE(ReceptionWindow::Focused(), QStringLiteral("ComboBox2"));

    // Every patient passes: nothing shown, the last one loaded.
    w.prompts.Clear();
    w.form->testNameBox->setCurrentIndex(w.form->testNameBox->findText(u"Hb"_qs));
    w.form->testNameEntered();
    w.form->qualityControlButton->click();
    QVERIFY(w.prompts.messages.isEmpty());
    QCOMPARE(w.form->shownPatient, 2);
    QCOMPARE(w.form->receiptEdit->text(), QStringLiteral("3"));
    w.form->close();
}

void ReceptionFlowsTest::qualityControlFocusesTheField() {
    struct Case {
        QString record, message, field;
    };
    const Case cases[] = {
        {u" ;a;b;1;0;;0[Hb;"_qs, u"شمار قبض پذیرش نا معتبر میباشد"_qs, u"Edit2"_qs},
        {u"9;;b;1;0;;0[Hb;"_qs, u"نام کوچک بیمار نا معتبر میباشد"_qs, u"Edit1"_qs},
        {u"9;a; ;1;0;;0[Hb;"_qs, u"نام خانوادگی بیمار نا معتبر میباشد"_qs, u"Edit4"_qs},
        {u"9;a;b;;0;;0[Hb;"_qs, u"سن بیمار نا معتبر میباشد"_qs, u"Edit5"_qs},
    };
    for (const Case& c : cases) {
        ReceptionWindow w;
        w.WriteFile("today.txt", Cp1256(u"1;a;b;2;0;;0[Hb;\r\n"_qs + c.record + u"\r\n"_qs));
        w.Open();
        w.form->checkQuality();
        QCOMPARE(w.prompts.Texts(), QStringList{c.message});
        QCOMPARE(w.form->shownPatient, 1);
        QTRY_COMPARE(ReceptionWindow::Focused(), c.field);
        w.form->close();
    }
}

void ReceptionFlowsTest::deletesSearchesAndStartsANewList() {
    ReceptionWindow w;
    w.WriteFile("today.txt", Cp1256(kThree));
    w.Open();
    // Search: a receipt in the first row, then one nobody has.
    w.form->searchEdit->setText(u"1"_qs);
    QCOMPARE(w.SelectedRow(), 0);
    QCOMPARE(w.form->shownPatient, 0);
    QCOMPARE(w.form->firstNameEdit->text(), QStringLiteral("الف"));
    w.form->searchEdit->setText(u"3"_qs);
    QCOMPARE(w.form->shownPatient, 2);
    w.form->searchEdit->setText(u"77"_qs);
    QCOMPARE(w.SelectedRow(), 0);
    QCOMPARE(w.form->shownPatient, 0);

    // Deleting asks first; Cancel keeps the patient.
    w.form->searchEdit->setText(u"3"_qs);
    w.prompts.buttons.enqueue(QMessageBox::Cancel);
    w.form->deleteButton->click();
    QCOMPARE(w.form->worklist->Count(), 3);
    w.form->deleteButton->click();
    QCOMPARE(w.prompts.Texts().last(), QStringLiteral("آیا مطمئنید که کلیه اطلاعات این بیمار پاک شود؟"));
    QCOMPARE(w.form->worklist->rowCount(), 2);
    QCOMPARE(w.Cell(0, 0), QStringLiteral(" 1"));
    QCOMPARE(w.Cell(1, 0), QStringLiteral(" 2"));
    QCOMPARE(w.form->shownPatient, 1);
    QCOMPARE(w.form->receiptEdit->text(), QStringLiteral("2"));
    // The first of the two: the rows are numbered anew.
    w.form->searchEdit->setText(u"1"_qs);
    w.form->deleteButton->click();
    QCOMPARE(w.Cell(0, 0), QStringLiteral(" 1"));
    QCOMPARE(w.Cell(0, 1), QStringLiteral("2"));
    QCOMPARE(w.form->shownPatient, 0);

    // A new list: confirmed, the file is emptied to 0 bytes and the grid keeps one empty row.
    w.form->newListButton->click();
    QCOMPARE(w.prompts.Texts().last(), QStringLiteral("آیا مطمئنید که تمام درخواستهای قبلی پاک شود؟"));
    QCOMPARE(w.form->worklist->Count(), 0);
    QCOMPARE(w.form->worklist->rowCount(), 1);
    QCOMPARE(w.Cell(0, 0), QString());
    QVERIFY(QFile::exists(w.FilePath("today.txt")));
    QCOMPARE(w.ReadFile("today.txt").size(), 0);
    QCOMPARE(w.form->receiptEdit->text(), QString());
    QCOMPARE(w.form->ageUnitBox->currentText(), QStringLiteral("Year"));
    // Deleting from an empty list does nothing.
    const int asked = w.prompts.messages.size();
    w.form->deleteButton->click();
    QCOMPARE(w.prompts.messages.size(), asked);
    // The first patient of the new list takes the empty row.
    w.form->receiptEdit->setFocus();
    ReceptionWindow::Type(u"77"_qs);
    ReceptionWindow::Enter();
    QCOMPARE(w.Records(), QStringList{u"77;;;;0;;0["_qs});
    QCOMPARE(w.Cell(0, 0), QStringLiteral(" 1"));
    w.form->exitButton->click();  // exit saves
    QVERIFY(!w.form->isVisible());
    QCOMPARE(w.ReadFile("today.txt"), QByteArray("77;;;;0;;0[\r\n"));
}

void ReceptionFlowsTest::addsToAllAndRemovesTests() {
    ReceptionWindow w;
    w.WriteFile("today.txt", Cp1256(kThree));
    w.Open();
    w.form->testNameBox->setCurrentIndex(w.form->testNameBox->findText(u"Zn"_qs));
    w.form->everyPatientAction->trigger();
    QCOMPARE(w.prompts.Texts(), QStringList{u"آیا مطمئنید که این تست برای همه انتخاب شود ؟"_qs});
    QCOMPARE(w.Records(), (QStringList{u"1;الف;ب;30;0;;2[Hb;Zn;"_qs, u"2;ج;د;4;1;;1[Zn;"_qs, u"3;ه;و;5;2;;0[Zn;"_qs}));
    QCOMPARE(w.form->shownPatient, 2);
    QCOMPARE(w.SelectedRow(), 2);

    // One test, then all of the first patient's.
    w.form->searchEdit->setText(u"1"_qs);
    w.form->removeTestAction->trigger();  // nothing selected: nothing removed
    QCOMPARE(w.Tests(), (QStringList{u"Hb"_qs, u"Zn"_qs}));
    w.form->requestedTestsList->setCurrentRow(0);
    w.form->removeTestAction->trigger();
    QCOMPARE(w.Records().first(), QStringLiteral("1;الف;ب;30;0;;2[Zn;"));
    w.form->removeAllTestsAction->trigger();
    QCOMPARE(w.Records().first(), QStringLiteral("1;الف;ب;30;0;;2["));
    QCOMPARE(w.form->requestedTestsList->palette().color(QPalette::Base), QColor(0xF0, 0xC0, 0xFE));
    // The name with a ";" of the catalogue is stored with "," and comes back as one name.
    w.form->testNameBox->setCurrentIndex(w.form->testNameBox->findText(u"TEL-AML 1(12;21)Qual"_qs));
    w.form->testNameEntered();
    w.form->LoadRecord(0);
    QCOMPARE(w.Tests(), (QStringList{u"TEL-AML 1(12,21)Qual"_qs}));
    // The one-letter test "k" is read back.
    w.form->testNameBox->setCurrentIndex(w.form->testNameBox->findText(u"k"_qs, Qt::MatchCaseSensitive));
    w.form->testNameEntered();
    w.form->LoadRecord(0);
    QCOMPARE(w.Tests().last(), QStringLiteral("k"));
    w.form->close();
}

void ReceptionFlowsTest::assignsCustomCodes() {
    ReceptionWindow w;
    // Fewer lines than tests: the file is extended so the code lands on its own test.
    w.WriteFile("customcode.txt", "a1\r\n\r\n");
    w.Open();
    const int zn = w.form->testNameBox->findText(u"Zn"_qs);
    w.form->testNameBox->setCurrentIndex(zn);
    w.form->customCodeEdit->setText(u" zz "_qs);
    w.form->customCodeButton->click();
    const QList<QByteArray> lines = w.ReadFile("customcode.txt").split('\n');
    QCOMPARE(lines.size(), w.form->testNameBox->count() + 1);
    QCOMPARE(lines[0], QByteArray("a1\r"));
    QCOMPARE(lines[zn], QByteArray("zz\r"));
    QCOMPARE(lines[zn - 1], QByteArray("\r"));
    // The code selects its test, in any case; an unknown code selects none.
    w.form->codeBox->setEditText(u"ZZ"_qs);
    QCOMPARE(w.form->testNameBox->currentIndex(), zn);
    w.form->codeBox->setEditText(u"q"_qs);
    QCOMPARE(w.form->testNameBox->currentIndex(), -1);
    w.form->codeBox->setEditText(QString());
    QCOMPARE(w.form->testNameBox->currentIndex(), -1);
    // No code or no test: nothing is written.
    w.form->customCodeEdit->clear();
    w.form->customCodeButton->click();
    QCOMPARE(w.ReadFile("customcode.txt").split('\n')[zn], QByteArray("zz\r"));
    w.form->close();
}

void ReceptionFlowsTest::savesEveryTwentySecondsAndSaysWhenItCannot() {
    ReceptionWindow w;
    w.Open();
    w.form->receiptEdit->setFocus();
    ReceptionWindow::Type(u"5"_qs);
    ReceptionWindow::Enter();
    w.form->autosave();
    QCOMPARE(w.ReadFile("today.txt"), QByteArray("5;;;;0;;0[\r\n"));
    QVERIFY(w.form->saveStatus->text().isEmpty());

    // The workspace goes away: the window says so and keeps the list.
    w.form->root = w.Root() + u"gone/"_qs;
    w.form->autosave();
    QVERIFY(!w.form->saveStatus->text().isEmpty());
    QVERIFY(!w.form->close());  // told, and kept open; closed on the second asking
    QVERIFY(w.form->close());
    QCOMPARE(w.prompts.messages.size(), 2);
    w.form->worklist->Append("6;;;;0;;0[");
    w.Open();  // the list that could not be saved is not replaced by the file
    QCOMPARE(w.Records(), (QStringList{u"5;;;;0;;0["_qs, u"6;;;;0;;0["_qs}));
    // Export refuses to send a list it could not save.
    bool exported = false;
    QObject::connect(w.form.get(), &orv::reception::ReceptionWindow::exportRequested, [&] { exported = true; });
    w.form->exportButton->click();
    QVERIFY(!exported);
    QCOMPARE(w.prompts.messages.size(), 3);
    w.form->root = w.Root();
    w.form->exportButton->click();
    QVERIFY(exported);
    QVERIFY(w.form->saveStatus->text().isEmpty());
    QCOMPARE(w.ReadFile("today.txt"), QByteArray("5;;;;0;;0[\r\n6;;;;0;;0[\r\n"));
    // Hidden, the timer leaves the file alone.
    w.form->hide();
    QFile::remove(w.FilePath("today.txt"));
    w.form->autosave();
    QVERIFY(!QFile::exists(w.FilePath("today.txt")));
    // The program ending while the window is open saves the list.
    w.Open();
    w.form->worklist->Append("7;;;;0;;0[");
    w.form.reset();
    QVERIFY(w.ReadFile("today.txt").endsWith("7;;;;0;;0[\r\n"));
}

void ReceptionFlowsTest::loadsOddRecords() {
    ReceptionWindow w;
    // Age unit and sex that are no numbers, a last test without ";", a UTF-8 file.
    w.WriteFile("today.txt", "\xEF\xBB\xBF" "8;Ali;Rezai;40;x;Hasan;?[CBC;k\r\n");
    w.Open();
    QCOMPARE(w.form->firstNameEdit->text(), QStringLiteral("Ali"));
    QCOMPARE(w.form->fatherNameEdit->text(), QStringLiteral("Hasan"));
    QCOMPARE(w.form->ageUnitBox->currentIndex(), -1);
    QCOMPARE(w.form->sexBox->currentIndex(), -1);
    QCOMPARE(w.Tests(), (QStringList{u"CBC"_qs, u"k"_qs}));
    w.form->close();
    // Every character fits code page 1256, the central laboratory's: written back in it.
    QCOMPARE(w.ReadFile("today.txt"), QByteArray("8;Ali;Rezai;40;x;Hasan;?[CBC;k\r\n"));
    // A file that is there but cannot be read is never overwritten.
    QFile::setPermissions(w.FilePath("today.txt"), QFile::WriteOwner);
    QFile probe(w.FilePath("today.txt"));
    if (probe.open(QIODevice::ReadOnly)) QSKIP("running as a user who reads every file");
    w.Open();
    QVERIFY(!w.form->saveStatus->text().isEmpty());
    w.form->close();
    QFile::setPermissions(w.FilePath("today.txt"), QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(w.ReadFile("today.txt"), QByteArray("8;Ali;Rezai;40;x;Hasan;?[CBC;k\r\n"));
}

QTEST_MAIN(ReceptionFlowsTest)
#include "ReceptionFlowsTest.moc"
