#include "app/ui/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace orv::ui {
namespace {

constexpr int kSize = 24;

QPixmap Face(const QColor& fill, bool smiling) {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    p.setBrush(QColor(40, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(7, 7.5, 3, 3.5));
    p.drawEllipse(QRectF(14, 7.5, 3, 3.5));
    p.setPen(QPen(QColor(40, 40, 40), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath mouth;
    if (smiling) {
        mouth.moveTo(6.5, 14);
        mouth.quadTo(12, 20, 17.5, 14);
    } else {
        mouth.moveTo(7, 18);
        mouth.quadTo(12, 13, 17, 18);
    }
    p.drawPath(mouth);
    return pm;
}

}  // namespace

QPixmap SuccessPicture() { return Face(QColor(255, 214, 40), true); }
QPixmap FailurePicture() { return Face(QColor(240, 120, 90), false); }

QPixmap PendingPicture() {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 80, 200));
    p.drawEllipse(QRectF(1, 1, 22, 22));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(16);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("?"));
    return pm;
}

}  // namespace orv::ui
