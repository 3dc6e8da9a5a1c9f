#pragma once
// The print preview of a report: maximised, zoomed to the page width, with
// "Save as PDF" first on its tool bar and the printer button after it.
#include <QByteArray>
#include <QString>
#include <functional>

class QPrintPreviewDialog;
class QPrinter;
class QWidget;

namespace orv::results {

class ResultReport;

class ReportPreview {
public:
    // Runs the preview modally. With `hook` set (tests), the dialog is shown and
    // handed to the hook instead of waiting for the user.
    static void Show(const ResultReport& report, QWidget* parent);
    // Any report: `render` draws its pages on the printer, `pdf` gives the
    // bytes "Save as PDF" writes (empty: it could not be laid out), `pdfName` the
    // file name it suggests (without ".pdf").
    static void Show(const std::function<void(QPrinter& printer)>& render, const std::function<QByteArray()>& pdf,
                     QWidget* parent, const QString& pdfName = QString());
    static std::function<void(QPrintPreviewDialog& dialog)> hook;

    // Asks for a PDF file name and writes the report to it whole; false when
    // the user cancelled or the file could not be written (with a message).
    static bool SavePdf(const ResultReport& report, QWidget* parent);
    static bool SavePdf(const std::function<QByteArray()>& pdf, QWidget* parent, const QString& name = QString());
};

}  // namespace orv::results
