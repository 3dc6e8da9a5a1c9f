#include "results/ui/ReportPreview.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>

#include "base/core/AtomicFile.h"
#include "base/ui/Prompts.h"
#include "results/core/ResultPaths.h"
#include "results/ui/ResultReport.h"
#include "results/ui/SaveFolder.h"

using namespace Qt::StringLiterals;

namespace orv::results {

std::function<void(QPrintPreviewDialog&)> ReportPreview::hook;

namespace {
// The day's report is saved under the day's compact date.
QString DayName(const ResultReport& report) {
    return QString::fromStdString(CompactDate(report.Content().dateLabel.toStdString()));
}
}  // namespace

bool ReportPreview::SavePdf(const ResultReport& report, QWidget* parent) {
    return SavePdf([&report] { return report.ToPdf(); }, parent, DayName(report));
}

bool ReportPreview::SavePdf(const std::function<QByteArray()>& toPdf, QWidget* parent, const QString& name) {
    const QString path = SaveFolder::Ask(parent, u"PDF files"_s, u"pdf"_s, name);
    if (path.isEmpty()) return false;
    const QByteArray pdf = toPdf();
    const FileResult written = pdf.isEmpty() ? FileResult{false, "the report could not be laid out"}
                                             : WriteFileAtomically(path.toStdString(), pdf.toStdString());
    if (!written) {
        ui::MessageBox(parent, u"Save as PDF"_s, QString::fromStdString(written.error), QMessageBox::Ok,
                       QMessageBox::Critical);
        return false;
    }
    return true;
}

namespace {
void ZoomToPageWidth(QPrintPreviewDialog& dialog) {
    // Through the dialog's own action, so its tool bar shows the mode.
    const QString fitWidth = QCoreApplication::translate("QPrintPreviewDialog", "Fit width");
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (action->text() == fitWidth) {
            action->trigger();
            return;
        }
    }
    if (auto* widget = dialog.findChild<QPrintPreviewWidget*>()) widget->fitToWidth();
}

void OfferPdfFirst(QPrintPreviewDialog& dialog, const std::function<QByteArray()>& pdf, const QString& name) {
    QToolBar* bar = dialog.findChild<QToolBar*>();
    if (!bar) return;
    auto* save = new QAction(QIcon::fromTheme(u"document-save"_s), u"Save as PDF"_s, &dialog);
    save->setObjectName(u"SavePdf"_s);
    save->setToolTip(u"Save the report as a PDF file"_s);
    QObject::connect(save, &QAction::triggered, &dialog,
                     [&dialog, &pdf, name] { ReportPreview::SavePdf(pdf, &dialog, name); });
    const QList<QAction*> actions = bar->actions();
    bar->insertAction(actions.isEmpty() ? nullptr : actions.constFirst(), save);
    if (!actions.isEmpty()) bar->insertSeparator(actions.constFirst());
}
}  // namespace

void ReportPreview::Show(const ResultReport& report, QWidget* parent) {
    Show([&report](QPrinter& target) { report.Render(target); }, [&report] { return report.ToPdf(); }, parent,
         DayName(report));
}

void ReportPreview::Show(const std::function<void(QPrinter&)>& render, const std::function<QByteArray()>& pdf,
                         QWidget* parent, const QString& pdfName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ResultReport::A4Layout());
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(u"Print Preview"_s);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&render](QPrinter* target) { render(*target); });
    OfferPdfFirst(dialog, pdf, pdfName);
    ZoomToPageWidth(dialog);
    // Without a window manager the maximised state alone would not size the window.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        dialog.setGeometry(screen->availableGeometry());
    dialog.setWindowState(Qt::WindowMaximized);
    if (hook) {
        dialog.show();
        hook(dialog);
        return;
    }
    dialog.exec();
}

}  // namespace orv::results
