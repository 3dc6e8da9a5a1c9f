#include "app/ui/Banner.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace orv::ui {
QPixmap BannerPicture(QSize size) {
    QPixmap p(size);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), 0);
    sky.setColorAt(0, QColor(24, 54, 128));
    sky.setColorAt(0.6, QColor(58, 104, 190));
    sky.setColorAt(1, QColor(150, 180, 235));
    g.fillRect(p.rect(), sky);
    // a row of test tubes on the right
    for (int i = 0; i < 6; ++i) {
        const qreal x = size.width() - 190 + i * 28;
        const QRectF tube(x, 10, 12, size.height() - 20);
        g.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
        g.setBrush(QColor(255, 255, 255, 40));
        g.drawRoundedRect(tube, 6, 6);
        const qreal level = tube.height() * (0.35 + 0.1 * (i % 3));
        g.setPen(Qt::NoPen);
        g.setBrush(QColor::fromHsv((i * 47) % 360, 160, 230, 200));
        g.drawRoundedRect(QRectF(x + 2, tube.bottom() - level, 8, level - 2), 4, 4);
    }
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setBold(true);
    title.setPixelSize(size.height() * 2 / 5);
    g.setFont(title);
    g.setPen(Qt::white);
    const int split = size.height() * 3 / 5;
    g.drawText(QRect(18, 0, size.width() / 2, split), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Orvanet"));
    QFont sub(QStringLiteral("Noto Sans Arabic"));
    sub.setPixelSize(size.height() / 5);
    g.setFont(sub);
    g.setPen(QColor(220, 230, 255));
    g.drawText(QRect(20, split, size.width() / 2, size.height() - split - 2), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8("Tarvina Laboratory  -  آزمایشگاه تاروینا"));
    return p;
}

}  // namespace orv::ui
