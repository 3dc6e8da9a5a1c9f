// The printed report read back from its PDF with pdftotext.
#include <QBuffer>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "base/core/AtomicFile.h"
#include "results/core/ReportBody.h"
#include "results/ui/ReportPreview.h"
#include "results/ui/ResultReport.h"
#include "results/ui/SignaturePicture.h"
#include "tests/support/PromptRecorder.h"
#include "tests/support/ReadBack.h"

using namespace Qt::StringLiterals;
using namespace orv::results;
using orv::test::Folded;
using orv::test::PdfText;

namespace {
ReportContent Day(int lines) {
    QStringList file;
    for (int i = 1; i <= lines; ++i)
        file << QString::number(i) + u"   AB"_s + QString::number(1000 + i) + u"   "_s + QString::number(i * 7) +
                    u"   30   علی رضایی   FBS="_s + QString::number(90 + i % 10) + u"   TSH=2.1   "_s;
    std::vector<std::string> stdLines;
    for (const QString& line : file) stdLines.push_back(line.toStdString());
    QStringList body;
    for (const std::string& line : BuildReportBody(ResultTable(stdLines))) body << QString::fromStdString(line);
    return {ResultReport::CentralLaboratory(), u"1401/06/30"_s, PlaceholderSignature(), body};
}
}  // namespace

class ResultReportTest : public QObject {
    Q_OBJECT
private slots:
    void bodyHeaderAndFooterReadBack() {
        QTemporaryDir dir;
        const ResultReport report(Day(3));
        const QString text = Folded(PdfText(report.ToPdf(), dir.path()));
        QVERIFY2(text.contains(Folded(u"آزمايشگاه تاروینا"_s)), qPrintable(text));
        QVERIFY(text.contains(Folded(u"بيماران ارسالي در تاريخ"_s)));
        QVERIFY(text.contains(u"1401/06/30"_s));
        QVERIFY(text.contains(Folded(u"علی رضایی"_s)));
        QVERIFY(text.contains(u"1 AB1001 7 30"_s));
        QVERIFY(text.contains(u"FBS=91 TSH=2.1"_s));
        QVERIFY(text.contains(QString(131, u'.')));
        QCOMPARE(text.count(QString(131, u'.')), 3);
        QVERIFY(text.contains(QDate::currentDate().toString(u"yyyy/MM/dd"_s)));
    }

    // The date stays apart from its caption also where each run of the header is
    // drawn on its own, as the print preview does.
    void headerKeepsTheDateApartFromItsCaption() {
        auto preview = [](const QString& date) {
            ReportContent content = Day(1);
            content.dateLabel = date;
            const ResultReport report(std::move(content));
            QPrinter printer;
            printer.setPageLayout(ResultReport::A4Layout());
            QPrintPreviewWidget widget(&printer);
            QObject::connect(&widget, &QPrintPreviewWidget::paintRequested, [&](QPrinter* p) { report.Render(*p); });
            widget.resize(1800, 500);
            widget.setZoomFactor(2);
            widget.updatePreview();
            return widget.grab().toImage();
        };
        const QImage dated = preview(u"1401/06/30"_s), bare = preview(QString());
        QCOMPARE(dated.size(), bare.size());
        auto ink = [](const QImage& image, int x, int y) { return image.pixelColor(x, y).lightness() < 128; };
        // The date's rows: where the two pages differ.
        int top = -1, bottom = -1;
        for (int y = 0; y < dated.height(); ++y)
            for (int x = 0; x < dated.width(); ++x)
                if (dated.pixel(x, y) != bare.pixel(x, y)) {
                    if (top < 0) top = y;
                    bottom = y;
                    break;
                }
        QVERIFY(top >= 0);
        // The caption's left end there (in the page's right half), and blank between it and the date.
        int caption = bare.width();
        for (int y = top; y <= bottom; ++y)
            for (int x = bare.width() / 2; x < bare.width(); ++x)
                if (ink(bare, x, y)) caption = std::min(caption, x);
        bool dateDrawn = false;
        int blank = 0;
        for (int x = caption - 1; x >= 0 && !dateDrawn; --x) {
            for (int y = top; y <= bottom; ++y) dateDrawn |= ink(dated, x, y);
            if (!dateDrawn) ++blank;
        }
        QVERIFY(dateDrawn);
        QVERIFY2(blank >= 5, qPrintable(QString::number(blank)));  // a blank's width at twice the size
    }

    void bodyFlowsOverPagesWithHeaderAndFooterOnEach() {
        QTemporaryDir dir;
        const ResultReport report(Day(120));
        const int pages = report.PageCount(ResultReport::A4Layout());
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        const QByteArray pdf = report.ToPdf();
        int dividers = 0;
        for (int p = 1; p <= pages; ++p) {
            const QString text = Folded(PdfText(pdf, dir.path(), p));
            QVERIFY2(text.contains(Folded(u"آزمايشگاه تاروینا"_s)), qPrintable(QString::number(p)));
            QVERIFY(text.contains(u"1401/06/30"_s));
            QVERIFY2(QRegularExpression(u"\\b"_s + QString::number(p) + u"$"_s).match(text).hasMatch(),
                     qPrintable(text.right(80)));
            dividers += text.count(QString(131, u'.'));
        }
        QCOMPARE(dividers, 120);  // no line lost or doubled at a page break
        QVERIFY(PdfText(pdf, dir.path(), pages + 1).trimmed().isEmpty());
        // A4: 595 x 842 points.
        QProcess info;
        info.start(u"pdfinfo"_s, {dir.path() + u"/report.pdf"_s});
        info.waitForFinished();
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(u"(A4)"_s));
    }

    void signatureFromTheWorkspaceOrAPlaceholder() {
        QTemporaryDir dir;
        const QString root = dir.path() + u"/"_s;
        const QImage placeholder = LoadSignature(root);
        QCOMPARE(placeholder.size(), QSize(175, 57));
        QCOMPARE(placeholder, PlaceholderSignature());
        QImage own(300, 100, QImage::Format_RGB32);
        own.fill(Qt::red);
        QVERIFY(own.save(root + u"signature.png"_s));
        const QImage loaded = LoadSignature(root);
        QCOMPARE(loaded.size(), QSize(300, 100));
        QCOMPARE(loaded.pixelColor(10, 10), QColor(Qt::red));
        // A file that is no picture falls back to the placeholder.
        QFile broken(root + u"signature.png"_s);
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("not a picture");
        broken.close();
        QCOMPARE(LoadSignature(root), PlaceholderSignature());
    }

    void previewIsMaximisedAtPageWidthWithPdfFirst() {
        const ResultReport report(Day(5));
        QTemporaryDir dir;
        const QString pdfPath = dir.path() + u"/saved.pdf"_s;
        PromptRecorder prompts;
        orv::ui::SetSaveFileResponder([&](const QString&, const QString&, const QString& filter) {
            return filter.endsWith(u"(*.pdf)"_s) ? pdfPath : QString();
        });
        bool ran = false;
        ReportPreview::hook = [&](QPrintPreviewDialog& dialog) {
            ran = true;
            QVERIFY(dialog.windowState() & Qt::WindowMaximized);
            auto* widget = dialog.findChild<QPrintPreviewWidget*>();
            QVERIFY(widget);
            QCOMPARE(widget->zoomMode(), QPrintPreviewWidget::FitToWidth);
            QCOMPARE(widget->pageCount(), 1);
            QToolBar* bar = dialog.findChild<QToolBar*>();
            QVERIFY(bar);
            QAction* first = bar->actions().constFirst();
            QCOMPARE(first->objectName(), u"SavePdf"_s);
            first->trigger();
        };
        ReportPreview::Show(report, nullptr);
        ReportPreview::hook = nullptr;
        QVERIFY(ran);
        QVERIFY(Folded(PdfText(
                           [&] {
                               QFile f(pdfPath);
                               f.open(QIODevice::ReadOnly);
                               return f.readAll();
                           }(),
                           dir.path()))
                    .contains(u"FBS=91"_s));
    }
};

QTEST_MAIN(ResultReportTest)
#include "ResultReportTest.moc"
