#pragma once
// The central laboratory's reference documents on the main window: the
// "Download Files" list of the help folder, the recommendation flag and its
// blink, "Show Laws" (the payment rules), and the normal values and test
// prices shown in the tests-information window. Its controls stand on the
// frame's canvas; the main window hands it the tests-information window, the
// bill's lines and the test for the program's own files.
//
//   auto* reference = new orv::ui::ReferenceDocuments(frame, this);
//   reference->setTestsWindow(testsInfoWindow, signInWindow);
//   connect(menu->testPriceAction, &QAction::triggered, [=] { reference->showTestPrice(cellText()); });
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QTimer;
class QToolButton;
class QWidget;

namespace orv::docs {
struct Place;
}  // namespace orv::docs

namespace orv::ui {

class TestsInfoWindow;
class WindowFrame;

class ReferenceDocuments : public QObject {
    Q_OBJECT
public:
    explicit ReferenceDocuments(WindowFrame& frame, QObject* parent = nullptr);

    // --- controls (object names as the designer's)
    QToolButton* downloadFilesButton = nullptr;  // "SpeedButton8": "Download Files", checkable
    QListWidget* folderList = nullptr;           // "ListBox1": the help folder's files, over the grid
    QLabel* folderListCaption = nullptr;         // "Label5": "^ Download Content ^"
    QListWidget* fileSizes = nullptr;            // "ListBox2", hidden: each listed file's size as listed
    QLabel* recommendationFlag = nullptr;        // "Label16": "New Massage.Plz Click here" when raised
    QLabel* lawsLink = nullptr;                  // "Label4": "Show Laws"
    QTimer* flagBlink = nullptr;                 // "Timer5": the raised flag blinks six times

    int flagBlinkTicks = 0;  // ticks of the flag's blink so far
    QString searchText;      // the test the tests-information window searches for

    // --- what the main window hands in
    // The tests-information window, and the window it opens at the centre of.
    void setTestsWindow(TestsInfoWindow* window, QWidget* centreOn);
    // The bill's lines as last downloaded (its third line counts the notices).
    std::function<QStringList()> billLines;
    // True for a file the program keeps in the workspace: never downloaded over.
    // Unset, every name is taken for one.
    std::function<bool(const QString& name)> isProgramFile;

    bool recommendationFlagged() const;
    void raiseRecommendationFlag();
    // "check.txt" keeps the counter of the last recommendation opened: the bill's third line.
    void recordRecommendationRead();

    // Opens a downloaded reference document with the desktop's program, or in our viewer.
    void openReference(const QString& path);

public slots:
    void toggleFolderList();  // "Download Files": lists the help folder, or hides the list
    void showFolderList();    // shown over the grid while the button is down
    void closeFolderList();   // a click on the grid puts the list away
    void openHelpFile();      // a listed file downloaded and opened
    void openRecommendation();  // the raised flag: the last recommendation downloaded and opened
    void showPaymentRules();    // "Show Laws" and the accounting panel's link
    void raiseNotice();         // a new notice in the bill: the flag raised and blinking
    // The normal values and the price of the test named by a cell of the result grid.
    void showNormalValues(const QString& cellText);
    void showTestPrice(const QString& cellText);
    // The tests-information window's "Update": its document downloaded again.
    bool fetchTestsDocument();

private:
    void fillFolderList(const std::vector<std::string>& lines);
    void blinkFlag();
    void showTestsInformation(const orv::docs::Place& doc, bool restartBlink, const QString& cellText);

    WindowFrame& frame_;
    QPointer<TestsInfoWindow> testsWindow_;
    QPointer<QWidget> centreOn_;
};

}  // namespace orv::ui
