#pragma once
// A short message on the desktop: the tray icon's balloon where the desktop has
// a tray, otherwise the desktop's notification service (freedesktop
// notifications over D-Bus). Never modal; nothing happens when neither exists.
// Tests replace `hook` and read what would have been shown.
#include <QString>
#include <functional>

class QWidget;

namespace orv::ui {

class DesktopNotice {
public:
    static void Show(QWidget* window, const QString& title, const QString& text);
    static std::function<void(const QString& title, const QString& text)> hook;
};

}  // namespace orv::ui
