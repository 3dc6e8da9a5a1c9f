#pragma once
// Runs an action on a double click on any widget (labels and pictures have no
// double-click signal of their own). The watcher is a child of the widget and
// goes with it.
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <functional>
#include <utility>

namespace orv::ui {

class DoubleClickWatcher : public QObject {
public:
    DoubleClickWatcher(QWidget* widget, std::function<void()> action) : QObject(widget), action_(std::move(action)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick && watched == parent()) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

inline void OnDoubleClick(QWidget* widget, std::function<void()> action) {
    new DoubleClickWatcher(widget, std::move(action));
}

}  // namespace orv::ui
