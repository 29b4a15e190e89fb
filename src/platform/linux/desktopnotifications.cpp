// SPDX-License-Identifier: MIT
#include "platform/linux/desktopnotifications.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

namespace orvane {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");
// A notification server answers at once or not at all; the refresh must not hang on it.
constexpr int kCallTimeoutMs = 1000;

QString iconName(BalloonKind kind)
{
    switch (kind) {
    case BalloonKind::Information:
        return QStringLiteral("dialog-information");
    case BalloonKind::Warning:
        return QStringLiteral("dialog-warning");
    case BalloonKind::Error:
        return QStringLiteral("dialog-error");
    case BalloonKind::None:
        break;
    }
    return QString();
}

} // namespace

DesktopNotifications::DesktopNotifications(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint)));
}

bool DesktopNotifications::serverReadsMarkup()
{
    const QDBusMessage ask =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities"));
    const QDBusReply<QStringList> capabilities = m_bus.call(ask, QDBus::Block, kCallTimeoutMs);
    return capabilities.isValid() && capabilities.value().contains(QStringLiteral("body-markup"));
}

bool DesktopNotifications::show(const QString &title, const QString &text, BalloonKind kind, int timeoutMs)
{
    if (!m_bus.isConnected()) {
        return false;
    }
    // Model names come from the drives: never let the server take them for markup.
    const QString body = serverReadsMarkup() ? text.toHtmlEscaped() : text;
    QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    notify << QStringLiteral("Orvane") << m_lastId << iconName(kind) << title << body
           << QStringList{kDefaultAction, QStringLiteral("Orvane")} << QVariantMap() << qint32(timeoutMs);
    const QDBusReply<uint> id = m_bus.call(notify, QDBus::Block, kCallTimeoutMs);
    if (!id.isValid()) {
        return false;
    }
    m_lastId = id.value();
    return true;
}

void DesktopNotifications::hide()
{
    if (m_lastId == 0) {
        return;
    }
    QDBusMessage close =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"));
    close << m_lastId;
    m_bus.asyncCall(close);
    m_lastId = 0;
}

void DesktopNotifications::onActionInvoked(uint id, const QString &action)
{
    if (id == m_lastId && action == kDefaultAction && clicked) {
        clicked();
    }
}

void DesktopNotifications::onNotificationClosed(uint id, uint /*reason*/)
{
    if (id == m_lastId) {
        m_lastId = 0;
    }
}

} // namespace orvane
