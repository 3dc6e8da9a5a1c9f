#include "results/ui/HistoryReport.h"

#ifdef ORV_HAVE_QT_CHARTS
#include <QChart>
#endif
#include <QGraphicsScene>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <memory>

#include "results/ui/ResultFonts.h"
#include "results/ui/ResultReport.h"
#ifdef ORV_HAVE_QT_CHARTS
#include "results/ui/TrendChart.h"
#endif

using namespace Qt::StringLiterals;

namespace orv::results {

namespace {
constexpr int kBodyPixels = 11;

QString Html(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }
// A value reads left to right whatever its neighbours: "<5" is never turned into "5>".
QString LeftToRight(const std::string& text) { return text.empty() ? QString() : QChar(0x200E) + Html(text); }

// Pages of the table, and where on its last page the chart goes (a page of its own when it does not fit).
struct Layout {
    std::unique_ptr<QTextDocument> table;
    qreal bodyHeight = 0;
    int tablePages = 1;
    int chartPage = 0;  // 0-based
    qreal chartTop = 0;
};
}  // namespace

HistoryReport::HistoryReport(QString patient, const HistoryTable& table, const std::vector<HistoryVisit>& visits,
                             size_t chartTest)
    : patient_(std::move(patient)), table_(table), visits_(visits), chartTest_(chartTest) {}

QString HistoryReport::Caption() { return u"سابقه بیمار"_s; }

// The cells go left to right as the page shows them: the newest day at the left,
// the test names at the right (the reading start of the right-to-left page).
QString HistoryReport::TableHtml() const {
    QString html = u"<html><body>"_s;
    for (size_t from = 0; from < table_.columns.size(); from += kDaysPerBlock) {
        const size_t to = std::min(table_.columns.size(), from + kDaysPerBlock);
        html += u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><thead><tr>"_s;
        for (size_t c = to; c-- > from;) {
            const HistoryVisit& visit = visits_[table_.columns[c]];
            html += u"<th>"_s + Html(DayText(visit.day)) + u"<br/><small>"_s + Html(visit.referenceCode) +
                    u"</small></th>"_s;
        }
        html += u"<th align=\"right\">آزمایش</th></tr></thead>"_s;
        for (size_t t = 0; t < table_.tests.size(); ++t) {
            bool any = false;
            for (size_t c = from; c < to; ++c) any = any || !table_.cells[t][c].empty();
            if (!any) continue;
            html += u"<tr>"_s;
            for (size_t c = to; c-- > from;)
                html += u"<td align=\"center\">"_s + LeftToRight(table_.cells[t][c]) + u"</td>"_s;
            html += u"<td align=\"right\">"_s + Html(table_.tests[t]) + u"</td></tr>"_s;
        }
        html += u"</table><p></p>"_s;
    }
    return html + u"</body></html>"_s;
}

namespace {
Layout LayOut(const HistoryReport& report, const QSizeF& page, bool chart) {
    Layout layout;
    layout.bodyHeight = page.height() - HistoryReport::kHeaderHeight - ResultReport::kFooterHeight;
    layout.table = std::make_unique<QTextDocument>();
    layout.table->setDefaultFont(ReportFont(kBodyPixels));
    layout.table->setDocumentMargin(0);
    layout.table->setHtml(report.TableHtml());
    layout.table->setPageSize(QSizeF(page.width(), layout.bodyHeight));
    layout.tablePages = std::max(1, layout.table->pageCount());
    const qreal used = layout.table->size().height() - (layout.tablePages - 1) * layout.bodyHeight;
    layout.chartPage = layout.tablePages - 1;
    layout.chartTop = used;
    if (chart && used + HistoryReport::kChartHeight > layout.bodyHeight) {
        layout.chartPage = layout.tablePages;
        layout.chartTop = 0;
    }
    return layout;
}
}  // namespace

int HistoryReport::PageCount() const {
#ifdef ORV_HAVE_QT_CHARTS
    const bool charted = chartTest_ != kNoChart;
#else
    const bool charted = false;  // a build without Qt Charts prints the table alone
#endif
    const Layout layout = LayOut(*this, ResultReport::PageSize(ResultReport::A4Layout()), charted);
    return layout.chartPage + 1;
}

bool HistoryReport::Render(QPagedPaintDevice& device) const {
#ifdef ORV_HAVE_QT_CHARTS
    std::unique_ptr<QChart> chart(chartTest_ == kNoChart ? nullptr : TrendChart::Make(table_, visits_, chartTest_));
#else
    const bool chart = false;  // a build without Qt Charts prints the table alone
#endif
    const Layout layout = LayOut(*this, ResultReport::PageSize(device.pageLayout()), static_cast<bool>(chart));
    const int pages = chart ? layout.chartPage + 1 : layout.tablePages;
    return ResultReport::RenderPages(device, pages, [&](QPainter& painter, const QSizeF& page, int p) {
        painter.setPen(Qt::black);
        painter.setFont(ReportFont(17, true));
        painter.drawText(QRectF(0, 0, page.width(), 26), Qt::AlignHCenter | Qt::AlignVCenter,
                         ResultReport::CentralLaboratory());
        painter.setFont(ReportFont(12));
        painter.drawText(QRectF(0, 28, page.width(), 24), Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter,
                         Caption() + u": "_s + patient_);
        painter.translate(0, kHeaderHeight);
        if (p < layout.tablePages) {
            painter.save();
            painter.translate(0, -p * layout.bodyHeight);
            layout.table->drawContents(&painter, QRectF(0, p * layout.bodyHeight, page.width(), layout.bodyHeight));
            painter.restore();
        }
#ifdef ORV_HAVE_QT_CHARTS
        if (chart && p == layout.chartPage) {
            const QRectF area(0, layout.chartTop, page.width(), kChartHeight);
            QGraphicsScene scene;
            scene.addItem(chart.get());
            chart->setGeometry(QRectF(QPointF(0, 0), area.size()));
            scene.render(&painter, area, QRectF(QPointF(0, 0), area.size()));
            scene.removeItem(chart.get());
        }
#endif
    });
}

QByteArray HistoryReport::ToPdf() const {
    return ResultReport::ToPdf([this](QPagedPaintDevice& device) { return Render(device); });
}

}  // namespace orv::results
