// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/statusrefresh.h"

#include <QIcon>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <string>

class QMenu;

namespace orvane {

// What the notification area keeps for one icon. The icon sends the whole record with
// every request; the desktop takes from it what `uFlags` says is meant.
struct TrayIconData
{
    static constexpr std::uint32_t NIF_MESSAGE = 0x01;
    static constexpr std::uint32_t NIF_ICON = 0x02;
    static constexpr std::uint32_t NIF_TIP = 0x04;
    static constexpr std::uint32_t NIF_INFO = 0x10;
    static constexpr std::uint32_t kNormalFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP; // 7
    static constexpr std::uint32_t kCallbackMessage = 0x800;
    static constexpr std::size_t kTipLength = 127;
    static constexpr std::size_t kInfoLength = 255;
    static constexpr std::size_t kInfoTitleLength = 63;

    std::uint32_t uID = 0;
    std::uint32_t uFlags = kNormalFlags;
    std::uint32_t uCallbackMessage = kCallbackMessage;
    QIcon hIcon;
    std::string szTip; // Windows-1252, like the balloon texts
    std::string szInfo; // may hold lone carriage returns as line ends
    std::string szInfoTitle;
    std::uint32_t uTimeout = 0; // milliseconds
    BalloonKind dwInfoFlags = BalloonKind::None;
};

enum class TrayRequest {
    Add,
    Modify,
    Delete,
};

// What the desktop reports about an icon.
enum class TrayEvent {
    LeftButtonDown,
    LeftButtonUp,
    LeftDoubleClick,
    RightButtonDown,
    BalloonUserClick,
};

class TrayEventSink
{
public:
    virtual ~TrayEventSink() = default;
    // `cursor`: where the mouse is, in screen coordinates.
    virtual void trayEvent(TrayEvent event, QPoint cursor) = 0;
};

// The desktop's notification area. One icon a shell; all calls on the GUI thread.
class TrayShell
{
public:
    virtual ~TrayShell() = default;

    // Adds, changes or removes the icon. With NIF_INFO in the flags a Modify shows the
    // balloon in szInfo, or removes the one showing when szInfo is empty. False when the
    // desktop refused; callers may ignore it (an icon added twice, a change before the add).
    virtual bool notifyIcon(TrayRequest request, const TrayIconData &data) = 0;

    // Shows `menu` with its top-left corner at `at` and returns at once.
    virtual void popupMenu(QMenu &menu, QPoint at) = 0;

    // Where the icon's mouse and balloon events go; nullptr stops them.
    void setEventSink(TrayEventSink *sink) { m_sink = sink; }

protected:
    void report(TrayEvent event, QPoint cursor)
    {
        if (m_sink != nullptr) {
            m_sink->trayEvent(event, cursor);
        }
    }

private:
    TrayEventSink *m_sink = nullptr;
};

} // namespace orvane
