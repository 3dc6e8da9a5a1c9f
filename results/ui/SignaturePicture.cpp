#include "results/ui/SignaturePicture.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace orv::results {

QString SignatureFileName() { return u"signature.png"_s; }

QImage LoadSignature(const QString& root) {
    QImage picture(root + SignatureFileName());
    return picture.isNull() ? PlaceholderSignature() : picture;
}

QImage PlaceholderSignature() {
    QImage picture(175, 57, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 60, 120);
    // A round stamp on the left and a signature stroke beside it.
    painter.setPen(QPen(ink, 1.5));
    painter.drawEllipse(QRectF(6, 5, 47, 47));
    painter.drawEllipse(QRectF(11, 10, 37, 37));
    QPainterPath stroke(QPointF(64, 38));
    stroke.cubicTo(QPointF(80, 8), QPointF(92, 52), QPointF(104, 26));
    stroke.cubicTo(QPointF(114, 10), QPointF(122, 46), QPointF(136, 30));
    stroke.cubicTo(QPointF(146, 20), QPointF(156, 40), QPointF(168, 24));
    painter.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(stroke);
    return picture;
}

}  // namespace orv::results
