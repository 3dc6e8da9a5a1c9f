#pragma once
// The printed day report: on every page a header (the central laboratory's
// name, the report date, the signature picture) and a footer (date and time,
// page number); between them the body, three lines per result line, flowing
// over as many pages as it needs. Sizes are in 96-dpi pixels and scaled to the
// device.
#include <QImage>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace orv::results {

struct ReportContent {
    QString laboratory;  // centred, bold
    QString dateLabel;   // the report date after its caption
    QImage signature;
    QStringList body;
};

class ResultReport {
public:
    explicit ResultReport(ReportContent content);
    ~ResultReport();

    static QString DateCaption();        // "بيماران ارسالي در تاريخ "
    static QString CentralLaboratory();  // "آزمايشگاه تاروینا"
    QString HeaderDateLine() const;      // the caption and the report date, as printed
    static QPageLayout A4Layout();       // portrait, 10 mm on every side

    const ReportContent& Content() const { return content_; }
    int PageCount(const QPageLayout& layout) const;
    // Paints every page on the device in its current page layout.
    bool Render(QPagedPaintDevice& device) const;
    // The whole report as PDF bytes, A4.
    QByteArray ToPdf() const;
    // Any report drawn by `render` as PDF bytes, A4; empty when it could not be drawn.
    static QByteArray ToPdf(const std::function<bool(QPagedPaintDevice& device)>& render);
    // Paints `pages` pages, sized in 96-dpi pixels and scaled to the device:
    // `paint` draws page p's header and body on a page of `size`, the footer
    // (date and time at the left, the page number at the right) follows.
    static bool RenderPages(QPagedPaintDevice& device, int pages,
                            const std::function<void(QPainter& painter, const QSizeF& size, int p)>& paint);
    // A page's printable area in 96-dpi pixels.
    static QSizeF PageSize(const QPageLayout& layout);

    static constexpr int kHeaderHeight = 55;
    static constexpr int kFooterHeight = 25;

private:
    std::unique_ptr<QTextDocument> LayOutBody(const QSizeF& page) const;
    void PaintHeader(QPainter& painter, qreal width) const;
    void PaintBodyPage(QPainter& painter, const QTextDocument& body, qreal top, qreal bottom) const;
    static void PaintFooter(QPainter& painter, qreal top, qreal width, int page);

    ReportContent content_;
};

}  // namespace orv::results
