// SPDX-License-Identifier: MIT
#pragma once

#include "ui/trayshell.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>

namespace orvane {

// A desktop's own notification service, which shows balloons where the tray cannot.
class DesktopNotifier
{
public:
    virtual ~DesktopNotifier() = default;
    // Shows a notification, replacing the one this notifier showed last. False when the
    // desktop has no notification service (the caller then shows the tray's own balloon).
    virtual bool show(const QString &title, const QString &text, BalloonKind kind, int timeoutMs) = 0;
    // Takes the last notification away if it is still showing.
    virtual void hide() = 0;
    // Runs when the user clicks the last notification.
    std::function<void()> clicked;
};

// The notification area through Qt: a StatusNotifierItem when the desktop runs a watcher
// for them, an XEmbed tray icon otherwise; Qt puts the icon back by itself when either
// kind of tray host restarts. Balloons go to `notifier` when it is given and the desktop
// answers it, otherwise to Qt's own balloon beside the icon.
class QtTrayShell : public QObject, public TrayShell
{
    Q_OBJECT
public:
    explicit QtTrayShell(DesktopNotifier *notifier = nullptr, QObject *parent = nullptr);

    bool notifyIcon(TrayRequest request, const TrayIconData &data) override;
    void popupMenu(QMenu &menu, QPoint at) override;

    [[nodiscard]] QSystemTrayIcon &icon() { return m_icon; }

    // The balloon text as the desktop shows it: Windows-1252 to Unicode, and each lone
    // carriage return (or CR LF) a line break.
    [[nodiscard]] static QString desktopText(const std::string &text);

private:
    void showBalloon(const TrayIconData &data);
    void hideBalloon();
    void hideBalloonLater();

    QSystemTrayIcon m_icon;
    DesktopNotifier *m_notifier;
    enum class Balloon { None, Notifier, Qt };
    Balloon m_showing = Balloon::None; // whose balloon may still be on the screen
    bool m_hidePending = false;
};

} // namespace orvane
