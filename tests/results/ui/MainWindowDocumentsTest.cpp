// The main window's single-test documents, printing and saving, against the
// local central laboratory.
#include <QPdfDocument>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>

#include "base/core/TextFile.h"
#include "results/core/TestDocuments.h"
#include "results/ui/ReportPreview.h"
#include "server/core/ServerMessages.h"
#include "tests/results/ui/ResultsWindow.h"

using namespace Qt::StringLiterals;
using orv::test::CentralLab;
using orv::test::CentralLabOptions;

namespace {
const QString kNoDocument = u"این تست فاقد این شکل از جواب میباشد"_s;
const QString kNotReady = u". جواب اين آزمايش هنوز آماده نميباشد"_s;

QString PdfText(const QString& path) {
    QProcess tool;
    tool.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    tool.waitForFinished(30000);
    QString text = QString::fromUtf8(tool.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
    static const QRegularExpression marks(u"[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}]"_s);
    static const QRegularExpression blanks(u"\\s+"_s);
    return text.remove(marks).replace(blanks, u" "_s);
}
QString Folded(const QString& text) { return text.normalized(QString::NormalizationForm_KC); }
}  // namespace

class MainWindowDocumentsTest : public QObject {
    Q_OBJECT
    CentralLab lab_;
    orv::test::ResultsWindow w_;
    QStringList opened_;

    void Download(const QString& date) {
        mainWindow->results->setDateText(date);
        QTest::mouseClick(mainWindow->results->receiveButton, Qt::LeftButton);
        QVERIFY(w_.Status().endsWith(u"File Download succesfully."_s));
    }

private slots:
    void initTestCase() { QVERIFY2(lab_.Start(CentralLabOptions::Fixed("2022-09-21T09:00:00")), lab_.Error().c_str()); }
    void init() {
        lab_.Control("reset");
        w_.Open(lab_);
        opened_.clear();
        orv::ui::SetOpenResponder([this](const QUrl& url) {
            opened_ << url.toLocalFile();
            return true;
        });
        lab_.ClearLogs();
    }
    void cleanup() {
        orv::ui::SetOpenFailedResponder({});
        w_.Close();
    }

    void popupMenuItems() {
        const QList<QAction*> items = mainWindow->results->gridMenu->actions();
        QCOMPARE(items.size(), 4);
        QCOMPARE(items[0]->text(), u"    دریافت جواب PDF"_s);
        QCOMPARE(items[1]->text(), u"دریافت اطلاعات تست"_s);
        QCOMPARE(items[2]->text(), u"  دریافت قیمت تست  "_s);
        QCOMPARE(items[3]->text(), u"سابقه بیمار"_s);  // the row's patient across the archive
        QVERIFY(items[0]->isEnabled() && items[1]->isEnabled() && items[2]->isEnabled());
        QCOMPARE(mainWindow->results->gridMenu->layoutDirection(), Qt::RightToLeft);
    }

    void documentIsDownloadedThenOpenedFromTheWorkspace() {
        Download(u"1401/06/30"_s);
        lab_.ClearLogs();
        // Row 2: 2045, origin 77, HCV Qualitative in column 7.
        w_.Select(2, 7);
        mainWindow->results->resultGrid->scrollTo(mainWindow->results->resultModel->index(2, 7));
        const QRect cell = mainWindow->results->resultGrid->visualRect(mainWindow->results->resultModel->index(2, 7));
        // A double click is a click followed by the second press.
        QTest::mouseClick(mainWindow->results->resultGrid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(mainWindow->results->resultGrid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(w_.messages, QStringList());
        QCOMPARE(w_.Cell(2, 7), u" HCV Qualitative=Negative"_s);
        QCOMPARE(mainWindow->results->resultGrid->Row(), 2);
        QCOMPARE(mainWindow->results->resultGrid->Col(), 7);
        QCOMPARE(mainWindow->results->documentTest, u"HCV Qualitative"_s);
        QCOMPARE(mainWindow->results->documentSource, u"/PCR/6-HCVQL-2045.pptx"_s);
        const QString local = w_.Root() + u"6-HCVQL-2045.pptx"_s;
        QCOMPARE(mainWindow->results->documentPath, local);
        QCOMPARE(opened_, QStringList{local});
        QCOMPARE(w_.Status(), u"PDF File Download succesfully."_s);
        QVERIFY(QFile::exists(local));
        QCOMPARE(orv::test::CommandsNaming(lab_, "RETR /PCR/6-HCVQL-2045.pptx"), 1);
        QCOMPARE(mainWindow->transferSize, 45000);
        QVERIFY(!QApplication::overrideCursor());

        // Kept: opened again without the server, also with the network down.
        lab_.ClearLogs();
        mainWindow->State().networkOk = false;
        mainWindow->results->openTestDocument();
        QCOMPARE(opened_.size(), 2);
        QCOMPARE(w_.Status(), QString());
        QVERIFY(lab_.FtpCommands().empty());

        // Hb Electro of ABCDE12345XY (key 12345), origin 120.
        mainWindow->State().networkOk = true;
        w_.Select(1, 5);
        mainWindow->results->openTestDocument();
        QCOMPARE(opened_.last(), w_.Root() + u"12345_120H.pdf"_s);
        QCOMPARE(orv::test::CommandsNaming(lab_, "RETR /Text Result/12/12345_120H.pdf"), 1);
        // The laboratory's document is a PDF a viewer opens.
        QPdfDocument pdf;
        QCOMPARE(pdf.load(opened_.last()), QPdfDocument::Error::None);
        QVERIFY(pdf.pageCount() > 0);
        QVERIFY(pdf.getAllText(0).text().contains(u"Hb Electro"_s));

        // The desktop's program takes it and then fails to open it: said on the status line.
        orv::ui::SetOpenFailedResponder([](const QUrl&) { return true; });
        mainWindow->results->openTestDocument();
        QTRY_COMPARE(w_.Status(), u"The desktop's program could not open "_s + opened_.last());
    }

    void everyTestOfTheTableAsksForItsPath() {
        QByteArray day;
        const auto& table = orv::results::TestDocumentTable();
        for (size_t i = 0; i < table.size(); ++i) {
            const std::string name = table[i].substr(0, table[i].find(','));
            day += QByteArray::number(int(i + 1)) + "   ABCDE12345XY   77   30   x   " +
                   QByteArray::fromStdString(name) + "=see document   \r\n";
        }
        w_.Archive(u"14010630"_s, day);
        mainWindow->results->setDateText(u"1401/06/30"_s);
        for (size_t i = 0; i < table.size(); ++i) {
            w_.Select(int(i + 1), 5);
            mainWindow->results->openTestDocument();
            const std::string name = table[i].substr(0, table[i].find(','));
            const int kind = orv::results::DocumentKind(name);
            const auto place = orv::results::DocumentFor(kind, "12345", "77", 1401, 6, "12", w_.RootStd());
            QVERIFY2(orv::test::CommandsNaming(lab_, " " + place.source) >= 1, place.source.c_str());
            QCOMPARE(w_.Status(), kNotReady);
            QVERIFY(!QFile::exists(QString::fromStdString(place.dest)));
        }
        QVERIFY(opened_.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    void cellsWithoutADocument() {
        w_.Archive(u"14010630"_s, w_.Sample());
        mainWindow->results->setDateText(u"1401/06/30"_s);
        w_.Select(0, 5);  // a heading
        mainWindow->results->openTestDocument();
        w_.Select(1, 4);  // a name
        mainWindow->results->openTestDocument();
        QCOMPARE(w_.messages,
                 (QStringList{u"Attention|متن جستجو خالی میباشد"_s, u"Attention|متن جستجو خالی میباشد"_s}));
        w_.Select(1, 5);  // FBS=95
        mainWindow->results->openTestDocument();
        QCOMPARE(w_.Status(), kNoDocument);
        // A document not kept and the network down.
        mainWindow->State().networkOk = false;
        w_.Select(1, 7);
        mainWindow->results->openTestDocument();
        QCOMPARE(w_.Status(), QString::fromUtf8(orv::msg::kNetworkUpdate));
        QVERIFY(lab_.FtpCommands().empty());
        QVERIFY(opened_.isEmpty());
    }

    void printNeedsTwoLinesAndShowsTheBody() {
        int previews = 0;
        QString pdf = w_.Root() + u"report"_s;
        orv::ui::SetSaveFileResponder([&](const QString&, const QString&, const QString& filter) {
            return filter.contains(u"*.pdf"_s) ? pdf : QString();
        });
        orv::results::ReportPreview::hook = [&](QPrintPreviewDialog& dialog) {
            ++previews;
            QVERIFY(dialog.windowState() & Qt::WindowMaximized);
            QCOMPARE(dialog.findChild<QPrintPreviewWidget*>()->zoomMode(), QPrintPreviewWidget::FitToWidth);
            dialog.findChild<QToolBar*>()->actions().constFirst()->trigger();
        };
        w_.Archive(u"14010630"_s, w_.Sample().left(w_.Sample().indexOf('\n') + 1));
        mainWindow->results->setDateText(u"1401/06/30"_s);
        QTest::mouseClick(mainWindow->results->printButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), u"متن خاصی برای پرینت موجود نمیباشد"_s);
        QCOMPARE(previews, 0);

        w_.Archive(u"14010630"_s, w_.Sample());
        mainWindow->results->setDateText(u"1401/06/29"_s);
        mainWindow->results->setDateText(u"1401/06/30"_s);
        QTest::mouseClick(mainWindow->results->printButton, Qt::LeftButton);
        orv::results::ReportPreview::hook = nullptr;
        QCOMPARE(previews, 1);
        const QString text = PdfText(pdf + u".pdf"_s);
        QVERIFY2(text.contains(Folded(u"آزمايشگاه تاروینا"_s)), qPrintable(text));
        QVERIFY(text.contains(u"1401/06/30"_s));
        QVERIFY(text.contains(u"1 2045 77 34 "_s + Folded(u"محمد رضا کاظم\u064a"_s)));
        QVERIFY(text.contains(u"FBS=95 Chol=180 HCV Qualitative=Negative"_s));
        QVERIFY(text.contains(u"2 ABCDE12345XY 120 61"_s));
        QVERIFY(text.contains(u"Hb Electro=see document TSH=2.1"_s));
        QCOMPARE(text.count(QString(131, u'.')), 3);
    }

    void saveAsWritesTheReportText() {
        QString answer;
        orv::ui::SetSaveFileResponder([&](const QString&, const QString&, const QString& filter) {
            return filter == u"Text files (*.txt)"_s ? answer : QString();
        });
        w_.Archive(u"14010630"_s, w_.Sample().left(w_.Sample().indexOf('\n') + 1));
        mainWindow->results->setDateText(u"1401/06/30"_s);
        answer = w_.Root() + u"one"_s;
        QTest::mouseClick(mainWindow->results->saveAsButton, Qt::LeftButton);
        QCOMPARE(w_.Status(), u"متن خاصی برای ذخیره موجود نمیباشد"_s);
        QVERIFY(!QFile::exists(answer + u".txt"_s));

        w_.Archive(u"14010630"_s, w_.Sample());
        mainWindow->results->setDateText(u"1401/06/29"_s);
        mainWindow->results->setDateText(u"1401/06/30"_s);
        answer = w_.Root() + u"saved"_s;  // the default extension is added
        QTest::mouseClick(mainWindow->results->saveAsButton, Qt::LeftButton);
        QFile saved(answer + u".txt"_s);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), w_.Sample());  // code page 1256, CR LF, as it came

        // Cancelled: nothing written. Unwritable: the error in a message box, nothing lost.
        answer.clear();
        QTest::mouseClick(mainWindow->results->saveAsButton, Qt::LeftButton);
        QVERIFY(w_.messages.isEmpty());
        answer = w_.Root() + u"no such folder/x.txt"_s;
        QTest::mouseClick(mainWindow->results->saveAsButton, Qt::LeftButton);
        QCOMPARE(w_.messages.size(), 1);
        QVERIFY(w_.messages[0].startsWith(u"Save As...|"_s));
        QCOMPARE(mainWindow->results->ReportLines().size(), size_t(3));
    }
};

QTEST_MAIN(MainWindowDocumentsTest)
#include "MainWindowDocumentsTest.moc"
