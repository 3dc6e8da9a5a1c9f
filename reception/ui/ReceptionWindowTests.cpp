// The reception window's tests: related tests as the name is typed, adding a
// test by name or by the laboratory's own code, codes, removing tests, and one
// test for every patient.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "base/ui/Prompts.h"
#include "reception/core/TestCatalogue.h"
#include "reception/core/WorklistRecord.h"
#include "reception/ui/ReceptionWindow.h"
#include "reception/ui/WorklistModel.h"

namespace orv::reception {

void ReceptionWindow::showRelatedTests() {
    const QString typed = testNameBox->currentText();
    const int caret = testNameBox->lineEdit() ? testNameBox->lineEdit()->cursorPosition() : typed.size();
    typedTestEdit->setText(typed.left(caret).trimmed());
    relatedTestsList->clear();
    QStringList related;
    for (int i : catalogue_.Related(typedTestEdit->text().toStdString()))
        related << QString::fromStdString(catalogue_.Names()[static_cast<size_t>(i)]);
    relatedTestsList->addItems(related);
}

void ReceptionWindow::pickRelatedTest() {
    if (!relatedTestsList->currentItem()) return;
    const int found = catalogue_.IndexOf(relatedTestsList->currentItem()->text().toStdString());
    if (found >= 0) testNameBox->setCurrentIndex(found);
    testNameBox->setFocus();
}

void ReceptionWindow::focusTestName() { testNameBox->setFocus(); }

// The test selected in testNameBox: the item whose name the box shows (typing a
// whole name, or completing one, selects it); nothing for any other text.
static QString SelectedTest(QComboBox* box) {
    const QString text = box->currentText();
    int i = box->currentIndex();
    if (i < 0 || box->itemText(i) != text) {
        i = box->findText(text, Qt::MatchFixedString);
        if (i < 0) return {};
        box->setCurrentIndex(i);
    }
    return box->itemText(i);
}

void ReceptionWindow::AddSelectedTest() {
    const QString name = SelectedTest(testNameBox);
    if (receiptEdit->text().trimmed().isEmpty() || name.trimmed().isEmpty()) return;
    const std::string stored = orv::reception::TestNameForRecord(name.toStdString());
    std::vector<std::string> tests = CurrentTests();
    if (orv::reception::HoldsTest(tests, stored)) {
        Message(QStringLiteral("این تست برای این بیمار تکراری میباشد"));
        return;
    }
    tests.push_back(stored);
    SetTests(tests);
    StoreRecord(shownPatient);
    testNameBox->setCurrentIndex(-1);
    testNameBox->clearEditText();
    orv::ui::Beep();
}

void ReceptionWindow::testNameEntered() { AddSelectedTest(); }

void ReceptionWindow::selectTestByCode() {
    const int found = orv::reception::FindCode(Codes(), codeBox->currentText().toStdString());
    if (found >= 0 && found < testNameBox->count())
        testNameBox->setCurrentIndex(found);
    else
        testNameBox->setCurrentIndex(-1);
}

void ReceptionWindow::codeEntered() {
    if (receiptEdit->text().trimmed().isEmpty() || testNameBox->currentText().isEmpty() ||
        codeBox->currentText().trimmed().isEmpty())
        return;
    const int before = requestedTestsList->count();
    AddSelectedTest();
    if (requestedTestsList->count() == before) return;  // nothing added: the duplicate message was shown
    codeBox->setCurrentIndex(-1);
    codeBox->clearEditText();
    testNameBox->setCurrentIndex(-1);
    testNameBox->clearEditText();
}

// The code goes to the test the box shows (as a test is added), not to an
// earlier selection the typing has left behind.
void ReceptionWindow::assignCustomCode() {
    const QString code = customCodeEdit->text().trimmed();
    if (code.isEmpty() || SelectedTest(testNameBox).isEmpty()) return;
    const int test = testNameBox->currentIndex();
    std::vector<std::string> codes = Codes();
    orv::reception::AssignCode(codes, test, code.toStdString(), testNameBox->count());
    codeBox->blockSignals(true);
    const QString typed = codeBox->currentText();
    codeBox->clear();
    for (const std::string& c : codes) codeBox->addItem(QString::fromStdString(c));
    codeBox->setCurrentIndex(-1);
    codeBox->setEditText(typed);
    codeBox->blockSignals(false);
    SaveCodes();
}

void ReceptionWindow::addTestToEveryPatient() {
    const QString name = SelectedTest(testNameBox);
    if (name.trimmed().isEmpty() || worklist->Count() == 0) return;
    if (!orv::ui::Confirm(this, QStringLiteral("آیا مطمئنید که این تست برای همه انتخاب شود ؟"))) return;
    const std::string stored = orv::reception::TestNameForRecord(name.toStdString());
    for (int k = 0; k < worklist->Count(); ++k) {
        shownPatient = k;
        LoadRecord(k);
        std::vector<std::string> tests = CurrentTests();
        if (!orv::reception::HoldsTest(tests, stored)) {
            tests.push_back(stored);
            SetTests(tests);
        }
        StoreRecord(k);
    }
    SelectRow(shownPatient);
}

void ReceptionWindow::removeSelectedTest() {
    const int row = requestedTestsList->currentRow();
    if (row < 0 || !requestedTestsList->currentItem() || !requestedTestsList->currentItem()->isSelected()) return;
    std::vector<std::string> tests = CurrentTests();
    tests.erase(tests.begin() + row);
    SetTests(tests);
    StoreRecord(shownPatient);
}

void ReceptionWindow::removeAllTests() {
    SetTests({});
    StoreRecord(shownPatient);
}

}  // namespace orv::reception
