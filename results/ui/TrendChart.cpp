#include "results/ui/TrendChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "results/ui/ResultFonts.h"

using namespace Qt::StringLiterals;

namespace orv::results {

QString TrendChart::PointText(const HistoryTable& table, const std::vector<HistoryVisit>& visits, size_t test,
                              const TrendPoint& point) {
    return QString::fromStdString(DayText(visits[table.columns[point.column]].day)) + u"\n"_s +
           QString::fromStdString(table.tests[test]) + u" = "_s +
           QString::fromStdString(table.cells[test][point.column]);
}

QChart* TrendChart::Make(const HistoryTable& table, const std::vector<HistoryVisit>& visits, size_t test) {
    const std::vector<TrendPoint> points = TrendOf(table, visits, test);
    if (points.empty()) return nullptr;

    auto* chart = new QChart;
    chart->setTitle(QString::fromStdString(table.tests[test]));
    chart->setTitleFont(ResultFont(10));
    chart->legend()->hide();
    chart->setLocalizeNumbers(false);

    auto* line = new QLineSeries(chart);
    line->setObjectName(u"TrendLine"_s);
    auto* dots = new QScatterSeries(chart);
    dots->setObjectName(u"TrendPoints"_s);
    dots->setMarkerSize(8);
    QStringList texts;
    double low = points.front().number.value, high = low;
    for (const TrendPoint& p : points) {
        line->append(static_cast<qreal>(p.day), p.number.value);
        dots->append(static_cast<qreal>(p.day), p.number.value);
        texts << PointText(table, visits, test, p);
        low = std::min(low, p.number.value);
        high = std::max(high, p.number.value);
    }
    chart->addSeries(line);
    chart->addSeries(dots);
    // Each point's day and value, as the cell holds it (a "<" or ">" kept).
    QObject::connect(dots, &QScatterSeries::hovered, dots, [dots, texts](const QPointF& at, bool state) {
        if (!state) {
            QToolTip::hideText();
            return;
        }
        const QList<QPointF> all = dots->points();
        const auto found = std::find(all.begin(), all.end(), at);
        if (found != all.end()) QToolTip::showText(QCursor::pos(), texts[found - all.begin()]);
    });

    // The days on a solar-date axis: a label on a day of a point, at most kMostDayLabels of them.
    auto* days = new QCategoryAxis(chart);
    days->setObjectName(u"DayAxis"_s);
    days->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    days->setLabelsFont(ResultFont(7));
    days->setLabelsAngle(-45);
    const qreal first = static_cast<qreal>(points.front().day), last = static_cast<qreal>(points.back().day);
    const qreal pad = std::max<qreal>(1, (last - first) * 0.04);
    days->setRange(first - pad, last + pad);
    days->setStartValue(first - pad);
    std::vector<const TrendPoint*> distinct;
    for (const TrendPoint& p : points)
        if (distinct.empty() || distinct.back()->day != p.day) distinct.push_back(&p);
    const size_t step = (distinct.size() + kMostDayLabels - 1) / kMostDayLabels;
    for (size_t i = 0; i < distinct.size(); i += step)
        days->append(QString::fromStdString(DayText(visits[table.columns[distinct[i]->column]].day)),
                     static_cast<qreal>(distinct[i]->day));
    chart->addAxis(days, Qt::AlignBottom);

    auto* values = new QValueAxis(chart);
    values->setObjectName(u"ValueAxis"_s);
    values->setLabelsFont(ResultFont(7));
    const double margin = high > low ? (high - low) * 0.1 : std::max(1.0, std::abs(high) * 0.1);
    values->setRange(low - margin, high + margin);
    values->applyNiceNumbers();
    values->setLabelFormat(u"%g"_s);
    chart->addAxis(values, Qt::AlignLeft);
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(line), static_cast<QAbstractSeries*>(dots)}) {
        series->attachAxis(days);
        series->attachAxis(values);
    }
    return chart;
}

}  // namespace orv::results
