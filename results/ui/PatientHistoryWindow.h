#pragma once
// A patient's history across the archive: the days the archive search found
// (with their origin and reference codes and the age, each ticked to be kept:
// untick a namesake's day), the table of tests by days (right to left, the
// newest day at the reading end), and the chart of a test chosen among those
// that read as numbers on two or more days. "چاپ" prints the table and the
// chart through the day report's preview (print or save as PDF).
#include <QString>
#include <QWidget>
#include <vector>

#include "results/core/PatientHistory.h"

class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace orv::results {

class PatientHistoryWindow : public QWidget {
    Q_OBJECT
public:
    // `patient` is the text the patient was found by; `visits` the days found, oldest first.
    PatientHistoryWindow(QString patient, std::vector<HistoryVisit> visits, QWidget* parent = nullptr);
    ~PatientHistoryWindow() override;

    static QString Title();  // "سابقه بیمار"

    const std::vector<HistoryVisit>& Visits() const { return visits_; }
    const HistoryTable& Shown() const { return table_; }
    // Leaves a day out (or takes it back), as unticking it in the list does.
    void SetLeftOut(size_t visit, bool leftOut);
    // The test the chart shows (a row of Shown()), or HistoryReport::kNoChart.
    size_t ChartedTest() const;
    // Charts the test of that name; false when it is not one that can be charted.
    bool ChooseTest(const QString& test);
    void Print();

    QTableWidget* DayList() const { return days_; }
    QTableWidget* HistoryGrid() const { return grid_; }
    QComboBox* TestChoice() const { return tests_; }
    QChartView* ChartView() const { return chart_; }

private:
    void FillDays();
    void Refresh();
    void ShowChart();

    QString patient_;
    std::vector<HistoryVisit> visits_;
    std::vector<bool> leftOut_;
    HistoryTable table_;
    std::vector<size_t> charted_;  // rows of the table that can be charted, as the choice lists them
    QTableWidget* days_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QComboBox* tests_ = nullptr;
    QLabel* noChart_ = nullptr;
    QChartView* chart_ = nullptr;
    QPushButton* print_ = nullptr;
};

}  // namespace orv::results
