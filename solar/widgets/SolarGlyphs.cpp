#include "solar/widgets/SolarGlyphs.h"

#include <QPainter>
#include <QPolygon>

namespace orv::solar {
namespace {

constexpr int kSize = 16;

QPixmap ArrowDown(const QColor& fill) {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(fill.darker(140), 1));
    p.setBrush(fill);
    p.drawPolygon(QPolygon({QPoint(3, 5), QPoint(13, 5), QPoint(8, 11)}));
    return pm;
}

QPixmap CalendarPage() {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(200, 40, 40));
    p.setPen(QColor(60, 60, 60));
    p.drawLine(4, 1, 4, 3);
    p.drawLine(11, 1, 11, 3);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) p.fillRect(3 + col * 3, 7 + row * 2, 2, 1, QColor(70, 70, 160));
    return pm;
}

}  // namespace

QString GlyphResourceName(TGlyphType glyph) {
    switch (glyph) {
    case gtBlackArrowDown: return QStringLiteral("SCROLLDOWN");
    case gtCalendar: return QStringLiteral("OPENCAL_1");
    case gtBlueArrowDown: return QStringLiteral("OPENCAL_2");
    case gtGreenArrowDown: return QStringLiteral("OPENCAL_3");
    }
    return {};
}

QPixmap LoadGlyphResource(const QString& name) {
    if (name == QStringLiteral("SCROLLDOWN")) return ArrowDown(Qt::black);
    if (name == QStringLiteral("OPENCAL_1")) return CalendarPage();
    if (name == QStringLiteral("OPENCAL_2")) return ArrowDown(QColor(30, 90, 220));
    if (name == QStringLiteral("OPENCAL_3")) return ArrowDown(QColor(20, 150, 40));
    return {};
}

QPixmap& SharedGlyphBitmap() {
    static QPixmap bitmap = LoadGlyphResource(QStringLiteral("OPENCAL_1"));
    return bitmap;
}

}  // namespace orv::solar
