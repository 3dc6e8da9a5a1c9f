#include "solar/widgets/TSolarLabel.h"

#include <QMouseEvent>

TSolarLabel::TSolarLabel(QWidget* parent) : QLabel(parent) {}

void TSolarLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QLabel::mousePressEvent(event);
}

void TSolarLabel::enterEvent(QEnterEvent* event) {
    emit entered();
    QLabel::enterEvent(event);
}

void TSolarLabel::leaveEvent(QEvent* event) {
    emit left();
    QLabel::leaveEvent(event);
}
