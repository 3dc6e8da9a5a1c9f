#include "results/ui/PatientHistoryWindow.h"

#ifdef ORV_HAVE_QT_CHARTS
#include <QChart>
#include <QChartView>
#endif
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "results/ui/HistoryReport.h"
#include "results/ui/ReportPreview.h"
#include "results/ui/ResultFonts.h"
#ifdef ORV_HAVE_QT_CHARTS
#include "results/ui/TrendChart.h"
#endif

using namespace Qt::StringLiterals;

namespace orv::results {

namespace {
QString Text(const std::string& text) { return QString::fromStdString(text); }

// Values read left to right in the right-to-left table: "<5" is not turned into "5>".
class ValueCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override {
        const QString text = QStyledItemDelegate::displayText(value, locale);
        return text.isEmpty() ? text : QChar(0x200E) + text;
    }
};

QTableWidgetItem* Item(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}
}  // namespace

QString PatientHistoryWindow::Title() { return u"سابقه بیمار"_s; }

PatientHistoryWindow::PatientHistoryWindow(QString patient, std::vector<HistoryVisit> visits, QWidget* parent)
    : QWidget(parent, Qt::Window), patient_(std::move(patient)), visits_(std::move(visits)), leftOut_(visits_.size()) {
    setObjectName(u"PatientHistoryWindow"_s);
    setWindowTitle(Title() + u" - "_s + patient_);
    setLayoutDirection(Qt::RightToLeft);
    setFont(ResultFont(9));
    resize(980, 720);

    auto* heading = new QLabel(Title() + u": "_s + patient_, this);
    heading->setFont(ResultFont(11));

    days_ = new QTableWidget(this);
    days_->setObjectName(u"DayList"_s);
    days_->setColumnCount(5);
    days_->setHorizontalHeaderLabels({u"تاريخ"_s, u"نام بيمار"_s, u"کدمبدا"_s, u"کدمرجع"_s, u"سن"_s});
    days_->verticalHeader()->hide();
    days_->horizontalHeader()->setStretchLastSection(false);
    days_->setToolTip(u"روز بیمار همنام را بردارید تا در جدول و نمودار نیاید"_s);
    days_->setSelectionBehavior(QAbstractItemView::SelectRows);
    FillDays();
    connect(days_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() != 0) return;
        const auto visit = static_cast<size_t>(item->row());
        const bool out = item->checkState() != Qt::Checked;
        if (visit < leftOut_.size() && leftOut_[visit] != out) {
            leftOut_[visit] = out;
            Refresh();
        }
    });

    grid_ = new QTableWidget(this);
    grid_->setObjectName(u"HistoryGrid"_s);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setFont(ResultFont(9));
    grid_->setItemDelegate(new ValueCells(grid_));

    tests_ = new QComboBox(this);
    tests_->setObjectName(u"TestChoice"_s);
    tests_->setMinimumContentsLength(16);
    noChart_ = new QLabel(u"آزمایشی که در دو روز یا بیشتر جواب عددی داشته باشد نیست"_s, this);
#ifdef ORV_HAVE_QT_CHARTS
    chart_ = new QChartView(this);
    chart_->setObjectName(u"TrendChart"_s);
    chart_->setLayoutDirection(Qt::LeftToRight);  // time runs left to right, as on every chart
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(260);
#else
    // A build without Qt Charts (Windows, while its SDK lacks it): the table and its print, no chart.
    auto* chart = new QLabel(u"نمودار در این نسخه برنامه نیست"_s, this);
    chart->setObjectName(u"TrendChart"_s);
    chart->setAlignment(Qt::AlignCenter);
#endif
    connect(tests_, &QComboBox::currentIndexChanged, this, &PatientHistoryWindow::ShowChart);

    print_ = new QPushButton(u"چاپ"_s, this);
    print_->setObjectName(u"PrintHistory"_s);
    print_->setToolTip(u"Print the history and the chart (or save them as PDF)"_s);
    connect(print_, &QPushButton::clicked, this, &PatientHistoryWindow::Print);

    auto* chartPane = new QWidget(this);
    auto* chartLayout = new QVBoxLayout(chartPane);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    auto* chooser = new QHBoxLayout;
    chooser->addWidget(new QLabel(u"نمودار آزمایش:"_s, chartPane));
    chooser->addWidget(tests_);
    chooser->addWidget(noChart_);
    chooser->addStretch();
    chooser->addWidget(print_);
    chartLayout->addLayout(chooser);
#ifdef ORV_HAVE_QT_CHARTS
    chartLayout->addWidget(chart_);
#else
    chartLayout->addWidget(chart);
#endif

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(days_);
    split->addWidget(grid_);
    split->addWidget(chartPane);
    split->setSizes({150, 220, 330});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(split);
    Refresh();
}

// The chart view's scene deletes the chart it shows.
PatientHistoryWindow::~PatientHistoryWindow() = default;

void PatientHistoryWindow::FillDays() {
    const QSignalBlocker block(days_);
    days_->setRowCount(static_cast<int>(visits_.size()));
    for (size_t v = 0; v < visits_.size(); ++v) {
        const HistoryVisit& visit = visits_[v];
        const int row = static_cast<int>(v);
        QTableWidgetItem* day = Item(Text(DayText(visit.day)));
        day->setFlags(day->flags() | Qt::ItemIsUserCheckable);
        day->setCheckState(leftOut_[v] ? Qt::Unchecked : Qt::Checked);
        days_->setItem(row, 0, day);
        days_->setItem(row, 1, Item(Text(visit.name)));
        days_->setItem(row, 2, Item(Text(visit.originCode)));
        days_->setItem(row, 3, Item(Text(visit.referenceCode)));
        days_->setItem(row, 4, Item(Text(visit.age)));
    }
    days_->resizeColumnsToContents();
    days_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
}

void PatientHistoryWindow::SetLeftOut(size_t visit, bool leftOut) {
    if (visit >= visits_.size()) return;
    days_->item(static_cast<int>(visit), 0)->setCheckState(leftOut ? Qt::Unchecked : Qt::Checked);
}

void PatientHistoryWindow::Refresh() {
    table_ = BuildHistoryTable(visits_, leftOut_);
    grid_->clear();
    grid_->setColumnCount(static_cast<int>(table_.columns.size()));
    grid_->setRowCount(static_cast<int>(table_.tests.size()));
    QStringList dayLabels, testLabels;
    for (const size_t v : table_.columns) dayLabels << Text(DayText(visits_[v].day));
    for (const std::string& test : table_.tests) testLabels << Text(test);
    grid_->setHorizontalHeaderLabels(dayLabels);
    grid_->setVerticalHeaderLabels(testLabels);
    for (size_t t = 0; t < table_.tests.size(); ++t)
        for (size_t c = 0; c < table_.columns.size(); ++c) {
            QTableWidgetItem* cell = Item(Text(table_.cells[t][c]));
            cell->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(static_cast<int>(t), static_cast<int>(c), cell);
        }
    grid_->resizeColumnsToContents();
    // The newest day in view: at the reading end of the right-to-left table.
    if (grid_->columnCount() > 0) grid_->scrollToItem(grid_->item(0, grid_->columnCount() - 1));

    // The tests that can be charted; the one chosen stays chosen while it can be.
    const QString chosen = tests_->currentText();
    charted_.clear();
    {
        const QSignalBlocker block(tests_);
        tests_->clear();
        for (size_t t = 0; t < table_.tests.size(); ++t) {
            if (TrendOf(table_, visits_, t).empty()) continue;
            charted_.push_back(t);
            tests_->addItem(Text(table_.tests[t]));
        }
        const int keep = tests_->findText(chosen);
        tests_->setCurrentIndex(keep >= 0 ? keep : (tests_->count() ? 0 : -1));
    }
    tests_->setEnabled(!charted_.empty());
    noChart_->setVisible(charted_.empty());
    ShowChart();
}

size_t PatientHistoryWindow::ChartedTest() const {
    const int chosen = tests_->currentIndex();
    return chosen >= 0 && static_cast<size_t>(chosen) < charted_.size() ? charted_[static_cast<size_t>(chosen)]
                                                                        : HistoryReport::kNoChart;
}

bool PatientHistoryWindow::ChooseTest(const QString& test) {
    const int at = tests_->findText(test);
    if (at < 0) return false;
    tests_->setCurrentIndex(at);
    return true;
}

void PatientHistoryWindow::ShowChart() {
#ifdef ORV_HAVE_QT_CHARTS
    QChart* old = chart_->chart();
    const size_t test = ChartedTest();
    QChart* chart = test == HistoryReport::kNoChart ? nullptr : TrendChart::Make(table_, visits_, test);
    chart_->setChart(chart ? chart : new QChart);
    delete old;
#endif
}

void PatientHistoryWindow::Print() {
    const HistoryReport report(patient_, table_, visits_, ChartedTest());
    QString name = Title() + u" "_s + patient_;
    name.replace(u'/', u'-');
    ReportPreview::Show([&report](QPrinter& printer) { report.Render(printer); }, [&report] { return report.ToPdf(); },
                        this, name);
}

}  // namespace orv::results
