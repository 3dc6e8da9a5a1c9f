// The reception window's patients: the record operations, the entry fields, the
// list and its grid, the quality control and the export.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>

#include "base/ui/Prompts.h"
#include "reception/core/QualityControl.h"
#include "reception/core/SexGuess.h"
#include "reception/core/WorklistRecord.h"
#include "reception/ui/KeyboardLayout.h"
#include "reception/ui/ReceptionWindow.h"
#include "reception/ui/WorklistModel.h"

namespace {

constexpr QRgb kRequiredEmpty = 0xFFC1C1;   // pink
constexpr QRgb kRequiredFilled = 0xFFFBF0;  // cream
constexpr QRgb kBackground = 0xF0C0FE;

std::string Trimmed(const QLineEdit* e) { return e->text().trimmed().toStdString(); }
QString U8(const std::string& s) { return QString::fromStdString(s); }

void SetBase(QWidget* w, QRgb rgb) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, QColor(rgb));
    w->setPalette(p);
}

}  // namespace

namespace orv::reception {

// --- record operations

void ReceptionWindow::LoadRecord(int k) {
    if (k < 0 || k >= worklist->Count()) return;
    const orv::reception::WorklistRecord r = orv::reception::LoadRecord(worklist->Record(k));
    loading_ = true;  // the fields take the record's text as it is
    receiptEdit->setText(U8(r.receipt));
    firstNameEdit->setText(U8(r.firstName).trimmed());
    familyNameEdit->setText(U8(r.familyName));
    ageEdit->setText(U8(r.age));
    ageUnitBox->setCurrentIndex(r.ageUnit < ageUnitBox->count() ? r.ageUnit : -1);
    fatherNameEdit->setText(U8(r.father));
    sexBox->setCurrentIndex(r.sex < sexBox->count() ? r.sex : -1);
    SetTests(r.tests);
    loading_ = false;
}

// Stores the fields as patient k. After "NEW" (k = -1) the fields are a new
// patient: stored with its receipt, as Enter in the receipt field would. A
// receipt that another patient has is refused with the duplicate message.
void ReceptionWindow::StoreRecord(int k) {
    const QString receipt = receiptEdit->text().trimmed();
    if (receipt.isEmpty() || k >= worklist->Count()) return;
    if (k < 0) {
        k = AppendPatient(receipt);
        if (k < 0) return;
    } else if (receipt != worklist->Receipt(k) && worklist->FindReceipt(receipt, k) >= 0) {
        Message(QStringLiteral("این شماره قبض برای امروز تکراری میباشد"));
        return;
    }
    orv::reception::WorklistRecord r;
    r.receipt = Trimmed(receiptEdit);
    r.firstName = Trimmed(firstNameEdit);
    r.familyName = Trimmed(familyNameEdit);
    r.age = Trimmed(ageEdit);
    r.ageUnit = ageUnitBox->currentIndex();
    r.father = Trimmed(fatherNameEdit);
    r.sex = sexBox->currentIndex();
    r.tests = CurrentTests();
    worklist->Replace(k, orv::reception::StoreRecord(r));
}

void ReceptionWindow::SetTests(const std::vector<std::string>& names) {
    requestedTestsList->clear();
    for (const std::string& n : names) requestedTestsList->addItem(U8(n));
    // Holding tests it looks like a filled field: grey would read as switched off.
    SetBase(requestedTestsList, requestedTestsList->count() > 0 ? kRequiredFilled : kBackground);
}

std::vector<std::string> ReceptionWindow::CurrentTests() const {
    std::vector<std::string> names;
    for (int i = 0; i < requestedTestsList->count(); ++i)
        names.push_back(requestedTestsList->item(i)->text().toStdString());
    return names;
}

// A required field is pink while it is empty, cream otherwise.
void ReceptionWindow::PaintRequired(QLineEdit* edit) {
    SetBase(edit, edit->text().trimmed().isEmpty() ? kRequiredEmpty : kRequiredFilled);
}

// --- the list and the grid

void ReceptionWindow::SelectRow(int row) {
    if (row < 0) {
        patientTable->selectionModel()->clear();
        return;
    }
    patientTable->selectRow(row);
    patientTable->setCurrentIndex(worklist->index(row, 0));
}

void ReceptionWindow::FocusGrid() { patientTable->setFocus(); }

// Selects patient k in the grid and shows it; with no such patient nobody is current.
void ReceptionWindow::ShowPatient(int k) {
    if (k < 0 || k >= worklist->Count()) {
        shownPatient = -1;
        SelectRow(-1);
        return;
    }
    shownPatient = k;
    SelectRow(k);
    LoadRecord(shownPatient);
}

// The grid's current row moved (mouse or keys): that patient is shown.
void ReceptionWindow::GridRowChanged(int row) {
    if (row < 0 || row >= worklist->Count() || row == shownPatient) return;
    shownPatient = row;
    LoadRecord(shownPatient);
}

void ReceptionWindow::showClickedPatient() {
    const int row = patientTable->currentIndex().row();
    if (row < 0 || row >= worklist->Count()) return;
    shownPatient = row;
    LoadRecord(shownPatient);
}

// The search stays in its field: "12" is typed through the hit on "1".
void ReceptionWindow::searchReceipt() {
    const int found = worklist->FindReceipt(searchEdit->text().trimmed());
    ShowPatient(found >= 0 ? found : 0);
}

// --- entry fields

// A new patient with `receipt` at the end of the list, its row current; -1 with
// the duplicate message when another patient has the receipt.
int ReceptionWindow::AppendPatient(const QString& receipt) {
    if (worklist->FindReceipt(receipt) >= 0) {
        Message(QStringLiteral("این شماره قبض برای امروز تکراری میباشد"));
        return -1;
    }
    worklist->Append(orv::reception::NewPatientRecord(receipt.toStdString()));
    shownPatient = worklist->Count() - 1;
    SelectRow(shownPatient);
    return shownPatient;
}

void ReceptionWindow::receiptEntered() {
    const QString r = receiptEdit->text().trimmed();
    if (r.isEmpty() || AppendPatient(r) < 0) return;
    FocusGrid();
    LoadRecord(shownPatient);
    QApplication::processEvents();
    firstNameEdit->setFocus();
}

void ReceptionWindow::firstNameEntered() {
    const orv::reception::SexGuess guess =
        orv::reception::GuessSex(sexBox->currentIndex(), firstNameEdit->text().toStdString(), maleNames);
    sexBox->setCurrentIndex(guess.sex);
    guessedNameLabel->setText(U8(guess.name));
    StoreRecord(shownPatient);
    familyNameEdit->setFocus();
}

void ReceptionWindow::familyNameEntered() {
    StoreRecord(shownPatient);
    ageEdit->setFocus();
}

void ReceptionWindow::ageEntered() {
    StoreRecord(shownPatient);
    ageUnitBox->setFocus();
}

void ReceptionWindow::ageUnitEntered() {
    StoreRecord(shownPatient);
    fatherNameEdit->setFocus();
}

void ReceptionWindow::fatherNameEntered() {
    codeBox->setFocus();
    StoreRecord(shownPatient);
}

void ReceptionWindow::sexEntered() {
    codeBox->setFocus();
    StoreRecord(shownPatient);
}

// The names are typed in Persian, the tests in English: the keyboard follows the focus.
void ReceptionWindow::SwitchLayoutFor(const QObject* focused) {
    if (focused == firstNameEdit || focused == familyNameEdit || focused == fatherNameEdit)
        ActivatePersianLayout();
    else if (focused == testNameBox || focused == typedTestEdit)
        ActivateUsEnglishLayout();
}

// --- commands

void ReceptionWindow::ClearFields() {
    for (QLineEdit* e : {firstNameEdit, receiptEdit, familyNameEdit, ageEdit, fatherNameEdit}) e->clear();
    codeBox->setCurrentIndex(codeBox->count() > 0 ? 0 : -1);
    ageUnitBox->setCurrentIndex(0);
    SetTests({});
    receiptEdit->setFocus();
}

// NEW: the fields are for a new patient, stored once its receipt is (no patient is current).
void ReceptionWindow::newPatient() {
    ClearFields();
    sexBox->setCurrentIndex(0);
    ShowPatient(-1);
}

// Deletes the patient shown.
void ReceptionWindow::deletePatient() {
    const int row = shownPatient;
    if (row < 0 || row >= worklist->Count()) return;
    if (!orv::ui::Confirm(this, QStringLiteral("آیا مطمئنید که کلیه اطلاعات این بیمار پاک شود؟"))) return;
    worklist->Remove(row);
    shownPatient = -1;
    ShowPatient(std::min(row, worklist->Count() - 1));
    if (shownPatient < 0) ClearFields();
}

void ReceptionWindow::newList() {
    if (!orv::ui::Confirm(this, QStringLiteral("آیا مطمئنید که تمام درخواستهای قبلی پاک شود؟"))) return;
    worklist->Clear();
    SaveToday();
    ClearFields();
    shownPatient = -1;
    SelectRow(-1);
}

void ReceptionWindow::exitWindow() { close(); }

void ReceptionWindow::checkQuality() {
    const std::optional<orv::reception::QcFailure> failure = orv::reception::CheckWorklist(worklist->Records());
    if (!failure) {
        ShowPatient(worklist->Count() - 1);
        return;
    }
    ShowPatient(failure->patient);
    Message(U8(failure->message));
    FocusGrid();
    switch (failure->field) {
        case QcField::Receipt: receiptEdit->setFocus(); break;
        case QcField::FirstName: firstNameEdit->setFocus(); break;
        case QcField::FamilyName: familyNameEdit->setFocus(); break;
        case QcField::Age: ageEdit->setFocus(); break;
        case QcField::Tests: codeBox->setFocus(); break;
        case QcField::Father: fatherNameEdit->setFocus(); break;
        case QcField::Sex: sexBox->setFocus(); break;
    }
}

void ReceptionWindow::exportWorklist() {
    if (!SaveToday()) {
        Message(saveStatus->text());
        return;
    }
    // The central laboratory reads code page 1256: a list it could not read is not sent.
    if (const auto unfit = orv::reception::CheckCodePage(worklist->Records())) {
        ShowPatient(unfit->patient);
        Message(U8(unfit->message));
        return;
    }
    QApplication::processEvents();
    emit exportRequested();
}

}  // namespace orv::reception
