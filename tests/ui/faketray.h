// SPDX-License-Identifier: MIT
#pragma once

#include "ui/desktopopener.h"
#include "ui/trayshell.h"

#include <QMenu>
#include <functional>
#include <string>
#include <vector>

namespace orvane::test {

// The notification area: keeps every request with the record as it was sent, and the
// menus opened; refuses what a real tray refuses (an icon added twice, a change or a
// removal of an icon that is not there).
class FakeTrayShell : public TrayShell
{
public:
    struct Call
    {
        TrayRequest request;
        TrayIconData data;
    };

    bool notifyIcon(TrayRequest request, const TrayIconData &data) override
    {
        calls.push_back({request, data});
        if (onNotify) {
            onNotify(data);
        }
        switch (request) {
        case TrayRequest::Add:
            return !std::exchange(present, true);
        case TrayRequest::Delete:
            return std::exchange(present, false);
        case TrayRequest::Modify:
            break;
        }
        return present;
    }

    void popupMenu(QMenu &menu, QPoint at) override { menus.emplace_back(&menu, at); }

    // What the desktop would report after the user's mouse did it.
    void send(TrayEvent event, QPoint cursor = {}) { report(event, cursor); }

    // The balloons shown, in order (a Modify with NIF_INFO and a text).
    [[nodiscard]] std::vector<TrayIconData> balloons() const
    {
        std::vector<TrayIconData> shown;
        for (const Call &call : calls) {
            if (call.request == TrayRequest::Modify && (call.data.uFlags & TrayIconData::NIF_INFO)
                && !call.data.szInfo.empty()) {
                shown.push_back(call.data);
            }
        }
        return shown;
    }

    bool present = false;
    std::vector<Call> calls;
    std::function<void(const TrayIconData &)> onNotify; // runs at every request
    std::vector<std::pair<QMenu *, QPoint>> menus;
};

class FakeOpener : public DesktopOpener
{
public:
    void open(const std::string &address) override { opened.push_back(address); }
    std::vector<std::string> opened;
};

} // namespace orvane::test
