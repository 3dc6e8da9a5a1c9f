#pragma once
// The reception window: the day's patients and their requested tests, typed in
// from the keyboard, kept in "today.txt" and exported to the central laboratory.
// Handlers are split over ReceptionWindow.cpp (the window and its files),
// ReceptionWindowPatients.cpp (patient fields and the list) and
// ReceptionWindowTests.cpp (tests and custom codes).
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

class ReceptionWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReceptionWindow(QWidget* parent = nullptr);
    // The program ending with the window open saves the list as closing it does.
    ~ReceptionWindow() override;

    // The workspace root, ending with a separator (the sign-in window's).
    QString root;
    int shownPatient = -1;  // index in the list of the patient the fields show

    // --- controls (their object names are the designer's, given beside them)
    WorklistModel* worklist = nullptr;            // "ListBox4": the day's list, one record per patient
    QTableView* patientTable = nullptr;           // "StringGrid1": the list's rows, number and receipt
    QLineEdit* receiptEdit = nullptr;             // "Edit2": the referring laboratory's receipt number
    QLineEdit* firstNameEdit = nullptr;           // "Edit1"
    QLineEdit* familyNameEdit = nullptr;          // "Edit4"
    QLineEdit* ageEdit = nullptr;                 // "Edit5"
    QLineEdit* fatherNameEdit = nullptr;          // "Edit6"
    QLineEdit* searchEdit = nullptr;              // "Edit7": finds a patient by receipt
    QLineEdit* customCodeEdit = nullptr;          // "Edit8": the laboratory's own code for the test shown
    QLineEdit* typedTestEdit = nullptr;           // "Edit9", hidden: the test name as typed up to the caret
    QComboBox* testNameBox = nullptr;             // "ComboBox1": the test, chosen by name
    QComboBox* codeBox = nullptr;                 // "ComboBox2": the test, chosen by the laboratory's own code
    QComboBox* sexBox = nullptr;                  // "ComboBox3": none, woman, man
    QComboBox* ageUnitBox = nullptr;              // "ComboBox4": years, months, days
    QListWidget* relatedTestsList = nullptr;      // "ListBox2": tests whose names start as typed
    QListWidget* requestedTestsList = nullptr;    // "ListBox5": the shown patient's tests
    QToolButton* newPatientButton = nullptr;      // "SpeedButton3": "NEW [F3]"
    QToolButton* deleteButton = nullptr;          // "SpeedButton7": deletes the shown patient
    QToolButton* newListButton = nullptr;         // "SpeedButton2": a new list for today
    QToolButton* qualityControlButton = nullptr;  // "SpeedButton1"
    QToolButton* exportButton = nullptr;          // "SpeedButton4": "Export WorkList"
    QToolButton* exitButton = nullptr;            // "SpeedButton8"
    QToolButton* customCodeButton = nullptr;      // "SpeedButton9": gives the code to the test shown
    QLabel* guessedNameLabel = nullptr;       // "Label11", above the custom-code box: the name the sex guess looked up
    QLabel* saveStatus = nullptr;             // says when "today.txt" could not be saved
    QMenu* testNameMenu = nullptr;            // "PopupMenu1", the test name box's
    QMenu* requestedTestsMenu = nullptr;      // "PopupMenu2", the requested tests'
    QAction* newPatientAction = nullptr;      // "new1": F3
    QAction* everyPatientAction = nullptr;    // "stgrt1": the chosen test for every patient of today
    QAction* removeTestAction = nullptr;      // "N3": removes the selected test
    QAction* removeAllTestsAction = nullptr;  // "N5": removes every test of the patient
    QTimer* autosaveTimer = nullptr;          // "Timer1": "today.txt" saved every 20 seconds while the window shows
    QTimer* saveSoonTimer = nullptr;          // a committed change: "today.txt" saved within a second
    TSolarDatePicker* exportDatePicker = nullptr;  // "SolarDatePicker1", hidden: the export date
    TSolarMonthCalendar* todayCalendar = nullptr;  // "SolarMonthCalendar1", hidden: today, from the first network check
    MaleNames maleNames;                           // the male first names of the sex guess

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

    void loadLists();  // on showing: "today.txt", the custom codes and the tests from the workspace
    bool mayClose();   // false: the list could not be saved and the window stays
    void autosave();
    // Enter in a patient field: the patient stored, the next field focused.
    void receiptEntered();    // a new patient with this receipt
    void firstNameEntered();  // also guesses the sex
    void familyNameEntered();
    void ageEntered();
    void ageUnitEntered();
    void fatherNameEntered();
    void sexEntered();
    void showRelatedTests();  // a key released in the test name box
    void testNameEntered();   // Enter in the test name box: the test added
    void selectTestByCode();  // the code box changed
    void codeEntered();       // Enter in the code box: its test added
    void pickRelatedTest();
    void focusTestName();
    void showClickedPatient();
    void searchReceipt();
    void newPatient();     // "NEW [F3]"
    void deletePatient();  // the patient shown
    void newList();        // a new list for today
    void exitWindow();
    void assignCustomCode();
    void checkQuality();           // "کنترل کیفی فایل خروجی"
    void exportWorklist();         // "Export WorkList": saved, checked, then exportRequested
    void addTestToEveryPatient();  // the chosen test for every patient
    void removeSelectedTest();
    void removeAllTests();  // every test of the patient shown

signals:
    // "Export WorkList" after the list was saved: the main window sends "today.txt".
    void exportRequested();

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
    void SwitchLayoutFor(const QObject* focused);
    void ScheduleSave();
    void GridRowChanged(int row);
    int AppendPatient(const QString& receipt);

    TestCatalogue catalogue_;  // testNameBox's names, for the related tests
    orv::TextEncoding codesEncoding_ = orv::TextEncoding::Cp1256;
    bool unsaved_ = false;              // the last save of "today.txt" failed: the list lives only here
    bool todayUnreadable_ = false;      // "today.txt" is there but could not be read: it is not overwritten
    bool closeRefused_ = false;         // a close was refused for a failed save: the next asks to close unsaved
    bool loading_ = false;              // a record is being shown: its fields take the text as it is
    bool refusalPending_ = false;       // a refused character's message is on its way
    std::optional<QPoint> lastClosed_;  // the window's top-left corner when it was last closed
};

}  // namespace orv::reception
