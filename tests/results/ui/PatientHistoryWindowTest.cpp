// A patient's history window: the days found, the table, the chart checked
// against the archive's files, a namesake's day left out, and the print.
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

#include "base/core/TextFile.h"
#include "results/core/ArchiveIndex.h"
#include "results/core/PatientHistory.h"
#include "results/core/ResultLine.h"
#include "results/ui/HistoryReport.h"
#include "results/ui/PatientHistoryWindow.h"
#include "results/ui/ReportPreview.h"
#include "tests/support/ReadBack.h"

using namespace Qt::StringLiterals;
using namespace orv::results;

using orv::test::Folded;
using orv::test::PdfText;
using orv::test::Shot;

class PatientHistoryWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::string Root() const { return dir_.path().toStdString() + "/"; }

    // Ali Rezaei's HbA1c over a year, a namesake aged 8 on one day, and another patient.
    void WriteArchive() {
        const char* days[] = {"14040215", "14040520", "14040901", "14041110", "14050203", "14050917"};
        const char* hba1c[] = {"7,2", "6.9", "<5", "6.4", "see note", "6.1"};
        for (int d = 0; d < 6; ++d) {
            std::vector<std::string> lines = {
                "1   R" + std::to_string(d) + "   " + std::to_string(900 + d) + "   40   مریم کریمی   HbA1c=5.5   ",
                "2   A" + std::to_string(d) + "   " + std::to_string(300 + d) + "   " + (d == 3 ? "8" : "52") +
                    "   \u0639\u0644\u064a \u0631\u0636\u0627\u064a\u064a   FBS=" + std::to_string(100 + d) +
                    "   HbA1c=" + hba1c[d] + "   CBC=normal   "};
            QVERIFY(orv::WriteTextFile(Root() + days[d] + ".txt", lines));
        }
    }

private slots:
    void chartFollowsTheArchiveAndTheDaysKept() {
        WriteArchive();
        ArchiveIndex index(Root());
        index.Sync();
        PatientHistoryWindow window(u"علی رضایی"_s, FindHistory(index, "علی رضایی"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // Every day found, oldest first, with its codes and age.
        QTableWidget* days = window.DayList();
        QCOMPARE(days->rowCount(), 6);
        QCOMPARE(days->item(0, 0)->text(), u"1404/02/15"_s);
        QCOMPARE(days->item(3, 4)->text(), u"8"_s);
        QCOMPARE(days->item(5, 3)->text(), u"A5"_s);
        // Tests by days, right to left: the oldest day next to the test names, the newest at the far (left) end.
        QTableWidget* grid = window.HistoryGrid();
        QCOMPARE(grid->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(grid->columnCount(), 6);
        QCOMPARE(grid->horizontalHeaderItem(5)->text(), u"1405/09/17"_s);
        QCOMPARE(grid->verticalHeaderItem(1)->text(), u"HbA1c"_s);
        QCOMPARE(grid->item(1, 2)->text(), u"<5"_s);
        QVERIFY(grid->visualItemRect(grid->item(1, 5)).x() < grid->visualItemRect(grid->item(1, 0)).x());
        // CBC reads as no number: only FBS and HbA1c are charted.
        QCOMPARE(window.TestChoice()->count(), 2);
        QVERIFY(window.ChooseTest(u"HbA1c"_s));
        Shot("patient-history");

        // Each point against the archive's file of its day: the value in the patient's row, the day of the file.
        auto check = [&](int expected) {
            auto* chart = window.ChartView()->chart();
            auto* dots = chart->findChild<QScatterSeries*>(u"TrendPoints"_s);
            QVERIFY(dots);
            const QList<QPointF> points = dots->points();
            QCOMPARE(points.size(), expected);
            auto* axis = chart->findChild<QCategoryAxis*>(u"DayAxis"_s);
            int point = 0;
            std::vector<std::string> files = ArchiveIndex::ArchivedDays(Root());  // newest first
            std::reverse(files.begin(), files.end());
            for (size_t v = 0; v < files.size(); ++v) {
                if (window.DayList()->item(static_cast<int>(v), 0)->checkState() != Qt::Checked) continue;
                const orv::TextReadResult read = orv::ReadTextFile(Root() + files[v] + ".txt");
                QVERIFY(read.ok);
                const auto cells = SplitResultCells(read.content.lines[1]);
                const auto value = ReadResultNumber(SplitTestCell(cells[6]).result);
                QCOMPARE(SplitTestCell(cells[6]).test, std::string("HbA1c"));
                if (!value) continue;
                QVERIFY(point < points.size());
                QCOMPARE(points[point].y(), value->value);
                QCOMPARE(static_cast<int64_t>(points[point].x()), DaySerial(files[v]));
                QVERIFY(axis->categoriesLabels().contains(QString::fromStdString(DayText(files[v]))));
                ++point;
            }
            QCOMPARE(point, expected);
        };
        check(5);
        // On hover: the point's day and the cell as printed, its "<" kept.
        auto* dots = window.ChartView()->chart()->findChild<QScatterSeries*>(u"TrendPoints"_s);
        emit dots->hovered(dots->points().at(2), true);
        QVERIFY(QToolTip::text().contains(u"1404/09/01"_s));
        QVERIFY(QToolTip::text().contains(u"<5"_s));
        Shot("patient-history-hover");

        // The namesake's day left out: the table and the chart follow.
        window.DayList()->item(3, 0)->setCheckState(Qt::Unchecked);
        QCOMPARE(grid->columnCount(), 5);
        QCOMPARE(window.TestChoice()->currentText(), u"HbA1c"_s);
        check(4);
        window.SetLeftOut(3, false);
        check(5);
        // Down to one numeric HbA1c: not charted any more.
        for (size_t v : {0, 1, 3, 5}) window.SetLeftOut(v, true);
        QCOMPARE(window.TestChoice()->findText(u"HbA1c"_s), -1);
        QCOMPARE(window.TestChoice()->currentText(), u"FBS"_s);
    }

    void printsTheTableThenTheChart() {
        WriteArchive();
        ArchiveIndex index(Root());
        index.Sync();
        PatientHistoryWindow window(u"علی رضایی"_s, FindHistory(index, "علی رضایی"));
        QVERIFY(window.ChooseTest(u"HbA1c"_s));
        const HistoryReport report(u"علی رضایی"_s, window.Shown(), window.Visits(), window.ChartedTest());
        const QByteArray pdf = report.ToPdf();
        const QString text = Folded(PdfText(pdf, dir_.path()));
        if (const QByteArray shots = qgetenv("ORV_SHOT_DIR"); !shots.isEmpty()) {
            QFile out(QString::fromLocal8Bit(shots) + u"/patient-history.pdf"_s);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(pdf) == pdf.size());
        }
        QVERIFY(text.contains(Folded(HistoryReport::Caption())));
        QVERIFY(text.contains(Folded(u"علی رضایی"_s)));
        for (const char* day : {"1404/02/15", "1405/09/17"}) QVERIFY(text.contains(QString::fromLatin1(day)));
        QVERIFY(text.contains(u"<5"_s));
        QVERIFY(text.contains(u"HbA1c"_s));
        QCOMPARE(report.PageCount(), 1);

        // Through the day report's preview.
        bool previewed = false;
        ReportPreview::hook = [&](QPrintPreviewDialog& dialog) {
            previewed = dialog.findChild<QAction*>(u"SavePdf"_s) != nullptr;
        };
        window.Print();
        ReportPreview::hook = {};
        QVERIFY(previewed);
    }
};

QTEST_MAIN(PatientHistoryWindowTest)
#include "PatientHistoryWindowTest.moc"
