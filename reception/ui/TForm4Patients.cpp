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
#include "reception/ui/TForm4.h"
#include "reception/ui/WorklistModel.h"

namespace {

constexpr QRgb kRequiredEmpty = 0xFFC1C1;  // pink
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

// --- record operations

void TForm4::LoadRecord(int k) {
    if (k < 0 || k >= ListBox4->Count()) return;
    const orv::reception::WorklistRecord r = orv::reception::LoadRecord(ListBox4->Record(k));
    loading_ = true;  // the fields take the record's text as it is
    Edit2->setText(U8(r.receipt));
    Edit1->setText(U8(r.firstName).trimmed());
    Edit4->setText(U8(r.familyName));
    Edit5->setText(U8(r.age));
    ComboBox4->setCurrentIndex(r.ageUnit < ComboBox4->count() ? r.ageUnit : -1);
    Edit6->setText(U8(r.father));
    ComboBox3->setCurrentIndex(r.sex < ComboBox3->count() ? r.sex : -1);
    SetTests(r.tests);
    loading_ = false;
}

// Stores the fields as patient k. After "NEW" (k = -1) the fields are a new
// patient: stored with its receipt, as Enter in the receipt field would. A
// receipt that another patient has is refused with the duplicate message.
void TForm4::StoreRecord(int k) {
    const QString receipt = Edit2->text().trimmed();
    if (receipt.isEmpty() || k >= ListBox4->Count()) return;
    if (k < 0) {
        k = AppendPatient(receipt);
        if (k < 0) return;
    } else if (receipt != ListBox4->Receipt(k) && ListBox4->FindReceipt(receipt, k) >= 0) {
        Message(QStringLiteral("این شماره قبض برای امروز تکراری میباشد"));
        return;
    }
    orv::reception::WorklistRecord r;
    r.receipt = Trimmed(Edit2);
    r.firstName = Trimmed(Edit1);
    r.familyName = Trimmed(Edit4);
    r.age = Trimmed(Edit5);
    r.ageUnit = ComboBox4->currentIndex();
    r.father = Trimmed(Edit6);
    r.sex = ComboBox3->currentIndex();
    r.tests = CurrentTests();
    ListBox4->Replace(k, orv::reception::StoreRecord(r));
}

void TForm4::SetTests(const std::vector<std::string>& names) {
    ListBox5->clear();
    for (const std::string& n : names) ListBox5->addItem(U8(n));
    // Holding tests it looks like a filled field: grey would read as switched off.
    SetBase(ListBox5, ListBox5->count() > 0 ? kRequiredFilled : kBackground);
}

std::vector<std::string> TForm4::CurrentTests() const {
    std::vector<std::string> names;
    for (int i = 0; i < ListBox5->count(); ++i) names.push_back(ListBox5->item(i)->text().toStdString());
    return names;
}

// A required field is pink while it is empty, cream otherwise.
void TForm4::PaintRequired(QLineEdit* edit) {
    SetBase(edit, edit->text().trimmed().isEmpty() ? kRequiredEmpty : kRequiredFilled);
}

// --- the list and the grid

void TForm4::SelectRow(int row) {
    if (row < 0) {
        StringGrid1->selectionModel()->clear();
        return;
    }
    StringGrid1->selectRow(row);
    StringGrid1->setCurrentIndex(ListBox4->index(row, 0));
}

void TForm4::FocusGrid() { StringGrid1->setFocus(); }

// Selects patient k in the grid and shows it; with no such patient nobody is current.
void TForm4::ShowPatient(int k) {
    if (k < 0 || k >= ListBox4->Count()) {
        ii = -1;
        SelectRow(-1);
        return;
    }
    ii = k;
    SelectRow(k);
    LoadRecord(ii);
}

// The grid's current row moved (mouse or keys): that patient is shown.
void TForm4::GridRowChanged(int row) {
    if (row < 0 || row >= ListBox4->Count() || row == ii) return;
    ii = row;
    LoadRecord(ii);
}

void TForm4::StringGrid1Click() {
    const int row = StringGrid1->currentIndex().row();
    if (row < 0 || row >= ListBox4->Count()) return;
    ii = row;
    LoadRecord(ii);
}

// The search stays in its field: "12" is typed through the hit on "1".
void TForm4::Edit7Change() {
    const int found = ListBox4->FindReceipt(Edit7->text().trimmed());
    ShowPatient(found >= 0 ? found : 0);
}

// --- entry fields

// A new patient with `receipt` at the end of the list, its row current; -1 with
// the duplicate message when another patient has the receipt.
int TForm4::AppendPatient(const QString& receipt) {
    if (ListBox4->FindReceipt(receipt) >= 0) {
        Message(QStringLiteral("این شماره قبض برای امروز تکراری میباشد"));
        return -1;
    }
    ListBox4->Append(orv::reception::NewPatientRecord(receipt.toStdString()));
    ii = ListBox4->Count() - 1;
    SelectRow(ii);
    return ii;
}

void TForm4::Edit2KeyPress() {
    const QString r = Edit2->text().trimmed();
    if (r.isEmpty() || AppendPatient(r) < 0) return;
    FocusGrid();
    LoadRecord(ii);
    QApplication::processEvents();
    Edit1->setFocus();
}

void TForm4::Edit1KeyPress() {
    const orv::reception::SexGuess guess =
        orv::reception::GuessSex(ComboBox3->currentIndex(), Edit1->text().toStdString(), Memo2);
    ComboBox3->setCurrentIndex(guess.sex);
    Label11->setText(U8(guess.name));
    StoreRecord(ii);
    Edit4->setFocus();
}

void TForm4::Edit4KeyPress() {
    StoreRecord(ii);
    Edit5->setFocus();
}

void TForm4::Edit5KeyPress() {
    StoreRecord(ii);
    ComboBox4->setFocus();
}

void TForm4::ComboBox4KeyPress() {
    StoreRecord(ii);
    Edit6->setFocus();
}

void TForm4::Edit6KeyPress() {
    ComboBox2->setFocus();
    StoreRecord(ii);
}

void TForm4::ComboBox3KeyPress() {
    ComboBox2->setFocus();
    StoreRecord(ii);
}

void TForm4::Edit1Enter() { orv::reception::ActivatePersianLayout(); }
void TForm4::Edit4Enter() { orv::reception::ActivatePersianLayout(); }
void TForm4::Edit6Enter() { orv::reception::ActivatePersianLayout(); }
void TForm4::ComboBox1Enter() { orv::reception::ActivateUsEnglishLayout(); }
void TForm4::Edit3Enter() { orv::reception::ActivateUsEnglishLayout(); }

// --- commands

void TForm4::ClearFields() {
    for (QLineEdit* e : {Edit1, Edit2, Edit4, Edit5, Edit6}) e->clear();
    ComboBox2->setCurrentIndex(ComboBox2->count() > 0 ? 0 : -1);
    ComboBox4->setCurrentIndex(0);
    SetTests({});
    Edit2->setFocus();
}

// NEW: the fields are for a new patient, stored once its receipt is (no patient is current).
void TForm4::SpeedButton3Click() {
    ClearFields();
    ComboBox3->setCurrentIndex(0);
    ShowPatient(-1);
}

// Deletes the patient shown.
void TForm4::SpeedButton7Click() {
    const int row = ii;
    if (row < 0 || row >= ListBox4->Count()) return;
    if (!orv::ui::Confirm(this, QStringLiteral("آیا مطمئنید که کلیه اطلاعات این بیمار پاک شود؟"))) return;
    ListBox4->Remove(row);
    ii = -1;
    ShowPatient(std::min(row, ListBox4->Count() - 1));
    if (ii < 0) ClearFields();
}

void TForm4::SpeedButton2Click() {
    if (!orv::ui::Confirm(this, QStringLiteral("آیا مطمئنید که تمام درخواستهای قبلی پاک شود؟"))) return;
    ListBox4->Clear();
    SaveToday();
    ClearFields();
    ii = -1;
    SelectRow(-1);
}

void TForm4::SpeedButton8Click() { close(); }

void TForm4::SpeedButton1Click() {
    const std::optional<orv::reception::QcFailure> failure = orv::reception::CheckWorklist(ListBox4->Records());
    if (!failure) {
        ShowPatient(ListBox4->Count() - 1);
        return;
    }
    ShowPatient(failure->patient);
    Message(U8(failure->message));
    FocusGrid();
    switch (failure->field) {
        case orv::reception::QcField::Receipt: Edit2->setFocus(); break;
        case orv::reception::QcField::FirstName: Edit1->setFocus(); break;
        case orv::reception::QcField::FamilyName: Edit4->setFocus(); break;
        case orv::reception::QcField::Age: Edit5->setFocus(); break;
        case orv::reception::QcField::Tests: ComboBox2->setFocus(); break;
        case orv::reception::QcField::Father: Edit6->setFocus(); break;
        case orv::reception::QcField::Sex: ComboBox3->setFocus(); break;
    }
}

void TForm4::SpeedButton4Click() {
    if (!SaveToday()) {
        Message(SaveStatus->text());
        return;
    }
    // The central laboratory reads code page 1256: a list it could not read is not sent.
    if (const auto unfit = orv::reception::CheckCodePage(ListBox4->Records())) {
        ShowPatient(unfit->patient);
        Message(U8(unfit->message));
        return;
    }
    QApplication::processEvents();
    emit ExportWorkList();
}
