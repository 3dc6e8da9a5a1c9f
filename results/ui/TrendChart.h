#pragma once
// The line chart of one test of a patient's history: its values over time, the
// days on a solar-date axis, each point's value and day shown on hover. Used
// on screen (in a chart view) and drawn into the printed history.
#include <QString>
#include <QStringList>
#include <vector>

#include "results/core/PatientHistory.h"

class QChart;

namespace orv::results {

class TrendChart {
public:
    // The points of the table's test `test` (TrendOf); null when the test reads
    // as numbers on fewer than two days. The caller owns the chart.
    static QChart* Make(const HistoryTable& table, const std::vector<HistoryVisit>& visits, size_t test);

    // What hovering over point `i` shows: the day and the cell as it is printed.
    static QString PointText(const HistoryTable& table, const std::vector<HistoryVisit>& visits, size_t test,
                             const TrendPoint& point);

    static constexpr int kMostDayLabels = 8;
};

}  // namespace orv::results
