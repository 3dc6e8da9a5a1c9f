#pragma once
// The printed history of a patient: on every page the central laboratory's name
// and the patient, then the table of tests by days (a block of days at a time,
// right to left, the oldest day next to the test names), then the chart of the
// test chosen; the footer as on the day report.
#include <QString>
#include <vector>

#include "results/core/PatientHistory.h"

class QPagedPaintDevice;
class QTextDocument;

namespace orv::results {

class HistoryReport {
public:
    // `chartTest` is a row of `table`, or kNoChart.
    HistoryReport(QString patient, const HistoryTable& table, const std::vector<HistoryVisit>& visits,
                  size_t chartTest);

    static constexpr size_t kNoChart = static_cast<size_t>(-1);
    static constexpr int kDaysPerBlock = 7;
    static constexpr int kHeaderHeight = 55;
    static constexpr int kChartHeight = 420;

    static QString Caption();  // "سابقه بیمار"
    // The table as the printed page shows it (HTML, its cells from left to right).
    QString TableHtml() const;
    int PageCount() const;
    bool Render(QPagedPaintDevice& device) const;
    QByteArray ToPdf() const;

private:
    QString patient_;
    const HistoryTable& table_;
    const std::vector<HistoryVisit>& visits_;
    size_t chartTest_;
};

}  // namespace orv::results
