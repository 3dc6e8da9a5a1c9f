#include "accounting/ui/MonthBill.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#ifdef ORV_HAVE_QT_PDF
#include <QPdfDocument>
#endif

namespace orv::accounting {

namespace {
// Pages are drawn at this resolution and scaled onto the printer's page: enough
// for print, without an image of the printer's full resolution.
constexpr double kRenderDpi = 150.0;
}  // namespace

#ifdef ORV_HAVE_QT_PDF
MonthBill::MonthBill() : document_(std::make_unique<QPdfDocument>()) {}
#else
}  // namespace orv::accounting
class QPdfDocument {};  // never made: there is no PDF reader in this build
namespace orv::accounting {
MonthBill::MonthBill() = default;
#endif
MonthBill::~MonthBill() = default;

bool MonthBill::IsPdf() const { return bytes_.startsWith("%PDF-"); }

bool MonthBill::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    bytes_ = file.readAll();
    if (bytes_.isEmpty()) return false;
#ifndef ORV_HAVE_QT_PDF
    return false;  // no PDF reader in this build (Windows): the bill goes to the desktop's program
#else
    auto* buffer = new QBuffer(document_.get());
    buffer->setData(bytes_);
    buffer->open(QIODevice::ReadOnly);
    document_->load(buffer);
    return document_->status() == QPdfDocument::Status::Ready && document_->pageCount() > 0;
#endif
}

#ifdef ORV_HAVE_QT_PDF
int MonthBill::PageCount() const { return document_->pageCount(); }

void MonthBill::Render(QPrinter& printer) const {
    QPainter painter(&printer);
    for (int page = 0; page < document_->pageCount(); ++page) {
        if (page > 0) printer.newPage();
        const QSizeF points = document_->pagePointSize(page);
        const QSize pixels = (points * kRenderDpi / 72.0).toSize();
        const QImage image = document_->render(page, pixels);
        const QRect target = painter.viewport();
        // Keep the page's proportions inside the printable area.
        QSize fitted = pixels.scaled(target.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRect(target.topLeft(), fitted), image);
    }
}
#else
int MonthBill::PageCount() const { return 0; }
void MonthBill::Render(QPrinter&) const {}
#endif

}  // namespace orv::accounting
