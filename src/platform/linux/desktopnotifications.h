// SPDX-License-Identifier: MIT
#pragma once

#include "ui/qttrayshell.h"

#include <QDBusConnection>
#include <QObject>

namespace orvane {

// Balloons as desktop notifications (org.freedesktop.Notifications on the session bus):
// each one replaces the one before, a click on it (the "default" action) counts as a
// click on the balloon, and its text is escaped where the server reads markup.
class DesktopNotifications : public QObject, public DesktopNotifier
{
    Q_OBJECT
public:
    explicit DesktopNotifications(QDBusConnection bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);

    bool show(const QString &title, const QString &text, BalloonKind kind, int timeoutMs) override;
    void hide() override;

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &action);
    void onNotificationClosed(uint id, uint reason);

private:
    [[nodiscard]] bool serverReadsMarkup();

    QDBusConnection m_bus;
    uint m_lastId = 0;
};

} // namespace orvane
