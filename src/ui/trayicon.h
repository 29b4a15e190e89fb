// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/statusrefresh.h"
#include "ui/trayshell.h"

#include <QIcon>
#include <QObject>
#include <functional>
#include <string>

class QMenu;
class QWidget;

namespace orvane {

// The program's icon in the desktop's notification area: its picture, tooltip, menu and
// balloon, and the owner window that minimizing hides into the tray instead of the
// taskbar. The desktop comes in through a TrayShell; the owner window and the shell
// outlive the icon. Texts are Windows-1252.
class TTrayIcon : public QObject, public TrayBalloon, public TrayEventSink
{
    Q_OBJECT
public:
    TTrayIcon(TrayShell &shell, QWidget &owner, QObject *parent = nullptr);
    ~TTrayIcon() override; // takes the icon out of the tray

    // Once the owner window is built: the record gets its picture and tip, then the icon
    // goes into the tray when IconVisible is set.
    void Loaded();

    // Properties.
    void setIcon(const QIcon &icon);
    [[nodiscard]] const QIcon &Icon() const { return m_icon; }
    void setIconVisible(bool visible);
    [[nodiscard]] bool IconVisible() const { return m_iconVisible; }
    void setHint(const std::string &hint);
    [[nodiscard]] const std::string &Hint() const { return m_hint; }
    void setShowHint(bool show);
    [[nodiscard]] bool ShowHint() const { return m_showHint; }
    bool Enabled = true; // mouse events on the icon are reported
    QMenu *PopupMenu = nullptr; // opened by the right button
    bool LeftPopup = false; // the left button does not open the menu
    bool MinimizeToTray = true;

    // Events; an empty one is unassigned.
    std::function<void()> OnDblClick;
    std::function<void()> OnBalloonHintClick;
    std::function<void()> OnMinimizeToTray; // just before the window is hidden into the tray

    // Operations.
    bool ShowTrayBalloon(const std::string &title, const std::string &text, BalloonKind kind,
                         std::uint8_t timeoutSeconds) override;
    bool HideTrayBalloon();
    void RestoreMainWindow();
    void HideMainWindow();

    // The record as the desktop was last sent it.
    [[nodiscard]] const TrayIconData &data() const { return m_data; }

    void trayEvent(TrayEvent event, QPoint cursor) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool modifyIcon();
    void refreshRecord();
    void minimizeToTray();

    TrayShell &m_shell;
    QWidget &m_owner;
    TrayIconData m_data;
    QIcon m_icon;
    bool m_iconVisible = true;
    bool m_loaded = false;
    std::string m_hint;
    bool m_showHint = true;
    bool m_hiding = false;
};

} // namespace orvane
