#include "solar/widgets/TSolarButton.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "solar/widgets/SolarLook.h"
#include "solar/widgets/TCustomSolarCalendar.h"
#include "solar/widgets/TSolarTopPanel.h"

using namespace orv::solar;

TSolarButton::TSolarButton(TSolarTopPanel* panel, TButtonType type) : QWidget(panel), FpPanel(panel), FType(type) {
    resize(kWidth, kHeight);
    setMouseTracking(true);
}

void TSolarButton::SetButtonEnabled(bool enabled) {
    FEnabled = enabled;
    update();
}

std::pair<QColor, QColor> TSolarButton::HoverColors() const {
    auto a = ToRgb(FpPanel->Calendar()->ColorCaptionStart());
    auto b = ToRgb(FpPanel->Calendar()->ColorCaptionStop());
    orv::color::ChangeColor(a, b);
    return {ToQColor(a), ToQColor(b)};
}

void TSolarButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) FpPanel->ButtonPressed(this);
    update();
}

void TSolarButton::enterEvent(QEnterEvent*) {
    setCursor(Qt::PointingHandCursor);
    FEnter = true;
    update();
}

void TSolarButton::leaveEvent(QEvent*) {
    unsetCursor();
    FEnter = false;
    update();
}

void TSolarButton::paintEvent(QPaintEvent*) {
    const TCustomSolarCalendar* cal = FpPanel->Calendar();
    const bool yearButton = FType == btLeftYear || FType == btRightYear;
    if (FEnter && yearButton && !FEnabled) return;
    QPainter p(this);
    const QColor line = cal->ColorStyle() == csWhiteBlack ? QColor(166, 202, 240) : QColor(Qt::black);
    const int w = width(), h = height();
    if (!FEnter) {
        // Continues the panel's gradient, which runs over the panel's height.
        QLinearGradient g(0, -y(), 0, FpPanel->height() - y());
        g.setColorAt(0, cal->ColorCaptionStart());
        g.setColorAt(1, cal->ColorCaptionStop());
        p.fillRect(QRect(0, -y(), w, FpPanel->height()), g);
    } else {
        const auto [a, b] = HoverColors();
        QLinearGradient g(0, 1, 0, h - 1);
        g.setColorAt(0, a);
        g.setColorAt(1, b);
        p.fillRect(QRect(1, 1, w - 2, h - 2), g);
    }
    const double radius = cal->RoundButton() / 2.0;
    p.setRenderHint(QPainter::Antialiasing, radius > 0);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), radius, radius);
    p.setRenderHint(QPainter::Antialiasing, false);

    if (FType == btLayout) {
        const bool solar = cal->DateKind() == dkSolar;
        const QString letter = solar ? QStringLiteral("C") : QString::fromUtf8("ش");
        const QFontMetrics fm(p.font());
        const int tx = (w - fm.horizontalAdvance(letter) + 1) / 2;
        const int ty = (h - fm.height() + 1) / 2 - (solar ? 0 : 2);
        p.setPen(line);
        p.drawText(QPoint(tx, ty + fm.ascent()), letter);
        return;
    }
    const int x0 = (w - 3) / 2, y0 = h / 2 - 3;
    QPolygon tri;
    if (FType == btLeftYear || FType == btLeftMonth)
        tri << QPoint(x0, y0 + 3) << QPoint(x0 + 3, y0) << QPoint(x0 + 3, y0 + 6);
    else
        tri << QPoint(x0, y0) << QPoint(x0, y0 + 6) << QPoint(x0 + 3, y0 + 3);
    QColor fill = yearButton ? QColor(Qt::black) : QColor(0, 0, 255);
    if (!FEnabled) fill = QColor(128, 128, 128);
    p.setPen(line);
    p.setBrush(fill);
    p.drawPolygon(tri);
}
