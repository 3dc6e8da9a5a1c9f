#pragma once
// The day's results in the main window: the day row (the date field with its
// previous and next day), the search field with "Find Next" and the search
// across every archived day ("همه روزها"), the result grid with its pop-up
// menu, the signature stamp, "Receive and Update Report", "Save As...",
// "Print", the documents of single tests, a patient's history, and the watch
// on today's result file at every refresh.
//
// Its controls are made on the frame's canvas at their design places. The
// main window wires what belongs to other parts: the grid menu's normal values
// and test price (normalValuesAction, testPriceAction, read with
// CurrentCellText()), and the grid's click (gridClicked).
#include <QObject>
#include <optional>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "base/core/TextFile.h"
#include "results/ui/ResultGrid.h"
#include "results/ui/ResultGridModel.h"
#include "solar/widgets/TSolarDatePicker.h"
#include "solar/widgets/TSolarMonthCalendar.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPainter;
class QRect;
class QTimer;
class QToolButton;

namespace orv::ui {
class WindowFrame;
}  // namespace orv::ui

namespace orv::results {

class ArchiveSearcher;
class ResultWatch;

class ResultsView : public QObject {
    Q_OBJECT

public:
    ResultsView(orv::ui::WindowFrame& frame, QObject* parent = nullptr);
    ~ResultsView() override;

    // --- the day row
    QLabel* dayCaption = nullptr;                      // "Label1": "Sending Date"
    QToolButton* previousDayButton = nullptr;          // "SpeedButton3"
    TSolarDatePicker* dayPicker = nullptr;             // "SolarDatePicker1": the day shown
    TSolarMonthCalendar* gregorianCalendar = nullptr;  // "SolarMonthCalendar1", hidden
    QToolButton* nextDayButton = nullptr;              // "SpeedButton7"
    // --- the search
    QLineEdit* searchField = nullptr;        // "Edit1"
    QToolButton* allDaysButton = nullptr;    // "SpeedButton22": "همه روزها"
    QToolButton* findNextButton = nullptr;   // "SpeedButton5"
    QListWidget* hitList = nullptr;          // "ListBox3": hits of the search across every day
    QMenu* hitMenu = nullptr;                // "hitMenu": a hit's patient history
    ArchiveSearcher* archiveSearcher = nullptr;
    // --- the grid
    ResultGrid* resultGrid = nullptr;  // "StringGrid1"
    ResultGridModel* resultModel = nullptr;
    QMenu* gridMenu = nullptr;                   // "PopupMenu1", in this order:
    QAction* testDocumentAction = nullptr;       // "N1": the test's document
    QAction* normalValuesAction = nullptr;       // "N2": connected by the main window
    QAction* testPriceAction = nullptr;          // "N3": connected by the main window
    QAction* patientHistoryAction = nullptr;     // "patientHistoryAction"
    // --- the right column
    QLabel* signatureStamp = nullptr;    // "Image3": the signature picture of a day shown
    QLabel* signatureCaption = nullptr;  // "Label12": "Electronic Signature" while none is
    QLabel* stampDay = nullptr;          // "Label13": the day under the picture
    QToolButton* receiveButton = nullptr;  // "SpeedButton16": "Receive and Update Report"
    QToolButton* saveAsButton = nullptr;   // "SpeedButton6": "Save As..."
    QToolButton* printButton = nullptr;    // "SpeedButton11": "Print"
    // --- hidden working controls
    QToolButton* fillGridButton = nullptr;  // "SpeedButton4": fills the grid from the report lines
    QLineEdit* compactDayField = nullptr;   // "Edit2": the day shown, YYYYMMDD
    // --- the watch on today's file
    QTimer* watchBlinkTimer = nullptr;  // "Timer7": the title blink of a new-results notice
    QString watchNotice;

    // --- the day's state (the day's date text is the frame's State().shownDay)
    QString shownDayCompact;      // the day shown as YYYYMMDD
    int highlightColumn = 0;      // the cell found: column (2 or 4)...
    int highlightRow = 0;         // ...and row, 0 for none
    bool searchIsNumber = false;  // the search text is a whole number
    // The report: the day's file as loaded, line by line (the grid's own lines,
    // kept once), empty after a load that failed; and its encoding.
    const std::vector<std::string>& ReportLines() const;
    orv::TextEncoding reportEncoding = orv::TextEncoding::Cp1256;
    // The last test document asked for: the test, the server's file and the local one.
    QString documentTest, documentSource, documentPath;

    // The date field's text (the one place that reads or sets it).
    QString dateText() const;
    void setDateText(const QString& text);
    // Today, as the network check found it: the date field and its week day.
    void showToday(const QString& today);
    // True when the date field holds a whole solar date (YYYY/MM/DD, a day of the
    // calendar). Otherwise the picker's invalid-date message is shown, the field
    // goes back to the last good day, and false.
    bool dateFieldValid();
    // The text of the grid's current cell.
    QString CurrentCellText() const;
    bool archiveMode() const;

    // The window is shown: the archive index is built in the background, the grid emptied.
    void windowShown();
    // The day's file changed in the archive (downloaded or removed): the index follows.
    void archiveDayChanged(const QString& compact);
    // Looks at today's file (SIZE, MDTM) on the open session or a quiet one of its own.
    void watchToday();
    // Fetches and shows today's new file once the session is free (when today is shown).
    void watchFetch();

public slots:
    void showDay();           // the date field changed: the day from the archive
    void fillGrid();          // the grid from the report lines
    void receiveAndUpdate();  // "Receive and Update Report"
    void onSearchChanged();
    void onSearchEnter();
    void findNext();
    void previousDay();
    void nextDay();
    void openTestDocument();  // the selected test's document
    void printReport();
    void saveReportAs();
    void onAllDaysClicked();
    void searchArchive();  // the hits of the search across every day
    void openHit();
    void showPatientHistory(const QString& text);
    void showGridPatientHistory();
    void showHitPatientHistory();
    void onWatchBlink();
    // Days of the archive read so far by the index's worker; done < 0 when it finished.
    void showIndexProgress(int done, int total);

signals:
    // A click on the grid (the reference documents' list over it gives way).
    void gridClicked();

private:
    // A day read and not yet in the grid (fillGrid moves it there), and whether
    // the grid's lines are the report (false after a load that failed).
    std::optional<std::vector<std::string>> pendingLines_;
    bool reportLoaded_ = false;
    void buildControls();
    void buildArchiveSearch();
    void connectHandlers();
    void anchorControls();
    void resetGrid();
    bool loadReport(const QString& path);
    void showStamp();
    void hideStamp();
    void highlight(int row);
    void paintCell(QPainter& painter, const QRect& rect, int column, int row);
    void startArchiveIndex();

    orv::ui::WindowFrame& frame_;
    QString lastGoodDay_;  // the date field's last whole date
    std::unique_ptr<ResultWatch> watch_;
    QString indexProgressText_, statusBeforeIndex_;
    int watchBlinks_ = 0;      // title blink ticks
    bool watchFetch_ = false;  // today's new file waits to be fetched
};

}  // namespace orv::results
