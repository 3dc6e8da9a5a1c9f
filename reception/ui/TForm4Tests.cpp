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
#include "reception/ui/TForm4.h"
#include "reception/ui/WorklistModel.h"

void TForm4::ComboBox1KeyUp() {
    const QString typed = ComboBox1->currentText();
    const int caret = ComboBox1->lineEdit() ? ComboBox1->lineEdit()->cursorPosition() : typed.size();
    Edit9->setText(typed.left(caret).trimmed());
    ListBox2->clear();
    QStringList related;
    for (int i : catalogue_.Related(Edit9->text().toStdString()))
        related << QString::fromStdString(catalogue_.Names()[static_cast<size_t>(i)]);
    ListBox2->addItems(related);
}

void TForm4::ListBox2Click() {
    if (!ListBox2->currentItem()) return;
    const int found = catalogue_.IndexOf(ListBox2->currentItem()->text().toStdString());
    if (found >= 0) ComboBox1->setCurrentIndex(found);
    ComboBox1->setFocus();
}

void TForm4::ListBox2DblClick() { ComboBox1->setFocus(); }

// The test selected in ComboBox1: the item whose name the box shows (typing a
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

void TForm4::AddSelectedTest() {
    const QString name = SelectedTest(ComboBox1);
    if (Edit2->text().trimmed().isEmpty() || name.trimmed().isEmpty()) return;
    const std::string stored = orv::reception::TestNameForRecord(name.toStdString());
    std::vector<std::string> tests = CurrentTests();
    if (orv::reception::HoldsTest(tests, stored)) {
        Message(QStringLiteral("این تست برای این بیمار تکراری میباشد"));
        return;
    }
    tests.push_back(stored);
    SetTests(tests);
    StoreRecord(ii);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->clearEditText();
    orv::ui::Beep();
}

void TForm4::ComboBox1KeyPress() { AddSelectedTest(); }

void TForm4::ComboBox2Change() {
    const int found = orv::reception::FindCode(Codes(), ComboBox2->currentText().toStdString());
    if (found >= 0 && found < ComboBox1->count())
        ComboBox1->setCurrentIndex(found);
    else
        ComboBox1->setCurrentIndex(-1);
}

void TForm4::ComboBox2KeyPress() {
    if (Edit2->text().trimmed().isEmpty() || ComboBox1->currentText().isEmpty() ||
        ComboBox2->currentText().trimmed().isEmpty())
        return;
    const int before = ListBox5->count();
    AddSelectedTest();
    if (ListBox5->count() == before) return;  // nothing added: the duplicate message was shown
    ComboBox2->setCurrentIndex(-1);
    ComboBox2->clearEditText();
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->clearEditText();
}

// The code goes to the test the box shows (as a test is added), not to an
// earlier selection the typing has left behind.
void TForm4::SpeedButton9Click() {
    const QString code = Edit8->text().trimmed();
    if (code.isEmpty() || SelectedTest(ComboBox1).isEmpty()) return;
    const int test = ComboBox1->currentIndex();
    std::vector<std::string> codes = Codes();
    orv::reception::AssignCode(codes, test, code.toStdString(), ComboBox1->count());
    ComboBox2->blockSignals(true);
    const QString typed = ComboBox2->currentText();
    ComboBox2->clear();
    for (const std::string& c : codes) ComboBox2->addItem(QString::fromStdString(c));
    ComboBox2->setCurrentIndex(-1);
    ComboBox2->setEditText(typed);
    ComboBox2->blockSignals(false);
    SaveCodes();
}

void TForm4::stgrt1Click() {
    const QString name = SelectedTest(ComboBox1);
    if (name.trimmed().isEmpty() || ListBox4->Count() == 0) return;
    if (!orv::ui::Confirm(this, QStringLiteral("آیا مطمئنید که این تست برای همه انتخاب شود ؟"))) return;
    const std::string stored = orv::reception::TestNameForRecord(name.toStdString());
    for (int k = 0; k < ListBox4->Count(); ++k) {
        ii = k;
        LoadRecord(k);
        std::vector<std::string> tests = CurrentTests();
        if (!orv::reception::HoldsTest(tests, stored)) {
            tests.push_back(stored);
            SetTests(tests);
        }
        StoreRecord(k);
    }
    SelectRow(ii);
}

void TForm4::N3Click() {
    const int row = ListBox5->currentRow();
    if (row < 0 || !ListBox5->currentItem() || !ListBox5->currentItem()->isSelected()) return;
    std::vector<std::string> tests = CurrentTests();
    tests.erase(tests.begin() + row);
    SetTests(tests);
    StoreRecord(ii);
}

void TForm4::N5Click() {
    SetTests({});
    StoreRecord(ii);
}
