// The reception window driven from the keyboard: three patients with their
// tests, the list kept in "today.txt", the keyboard layouts, refused characters
// and the field colours.
#include "tests/reception/ui/ReceptionWindow.h"

using orv::test::ReceptionWindow;

class ReceptionWindowTest : public QObject {
    Q_OBJECT

private slots:
    void typesThreePatientsFromTheKeyboard();
    void refusesDividersAndDuplicates();
    void fieldColoursFollowTheText();
    void windowLayout();
};

void ReceptionWindowTest::typesThreePatientsFromTheKeyboard() {
    ReceptionWindow w;
    w.WriteFile("customcode.txt", ReceptionWindow::CodesFor({{"Hb", "h1"}, {"Zn", "z9"}, {"FBS", "F"}}));
    w.Open();
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Tarvina Reception"));
    QCOMPARE(w.form->worklist->Count(), 0);
    QCOMPARE(w.SelectedRow(), -1);

    struct Patient {
        QString receipt, first, family, age, father;
        QStringList codes;
    };
    const Patient patients[] = {
        {u"101"_qs, u"علی"_qs, u"رضایی"_qs, u"34"_qs, u"حسن"_qs, {u"h1"_qs, u"Z9"_qs}},
        {u"102"_qs, u"نوزاد مریم"_qs, u"کاظمی"_qs, u"2"_qs, u""_qs, {u"f"_qs}},
        {u"103"_qs, u"محمد رضا"_qs, u"احمدی"_qs, u"61"_qs, u"کریم"_qs, {u"h1"_qs}},
    };
    for (const Patient& p : patients) {
        QTest::keyClick(w.form.get(), Qt::Key_F3);  // NEW [F3]
        QCOMPARE(ReceptionWindow::Focused(), QStringLiteral("Edit2"));
        ReceptionWindow::Type(p.receipt);
        ReceptionWindow::Enter();
        QCOMPARE(ReceptionWindow::Focused(), QStringLiteral("Edit1"));
        ReceptionWindow::Type(p.first);
        ReceptionWindow::Enter();
        QCOMPARE(ReceptionWindow::Focused(), QStringLiteral("Edit4"));
        ReceptionWindow::Type(p.family);
        ReceptionWindow::Enter();
        QCOMPARE(ReceptionWindow::Focused(), QStringLiteral("Edit5"));
        ReceptionWindow::Type(p.age);
        ReceptionWindow::Enter();
        QCOMPARE(ReceptionWindow::Focused(), QStringLiteral("ComboBox4"));
        ReceptionWindow::Enter();
        QCOMPARE(ReceptionWindow::Focused(), QStringLiteral("Edit6"));
        ReceptionWindow::Type(p.father);
        ReceptionWindow::Enter();
        QCOMPARE(ReceptionWindow::Focused(), QStringLiteral("ComboBox2"));
        for (const QString& code : p.codes) {
            ReceptionWindow::Type(code);
            ReceptionWindow::Enter();
            QCOMPARE(w.form->codeBox->currentText(), QString());
        }
    }
    // A test by its name: the related list shows as it is typed.
    w.form->testNameBox->setFocus();
    QTRY_COMPARE(ReceptionWindow::Focused(), QStringLiteral("ComboBox1"));
    ReceptionWindow::Type(u"hba1"_qs);
    QCOMPARE(w.form->typedTestEdit->text(), QStringLiteral("hba1"));
    QVERIFY(!w.form->relatedTestsList->findItems(u"HbA1C"_qs, Qt::MatchExactly).isEmpty());
    ReceptionWindow::Enter();

    const QStringList expected = {
        u"101;علی;رضایی;34;0;حسن;2[Hb;Zn;"_qs,
        u"102;نوزاد مریم;کاظمی;2;0;;1[FBS;"_qs,
        u"103;محمد رضا;احمدی;61;0;کریم;2[Hb;HbA1C;"_qs,
    };
    QCOMPARE(w.Records(), expected);
    QCOMPARE(w.form->worklist->rowCount(), 3);
    QCOMPARE(w.Cell(2, 0), QStringLiteral(" 3"));
    QCOMPARE(w.Cell(2, 1), QStringLiteral("103"));
    QCOMPARE(w.form->guessedNameLabel->text(), QStringLiteral("محمد"));
    QCOMPARE(w.prompts.beeps, 5);  // one per test added
    QVERIFY(w.prompts.messages.isEmpty());

    // Names in Persian, test names in English.
    QVERIFY(w.layouts.contains(u"Edit1:fa"_qs));
    QVERIFY(w.layouts.contains(u"Edit4:fa"_qs));
    QVERIFY(w.layouts.contains(u"Edit6:fa"_qs));
    QVERIFY(w.layouts.contains(u"ComboBox1:en"_qs));
    for (const QString& l : w.layouts) QVERIFY2(l.endsWith(u":fa"_qs) == !l.startsWith(u"ComboBox1"_qs), qPrintable(l));

    // Closing saves; showing again reads the file (yeh as the code page stores it).
    w.form->close();
    QCOMPARE(w.ReadFile("today.txt"), orv::test::Cp1256(expected.join(u"\r\n"_qs) + u"\r\n"_qs));
    w.form->worklist->Clear();
    w.Open();
    QStringList reread = expected;
    for (QString& r : reread) r.replace(QChar(0x06CC), QChar(0x064A));
    QCOMPARE(w.Records(), reread);
    QCOMPARE(w.form->shownPatient, 2);
    QCOMPARE(w.SelectedRow(), 2);
    QCOMPARE(w.form->receiptEdit->text(), QStringLiteral("103"));
    QCOMPARE(w.Tests(), (QStringList{u"Hb"_qs, u"HbA1C"_qs}));
    QCOMPARE(w.form->sexBox->currentText(), QStringLiteral("مرد"));
}

void ReceptionWindowTest::refusesDividersAndDuplicates() {
    ReceptionWindow w;
    w.WriteFile("today.txt", orv::test::Cp1256(u"100;الف;ب;3;0;;1[Hb;\r\n200;ج;د;4;0;;2[Zn;\r\n"_qs));
    w.Open();
    QCOMPARE(w.form->worklist->Count(), 2);
    w.form->firstNameEdit->setFocus();
    w.form->firstNameEdit->selectAll();
    ReceptionWindow::Type(u"a;b[c"_qs);
    QCOMPARE(w.form->firstNameEdit->text(), QStringLiteral("abc"));
    QCOMPARE(w.prompts.beeps, 2);
    // A pasted text with a divider is refused whole.
    w.form->familyNameEdit->setFocus();
    const QString before = w.form->familyNameEdit->text();
    w.form->familyNameEdit->insert(u"x;y"_qs);
    QCOMPARE(w.form->familyNameEdit->text(), before);
    QCOMPARE(w.prompts.beeps, 3);

    // A receipt already in the list, the first patient's included.
    for (const QString& taken : {u"100"_qs, u" 200 "_qs}) {
        QTest::keyClick(w.form.get(), Qt::Key_F3);
        ReceptionWindow::Type(taken);
        ReceptionWindow::Enter();
        QCOMPARE(w.prompts.messages.last(), QStringLiteral("Attention|این شماره قبض برای امروز تکراری میباشد"));
        QCOMPARE(w.form->worklist->Count(), 2);
    }
    // Enter with an empty receipt creates nobody.
    QTest::keyClick(w.form.get(), Qt::Key_F3);
    ReceptionWindow::Enter();
    QCOMPARE(w.form->worklist->Count(), 2);

    // A test the patient already has: the message, nothing changed.
    w.form->patientTable->setCurrentIndex(w.form->worklist->index(0, 0));
    w.form->showClickedPatient();
    w.form->testNameBox->setFocus();
    ReceptionWindow::Type(u"HB"_qs);
    w.form->testNameBox->setCurrentIndex(w.form->testNameBox->findText(u"Hb"_qs));
    ReceptionWindow::Enter();
    QCOMPARE(w.prompts.messages.last(), QStringLiteral("Attention|این تست برای این بیمار تکراری میباشد"));
    QCOMPARE(w.Records().first(), QStringLiteral("100;الف;ب;3;0;;1[Hb;"));
    w.form->close();
}

void ReceptionWindowTest::fieldColoursFollowTheText() {
    ReceptionWindow w;
    w.Open();
    const QColor pink(0xFF, 0xC1, 0xC1), cream(0xFF, 0xFB, 0xF0);
    for (QLineEdit* e : {w.form->firstNameEdit, w.form->receiptEdit, w.form->familyNameEdit, w.form->ageEdit}) {
        QCOMPARE(e->palette().color(QPalette::Base), cream);  // as the window starts
        e->setText(u"x"_qs);
        QCOMPARE(e->palette().color(QPalette::Base), cream);
        e->setText(u"  "_qs);
        QCOMPARE(e->palette().color(QPalette::Base), pink);
    }
    QCOMPARE(w.form->fatherNameEdit->palette().color(QPalette::Base),
             w.form->searchEdit->palette().color(QPalette::Base));
    // The requested tests: with tests, as a filled field (not the grey of a
    // control that is off); the window's colour without.
    w.WriteFile("today.txt", "1;a;b;2;0;;0[\r\n2;c;d;3;0;;0[Hb;\r\n");
    w.form->hide();
    w.Open();
    QCOMPARE(w.form->requestedTestsList->palette().color(QPalette::Base), cream);
    QVERIFY(w.form->requestedTestsList->isEnabled());
    w.form->LoadRecord(0);
    QCOMPARE(w.form->requestedTestsList->palette().color(QPalette::Base), QColor(0xF0, 0xC0, 0xFE));
    w.form->close();
}

void ReceptionWindowTest::windowLayout() {
    ReceptionWindow w;
    w.Open();
    QCOMPARE(w.form->size(), QSize(758, 494));
    QCOMPARE(w.form->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(w.form->testNameBox->maxVisibleItems(), 20);
    QVERIFY(w.form->testNameBox->count() >= 600);
    QCOMPARE(w.form->ageUnitBox->currentText(), QStringLiteral("Year"));
    QCOMPARE(w.form->autosaveTimer->interval(), 20000);
    QVERIFY(w.form->autosaveTimer->isActive());
    QCOMPARE(w.form->searchEdit->toolTip(), QStringLiteral("جستجو بر اساس کد پذیرش شما"));
    // Every control lies inside the window.
    for (QWidget* child : w.form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible()) QVERIFY2(w.form->rect().contains(child->geometry()), qPrintable(child->objectName()));
    w.form->close();
}

QTEST_MAIN(ReceptionWindowTest)
#include "ReceptionWindowTest.moc"
