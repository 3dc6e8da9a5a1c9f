#include "base/ui/Anchors.h"

namespace orv::ui {

void Anchors::Add(QWidget* control, int sides) {
    for (Entry& e : entries_) {
        if (e.control == control) {
            e.sides = sides;
            return;
        }
    }
    entries_.push_back({control, control->geometry(), sides});
}

QRect Anchors::Place(QRect at, int sides, QSize size) const {
    const int dx = size.width() - design_.width();
    const int dy = size.height() - design_.height();
    QRect r = at;
    if (sides & kRight) {
        if (sides & kLeft)
            r.setWidth(at.width() + dx);
        else
            r.moveLeft(at.left() + dx);
    }
    if (sides & kBottom) {
        if (sides & kTop)
            r.setHeight(at.height() + dy);
        else
            r.moveTop(at.top() + dy);
    }
    return r;
}

void Anchors::Apply(QSize size) const {
    for (const Entry& e : entries_)
        if (e.control) e.control->setGeometry(Place(e.designGeometry, e.sides, size));
}

}  // namespace orv::ui
