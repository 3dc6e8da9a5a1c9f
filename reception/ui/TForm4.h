#pragma once
// The reception window: the day's patients and their requested tests, typed in
// from the keyboard, kept in "today.txt" and exported to the central laboratory.
// Handlers are split over TForm4.cpp (the window and its files),
// TForm4Patients.cpp (patient fields and the list) and TForm4Tests.cpp (tests
// and custom codes).
#include <QPoint>
#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "base/core/TextFile.h"
#include "reception/core/SexGuess.h"
#include "reception/core/TestCatalogue.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTableView;
class QTimer;
class QToolButton;
class QValidator;
class TSolarDatePicker;
class TSolarMonthCalendar;

namespace orv::reception {
class WorklistModel;
}  // namespace orv::reception

class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    // The program ending with the window open saves the list as closing it does.
    ~TForm4() override;

    // The workspace root, ending with a separator (the sign-in window's).
    QString root;
    int ii = -1;  // index in the list of the patient the fields show

    // --- controls (object names as here)
    orv::reception::WorklistModel* ListBox4 = nullptr;  // the worklist, one record per patient
    QTableView* StringGrid1 = nullptr;                  // the list's rows: number and receipt
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr, *Edit6 = nullptr,
              *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr, *ComboBox4 = nullptr;
    QListWidget *ListBox2 = nullptr, *ListBox5 = nullptr;
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr, *SpeedButton4 = nullptr,
                *SpeedButton7 = nullptr, *SpeedButton8 = nullptr, *SpeedButton9 = nullptr;
    QLabel* Label11 = nullptr;     // above the custom-code box: the name the sex guess looked up
    QLabel* SaveStatus = nullptr;  // says when "today.txt" could not be saved
    QMenu *PopupMenu1 = nullptr, *PopupMenu2 = nullptr;
    QAction *new1 = nullptr, *stgrt1 = nullptr, *N3 = nullptr, *N5 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* SaveSoon = nullptr;  // a committed change: "today.txt" saved within a second
    TSolarDatePicker* SolarDatePicker1 = nullptr;        // hidden: the export date
    TSolarMonthCalendar* SolarMonthCalendar1 = nullptr;  // hidden: today's date as the first network check found it
    orv::reception::MaleNames Memo2;                     // the male first names

    // --- the record operations
    void LoadRecord(int k);
    void StoreRecord(int k);
    // Saves the list to "today.txt"; on failure the window says so and keeps the list.
    bool SaveToday();
    // Shows the window beside the main window, wholly on a screen, or where it was last closed.
    void ShowBeside(const QWidget* mainWindow);
    // Saves the custom codes to "customcode.txt".
    bool SaveCodes();
    std::vector<std::string> Records() const;
    std::vector<std::string> Codes() const;

public slots:
    // The main window's first good network check hands over today's solar date.
    void TodayKnown(const QString& solarDate);

    void FormShow();
    bool FormClose();  // false: the list could not be saved and the window stays
    void Timer1Timer();
    void Edit2KeyPress();
    void Edit1KeyPress();
    void Edit4KeyPress();
    void Edit5KeyPress();
    void ComboBox4KeyPress();
    void Edit6KeyPress();
    void ComboBox3KeyPress();
    void Edit1Enter();
    void Edit4Enter();
    void Edit6Enter();
    void ComboBox1Enter();
    void Edit3Enter();
    void ComboBox1KeyUp();
    void ComboBox1KeyPress();
    void ComboBox2Change();
    void ComboBox2KeyPress();
    void ListBox2Click();
    void ListBox2DblClick();
    void StringGrid1Click();
    void Edit7Change();
    void SpeedButton3Click();  // NEW [F3]
    void new1Click() { SpeedButton3Click(); }
    void SpeedButton7Click();  // delete the current patient
    void SpeedButton2Click();  // new list for today
    void SpeedButton8Click();  // exit
    void SpeedButton9Click();  // assign a custom code
    void SpeedButton1Click();  // quality control
    void SpeedButton4Click();  // export
    void stgrt1Click();        // the selected test for every patient
    void N3Click();            // remove the selected test
    void N5Click();            // remove every test of the patient

signals:
    // "Export WorkList" after the list was saved: the main window sends "today.txt".
    void ExportWorkList();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWindow();
    void BuildPatientFields();
    void BuildTestFields();
    void BuildButtons();
    void ConnectHandlers();
    QString Path(const char* name) const;
    void ClearFields();
    void SelectRow(int row);
    void FocusGrid();
    void ShowPatient(int k);
    void PaintRequired(QLineEdit* edit);
    void AddSelectedTest();
    void SetTests(const std::vector<std::string>& names);
    std::vector<std::string> CurrentTests() const;
    void FillTests(const std::vector<std::string>& names);
    void Message(const QString& text);
    QValidator* FieldRule(QObject* field, bool record);
    void FieldRefused(const QString& reason);
    void ScheduleSave();
    void GridRowChanged(int row);
    int AppendPatient(const QString& receipt);

    orv::reception::TestCatalogue catalogue_;  // ComboBox1's names, for the related tests
    orv::TextEncoding codesEncoding_ = orv::TextEncoding::Cp1256;
    bool unsaved_ = false;          // the last save of "today.txt" failed: the list lives only here
    bool todayUnreadable_ = false;  // "today.txt" is there but could not be read: it is not overwritten
    bool closeRefused_ = false;     // a close was refused for a failed save: the next asks to close unsaved
    bool loading_ = false;          // a record is being shown: its fields take the text as it is
    bool refusalPending_ = false;   // a refused character's message is on its way
    std::optional<QPoint> lastClosed_;  // the window's top-left corner when it was last closed
};
