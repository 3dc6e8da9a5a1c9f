#include "base/ui/DesktopNotice.h"

#include <QApplication>
#ifndef Q_OS_WIN
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#endif
#include <QSystemTrayIcon>
#include <QWidget>

namespace orv::ui {

std::function<void(const QString&, const QString&)> DesktopNotice::hook;

void DesktopNotice::Show(QWidget* window, const QString& title, const QString& text) {
    if (hook) return hook(title, text);
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        static QSystemTrayIcon* tray = nullptr;
        if (!tray) {
            tray = new QSystemTrayIcon(QApplication::windowIcon(), qApp);
            tray->setToolTip(QApplication::applicationName());
            if (window) QObject::connect(tray, &QSystemTrayIcon::messageClicked, window, [window] {
                window->showNormal();
                window->raise();
                window->activateWindow();
            });
        }
        tray->show();
        tray->showMessage(title, text, QSystemTrayIcon::Information, 10000);
        return;
    }
#ifdef Q_OS_WIN
    // Windows has no notification service besides the tray: the taskbar button flashes.
    if (window) QApplication::alert(window);
#else
    // No reply is waited for: the call goes out and the window runs on.
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify << QApplication::applicationName() << 0u << QStringLiteral("orvanet") << title << text << QStringList()
           << QVariantMap() << 10000;
    QDBusConnection::sessionBus().asyncCall(notify);
#endif
}

}  // namespace orv::ui
