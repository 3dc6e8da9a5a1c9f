#pragma once
// Runs an action on a left click or a double click on any widget (labels and
// pictures have no click signals of their own). The watcher is a child of the
// widget and goes with it.
#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>
#include <functional>
#include <utility>

namespace orv::ui {

class ClickWatcher : public QObject {
public:
    // `type` is QEvent::MouseButtonRelease (a click) or QEvent::MouseButtonDblClick.
    ClickWatcher(QWidget* widget, QEvent::Type type, std::function<void()> action)
        : QObject(widget), type_(type), action_(std::move(action)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type_ && watched == parent() &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            action_();
            return type_ == QEvent::MouseButtonDblClick;  // a double click is used up; a click goes on
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type type_;
    std::function<void()> action_;
};

inline void OnDoubleClick(QWidget* widget, std::function<void()> action) {
    if (widget) new ClickWatcher(widget, QEvent::MouseButtonDblClick, std::move(action));
}

inline void OnClick(QWidget* widget, std::function<void()> action) {
    if (widget) new ClickWatcher(widget, QEvent::MouseButtonRelease, std::move(action));
}

}  // namespace orv::ui
