#pragma once
// Controls placed by hand at fixed positions, as the windows lay them out: each
// gets its object name (tests find it by that) and its geometry.
#include <QLabel>
#include <QRect>
#include <QString>
#include <QToolButton>
#include <QWidget>

namespace orv::ui {

template <class W>
W* Place(QWidget* parent, const char* name, QRect geometry) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
}

// A label with a UTF-8 caption.
inline QLabel* Caption(QWidget* parent, const char* name, const char* text, QRect geometry) {
    auto* l = Place<QLabel>(parent, name, geometry);
    l->setText(QString::fromUtf8(text));
    return l;
}

// A flat button showing its UTF-8 text, with a hint.
inline QToolButton* Button(QWidget* parent, const char* name, const char* text, QRect geometry,
                           const char* hint = "") {
    auto* b = Place<QToolButton>(parent, name, geometry);
    b->setText(QString::fromUtf8(text));
    b->setToolTip(QString::fromUtf8(hint));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

}  // namespace orv::ui
