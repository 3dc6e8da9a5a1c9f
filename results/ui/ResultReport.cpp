#include "results/ui/ResultReport.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDateTime>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include "results/ui/ResultFonts.h"

using namespace Qt::StringLiterals;

namespace orv::results {

namespace {
constexpr qreal kScreenDpi = 96.0;
constexpr int kBodyPixels = 11;  // 8 point at 96 dpi
const QSize kSignatureSize(139, 51);

}  // namespace

ResultReport::ResultReport(ReportContent content) : content_(std::move(content)) {}
ResultReport::~ResultReport() = default;

QString ResultReport::DateCaption() { return u"بيماران ارسالي در تاريخ "_s; }
QString ResultReport::CentralLaboratory() { return u"آزمايشگاه تاروینا"_s; }

// Right to left throughout. The mark after the caption's blank holds the blank
// inside the right-to-left run, so a device that draws each run on its own
// (the print preview, a printer) keeps it between the caption and the date.
QString ResultReport::HeaderDateLine() const {
    return u"\u200F"_s + DateCaption() + u"\u200F"_s + content_.dateLabel;
}

QPageLayout ResultReport::A4Layout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

std::unique_ptr<QTextDocument> ResultReport::LayOutBody(const QSizeF& page) const {
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(ReportFont(kBodyPixels));
    doc->setDocumentMargin(0);
    QTextOption option = doc->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTextDirection(Qt::LeftToRight);
    doc->setDefaultTextOption(option);
    QTextBlockFormat block;
    block.setLayoutDirection(Qt::LeftToRight);
    block.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    QTextCursor cursor(doc.get());
    cursor.setBlockFormat(block);
    for (qsizetype i = 0; i < content_.body.size(); ++i) {
        if (i) cursor.insertBlock(block);
        cursor.insertText(content_.body[i]);
    }
    doc->setPageSize(QSizeF(page.width(), page.height() - kHeaderHeight - kFooterHeight));
    return doc;
}

QSizeF ResultReport::PageSize(const QPageLayout& layout) {
    return QSizeF(layout.paintRectPixels(static_cast<int>(kScreenDpi)).size());
}

int ResultReport::PageCount(const QPageLayout& layout) const { return LayOutBody(PageSize(layout))->pageCount(); }

void ResultReport::PaintHeader(QPainter& painter, qreal width) const {
    painter.setPen(Qt::black);
    painter.setFont(ReportFont(17, true));
    painter.drawText(QRectF(0, 0, width, 26), Qt::AlignHCenter | Qt::AlignVCenter, content_.laboratory);
    painter.setFont(ReportFont(12));
    painter.drawText(QRectF(width / 2, 28, width / 2, 24), Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter,
                     HeaderDateLine());
    if (!content_.signature.isNull())
        painter.drawImage(QRectF(QPointF(0, 2), QSizeF(kSignatureSize)), content_.signature);
}

void ResultReport::PaintFooter(QPainter& painter, qreal top, qreal width, int page) {
    painter.setPen(Qt::black);
    const QRectF band(0, top, width, kFooterHeight);
    painter.setFont(ReportFont(11));
    painter.drawText(band, Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter,
                     QDateTime::currentDateTime().toString(u"yyyy/MM/dd  HH:mm:ss"_s));
    painter.setFont(ReportFont(11, true));
    painter.drawText(band, Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter, QString::number(page));
}

void ResultReport::PaintBodyPage(QPainter& painter, const QTextDocument& body, qreal top, qreal bottom) const {
    // Line by line, so a line belongs to exactly one page.
    painter.setPen(Qt::black);
    for (QTextBlock block = body.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QPointF at = body.documentLayout()->blockBoundingRect(block).topLeft();
        if (at.y() >= bottom) break;
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal y = at.y() + line.y();
            if (y >= top && y < bottom) line.draw(&painter, QPointF(at.x(), at.y() - top));
        }
    }
}

bool ResultReport::RenderPages(QPagedPaintDevice& device, int pages,
                               const std::function<void(QPainter&, const QSizeF&, int)>& paint) {
    const QSizeF page = PageSize(device.pageLayout());
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const qreal scale = device.logicalDpiX() / kScreenDpi;
    for (int p = 0; p < pages; ++p) {
        if (p && !device.newPage()) return false;
        painter.save();
        painter.scale(scale, scale);
        painter.save();
        paint(painter, page, p);
        painter.restore();
        PaintFooter(painter, page.height() - kFooterHeight, page.width(), p + 1);
        painter.restore();
    }
    return painter.end();
}

bool ResultReport::Render(QPagedPaintDevice& device) const {
    const std::unique_ptr<QTextDocument> body = LayOutBody(PageSize(device.pageLayout()));
    const qreal bodyHeight = body->pageSize().height();
    return RenderPages(device, std::max(1, body->pageCount()), [&](QPainter& painter, const QSizeF& page, int p) {
        PaintHeader(painter, page.width());
        painter.save();
        painter.translate(0, kHeaderHeight);
        painter.setFont(body->defaultFont());
        PaintBodyPage(painter, *body, p * bodyHeight, (p + 1) * bodyHeight);
        painter.restore();
    });
}

QByteArray ResultReport::ToPdf() const {
    return ToPdf([this](QPagedPaintDevice& device) { return Render(device); });
}

QByteArray ResultReport::ToPdf(const std::function<bool(QPagedPaintDevice&)>& render) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(A4Layout());
        writer.setCreator(u"Orvanet"_s);
        if (!render(writer)) return {};
    }
    return bytes;
}

}  // namespace orv::results
