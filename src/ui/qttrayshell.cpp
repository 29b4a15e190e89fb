// SPDX-License-Identifier: MIT
#include "ui/qttrayshell.h"

#include "text/cp1252.h"

#include <QCursor>
#include <QMenu>
#include <QTimer>

namespace orvane {

namespace {

QSystemTrayIcon::MessageIcon messageIcon(BalloonKind kind)
{
    switch (kind) {
    case BalloonKind::Information:
        return QSystemTrayIcon::Information;
    case BalloonKind::Warning:
        return QSystemTrayIcon::Warning;
    case BalloonKind::Error:
        return QSystemTrayIcon::Critical;
    case BalloonKind::None:
        break;
    }
    return QSystemTrayIcon::NoIcon;
}

} // namespace

QtTrayShell::QtTrayShell(DesktopNotifier *notifier, QObject *parent)
    : QObject(parent)
    , m_icon(this)
    , m_notifier(notifier)
{
    // The menu is not handed to Qt: the icon opens it itself on a right-button press, the
    // same way in both kinds of tray.
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        const QPoint cursor = QCursor::pos();
        switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            report(TrayEvent::LeftDoubleClick, cursor);
            break;
        case QSystemTrayIcon::Context:
            report(TrayEvent::RightButtonDown, cursor);
            break;
        case QSystemTrayIcon::Trigger:
            report(TrayEvent::LeftButtonDown, cursor);
            report(TrayEvent::LeftButtonUp, cursor);
            break;
        case QSystemTrayIcon::MiddleClick:
        case QSystemTrayIcon::Unknown:
            break;
        }
    });
    // Qt's StatusNotifierItem reports a click on any notification of the session, so only
    // a click while Qt's own balloon is the one showing counts.
    connect(&m_icon, &QSystemTrayIcon::messageClicked, this, [this] {
        if (m_showing == Balloon::Qt) {
            report(TrayEvent::BalloonUserClick, QCursor::pos());
        }
    });
    if (m_notifier != nullptr) {
        m_notifier->clicked = [this] { report(TrayEvent::BalloonUserClick, QCursor::pos()); };
    }
}

QString QtTrayShell::desktopText(const std::string &text)
{
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            lines += text[i];
        }
    }
    return QString::fromUtf8(cp1252ToUtf8(lines));
}

bool QtTrayShell::notifyIcon(TrayRequest request, const TrayIconData &data)
{
    switch (request) {
    case TrayRequest::Add:
        if (m_icon.isVisible()) {
            return false;
        }
        m_icon.setIcon(data.hIcon);
        m_icon.setToolTip(desktopText(data.szTip));
        m_icon.show();
        return true;
    case TrayRequest::Delete:
        if (!m_icon.isVisible()) {
            return false;
        }
        hideBalloon();
        m_icon.hide();
        return true;
    case TrayRequest::Modify:
        break;
    }
    if (!m_icon.isVisible()) {
        return false;
    }
    m_icon.setIcon(data.hIcon);
    m_icon.setToolTip(desktopText(data.szTip));
    if (data.uFlags & TrayIconData::NIF_INFO) {
        data.szInfo.empty() ? hideBalloonLater() : showBalloon(data);
    }
    return true;
}

void QtTrayShell::hideBalloonLater()
{
    // A balloon that follows at once replaces this one in place (the notification keeps its
    // number, Qt's balloon its spot), so the desktop does not close it and open another.
    m_hidePending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_hidePending) {
            hideBalloon();
        }
    });
}

void QtTrayShell::showBalloon(const TrayIconData &data)
{
    m_hidePending = false;
    const QString title = desktopText(data.szInfoTitle);
    const QString text = desktopText(data.szInfo);
    const int timeout = static_cast<int>(data.uTimeout);
    if (m_notifier != nullptr && m_notifier->show(title, text, data.dwInfoFlags, timeout)) {
        m_showing = Balloon::Notifier;
    } else {
        m_icon.showMessage(title, text, messageIcon(data.dwInfoFlags), timeout);
        m_showing = Balloon::Qt;
    }
}

void QtTrayShell::hideBalloon()
{
    m_hidePending = false;
    if (m_showing == Balloon::Notifier) {
        m_notifier->hide();
    } else if (m_showing == Balloon::Qt) {
        // An empty message takes Qt's balloon beside the icon away and shows none.
        m_icon.showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 0);
    }
    m_showing = Balloon::None;
}

void QtTrayShell::popupMenu(QMenu &menu, QPoint at)
{
    menu.popup(at);
}

} // namespace orvane
