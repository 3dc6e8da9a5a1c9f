#pragma once
// Keeps controls in place as their window grows: each control is anchored to
// some of the window's edges. Anchored to the left and right, it stretches with
// the width; to the right only, it keeps its distance from the right edge; to
// neither, it keeps its place. Likewise for top and bottom.
//
//   anchors.Add(StringGrid1, Anchors::kLeft | Anchors::kTop | Anchors::kRight | Anchors::kBottom);
//   anchors.Apply(size());  // in resizeEvent
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

namespace orv::ui {

class Anchors {
public:
    enum Side { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };

    // `design` is the window's size for which the controls' geometries were given.
    explicit Anchors(QSize design) : design_(design) {}

    // Remembers the control's current geometry (as laid out for the design size).
    // A control added again takes the new anchors.
    void Add(QWidget* control, int sides);
    // Places every anchored control for a window of `size`.
    void Apply(QSize size) const;
    // The geometry of `at` (given for the design size) in a window of `size`.
    QRect Place(QRect at, int sides, QSize size) const;

private:
    struct Entry {
        QPointer<QWidget> control;
        QRect designGeometry;
        int sides = kLeft | kTop;
    };
    QSize design_;
    std::vector<Entry> entries_;
};

}  // namespace orv::ui
