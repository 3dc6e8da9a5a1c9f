#include "solar/widgets/TSolarLabel.h"

#include <QMouseEvent>

TSolarLabel::TSolarLabel(QWidget* parent) : QLabel(parent) {}

void TSolarLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
    // Taken here: a click on a label does not reach the panel behind it.
    event->accept();
    emit clicked();
}

void TSolarLabel::enterEvent(QEnterEvent* event) {
    emit entered();
    QLabel::enterEvent(event);
}

void TSolarLabel::leaveEvent(QEvent* event) {
    emit left();
    QLabel::leaveEvent(event);
}
