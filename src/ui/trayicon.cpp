// SPDX-License-Identifier: MIT
#include "ui/trayicon.h"

#include <QEvent>
#include <QMenu>
#include <QWidget>

namespace orvane {

namespace {

std::uint32_t nextIconId()
{
    static std::uint32_t last = 0;
    return ++last;
}

} // namespace

TTrayIcon::TTrayIcon(TrayShell &shell, QWidget &owner, QObject *parent)
    : QObject(parent)
    , m_shell(shell)
    , m_owner(owner)
{
    m_data.uID = nextIconId();
    m_shell.setEventSink(this);
    m_owner.installEventFilter(this);
}

TTrayIcon::~TTrayIcon()
{
    m_owner.removeEventFilter(this);
    m_shell.setEventSink(nullptr);
    if (m_iconVisible && m_loaded) {
        (void)m_shell.notifyIcon(TrayRequest::Delete, m_data);
    }
}

void TTrayIcon::Loaded()
{
    m_loaded = true;
    (void)modifyIcon();
    if (m_iconVisible) {
        (void)m_shell.notifyIcon(TrayRequest::Add, m_data);
    }
}

void TTrayIcon::setIcon(const QIcon &icon)
{
    m_icon = icon;
    (void)modifyIcon();
}

void TTrayIcon::setIconVisible(bool visible)
{
    if (visible == m_iconVisible) {
        return;
    }
    m_iconVisible = visible;
    if (!m_loaded) {
        return;
    }
    refreshRecord();
    (void)m_shell.notifyIcon(visible ? TrayRequest::Add : TrayRequest::Delete, m_data);
}

void TTrayIcon::setHint(const std::string &hint)
{
    m_hint = hint;
    (void)modifyIcon();
}

void TTrayIcon::setShowHint(bool show)
{
    m_showHint = show;
    (void)modifyIcon();
}

void TTrayIcon::refreshRecord()
{
    m_data.hIcon = m_icon;
    m_data.szTip = m_showHint ? m_hint.substr(0, TrayIconData::kTipLength) : std::string();
}

bool TTrayIcon::modifyIcon()
{
    if (!m_loaded) {
        return false;
    }
    refreshRecord();
    return m_shell.notifyIcon(TrayRequest::Modify, m_data);
}

bool TTrayIcon::ShowTrayBalloon(const std::string &title, const std::string &text, BalloonKind kind,
                                std::uint8_t timeoutSeconds)
{
    (void)HideTrayBalloon();
    m_data.uFlags |= TrayIconData::NIF_INFO;
    m_data.szInfo = text.substr(0, TrayIconData::kInfoLength);
    m_data.szInfoTitle = title.substr(0, TrayIconData::kInfoTitleLength);
    m_data.uTimeout = std::uint32_t{timeoutSeconds} * 1000;
    m_data.dwInfoFlags = kind;
    const bool shown = modifyIcon();
    m_data.uFlags = TrayIconData::kNormalFlags;
    return shown;
}

bool TTrayIcon::HideTrayBalloon()
{
    // Leaves NIF_INFO set: its one caller, ShowTrayBalloon, puts the flags back.
    m_data.uFlags |= TrayIconData::NIF_INFO;
    m_data.szInfo.clear();
    return modifyIcon();
}

void TTrayIcon::RestoreMainWindow()
{
    if (m_owner.windowState() & Qt::WindowMinimized) {
        m_owner.setWindowState(m_owner.windowState() & ~Qt::WindowMinimized);
    }
    m_owner.show();
    m_owner.raise();
    m_owner.activateWindow();
}

void TTrayIcon::HideMainWindow()
{
    // A hidden window has no taskbar entry either.
    m_owner.hide();
    setIconVisible(true);
}

void TTrayIcon::trayEvent(TrayEvent event, QPoint cursor)
{
    switch (event) {
    case TrayEvent::LeftDoubleClick:
        // The menu has no default item, so nothing is clicked after the handler.
        if (Enabled && OnDblClick) {
            OnDblClick();
        }
        break;
    case TrayEvent::RightButtonDown:
        if (Enabled && PopupMenu != nullptr) {
            m_owner.activateWindow();
            m_shell.popupMenu(*PopupMenu, cursor);
        }
        break;
    case TrayEvent::BalloonUserClick:
        if (OnBalloonHintClick) {
            OnBalloonHintClick();
        }
        break;
    case TrayEvent::LeftButtonDown:
    case TrayEvent::LeftButtonUp:
        // A single click raises nothing the program listens to.
        break;
    }
}

bool TTrayIcon::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_owner && event->type() == QEvent::WindowStateChange && !m_hiding
        && (m_owner.windowState() & Qt::WindowMinimized) && MinimizeToTray) {
        minimizeToTray();
    }
    return QObject::eventFilter(watched, event);
}

void TTrayIcon::minimizeToTray()
{
    // The desktop has already minimized the window when we hear of it: run the handler,
    // hide the window, and take the minimized state back while it is hidden, so that it
    // comes back as it was and never stays minimized on the taskbar.
    m_hiding = true;
    if (OnMinimizeToTray) {
        OnMinimizeToTray();
    }
    HideMainWindow();
    m_owner.setWindowState(m_owner.windowState() & ~Qt::WindowMinimized);
    m_hiding = false;
}

} // namespace orvane
